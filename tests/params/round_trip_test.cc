// Every field of both sound kinds and of each effects configuration, set by
// the field writer, packed into a bank file's dumps, read back by the bank
// reader and decoded, comes back as written and changes no other field;
// values past the documented range included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "params/effects_fields.h"
#include "params/patch_decoder.h"
#include "tools/sysex/dump_builder.h"
#include "tools/sysex/field_writer.h"

namespace dravelin::params {
namespace {

// The raw values written into a field: both ends of its documented range,
// the first value past it and the largest its bits hold.
std::vector<std::uint32_t> ValuesFor(const FieldLayout& field) {
  const std::uint32_t largest = (1u << field.bits.width) - 1;
  std::vector<std::uint32_t> values = {0, largest};
  if (field.kind == FieldKind::kParameter) {
    values.push_back(field.limit);
    if (field.limit < largest) values.push_back(field.limit + 1u);
  }
  return values;
}

Bank ReadBack(const std::string& bytes) {
  Bank bank;
  ByteStream in(bytes);
  std::size_t left = kMaxPatchesPerSet;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  return bank;
}

// `actual` is `expected` with `written` read as `raw`.
void ExpectSameBut(const DecodedPart& actual, const DecodedPart& expected,
                   const FieldLayout& written, std::uint32_t raw) {
  EXPECT_EQ(actual.title, expected.title);
  std::vector<FieldValue> got;
  std::vector<FieldValue> want;
  for (const FieldGroup& group : actual.groups)
    got.insert(got.end(), group.fields.begin(), group.fields.end());
  for (const FieldGroup& group : expected.groups)
    want.insert(want.end(), group.fields.begin(), group.fields.end());
  ASSERT_EQ(got.size(), want.size());
  bool seen = false;
  for (std::size_t i = 0; i < got.size(); ++i) {
    ASSERT_EQ(got[i].field, want[i].field) << i;
    if (got[i].field == &written) {
      seen = true;
      EXPECT_EQ(got[i].raw, raw) << got[i].label();
    } else {
      EXPECT_EQ(got[i].raw, want[i].raw) << got[i].label() << " changed";
    }
  }
  EXPECT_TRUE(seen) << FieldLabel(written) << " not decoded";
}

struct SoundCase {
  SoundKind kind;
  const FieldLayout* field;
  std::uint32_t raw;
  SoundBlock expected;
  int slot;
};

TEST(RoundTripTest, EverySoundFieldComesBackAsWritten) {
  std::vector<SoundCase> cases;
  sysex::SyxBuilder file;
  int program = 0;
  for (SoundKind kind : {SoundKind::kKeyboard, SoundKind::kDrum}) {
    for (const FieldLayout& field : SoundFields(kind)) {
      for (std::uint32_t raw : ValuesFor(field)) {
        const auto seed = static_cast<std::uint32_t>(program);
        SoundBlock sound = sysex::MakeSoundOfKind(kind, seed);
        sysex::SetRawField(sound, field, raw);
        const int slot = program % 4;
        sysex::Sounds sounds = {sysex::MakeSoundOfKind(SoundKind::kDrum, seed + 1),
                                sysex::MakeSoundOfKind(SoundKind::kKeyboard, seed + 2),
                                sysex::MakeSoundOfKind(SoundKind::kDrum, seed + 3),
                                sysex::MakeSoundOfKind(SoundKind::kKeyboard, seed + 4)};
        sounds[static_cast<std::size_t>(slot)] = sound;
        file.Dump(static_cast<std::uint8_t>(program % 128), "Round Trip", sounds);
        cases.push_back({kind, &field, raw, sound, slot});
        ++program;
      }
    }
  }
  const Bank bank = ReadBack(file.bytes());
  ASSERT_EQ(bank.patches.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const SoundCase& c = cases[i];
    SCOPED_TRACE(FieldLabel(*c.field) + " = " + std::to_string(c.raw));
    const SoundBlock& read = bank.patches[i].sounds[static_cast<std::size_t>(c.slot)];
    // The mode bit picks the table: writing it makes the other kind.
    if (c.field == &SoundFields(c.kind).front()) {
      EXPECT_EQ(KindOfSound(read) == SoundKind::kDrum, c.raw == 1);
      continue;
    }
    ExpectSameBut(DecodeSound(read, c.slot), DecodeSound(c.expected, c.slot), *c.field, c.raw);
  }
}

// The value the keyboard shows, worked out here from the field's
// description, for values set by what they show.
TEST(RoundTripTest, FieldsSetByShownValueShowIt) {
  struct Case {
    SoundKind kind;
    const char* label;
    int value;
    const char* shown;
  };
  const Case kCases[] = {
      {SoundKind::kKeyboard, "Effect Level", 90, "90"},
      {SoundKind::kKeyboard, "Pitch Semitone", -24, "-24"},
      {SoundKind::kKeyboard, "Pitch Semitone", 25, "25"},
      {SoundKind::kKeyboard, "Pitch Detune", -99, "-99"},
      {SoundKind::kKeyboard, "Pitch Detune", 100, "100"},
      {SoundKind::kKeyboard, "Pitch Detune", 156, "156"},  // past the range: as it is
      {SoundKind::kKeyboard, "Low Note Limit", 0, "C-2"},
      {SoundKind::kKeyboard, "High Note Limit", 127, "G8"},
      {SoundKind::kKeyboard, "Low Note Limit", 61, "C#3"},
      {SoundKind::kKeyboard, "Keyboard / Drum Mode", 0, "Keyboard"},
      {SoundKind::kKeyboard, "Enable", 0, "Off"},
      {SoundKind::kDrum, "Drum 10 Pitch", -48, "-48"},
      {SoundKind::kDrum, "Drum 3 Note Number", 36, "C1"},
      {SoundKind::kDrum, "Drum 1 Volume", 31, "31"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::string(c.label) + " " + std::to_string(c.value));
    SoundBlock sound = sysex::MakeSoundOfKind(c.kind, 3);
    const FieldLayout* field = nullptr;
    for (const FieldLayout& f : SoundFields(c.kind)) {
      if (FieldLabel(f) == c.label) field = &f;
    }
    ASSERT_NE(field, nullptr);
    sysex::SetFieldValue(sound, *field, c.value);
    const Bank bank = ReadBack(sysex::ProgramDump(0, "Shown", {sound, sound, sound, sound}));
    ASSERT_EQ(bank.patches.size(), 1u);
    const DecodedPart part = DecodeSound(bank.patches[0].sounds[2], 2);
    bool seen = false;
    for (const FieldGroup& group : part.groups) {
      for (const FieldValue& value : group.fields) {
        if (value.field != field) continue;
        seen = true;
        EXPECT_EQ(value.shown(), c.shown);
      }
    }
    EXPECT_TRUE(seen);
  }
}

struct EffectsCase {
  const FieldLayout* field;
  std::uint32_t raw;
  EffectsData expected;
};

TEST(RoundTripTest, EveryEffectsFieldComesBackAsWritten) {
  std::vector<EffectsCase> cases;
  sysex::SyxBuilder file;
  for (unsigned configuration = 0; configuration < kEffectsConfigurations; ++configuration) {
    for (const FieldLayout& field : EffectsFields(configuration)) {
      for (std::uint32_t raw : ValuesFor(field)) {
        const auto program = static_cast<std::uint8_t>(cases.size() % 128);
        EffectsData data = sysex::MakeEffectsOfConfiguration(
            configuration, static_cast<std::uint32_t>(cases.size()));
        if (field.when.selector.width != 0) {
          // Pick the field's layout: the lowest type value that selects it.
          FieldLayout selector;
          selector.bits = field.when.selector;
          sysex::SetRawField(data, selector,
                             static_cast<std::uint32_t>(__builtin_ctz(field.when.values)));
        }
        sysex::SetRawField(data, field, raw);
        // Programs first, then effects, as most bank files lay them out.
        file.Dump(program, "Effects", sysex::MakeSounds(1, 2, 3, 4));
        cases.push_back({&field, raw, data});
      }
    }
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    file.Effects(static_cast<std::uint8_t>(i % 128), cases[i].expected);
  }
  const Bank bank = ReadBack(file.bytes());
  ASSERT_EQ(bank.patches.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const EffectsCase& c = cases[i];
    SCOPED_TRACE(FieldLabel(*c.field) + " = " + std::to_string(c.raw));
    const std::optional<EffectsData> read = PatchEffects(bank, bank.patches[i]);
    ASSERT_TRUE(read.has_value());
    if (c.field->bits == EffectsConfigurationField().bits) {
      EXPECT_EQ(EffectsConfiguration(*read), c.raw);
      continue;
    }
    ExpectSameBut(DecodeEffects(*read), DecodeEffects(c.expected), *c.field, c.raw);
  }
}

}  // namespace
}  // namespace dravelin::params
