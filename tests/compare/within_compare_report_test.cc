#include "compare/within_compare_report.h"

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
using sysex::MakeSounds;
using testing::ReportFixture;

constexpr WithinCompareKind kAll = WithinCompareKind::kAllSimilarities;
constexpr WithinCompareKind kIdentities = WithinCompareKind::kOnlyIdentities;

// Two banks whose patches show every verdict: Alpha 005 and 100 are
// identical, Beta 255 has their sounds under another name, Beta 000 has
// their name only, Beta 042 shares one sound with three of them (twice),
// Alpha 007 shares nothing.
BankSet VerdictSet() {
  BankSet set;
  set.push_back(MakeBank("Alpha", {MakePatch("Bright Pad", 5, MakeSounds(1, 2, 3, 4)),
                                   MakePatch("Bright Pad", 100, MakeSounds(4, 3, 2, 1)),
                                   MakePatch("Lone Synth", 7, MakeSounds(10, 11, 12, 13))}));
  set.push_back(MakeBank("Beta", {MakePatch("Warm Pad  ", 255, MakeSounds(1, 2, 3, 4)),
                                  MakePatch("Bright Pad", 0, MakeSounds(20, 21, 22, 23)),
                                  MakePatch("Keys      ", 42, MakeSounds(30, 3, 31, 3))}));
  return set;
}

const std::string kVerdictSetHeader = CrlfLines({
    "The following sysex files were found in the 'Compare' directory:",
    "  Alpha",
    "  Beta",
    kDashes,
    "Patch Comparisons:",
});

TEST(WithinCompareReportTest, AllSimilaritiesListsEveryPartnerOfEveryPatchInSetOrder) {
  ReportFixture f;
  const BankSet set = VerdictSet();
  ASSERT_EQ(WriteWithinCompareReport(f.channel, set, kAll), kAllIsOk);
  const std::string expected =
      kVerdictSetHeader +
      CrlfLines({
          "\"Alpha [005:Bright Pad]\" is IDENTICAL to \"Alpha [100:Bright Pad]\"",
          "",
          "\"Alpha [005:Bright Pad]\" has sounds IDENTICAL to \"Beta [255:Warm Pad  ]\"",
          "",
          "\"Alpha [005:Bright Pad]\" is similar to \"Beta [000:Bright Pad]\"",
          "  Name is IDENTICAL",
          "",
          "\"Alpha [005:Bright Pad]\" is similar to \"Beta [042:Keys      ]\"",
          "  Sound 2 is IDENTICAL to sound 1",
          "  Sound 2 is IDENTICAL to sound 3",
          "",
          kDashes,
          "\"Alpha [100:Bright Pad]\" is IDENTICAL to \"Alpha [005:Bright Pad]\"",
          "",
          "\"Alpha [100:Bright Pad]\" has sounds IDENTICAL to \"Beta [255:Warm Pad  ]\"",
          "",
          "\"Alpha [100:Bright Pad]\" is similar to \"Beta [000:Bright Pad]\"",
          "  Name is IDENTICAL",
          "",
          "\"Alpha [100:Bright Pad]\" is similar to \"Beta [042:Keys      ]\"",
          "  Sound 1 is IDENTICAL to sound 1",
          "  Sound 1 is IDENTICAL to sound 3",
          "",
          kDashes,
          "\"Beta [255:Warm Pad  ]\" has sounds IDENTICAL to \"Alpha [005:Bright Pad]\"",
          "",
          "\"Beta [255:Warm Pad  ]\" has sounds IDENTICAL to \"Alpha [100:Bright Pad]\"",
          "",
          "\"Beta [255:Warm Pad  ]\" is similar to \"Beta [042:Keys      ]\"",
          "  Sound 2 is IDENTICAL to sound 1",
          "  Sound 2 is IDENTICAL to sound 3",
          "",
          kDashes,
          "\"Beta [000:Bright Pad]\" is similar to \"Alpha [005:Bright Pad]\"",
          "  Name is IDENTICAL",
          "",
          "\"Beta [000:Bright Pad]\" is similar to \"Alpha [100:Bright Pad]\"",
          "  Name is IDENTICAL",
          "",
          kDashes,
          "\"Beta [042:Keys      ]\" is similar to \"Alpha [005:Bright Pad]\"",
          "  Sound 1 is IDENTICAL to sound 2",
          "  Sound 3 is IDENTICAL to sound 2",
          "",
          "\"Beta [042:Keys      ]\" is similar to \"Alpha [100:Bright Pad]\"",
          "  Sound 1 is IDENTICAL to sound 1",
          "  Sound 3 is IDENTICAL to sound 1",
          "",
          "\"Beta [042:Keys      ]\" is similar to \"Beta [255:Warm Pad  ]\"",
          "  Sound 1 is IDENTICAL to sound 2",
          "  Sound 3 is IDENTICAL to sound 2",
          "",
          kDashes,
      });
  EXPECT_EQ(f.File(kCompareReportFile), expected);
  EXPECT_EQ(f.PaneAsFile(), expected);
  EXPECT_FALSE(f.Created(kIdentityReportFile));
}

