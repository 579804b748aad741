// The near twins report on a small collection whose pairs are known: its
// sections line by line, sides of several groups and patches, slots that
// differ, a sound switched off, groups that play alike, Base patches held
// against Compare patches only, and a group whose effects differ.

#include "twins/near_twins_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banks/bank_file.h"
#include "banks/byte_stream.h"
#include "params/effects_fields.h"
#include "params/sound_fields.h"
#include "tests/compare/report_fixture.h"
#include "tools/sysex/dump_builder.h"
#include "tools/sysex/field_writer.h"

namespace dravelin {
namespace {

using params::SoundKind;
using testing::ReportFixture;

const params::FieldLayout& FieldNamed(std::span<const params::FieldLayout> fields,
                                    std::string_view name) {
  for (const params::FieldLayout& field : fields) {
    if (field.name == name) return field;
  }
  ADD_FAILURE() << "no field " << name;
  return fields.front();
}

SoundBlock WithField(SoundBlock sound, std::string_view name, int value) {
  sysex::SetFieldValue(sound, FieldNamed(params::SoundFields(params::KindOfSound(sound)), name),
                       value);
  return sound;
}

SoundBlock Off(SoundBlock sound, std::uint8_t left_over) {
  sound[40] = left_over;
  sysex::SetRawField(sound, params::SoundEnableField(params::KindOfSound(sound)), 0);
  return sound;
}

Bank ReadBank(std::string name, const std::string& bytes) {
  Bank bank;
  ByteStream in(bytes);
  std::size_t left = 1000;
  EXPECT_EQ(ReadProgramDumps(in, bank, &left), kAllIsOk);
  bank.name = std::move(name);
  return bank;
}

// The report's parts between separator lines.
std::vector<std::vector<std::string>> Sections(const std::vector<std::string>& lines) {
  std::vector<std::vector<std::string>> sections(1);
  for (const std::string& line : lines) {
    if (line == testing::kDashes) {
      sections.emplace_back();
    } else {
      sections.back().push_back(line);
    }
  }
  return sections;
}

class NearTwinsReportTest : public ::testing::Test {
 protected:
  NearTwinsReportTest() {
    const SoundBlock k0 = sysex::MakeSoundOfKind(SoundKind::kKeyboard, 3);
    const SoundBlock k90 = WithField(sysex::MakeSoundOfKind(SoundKind::kKeyboard, 4),
                                     "Effect Level", 90);
    const SoundBlock k99 = WithField(k90, "Effect Level", 99);
    const SoundBlock off_a = Off(k0, 1);
    const SoundBlock off_c = Off(k0, 2);
    const SoundBlock drum = sysex::MakeSoundOfKind(SoundKind::kDrum, 5);
    const SoundBlock k1 = sysex::MakeSoundOfKind(SoundKind::kKeyboard, 6);
    effects_ = sysex::MakeEffectsOfConfiguration(2, 8);
    changed_effects_ = effects_;
    effects_field_ = &FieldNamed(params::EffectsFields(2), "Configuration");
    for (const params::FieldLayout& field : params::EffectsFields(2)) {
      if (field.kind == params::FieldKind::kParameter && field.when.selector.width == 0 &&
          field.name != "Configuration" && field.limit > 1) {
        effects_field_ = &field;
        break;
      }
    }
    const std::uint32_t raw = params::ReadBits(effects_, effects_field_->bits);
    sysex::SetRawField(changed_effects_, *effects_field_, raw == 0 ? 1 : raw - 1);
    compare_set_.push_back(ReadBank(
        "Cards", sysex::SyxBuilder()
                     .Dump(12, sysex::MakeProgramData("Edge Brass", {k0, k90, off_a, off_a}))
                     .Effects(12, effects_)
                     .Dump(13, sysex::MakeProgramData("Cello", {k99, k0, off_c, off_c}))
                     .Dump(14, sysex::MakeProgramData("Edge Brass", {off_a, k90, k0, k90}))
                     .Effects(14, changed_effects_)
                     .Dump(20, sysex::MakeProgramData("Pad Alone", {k0, off_a, off_a, off_a}))
                     .Dump(21, sysex::MakeProgramData("Kit", {drum, drum, drum, drum}))
                     .bytes()));
    base_set_.push_back(ReadBank(
        "Quad", sysex::SyxBuilder()
                    .Dump(45, sysex::MakeProgramData("Edge Brass", {k0, k99, off_a, off_a}))
                    .Dump(46, sysex::MakeProgramData("Base One", {k1, k1, k1, k1}))
                    .Dump(47, sysex::MakeProgramData("Base Two",
                                                     {WithField(k1, "Effect Level", 5), k1, k1, k1}))
                    .bytes()));
  }

  std::vector<std::vector<std::string>> Report(const BankSet& base_set) {
    EXPECT_EQ(WriteNearTwinsReport(fixture_.channel, compare_set_, base_set), kAllIsOk);
    EXPECT_EQ(fixture_.File(kNearTwinsReportFile), fixture_.PaneAsFile());
    return Sections(fixture_.pane.lines);
  }

