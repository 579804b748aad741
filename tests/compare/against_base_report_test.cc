#include "compare/against_base_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/compare/report_fixture.h"

namespace dravelin {
namespace {

using testing::CrlfLines;
using testing::kDashes;
using testing::MakeBank;
using testing::MakePatch;
using sysex::MakeSound;
using sysex::MakeSounds;
using testing::ReportFixture;

constexpr AgainstBaseKind kUnique = AgainstBaseKind::kUniqueOnly;
constexpr AgainstBaseKind kIdentical = AgainstBaseKind::kIdenticalOnly;

const SoundBlock kX = MakeSound(500);
const SoundBlock kY = MakeSound(501);

// Compare patches, each named after what the Base set holds for it.
BankSet CompareSet() {
  return {
      MakeBank("Mine", {MakePatch("Exact     ", 1, MakeSounds(1, 2, 3, 4)),
                        MakePatch("Renamed   ", 2, MakeSounds(5, 6, 7, 8)),
                        MakePatch("Permuted  ", 3, MakeSounds(12, 11, 10, 9)),
                        MakePatch("One Off   ", 4, MakeSounds(13, 14, 15, 16))}),
      MakeBank("Empty", {}),
      MakeBank("More", {MakePatch("Last One  ", 5, MakeSounds(20, 21, 22, 23)),
                        MakePatch("xxyy      ", 6, {kX, kX, kY, kY}),
                        MakePatch("xxxx      ", 7, {kX, kX, kX, kX}),
                        MakePatch("Exact     ", 1, MakeSounds(1, 2, 3, 4))}),
  };
}

// Base banks without patches first, in the middle and last; the match of
// "Last One" is the last Base patch.
BankSet BaseSet() {
  return {
      MakeBank("Void1", {}),
      MakeBank("Factory", {MakePatch("Exact     ", 1, MakeSounds(1, 2, 3, 4)),
                           MakePatch("Other Name", 9, MakeSounds(5, 6, 7, 8)),
                           MakePatch("One Off   ", 4, MakeSounds(13, 14, 15, 99))}),
      MakeBank("Void2", {}),
      MakeBank("Card", {MakePatch("Filler    ", 0, MakeSounds(30, 31, 32, 33)),
                        MakePatch("Perm Base ", 77, MakeSounds(9, 10, 11, 12)),
                        MakePatch("xyyy      ", 8, {kX, kY, kY, kY}),
                        MakePatch("Last Base ", 127, MakeSounds(23, 22, 21, 20))}),
      MakeBank("Void3", {}),
  };
}

const std::string kHeader = CrlfLines({
    "The following sysex files were found in the 'Compare' directory:",
    "  Mine",
    "  Empty",
    "  More",
    "The following sysex files were found in the 'Base' directory:",
    "  Void1",
    "  Factory",
    "  Void2",
    "  Card",
    "  Void3",
    kDashes,
    "Patch Comparisons:",
});

TEST(AgainstBaseReportTest, IdenticalOnlyListsThePatchesThatABasePatchMatches) {
  ReportFixture f;
  ASSERT_EQ(WriteAgainstBaseReport(f.channel, CompareSet(), BaseSet(), kIdentical), kAllIsOk);
  const std::string expected =
      kHeader +
      CrlfLines(
          {"These 'Compare' directory patches have sounds IDENTICAL to a 'Base' directory patch:",
           "\"Mine [001:Exact     ]\"", "\"Mine [002:Renamed   ]\"", "\"Mine [003:Permuted  ]\"",
           "\"More [005:Last One  ]\"", "\"More [006:xxyy      ]\"", "\"More [001:Exact     ]\""});
  EXPECT_EQ(f.File(kIdenticalReportFile), expected);
  EXPECT_EQ(f.PaneAsFile(), expected);
  EXPECT_FALSE(f.Created(kUniqueReportFile));
}

TEST(AgainstBaseReportTest, UniqueOnlyListsTheOthersInTheSameOrder) {
  ReportFixture f;
  ASSERT_EQ(WriteAgainstBaseReport(f.channel, CompareSet(), BaseSet(), kUnique), kAllIsOk);
  const std::string expected =
      kHeader +
      CrlfLines(
          {"These 'Compare' directory patches have sounds UNLIKE all 'Base' directory patches:",
           "\"Mine [004:One Off   ]\"", "\"More [007:xxxx      ]\""});
  EXPECT_EQ(f.File(kUniqueReportFile), expected);
  EXPECT_EQ(f.PaneAsFile(), expected);
}

TEST(AgainstBaseReportTest, BaseSetsWithoutMatchesOrPatches) {
  struct Case {
    const char* what;
    BankSet base;
    std::vector<std::string> unique_lines;
    std::vector<std::string> identical_lines;
  };
  const BankSet compare = {MakeBank("C", {MakePatch("Aa        ", 7, MakeSounds(1, 2, 3, 4)),
                                          MakePatch("Bb        ", 8, MakeSounds(5, 6, 7, 8))})};
  const std::vector<Case> cases = {
      {"every Base bank empty",
       {MakeBank("E1", {}), MakeBank("E2", {})},
       {"\"C [007:Aa        ]\"", "\"C [008:Bb        ]\""},
       {}},
      {"no Base bank at all", {}, {"\"C [007:Aa        ]\"", "\"C [008:Bb        ]\""}, {}},
      {"same name, one sound different",
       {MakeBank("B", {MakePatch("Aa        ", 7, MakeSounds(1, 2, 3, 9))})},
       {"\"C [007:Aa        ]\"", "\"C [008:Bb        ]\""},
       {}},
      {"the first namesake lacks one sound, a later bank matches",
       {MakeBank("B", {MakePatch("Aa        ", 7, MakeSounds(1, 2, 3, 3)),
                       MakePatch("Wide      ", 1, MakeSounds(5, 6, 7, 8))}),
        MakeBank("B2", {MakePatch("Aa        ", 7, MakeSounds(1, 2, 3, 4))})},
       {},
       {"\"C [007:Aa        ]\"", "\"C [008:Bb        ]\""}},
      {"a Compare sound that no Base patch has",
       {MakeBank("B", {MakePatch("Aa        ", 7, MakeSounds(1, 1, 1, 1)),
                       MakePatch("Bb        ", 8, MakeSounds(5, 6, 7, 7))})},
       {"\"C [007:Aa        ]\"", "\"C [008:Bb        ]\""},
       {}},
      {"the match is the second patch of the second bank",
       {MakeBank("B1", {MakePatch("Zz        ", 1, MakeSounds(40, 41, 42, 43))}),
        MakeBank("B2", {MakePatch("Zz        ", 2, MakeSounds(44, 45, 46, 47)),
                        MakePatch("Zz        ", 3, MakeSounds(8, 7, 6, 5))})},
       {"\"C [007:Aa        ]\""},
       {"\"C [008:Bb        ]\""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (AgainstBaseKind kind : {kUnique, kIdentical}) {
      ReportFixture f;
      ASSERT_EQ(WriteAgainstBaseReport(f.channel, compare, c.base, kind), kAllIsOk);
      std::string expected =
          CrlfLines({"The following sysex files were found in the 'Compare' directory:", "  C",
                     "The following sysex files were found in the 'Base' directory:"});
      for (const Bank& bank : c.base) expected += "  " + bank.name + "\r\n";
      expected += CrlfLines({kDashes, "Patch Comparisons:",
                             kind == kUnique ? kUniqueHeaderLine : kIdenticalHeaderLine});
      for (const std::string& line : kind == kUnique ? c.unique_lines : c.identical_lines) {
        expected += line + "\r\n";
      }
      EXPECT_EQ(f.File(AgainstBaseReportFile(kind)), expected);
    }
  }
}

TEST(AgainstBaseReportTest, FailuresAndSwitches) {
  // Open failure: code 4, the pane is neither cleared nor written.
  ReportFixture open_fails;
  open_fails.files.FailOpen(
      open_fails.channel.ReportFilePath(ReportFileName(std::string(kUniqueReportFile))));
  open_fails.pane.AppendPaneLine("earlier report");
  EXPECT_EQ(WriteAgainstBaseReport(open_fails.channel, CompareSet(), BaseSet(), kUnique),
            kTxtFileOpenError);
  EXPECT_EQ(open_fails.pane.lines, std::vector<std::string>{"earlier report"});
  EXPECT_EQ(open_fails.pane.clears, 0);

  ReportFixture both;
  ASSERT_EQ(WriteAgainstBaseReport(both.channel, CompareSet(), BaseSet(), kIdentical), kAllIsOk);
  const std::string full = both.File(kIdenticalReportFile);

  ReportFixture pane_only;
  pane_only.channel.set_file_output(false);
  EXPECT_EQ(WriteAgainstBaseReport(pane_only.channel, CompareSet(), BaseSet(), kIdentical),
            kAllIsOk);
  EXPECT_TRUE(pane_only.files.created().empty());
  EXPECT_EQ(pane_only.PaneAsFile(), full);

  ReportFixture file_only;
  file_only.channel.set_screen_display(false);
  file_only.pane.AppendPaneLine("earlier report");
  EXPECT_EQ(WriteAgainstBaseReport(file_only.channel, CompareSet(), BaseSet(), kIdentical),
            kAllIsOk);
  EXPECT_EQ(file_only.File(kIdenticalReportFile), full);
  EXPECT_TRUE(file_only.pane.lines.empty());

  ReportFixture write_fails;
  write_fails.files.FailWritesAfter(10);
  EXPECT_EQ(WriteAgainstBaseReport(write_fails.channel, CompareSet(), BaseSet(), kIdentical),
            kTxtFileWriteError);
  EXPECT_EQ(write_fails.File(kIdenticalReportFile), full.substr(0, 10));
}

}  // namespace
}  // namespace dravelin
