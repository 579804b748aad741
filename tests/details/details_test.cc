// "Show Patch Details" below the front ends: labels found in report lines,
// the patches they resolve to across the two sets, patches named by bank
// and program, the order that stands two patches' sounds side by side, and
// the marks of the lines.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compare/patch_label.h"
#include "details/patch_details.h"
#include "details/patch_lookup.h"
#include "params/sound_fields.h"
#include "tools/sysex/field_writer.h"

namespace dravelin {
namespace {

using params::SoundKind;

std::string Name(std::string name) {
  name.resize(kPatchNameLength, ' ');
  return name;
}

Patch MakePatch(std::uint8_t program, std::string name, std::uint32_t seed) {
  Patch patch;
  patch.program_number = program;
  patch.name = Name(std::move(name));
  for (std::size_t slot = 0; slot < kSoundsPerPatch; ++slot) {
    patch.sounds[slot] =
        sysex::MakeSoundOfKind(SoundKind::kKeyboard, seed * 10u + static_cast<std::uint32_t>(slot));
  }
  return patch;
}

Bank MakeBank(std::string name, std::vector<Patch> patches, std::string file_name = {}) {
  Bank bank;
  bank.name = std::move(name);
  bank.patches = std::move(patches);
  bank.file_name = std::move(file_name);
  return bank;
}

const params::FieldLayout& FieldNamed(std::string_view name) {
  for (const params::FieldLayout& field : params::SoundFields(SoundKind::kKeyboard)) {
    if (field.name == name) return field;
  }
  ADD_FAILURE() << "no field " << name;
  return params::SoundFields(SoundKind::kKeyboard).front();
}

// --- Labels in a line ------------------------------------------------------------

struct LabelCase {
  std::string line;
  // Each label found: its bank name readings joined by '|', program, name,
  // base.
  std::vector<std::string> expected;
};

std::string Summary(const FoundPatchLabel& label) {
  std::string text;
  for (std::string_view bank : label.bank_names) {
    if (!text.empty()) text += '|';
    text += bank;
  }
  text += " " + std::to_string(label.program_number) + " " + std::string(label.name);
  if (label.base) text += " base";
  return text;
}

TEST(PatchLabelTest, FindsEveryLabelOfALine) {
  const LabelCase cases[] = {
      {"  \"QCARD2 [072:Edge Brass]\"", {"QCARD2 72 Edge Brass"}},
      {"\"QCARD2 [072:Edge Brass]\" / \"QUAD103 [006:Edge Brass]\" (Base)",
       {"QCARD2 72 Edge Brass", "QUAD103 6 Edge Brass base"}},
      // A bank name with blanks and brackets; a name with a double quote.
      {"\"My [old] bank [255:Say \"Hi\"  ]\"", {"My [old] bank 255 Say \"Hi\"  "}},
      // A bank name holding a double quote: every reading, shortest first.
      {"x \"A\"B [001:Name      ]\"", {"B|A\"B 1 Name      "}},
      // Program numbers past 255, too few digits, short names, no quotes.
      {"\"Bank [256:Name      ]\"", {}},
      {"\"Bank [07:Name      ]\"", {}},
      {"\"Bank [007:Name]\"", {}},
      {"Bank [007:Name      ]", {}},
      {"", {}},
      // The end of the line cuts a label short.
      {"\"Bank [007:Name   ", {}},
      // The mark only counts right after the label.
      {"\"B [000:Init Prog ]\" is not (Base)", {"B 0 Init Prog "}},
  };
  for (const LabelCase& test : cases) {
    SCOPED_TRACE(test.line);
    std::vector<std::string> found;
    for (const FoundPatchLabel& label : FindPatchLabels(test.line)) found.push_back(Summary(label));
    EXPECT_EQ(found, test.expected);
  }
}

TEST(PatchLabelTest, ReadsBackWhatTheReportsWrite) {
  const Bank bank = MakeBank("Odd \"bank\" [x]", {MakePatch(9, "A [b]: \"c\"", 1)});
  std::string line = "  ";
  AppendPatchLabel(bank, bank.patches[0], line);
  line += " / ";
  AppendPatchLabel(bank, bank.patches[0], line);
  const std::vector<FoundPatchLabel> labels = FindPatchLabels(line);
  ASSERT_EQ(labels.size(), 2u);
  for (const FoundPatchLabel& label : labels) {
    EXPECT_NE(std::find(label.bank_names.begin(), label.bank_names.end(), bank.name),
              label.bank_names.end());
    EXPECT_EQ(label.program_number, 9);
    EXPECT_EQ(label.name, bank.patches[0].name);
  }
}

// --- Which patch a label names ------------------------------------------------------

TEST(PatchLookupTest, ResolvesLabelsCompareFirstUnlessMarkedBase) {
  const BankSet compare_set = {MakeBank("Same", {MakePatch(1, "One", 1), MakePatch(2, "Two", 2)}),
                               MakeBank("Only", {MakePatch(1, "One", 3)})};
  const BankSet base_set = {MakeBank("Same", {MakePatch(1, "One", 4)}),
                            MakeBank("Based", {MakePatch(5, "Five", 5)})};
  struct Case {
    std::string line;
    std::vector<const Patch*> expected;
    std::vector<bool> base;
  };
  const Case cases[] = {
      {"\"Same [001:One       ]\"", {&compare_set[0].patches[0]}, {false}},
      {"\"Same [001:One       ]\" (Base)", {&base_set[0].patches[0]}, {true}},
      {"\"Based [005:Five      ]\"", {&base_set[1].patches[0]}, {true}},
      // The name must be the patch's: program 2 of Same is not "One".
      {"\"Same [002:One       ]\"", {}, {}},
      {"\"Only [001:One       ]\" (Base)", {}, {}},
      {"\"Gone [001:One       ]\" / \"Same [002:Two       ]\" / \"Only [001:One       ]\"",
       {&compare_set[0].patches[1], &compare_set[1].patches[0]},
       {false, false}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.line);
    const std::vector<NamedPatch> found = FindLabelledPatches(test.line, compare_set, base_set);
    std::vector<const Patch*> patches;
    std::vector<bool> base;
    for (const NamedPatch& named : found) {
      patches.push_back(named.patch);
      base.push_back(named.base);
    }
    EXPECT_EQ(patches, test.expected);
    EXPECT_EQ(base, test.base);
  }
  // What LabelOf writes names the same patch again.
  for (const NamedPatch& named : {NamedPatch{&compare_set[0], &compare_set[0].patches[0], false},
                                  NamedPatch{&base_set[0], &base_set[0].patches[0], true}}) {
    const std::vector<NamedPatch> again =
        FindLabelledPatches(LabelOf(named), compare_set, base_set);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_EQ(again[0].patch, named.patch);
  }
}

TEST(PatchLookupTest, FindsABankAndProgramOrSaysWhyNot) {
  const BankSet compare_set = {
      MakeBank("Same", {MakePatch(1, "One", 1)}, "Same.syx"),
  };
  const BankSet base_set = {MakeBank("Same", {MakePatch(2, "Two", 2)}, "Same.SYX"),
                            MakeBank("a:b", {MakePatch(3, "Three", 3)}, "a:b.syx")};
  struct Case {
    std::string text;
    const Patch* expected;
    bool base;
  };
  const Case cases[] = {
      {"Same:1", &compare_set[0].patches[0], false},
      {"Same.syx:1", &compare_set[0].patches[0], false},
      {"Same:2", &base_set[0].patches[0], true},
      {"Same.SYX:2", &base_set[0].patches[0], true},
      {"a:b:3", &base_set[1].patches[0], true},  // the last ':' ends the bank
      {"Same:3", nullptr, false},
      {"Same:", nullptr, false},
      {"Same:x1", nullptr, false},
      {"Same:1x", nullptr, false},
      {"Same:256", nullptr, false},
      {"Same:-1", nullptr, false},
      {":1", nullptr, false},
      {"Same", nullptr, false},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.text);
    std::string why;
    const std::optional<NamedPatch> found =
        FindPatchByBankAndProgram(test.text, compare_set, base_set, &why);
    if (test.expected == nullptr) {
      EXPECT_FALSE(found.has_value());
      EXPECT_FALSE(why.empty());
    } else {
      ASSERT_TRUE(found.has_value()) << why;
      EXPECT_EQ(found->patch, test.expected);
      EXPECT_EQ(found->base, test.base);
    }
  }
}

// --- The lines --------------------------------------------------------------------

TEST(PatchDetailsTest, PairsSoundsInTheOrderThatDiffersLeast) {
  const Patch first = MakePatch(0, "First", 7);
  struct Case {
    std::string what;
    std::array<std::size_t, kSoundsPerPatch> order;  // second's slot k holds first's order[k]
    std::array<std::size_t, kSoundsPerPatch> expected;
  };
  const Case cases[] = {
      {"the same order", {0, 1, 2, 3}, {0, 1, 2, 3}},
      {"reversed", {3, 2, 1, 0}, {3, 2, 1, 0}},
      {"rotated", {1, 2, 3, 0}, {3, 0, 1, 2}},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    Patch second = first;
    for (std::size_t k = 0; k < kSoundsPerPatch; ++k)
      second.sounds[k] = first.sounds[test.order[k]];
    // One parameter changed on the way: the best order still wins.
    const params::FieldLayout& volume = FieldNamed("Volume");
    sysex::SetRawField(second.sounds[0], volume,
                       params::ReadBits(second.sounds[0], volume.bits) ^ 1u);
    EXPECT_EQ(SideBySideSlots(first, second), test.expected);
  }
  // All alike: slot for slot.
  Patch same = first;
  for (SoundBlock& sound : same.sounds) sound = first.sounds[0];
  EXPECT_EQ(SideBySideSlots(same, same), (std::array<std::size_t, kSoundsPerPatch>{0, 1, 2, 3}));
}

// The lines that carry a field label, by their mark column.
std::vector<std::string> Marked(const std::vector<std::string>& lines, char mark) {
  std::vector<std::string> marked;
  for (const std::string& line : lines) {
    if (line.size() > 3 && line.starts_with("  ") && line[2] == mark && line[3] == ' ') {
      marked.push_back(line);
    }
  }
  return marked;
}

TEST(PatchDetailsTest, MarksWhatDiffersAndWhatNeverCounts) {
  Bank bank = MakeBank("Bank", {MakePatch(3, "Lead", 11), MakePatch(4, "Lead 2", 11)});
  Patch& second = bank.patches[1];
  // Sound 1 plays another volume; sound 2 is switched off on the second
  // side; sound 3 is switched off on both, with other left-over data.
  const params::FieldLayout& volume = FieldNamed("Volume");
  const params::FieldLayout& enable = params::SoundEnableField(SoundKind::kKeyboard);
  sysex::SetRawField(second.sounds[1], volume,
                     params::ReadBits(second.sounds[1], volume.bits) ^ 1u);
  sysex::SetRawField(second.sounds[2], enable, 0);
  sysex::SetRawField(bank.patches[0].sounds[3], enable, 0);
  sysex::SetRawField(second.sounds[3], enable, 0);
  sysex::SetRawField(second.sounds[3], volume,
                     params::ReadBits(second.sounds[3], volume.bits) ^ 1u);

  const NamedPatch pair[] = {{&bank, &bank.patches[0], false}, {&bank, &bank.patches[1], true}};
  const std::vector<std::string> lines = PatchDetailsLines(pair);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "\"Bank [003:Lead      ]\" / \"Bank [004:Lead 2    ]\" (Base)");
  const std::vector<std::string> counted = Marked(lines, '*');
  // Sound 1's volume and sound 2's enable; the names are no parameter.
  ASSERT_EQ(counted.size(), 2u) << ::testing::PrintToString(counted);
  EXPECT_NE(counted[0].find(params::FieldLabel(volume)), std::string::npos);
  EXPECT_NE(counted[1].find(params::FieldLabel(enable)), std::string::npos);
  // Sound 3's left-over volume differs but never counts.
  const std::vector<std::string> not_counted = Marked(lines, '~');
  ASSERT_EQ(not_counted.size(), 1u) << ::testing::PrintToString(not_counted);
  EXPECT_NE(not_counted[0].find(params::FieldLabel(volume)), std::string::npos);

  // One patch: every field once, nothing marked.
  const std::vector<std::string> one = PatchDetailsLines(std::span(pair, 1));
  EXPECT_EQ(one[0], "\"Bank [003:Lead      ]\"");
  EXPECT_TRUE(Marked(one, '*').empty());
  EXPECT_TRUE(Marked(one, '~').empty());
  const std::size_t volumes =
      static_cast<std::size_t>(std::count_if(one.begin(), one.end(), [&](const std::string& line) {
        return line.find(params::FieldLabel(volume)) != std::string::npos;
      }));
  EXPECT_EQ(volumes, kSoundsPerPatch);
}

}  // namespace
}  // namespace dravelin