TEST(WritePairVerdictTest, WritesTheVerdictBlockOfEachKindOfPair) {
  const Bank one = MakeBank("One", {});
  const Bank two = MakeBank("Two Long Bank Name", {});
  struct Case {
    const char* what;
    Patch first;
    Patch second;
    WithinCompareKind kind;
    std::vector<std::string> lines;  // empty: not reported
  };
  const std::vector<Case> cases = {
      {"identical, all similarities",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("Organ     ", 200, MakeSounds(1, 2, 3, 4)),
       kAll,
       {"\"One [003:Organ     ]\" is IDENTICAL to \"Two Long Bank Name [200:Organ     ]\""}},
      {"identical, only identities",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("Organ     ", 200, MakeSounds(1, 2, 3, 4)),
       kIdentities,
       {"\"One [003:Organ     ]\" is IDENTICAL to \"Two Long Bank Name [200:Organ     ]\""}},
      {"sounds identical, permuted, no details",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("Church    ", 12, MakeSounds(2, 1, 4, 3)),
       kAll,
       {"\"One [003:Organ     ]\" has sounds IDENTICAL to \"Two Long Bank Name [012:Church    "
        "]\""}},
      {"sounds identical, only identities",
       MakePatch("Organ     ", 3, MakeSounds(1, 1, 2, 2)),
       MakePatch("Church    ", 12, MakeSounds(2, 1, 2, 2)),
       kIdentities,
       {"\"One [003:Organ     ]\" has sounds IDENTICAL to \"Two Long Bank Name [012:Church    "
        "]\""}},
      {"name only",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("Organ     ", 4, MakeSounds(5, 6, 7, 8)),
       kAll,
       {"\"One [003:Organ     ]\" is similar to \"Two Long Bank Name [004:Organ     ]\"",
        "  Name is IDENTICAL"}},
      {"name only, only identities",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("Organ     ", 4, MakeSounds(5, 6, 7, 8)),
       kIdentities,
       {}},
      {"name and sounds, name first, sounds row by row",
       MakePatch("Organ     ", 3, MakeSounds(9, 2, 9, 4)),
       MakePatch("Organ     ", 4, MakeSounds(4, 9, 7, 9)),
       kAll,
       {"\"One [003:Organ     ]\" is similar to \"Two Long Bank Name [004:Organ     ]\"",
        "  Name is IDENTICAL", "  Sound 0 is IDENTICAL to sound 1",
        "  Sound 0 is IDENTICAL to sound 3", "  Sound 2 is IDENTICAL to sound 1",
        "  Sound 2 is IDENTICAL to sound 3", "  Sound 3 is IDENTICAL to sound 0"}},
      {"nothing shared",
       MakePatch("Organ     ", 3, MakeSounds(1, 2, 3, 4)),
       MakePatch("organ     ", 4, MakeSounds(5, 6, 7, 8)),
       kAll,
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ReportFixture f;
    ASSERT_EQ(f.channel.OpenReportFile(ReportFileName("pair.txt")), kAllIsOk);
    EXPECT_EQ(WritePairVerdict(f.channel, one, c.first, two, c.second, c.kind), !c.lines.empty());
    ASSERT_EQ(f.channel.CloseReportFile(), kAllIsOk);
    EXPECT_EQ(f.pane.lines, c.lines);
  }
}

TEST(WithinCompareReportTest,
     EqualPatchesInOneBankAreEachReportedUnderTheOtherNeverAgainstThemselves) {
  ReportFixture f;
  BankSet set;
  set.push_back(MakeBank("Dup", {MakePatch("Twin      ", 1, MakeSounds(1, 2, 3, 4)),
                                 MakePatch("Twin      ", 1, MakeSounds(1, 2, 3, 4)),
                                 MakePatch("Alone     ", 2, MakeSounds(5, 6, 7, 8))}));
  ASSERT_EQ(WriteWithinCompareReport(f.channel, set, kAll), kAllIsOk);
  EXPECT_EQ(f.File(kCompareReportFile),
            CrlfLines({"The following sysex files were found in the 'Compare' directory:", "  Dup",
                       kDashes, "Patch Comparisons:",
                       "\"Dup [001:Twin      ]\" is IDENTICAL to \"Dup [001:Twin      ]\"", "",
                       kDashes, "\"Dup [001:Twin      ]\" is IDENTICAL to \"Dup [001:Twin      ]\"",
                       "", kDashes}));
}

TEST(WithinCompareReportTest, SetsWithoutAnyPairGiveTheHeaderAlone) {
  const std::vector<std::pair<const char*, BankSet>> cases = {
      {"no bank", {}},
      {"one bank without patches", {MakeBank("Empty", {})}},
      {"one patch in two banks",
       {MakeBank("Empty", {}),
        MakeBank("One", {MakePatch("Solo      ", 9, MakeSounds(1, 2, 3, 4))})}},
      {"two unrelated patches",
       {MakeBank("One", {MakePatch("Solo      ", 9, MakeSounds(1, 2, 3, 4)),
                         MakePatch("Other     ", 10, MakeSounds(5, 6, 7, 8))})}},
  };
  for (const auto& [what, set] : cases) {
    SCOPED_TRACE(what);
    std::string header = "The following sysex files were found in the 'Compare' directory:\r\n";
    for (const Bank& bank : set) header += "  " + bank.name + "\r\n";
    header += kDashes + "\r\nPatch Comparisons:\r\n";
    for (WithinCompareKind kind : {kAll, kIdentities}) {
      ReportFixture f;
      ASSERT_EQ(WriteWithinCompareReport(f.channel, set, kind), kAllIsOk);
      EXPECT_EQ(f.File(WithinCompareReportFile(kind)), header);
    }
  }
}

TEST(WithinCompareReportTest, RefusesOneBankWithOnePatchBeforeTouchingAnything) {
  for (WithinCompareKind kind : {kAll, kIdentities}) {
    ReportFixture f;
    f.pane.AppendPaneLine("earlier report");
    const BankSet set = {MakeBank("Solo", {MakePatch("Only      ", 1, MakeSounds(1, 2, 3, 4))})};
    EXPECT_EQ(WriteWithinCompareReport(f.channel, set, kind), kOnlyOnePatch);
    EXPECT_TRUE(f.files.created().empty());
    EXPECT_EQ(f.pane.lines, std::vector<std::string>{"earlier report"});
    EXPECT_EQ(f.pane.clears, 0);
  }
}

TEST(WithinCompareReportTest, FileThatCannotBeOpenedGivesCodeFourAndLeavesThePane) {
  ReportFixture f;
  f.files.FailOpen(f.channel.ReportFilePath(ReportFileName(std::string(kIdentityReportFile))));
  f.pane.AppendPaneLine("earlier report");
  EXPECT_EQ(WriteWithinCompareReport(f.channel, VerdictSet(), kIdentities), kTxtFileOpenError);
  EXPECT_EQ(f.pane.lines, std::vector<std::string>{"earlier report"});
  EXPECT_EQ(f.pane.clears, 0);
  // The other kind's file is another file and still opens.
  EXPECT_EQ(WriteWithinCompareReport(f.channel, VerdictSet(), kAll), kAllIsOk);
}

TEST(WithinCompareReportTest, SwitchesDecideWhereTheLinesGo) {
  ReportFixture both;
  ASSERT_EQ(WriteWithinCompareReport(both.channel, VerdictSet(), kAll), kAllIsOk);
  const std::string full = both.File(kCompareReportFile);
  ASSERT_FALSE(full.empty());

  ReportFixture pane_only;
  pane_only.channel.set_file_output(false);
  EXPECT_EQ(WriteWithinCompareReport(pane_only.channel, VerdictSet(), kAll), kAllIsOk);
  EXPECT_TRUE(pane_only.files.created().empty());
  EXPECT_EQ(pane_only.PaneAsFile(), full);

  ReportFixture file_only;
  file_only.channel.set_screen_display(false);
  file_only.pane.AppendPaneLine("earlier report");
  EXPECT_EQ(WriteWithinCompareReport(file_only.channel, VerdictSet(), kAll), kAllIsOk);
  EXPECT_EQ(file_only.File(kCompareReportFile), full);
  EXPECT_TRUE(file_only.pane.lines.empty());
  EXPECT_EQ(file_only.pane.clears, 1);
}

// Sixty patches of one name: 3540 verdict blocks, more than the channel
// buffers, so a failing disk is met in the middle of the report.
BankSet ManyNamesakes() {
  Bank bank = MakeBank("Big", {});
  for (std::uint32_t k = 0; k < 60; ++k) {
    bank.patches.push_back(MakePatch("Same Name ", static_cast<std::uint8_t>(k),
                                     MakeSounds(4 * k + 1, 4 * k + 2, 4 * k + 3, 4 * k + 4)));
  }
  return {bank};
}

TEST(WithinCompareReportTest, WriteErrorEndsTheReportWithCodeSixteen) {
  ReportFixture healthy;
  ASSERT_EQ(WriteWithinCompareReport(healthy.channel, ManyNamesakes(), kAll), kAllIsOk);
  const std::string full = healthy.File(kCompareReportFile);
  ASSERT_GT(full.size(), 300'000u);

  ReportFixture failing;
  failing.files.FailWritesAfter(1000);
  EXPECT_EQ(WriteWithinCompareReport(failing.channel, ManyNamesakes(), kAll), kTxtFileWriteError);
  EXPECT_EQ(failing.File(kCompareReportFile), full.substr(0, 1000));
  EXPECT_EQ(failing.files.open_files(), 0);
  // The pane got the lines up to the failed write and none after it.
  const std::vector<std::string>& all_lines = healthy.pane.lines;
  const std::vector<std::string>& shown = failing.pane.lines;
  ASSERT_LT(shown.size(), all_lines.size());
  EXPECT_TRUE(std::equal(shown.begin(), shown.end(), all_lines.begin()));

  ReportFixture failing_close;
  failing_close.files.FailClose();
  EXPECT_EQ(WriteWithinCompareReport(failing_close.channel, VerdictSet(), kIdentities),
            kTxtFileWriteError);
}

}  // namespace
}  // namespace dravelin