  ReportFixture fixture_;
  BankSet compare_set_;
  BankSet base_set_;
  EffectsData effects_{};
  EffectsData changed_effects_{};
  const params::FieldLayout* effects_field_ = nullptr;
};

TEST_F(NearTwinsReportTest, ListsEachPairOfGroupsWithItsDifferences) {
  const std::vector<std::vector<std::string>> sections = Report(base_set_);
  ASSERT_EQ(sections.size(), 7u);
  // The summary's figures, after the rules.
  const std::vector<std::string>& summary = sections[1];
  ASSERT_GE(summary.size(), 6u);
  EXPECT_EQ(summary.front(), "Near Twins:");
  EXPECT_EQ(std::vector<std::string>(summary.end() - 6, summary.end()),
            (std::vector<std::string>{
                "  Sound groups:                 7",
                "  Groups that play alike:       2 groups in 1 set",
                "  Near twins in 1 parameter:    3 pairs",
                "  Near twins in 2 parameters:   0 pairs",
                "  Near twins in 3 parameters:   0 pairs",
                "  Groups whose effects differ:  1",
            }));
  EXPECT_EQ(sections[2], (std::vector<std::string>{
                             "Sound groups that play alike:",
                             "Groups 2 and 5 play alike:",
                             "  \"Cards [013:Cello     ]\" / \"Quad [045:Edge Brass]\" (Base)",
                             "  Group 2:",
                             "    \"Cards [013:Cello     ]\"",
                             "  Group 5:",
                             "    \"Quad [045:Edge Brass]\" (Base)",
                             "",
                         }));
  EXPECT_EQ(sections[3], (std::vector<std::string>{
                             "Near twins in 1 parameter:",
                             "Group 1 / groups 2 and 5:",
                             "  \"Cards [012:Edge Brass]\" / \"Cards [013:Cello     ]\"",
                             "  Sound 1 / Sound 0 Effect Level: 90 / 99",
                             "  Group 1:",
                             "    \"Cards [012:Edge Brass]\"",
                             "    \"Cards [014:Edge Brass]\"",
                             "  Group 2:",
                             "    \"Cards [013:Cello     ]\"",
                             "  Group 5:",
                             "    \"Quad [045:Edge Brass]\" (Base)",
                             "",
                             "Group 1 / group 3:",
                             "  \"Cards [012:Edge Brass]\" / \"Cards [020:Pad Alone ]\"",
                             "  Sound 1 Enable: On / Off",
                             "  Group 1:",
                             "    \"Cards [012:Edge Brass]\"",
                             "    \"Cards [014:Edge Brass]\"",
                             "",
                             "Groups 2 and 5 / group 3:",
                             "  \"Cards [013:Cello     ]\" / \"Cards [020:Pad Alone ]\"",
                             "  Sound 0 / Sound 1 Enable: On / Off",
                             "  Group 2:",
                             "    \"Cards [013:Cello     ]\"",
                             "  Group 5:",
                             "    \"Quad [045:Edge Brass]\" (Base)",
                             "",
                         }));
  // The two Base patches a parameter apart are never held against each other.
  EXPECT_EQ(sections[4], (std::vector<std::string>{"Near twins in 2 parameters:", "  none"}));
  EXPECT_EQ(sections[5], (std::vector<std::string>{"Near twins in 3 parameters:", "  none"}));
  const std::vector<std::string>& effects = sections[6];
  ASSERT_GE(effects.size(), 7u);
  EXPECT_EQ(effects.front(), "Sound groups whose effects differ:");
  const std::string difference =
      "    Effects " + params::FieldLabel(*effects_field_) + ": " +
      params::ShownValue(*effects_field_, params::ReadBits(effects_, effects_field_->bits)) +
      " / " +
      params::ShownValue(*effects_field_, params::ReadBits(changed_effects_, effects_field_->bits));
  EXPECT_EQ(std::vector<std::string>(effects.end() - 6, effects.end()),
            (std::vector<std::string>{
                "Group 1: 2 patches, 2 different effects",
                "  Effects 1: \"Cards [012:Edge Brass]\"",
                "  Effects 2: \"Cards [014:Edge Brass]\"",
                "  1 / 2: \"Cards [012:Edge Brass]\" / \"Cards [014:Edge Brass]\"",
                difference,
                "",
            }));
}

// Without the Base set its patches take no part: the sides are Compare
// groups alone, and nothing plays alike any more.
TEST_F(NearTwinsReportTest, WithoutBaseOnlyCompareGroupsTakePart) {
  const std::vector<std::vector<std::string>> sections = Report(BankSet());
  ASSERT_EQ(sections.size(), 7u);
  EXPECT_EQ(sections[2], (std::vector<std::string>{"Sound groups that play alike:", "  none"}));
  ASSERT_GE(sections[3].size(), 2u);
  EXPECT_EQ(sections[3][1], "Group 1 / group 2:");
}

}  // namespace
}  // namespace dravelin
