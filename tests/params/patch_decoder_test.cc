// Decoding whole patches: values as the keyboard shows them, parts and
// groups, parameter vectors, and the differences between two patches.

#include "params/patch_decoder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "params/effects_fields.h"
#include "tools/sysex/dump_builder.h"
#include "tools/sysex/field_writer.h"

namespace dravelin::params {
namespace {

constexpr std::array<std::string_view, 3> kThree = {"Mono", "Stereo", "Ping-Pong"};

TEST(ShownValueTest, ShowsValuesAsTheKeyboardDoes) {
  struct Case {
    Display display;
    int offset;
    int limit;
    int width;
    std::uint32_t raw;
    const char* shown;
    bool in_range;
  };
  const Case kCases[] = {
      {Display::kNumber, 0, 99, 7, 0, "0", true},
      {Display::kNumber, 0, 99, 7, 99, "99", true},
      {Display::kNumber, 0, 99, 7, 100, "100", false},  // past the range, as it is
      {Display::kNumber, -99, 199, 8, 0, "-99", true},
      {Display::kNumber, -99, 199, 8, 99, "0", true},
      {Display::kNumber, -99, 199, 8, 199, "100", true},
      {Display::kNumber, -99, 199, 8, 255, "156", false},
      {Display::kNumber, -24, 49, 6, 63, "39", false},
      {Display::kChoice, 0, 2, 2, 2, "Ping-Pong", true},
      {Display::kChoice, 0, 2, 2, 3, "3", false},  // past the names: the number
      {Display::kNote, 0, 127, 7, 0, "C-2", true},
      {Display::kNote, 0, 127, 7, 60, "C3", true},
      {Display::kNote, 0, 127, 7, 70, "A#3", true},
      {Display::kNote, 0, 127, 7, 127, "G8", true},
      {Display::kCharacter, 0, 95, 7, 0, "' '", true},
      {Display::kCharacter, 0, 95, 7, 33, "'A'", true},
      {Display::kCharacter, 0, 95, 7, 94, "'~'", true},
      {Display::kCharacter, 0, 95, 7, 95, "95", true},  // no character: the code
      {Display::kCharacter, 0, 95, 7, 127, "127", false},
      {Display::kSevenBitSigned, 0, 6, 7, 6, "6", true},
      {Display::kSevenBitSigned, 0, 6, 7, 127, "-1", true},
      {Display::kSevenBitSigned, 0, 6, 7, 122, "-6", true},
      {Display::kSevenBitSigned, 0, 6, 7, 121, "-7", false},
      {Display::kSevenBitSigned, 0, 6, 7, 7, "7", false},
      {Display::kSevenBitSigned, 0, 6, 7, 64, "-64", false},
  };
  for (const Case& c : kCases) {
    FieldLayout field;
    field.display = c.display;
    field.offset = static_cast<std::int16_t>(c.offset);
    field.limit = static_cast<std::uint16_t>(c.limit);
    field.bits.width = static_cast<std::uint8_t>(c.width);
    if (c.display == Display::kChoice) field.choices = kThree;
    SCOPED_TRACE(::testing::PrintToString(c.raw) + " as " + c.shown);
    EXPECT_EQ(ShownValue(field, c.raw), c.shown);
    EXPECT_EQ(InRange(field, c.raw), c.in_range);
  }
}

TEST(ShownValueTest, LabelsNameDrumsAndSpares) {
  FieldLayout drum;
  drum.name = "Sample Group";
  drum.instance = 7;
  EXPECT_EQ(FieldLabel(drum), "Drum 7 Sample Group");
  const FieldLayout spare = table::Spare("Common", 20, "84:7-82:4");
  EXPECT_EQ(FieldLabel(spare), "Spare 84:7-82:4");
  EXPECT_TRUE(InRange(spare, 0xFFFFF));
}

const FieldLayout& Field(std::span<const FieldLayout> fields, std::string_view label) {
  for (const FieldLayout& field : fields) {
    if (FieldLabel(field) == label) return field;
  }
  ADD_FAILURE() << "no field " << label;
  return fields.front();
}

const FieldLayout& KeyboardField(std::string_view label) {
  return Field(SoundFields(SoundKind::kKeyboard), label);
}
const FieldLayout& DrumField(std::string_view label) {
  return Field(SoundFields(SoundKind::kDrum), label);
}

SoundBlock Keyboard(std::uint32_t seed) {
  return sysex::MakeSoundOfKind(SoundKind::kKeyboard, seed);
}
SoundBlock Drum(std::uint32_t seed) { return sysex::MakeSoundOfKind(SoundKind::kDrum, seed); }

SoundBlock With(SoundBlock sound, const FieldLayout& field, int value) {
  sysex::SetFieldValue(sound, field, value);
  return sound;
}

SoundBlock Disabled(SoundBlock sound) {
  sysex::SetRawField(sound, SoundEnableField(KindOfSound(sound)), 0);
  return sound;
}

Bank ReadBank(const std::string& bytes) {
  Bank bank;
  ByteStream in(bytes);
  std::size_t left = kMaxPatchesPerSet;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  return bank;
}

std::vector<std::string> Titles(const std::vector<DecodedPart>& parts) {
  std::vector<std::string> titles;
  for (const DecodedPart& part : parts) titles.push_back(part.title);
  return titles;
}

TEST(DecodePatchTest, GivesEveryPartGroupedByEditPage) {
  const EffectsData effects = sysex::MakeEffectsOfConfiguration(3, 5);
  const std::string bytes =
      sysex::SyxBuilder()
          .Dump(9, "Grand Pno~", {Keyboard(1), Drum(2), Disabled(Keyboard(3)), Disabled(Drum(4))})
          .Effects(9, effects)
          .Dump(10, "No Effects", sysex::MakeSounds(1, 2, 3, 4))
          .bytes();
  const Bank bank = ReadBank(bytes);
  ASSERT_EQ(bank.patches.size(), 2u);

  const std::vector<DecodedPart> parts = DecodePatch(bank, bank.patches[0]);
  EXPECT_EQ(Titles(parts),
            (std::vector<std::string>{"Program", "Sound 0 (Keyboard)", "Sound 1 (Drum)",
                                      "Sound 2 (Keyboard, Disabled)", "Sound 3 (Drum, Disabled)",
                                      "Effects (Configuration 3: 2-Sends, with EQ)"}));
  for (const DecodedPart& part : parts) {
    SCOPED_TRACE(part.title);
    EXPECT_EQ(part.enabled, part.title.find("Disabled") == std::string::npos);
    // Each group once, each field of the part once.
    std::set<std::string> titles;
    std::set<const FieldLayout*> fields;
    for (const FieldGroup& group : part.groups) {
      EXPECT_TRUE(titles.insert(group.title).second) << group.title;
      for (const FieldValue& value : group.fields) {
        EXPECT_TRUE(fields.insert(value.field).second) << value.label();
        if (value.field->instance != 0) {
          EXPECT_EQ(group.title, "Drum " + std::to_string(value.field->instance));
        } else {
          EXPECT_EQ(group.title, value.field->group);
        }
      }
    }
  }
  // The name's characters spell the patch's name.
  std::string name;
  for (const FieldGroup& group : parts[0].groups) {
    if (group.title != "Name") continue;
    for (const FieldValue& value : group.fields) name += value.shown().substr(1, 1);
  }
  EXPECT_EQ(name, "Grand Pno~");
  EXPECT_EQ(parts[2].groups.size(), 2u + 10u);  // Mode, Common, Drum 1 to Drum 10

  EXPECT_EQ(DecodePatch(bank, bank.patches[1]).size(), 5u) << "no effects part";
}

std::vector<std::string> Described(const Comparison& comparison) {
  std::vector<std::string> lines;
  for (const FieldDifference& d : comparison.differences) lines.push_back(DescribeDifference(d));
  return lines;
}

TEST(CompareSoundsTest, NamesEveryDifferenceOfEnabledSounds) {
  const SoundBlock keyboard = Keyboard(11);
  const SoundBlock drum = Drum(12);
  struct Case {
    const char* label;
    SoundBlock a;
    SoundBlock b;
    int slot;
    bool comparable;
    std::vector<std::string> differences;
  };
  const Case kCases[] = {
      {"the same sound", keyboard, keyboard, 0, true, {}},
      {"one parameter",
       With(keyboard, KeyboardField("Effect Level"), 90),
       With(keyboard, KeyboardField("Effect Level"), 99),
       1,
       true,
       {"Sound 1 Effect Level: 90 / 99"}},
      {"two parameters, in table order",
       With(With(keyboard, KeyboardField("Amp Env Decay"), 5), KeyboardField("Pan"), 0),
       With(With(keyboard, KeyboardField("Amp Env Decay"), 7), KeyboardField("Pan"), 6),
       3,
       true,
       {"Sound 3 Pan: 0 / 6", "Sound 3 Amp Env Decay: 5 / 7"}},
      {"a value past the range",
       With(keyboard, KeyboardField("Pitch Detune"), 100),
       With(keyboard, KeyboardField("Pitch Detune"), 156),
       0,
       true,
       {"Sound 0 Pitch Detune: 100 / 156"}},
      {"a drum's parameter",
       With(drum, DrumField("Drum 4 Pitch"), -48),
       With(drum, DrumField("Drum 4 Pitch"), 49),
       2,
       true,
       {"Sound 2 Drum 4 Pitch: -48 / 49"}},
      {"a drum sound's spare bits",
       With(drum, DrumField("Spare 84:7-82:4"), 0),
       With(drum, DrumField("Spare 84:7-82:4"), 3),
       2,
       true,
       {"Sound 2 Spare 84:7-82:4: 0 / 3"}},
      {"two disabled sounds with different left-overs",
       Disabled(keyboard),
       Disabled(Keyboard(13)),
       0,
       true,
       {}},
      {"two disabled sounds of two kinds", Disabled(keyboard), Disabled(drum), 0, true, {}},
      {"enabled against disabled",
       keyboard,
       Disabled(Keyboard(14)),
       2,
       true,
       {"Sound 2 Enable: On / Off"}},
      {"disabled against an enabled drum",
       Disabled(keyboard),
       drum,
       1,
       true,
       {"Sound 1 Enable: Off / On"}},
      {"two kinds", keyboard, drum, 0, false, {"Sound 0 Keyboard / Drum Mode: Keyboard / Drum"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const Comparison comparison = CompareSounds(c.a, c.b, c.slot);
    EXPECT_EQ(comparison.comparable, c.comparable);
    EXPECT_EQ(Described(comparison), c.differences);
    // Swapped, the same fields differ.
    EXPECT_EQ(CompareSounds(c.b, c.a, c.slot).differences.size(), c.differences.size());
  }
}

TEST(CompareSoundsTest, PatchesCompareSlotBySlot) {
  Patch a;
  a.sounds = {Keyboard(1), Drum(2), Keyboard(3), Disabled(Keyboard(4))};
  Patch b = a;
  b.sounds[1] = With(b.sounds[1], DrumField("Drum 1 Volume"), 3);
  b.sounds[2] = With(b.sounds[2], KeyboardField("Mod 6 Gate"), 1);
  a.sounds[2] = With(a.sounds[2], KeyboardField("Mod 6 Gate"), 0);
  b.sounds[3] = Disabled(Drum(5));
  a.sounds[1] = With(a.sounds[1], DrumField("Drum 1 Volume"), 31);
  const Comparison comparison = ComparePatchSounds(a, b);
  EXPECT_TRUE(comparison.comparable);
  EXPECT_EQ(Described(comparison), (std::vector<std::string>{"Sound 1 Drum 1 Volume: 31 / 3",
                                                             "Sound 2 Mod 6 Gate: 0 / 1"}));
  b.sounds[0] = Drum(6);
  EXPECT_FALSE(ComparePatchSounds(a, b).comparable);
}

TEST(CompareCommonTest, NamesTheNameAndTheRom) {
  Patch a;
  const ProgramData first = sysex::MakeProgramData("Edge Brass", {});
  const ProgramData second = sysex::MakeProgramData("Edge Brash", {});
  std::copy_n(first.begin(), kProgramCommonSize, a.common.begin());
  Patch b;
  std::copy_n(second.begin(), kProgramCommonSize, b.common.begin());
  b.common[9] = static_cast<std::uint8_t>(b.common[9] | 0x80);  // ROM identifier 2
  EXPECT_EQ(
      Described(CompareCommon(a, b)),
      (std::vector<std::string>{"Name Digit 9: 's' / 'h'", "ROM Identifier: QS+ / Reserved (2)"}));
  EXPECT_TRUE(CompareCommon(a, a).differences.empty());
}

EffectsData Set(EffectsData data, std::initializer_list<std::pair<std::string_view, int>> values) {
  const unsigned configuration = EffectsConfiguration(data);
  for (const auto& [label, value] : values) {
    sysex::SetFieldValue(data, Field(EffectsFields(configuration), label), value);
  }
  return data;
}

EffectsData EffectsWith(unsigned configuration, std::uint32_t seed,
                        std::initializer_list<std::pair<std::string_view, int>> values) {
  return Set(sysex::MakeEffectsOfConfiguration(configuration, seed), values);
}

TEST(CompareEffectsTest, ComparesConfigurationByConfiguration) {
  const EffectsData base = EffectsWith(0, 3, {{"Send 1 Pitch Type", 0}});
  const EffectsData chorus = Set(base, {{"Send 1 Pitch Type", 1},
                                        {"Send 1 Pitch Speed", 20},
                                        {"Send 1 Pitch Shape", 1},
                                        {"Send 1 Pitch Depth", 30},
                                        {"Send 1 Pitch Feedback", 40}});
  // The same bits read by the resonator's layout.
  const EffectsData resonator = Set(chorus, {{"Send 1 Pitch Type", 5}});
  struct Case {
    const char* label;
    std::optional<EffectsData> a;
    std::optional<EffectsData> b;
    bool comparable;
    std::vector<std::string> differences;
  };
  const Case kCases[] = {
      {"none on either side", std::nullopt, std::nullopt, true, {}},
      {"the same effects", base, base, true, {}},
      {"on one side only", base, std::nullopt, false, {}},
      {"one parameter",
       EffectsWith(0, 3, {{"Send 1 Pitch Type", 0}, {"Send 1 Reverb Decay", 40}}),
       EffectsWith(0, 3, {{"Send 1 Pitch Type", 0}, {"Send 1 Reverb Decay", 45}}),
       true,
       {"Effects Send 1 Reverb Decay: 40 / 45"}},
      {"two configurations",
       EffectsWith(3, 3, {}),
       EffectsWith(0, 3, {}),
       false,
       {"Effects Configuration: 2-Sends, with EQ / 4-Sends, 1 Reverb"}},
      {"a lezlie horn turned back",
       EffectsWith(2, 4, {{"Send 1 Lezlie Horn", 6}}),
       EffectsWith(2, 4, {{"Send 1 Lezlie Horn", -6}}),
       true,
       {"Effects Send 1 Lezlie Horn: 6 / -6"}},
      {"chorus against resonator: the fields of each layout on its side only",
       chorus,
       resonator,
       true,
       {"Effects Send 1 Pitch Type: 1 (Chorus/Flange) / Resonator",
        "Effects Send 1 Pitch Shape: 1 / -", "Effects Send 1 Pitch Feedback: 40 / -",
        "Effects Send 1 Resonator Tuning: - / 20", "Effects Send 1 Resonator Decay: - / 30",
        "Effects Spare 10:4: - / 1", "Effects Spare 12:2-11:4: - / 40",
        "Effects Send 1 Pitch Speed: 20 / -", "Effects Send 1 Pitch Depth: 30 / -"}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.label);
    const Comparison comparison = CompareEffects(c.a, c.b);
    EXPECT_EQ(comparison.comparable, c.comparable);
    std::vector<std::string> got = Described(comparison);
    std::vector<std::string> want = c.differences;
    std::sort(got.begin(), got.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(got, want);
  }
}

// Changing one field changes one entry of the parameter vector: the one at
// the field's place in its table.
TEST(ParameterVectorTest, OneFieldOneEntry) {
  for (SoundKind kind : {SoundKind::kKeyboard, SoundKind::kDrum}) {
    const auto fields = SoundFields(kind);
    const SoundBlock sound = sysex::MakeSoundOfKind(kind, 21);
    const std::vector<std::uint32_t> before = SoundParameterVector(sound);
    ASSERT_EQ(before.size(), fields.size());
    for (std::size_t i = 1; i < fields.size(); ++i) {
      if (&fields[i] == &SoundEnableField(kind)) continue;
      SCOPED_TRACE(FieldLabel(fields[i]));
      SoundBlock changed = sound;
      sysex::SetRawField(changed, fields[i], ReadBits(sound, fields[i].bits) ^ 1u);
      const std::vector<std::uint32_t> after = SoundParameterVector(changed);
      for (std::size_t j = 0; j < fields.size(); ++j) {
        EXPECT_EQ(after[j] != before[j], j == i) << j;
      }
      EXPECT_EQ(CompareSounds(sound, changed, 0).differences.size(), 1u);
    }
  }
}

TEST(ParameterVectorTest, DisabledSoundsAreAllAlike) {
  const std::vector<std::uint32_t>& disabled = DisabledSoundVector();
  for (const SoundBlock& sound : {Keyboard(1), Keyboard(2), Drum(3)}) {
    EXPECT_EQ(SoundParameterVector(Disabled(sound)), disabled);
    EXPECT_NE(SoundParameterVector(sound), disabled);
  }
  SoundBlock zero{};
  EXPECT_EQ(SoundParameterVector(zero), disabled);
}

TEST(ParameterVectorTest, EffectsFieldsOfOtherLayoutsHoldZero) {
  const auto fields = EffectsFields(0);
  const EffectsData chorus = EffectsWith(0, 8, {{"Send 1 Pitch Type", 2}});
  const EffectsData resonator = EffectsWith(0, 8, {{"Send 1 Pitch Type", 5}});
  const std::vector<std::uint32_t> a = EffectsParameterVector(chorus);
  const std::vector<std::uint32_t> b = EffectsParameterVector(resonator);
  ASSERT_EQ(a.size(), fields.size());
  for (std::size_t i = 0; i < fields.size(); ++i) {
    SCOPED_TRACE(FieldLabel(fields[i]));
    const std::uint32_t chorus_value = ReadBits(chorus, fields[i].bits);
    EXPECT_EQ(a[i], FieldApplies(chorus, fields[i]) ? chorus_value : 0u);
    EXPECT_EQ(b[i], FieldApplies(resonator, fields[i]) ? ReadBits(resonator, fields[i].bits) : 0u);
  }
  EXPECT_NE(a, b);
}

}  // namespace
}  // namespace dravelin::params
