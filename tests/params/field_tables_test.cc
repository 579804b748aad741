// The field tables as tables: their bit addresses, that the fields which
// apply together cover every bit once whatever the effect types, and that
// no two of them carry the same label.

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>
#include <vector>

#include "params/effects_fields.h"
#include "params/sound_fields.h"
#include "tools/sysex/field_writer.h"

namespace dravelin::params {
namespace {

TEST(BitAddressTest, ParsesTheFormatsNotation) {
  struct Case {
    const char* text;
    unsigned first;
    unsigned width;
  };
  const Case kCases[] = {
      {"0:0", 0, 1},
      {"84:3", 675, 1},
      {"0:6-0:1", 1, 6},
      {"1:5-0:7", 7, 7},
      {"6:0-5:1", 41, 8},
      {"10:3-9:5", 77, 7},
      {"16:8-16:5", 133, 4},
      {"84:7-82:4", 660, 20},
      {"63:7-60:0", 480, 32},
      // Malformed or too wide: no bits.
      {"", 0, 0},
      {"5", 0, 0},
      {"5:", 0, 0},
      {"0:1-0:6", 0, 0},
      {"1:0-0:0 ", 0, 0},
      {"a:b", 0, 0},
      {"58:5-39:0", 0, 0},
      {"2:0--1:0", 0, 0},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.text);
    const BitRange bits = ParseBitAddress(c.text);
    EXPECT_EQ(bits.width, c.width);
    if (c.width != 0) {
      EXPECT_EQ(bits.first, c.first);
      EXPECT_EQ(ParseBitAddress(FormatBitAddress(bits)), bits) << FormatBitAddress(bits);
    }
  }
}

TEST(BitAddressTest, ReadsBitsAcrossBytes) {
  const std::array<std::uint8_t, 4> bytes = {0xA5, 0x3C, 0xFF, 0x01};
  struct Case {
    const char* address;
    std::uint32_t value;
  };
  const Case kCases[] = {
      {"0:0", 1},        {"0:1", 0},        {"0:7-0:0", 0xA5},
      {"1:3-0:6", 0x32}, {"2:1-1:2", 0xCF}, {"3:0-0:0", 0x01FF3CA5},
      {"3:7-3:1", 0},    {"4:3-3:0", 1},  // past the end reads 0
  };
  for (const Case& c : kCases) {
    EXPECT_EQ(ReadBits(bytes, ParseBitAddress(c.address)), c.value) << c.address;
  }
}

// The distinct selectors of a table's conditional fields.
std::vector<BitRange> Selectors(std::span<const FieldLayout> fields) {
  std::vector<BitRange> selectors;
  for (const FieldLayout& field : fields) {
    const BitRange s = field.when.selector;
    if (s.width != 0 && std::find(selectors.begin(), selectors.end(), s) == selectors.end()) {
      selectors.push_back(s);
    }
  }
  return selectors;
}

// Calls `check` with data holding every combination of selector values.
template <typename Check>
void ForEachLayout(std::span<const FieldLayout> fields, EffectsData base, Check check) {
  const std::vector<BitRange> selectors = Selectors(fields);
  std::vector<std::uint32_t> values(selectors.size(), 0);
  for (;;) {
    EffectsData data = base;
    for (std::size_t i = 0; i < selectors.size(); ++i) {
      FieldLayout selector;
      selector.bits = selectors[i];
      sysex::SetRawField(data, selector, values[i]);
    }
    check(data, values);
    std::size_t i = 0;
    while (i < selectors.size() && ++values[i] == (1u << selectors[i].width)) values[i++] = 0;
    if (i == selectors.size()) return;
  }
}

TEST(EffectsFieldsTest, EveryLayoutCoversEveryBitOnce) {
  for (unsigned configuration = 0; configuration < 16; ++configuration) {
    SCOPED_TRACE("configuration " + std::to_string(configuration));
    const auto fields = EffectsFields(configuration);
    EffectsData base{};
    sysex::SetRawField(base, EffectsConfigurationField(), configuration);
    int layouts = 0;
    ForEachLayout(fields, base, [&](const EffectsData& data, const auto& values) {
      ++layouts;
      std::array<int, 8 * kEffectsDataSize> owners{};
      std::set<std::string> labels;
      for (const FieldLayout& field : fields) {
        if (!FieldApplies(data, field)) continue;
        ASSERT_LE(field.bits.end(), owners.size()) << FieldLabel(field);
        for (unsigned bit = field.bits.first; bit < field.bits.end(); ++bit) ++owners[bit];
        EXPECT_TRUE(labels.insert(FieldLabel(field)).second)
            << "two fields named " << FieldLabel(field);
      }
      for (std::size_t bit = 0; bit < owners.size(); ++bit) {
        ASSERT_EQ(owners[bit], 1) << "bit " << bit / 8 << ":" << bit % 8 << ", types "
                                  << ::testing::PrintToString(values);
      }
    });
    EXPECT_GE(layouts, 1);
  }
}

// A selector is a field of the same table that always applies, so the
// layout never depends on bits of another layout.
TEST(EffectsFieldsTest, SelectorsAreFieldsThatAlwaysApply) {
  for (unsigned configuration = 0; configuration < kEffectsConfigurations; ++configuration) {
    const auto fields = EffectsFields(configuration);
    for (const BitRange& selector : Selectors(fields)) {
      const bool found = std::any_of(fields.begin(), fields.end(), [&](const FieldLayout& f) {
        return f.bits == selector && f.when.selector.width == 0 && f.kind == FieldKind::kParameter;
      });
      EXPECT_TRUE(found) << "configuration " << configuration << ", selector "
                         << FormatBitAddress(selector);
    }
  }
}

TEST(SoundFieldsTest, LabelsAreUnique) {
  for (SoundKind kind : {SoundKind::kKeyboard, SoundKind::kDrum}) {
    std::set<std::string> labels;
    for (const FieldLayout& field : SoundFields(kind)) {
      EXPECT_TRUE(labels.insert(FieldLabel(field)).second) << FieldLabel(field);
    }
  }
}

// Every documented value of every field fits its bits, and the "Sound
// enable" and mode fields sit where the decoder looks for them.
TEST(SoundFieldsTest, ModeAndEnableFieldsTellTheSound) {
  for (SoundKind kind : {SoundKind::kKeyboard, SoundKind::kDrum}) {
    const SoundBlock sound = sysex::MakeSoundOfKind(kind, 7);
    EXPECT_EQ(KindOfSound(sound), kind);
    EXPECT_TRUE(IsSoundEnabled(sound));
    SoundBlock off = sound;
    sysex::SetRawField(off, SoundEnableField(kind), 0);
    EXPECT_FALSE(IsSoundEnabled(off));
    EXPECT_EQ(KindOfSound(off), kind);
  }
}

}  // namespace
}  // namespace dravelin::params
