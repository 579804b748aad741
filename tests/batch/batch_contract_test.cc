// The command-line contract of dravelin-batch, checked on the built program.

#include <cstdint>
#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using sysex::BankOfDistinctPatches;
using testing::BatchOutcome;
using testing::TempDir;

constexpr char kCompareFinished[] =
    "Finished reading in all the sysex files in the \"Compare\" directory.\n";
constexpr char kBothFinished[] =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" directories.\n";
constexpr char kNoBankFiles[] = "Message: ' No bank files were found!'\n";

class BatchContractTest : public ::testing::Test {
 protected:
  BatchOutcome Run(const std::vector<std::string>& args) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args);
  }
  void AddCompareBank() { dir_.WriteFile("Compare/a.syx", BankOfDistinctPatches(2, 1)); }
  void AddBaseBank() { dir_.WriteFile("Base/b.syx", BankOfDistinctPatches(2, 50)); }

  TempDir dir_;
};

// The --list line of every item, given the enabled state of the Compare and
// the Base items.
std::string MenuList(bool compare_items, bool base_items,
                     const std::string& screen_caption = "Turn Off Screen Display") {
  const auto state = [](bool on) { return on ? "enabled" : "disabled"; };
  return std::string() +
         "GeneralControl\tReadInputFilesAgain\tRead Input Sysex Files Again\tenabled\n"
         "GeneralControl\tControlScreenDisplay\t" +
         screen_caption +
         "\tenabled\n"
         "GeneralControl\tControlFileOutput\tTurn Off File Output\tenabled\n"
         "CreateNameLists\tCreatePatchNameFiles\tCreate Patch Name List Files\t" +
         state(compare_items) + "\n" +
         "CreateNameLists\tCreateInsFiles\tCreate Instrument File Sections\t" +
         state(compare_items) + "\n" +
         "CreateNameLists\tCreatePatchCatalogue\tCreate Patch Catalogue\t" +
         state(compare_items) + "\n" +
         "CreateNameLists\tCreateInsDefinitionFile\tCreate Instrument Definition File\t" +
         state(compare_items) + "\n" +
         "CreateNameLists\tCreateMidnamFile\tCreate MIDNAM File\t" + state(compare_items) +
         "\n" + "CreateNameLists\tCreateReabankFile\tCreate REAPER Bank File\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tPrintAllSimilarities\tPrint All Similarities\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tPrintOnlyIdentities\tPrint Only Identities\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tPrintSoundGroups\tPrint Sound Groups\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tPrintBanksWorthKeeping\tPrint Banks Worth Keeping\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tBuildNewSoundBanks\tBuild Banks of New Sounds\t" +
         state(compare_items) + "\n" +
         "CompareWithinDirectory\tPrintNearTwins\tPrint Near Twins\t" + state(compare_items) +
         "\n" + "CompareWithinDirectory\tShowPatchDetails\tShow Patch Details\t" +
         state(compare_items) + "\n" +
         "CompareToBaseDirectory\tPrintUniqueOnly\tPrint Unique Patches Only\t" +
         state(base_items) + "\n" +
         "CompareToBaseDirectory\tPrintIdenticalOnly\tPrint Identical Patches Only\t" +
         state(base_items) + "\n" +
         "Help\tAboutDravelin\tAbout Dravelin\tenabled\n"
         "Help\tBackgroundInfo\tWhat does the Dravelin Program Do?\tenabled\n"
         "Help\tListReportInfo\tHow to Create Patch List Reports\tenabled\n"
         "Help\tComparisonReportInfo\tHow to Create Comparison Reports\tenabled\n"
         "Help\tInstallInfo\tHow to Install this Program\tenabled\n"
         "Help\tExecutionInfo\tHow to Run this Program\tenabled\n"
         "Help\tTutorialInfo\tTutorial or 'Quick Start' Information\tenabled\n"
         "Help\tEditInfo\tHow to Put New Patches into Your User Bank\tenabled\n"
         "Help\tHelpGenControl\tHelp on the Submenu - General Control\tenabled\n"
         "Help\tHelpCreateLists\tHelp on the Submenu - Create Name Lists\tenabled\n"
         "Help\tHelpCompareWithin\tHelp on the Submenu - Compare Within 'Compare' "
         "Directory\tenabled\n"
         "Help\tHelpCompareToBase\tHelp on the Submenu - Compare To 'Base' Directory\tenabled\n"
         "Help\tHelpCollection\tHelp on Sound Groups, Banks Worth Keeping and the "
         "Catalogue\tenabled\n"
         "Help\tHelpSequencerFiles\tPatch Names for Your Sequencer\tenabled\n"
         "Help\tHelpNewSoundBanks\tHelp on Building Banks of New Sounds\tenabled\n"
         "Help\tHelpNearTwins\tHelp on Near Twins and Patch Details\tenabled\n";
}

TEST_F(BatchContractTest, HelpAnywherePrintsUsageAndLoadsNothing) {
  AddCompareBank();
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"ControlFileOutput", "--help"}, {"NoSuchCommand", "--help"}}) {
    const BatchOutcome run = Run(args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out.rfind("Usage: dravelin-batch [COMMAND ...]\n", 0), 0u) << run.out;
    EXPECT_EQ(run.err, "");  // not even the load outcome: nothing was loaded
  }
}

TEST_F(BatchContractTest, VersionPrintsOneLine) {
  const BatchOutcome run = Run({"--version"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "dravelin-batch 1.0.0\n");
  EXPECT_EQ(run.err, "");
}

TEST_F(BatchContractTest, ListShowsEveryItemWithTheStateTheLoadSet) {
  struct Case {
    bool compare;
    bool base;
    std::string err;
    int exit_code;
  };
  const Case cases[] = {
      {false, false, kNoBankFiles, 1},
      {true, false, kCompareFinished, 0},
      {true, true, kBothFinished, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    if (c.compare) dir.WriteFile("Compare/a.syx", BankOfDistinctPatches(2, 1));
    if (c.base) dir.WriteFile("Base/b.syx", BankOfDistinctPatches(2, 50));
    const BatchOutcome run =
        testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir.path(), {"--list"});
    EXPECT_EQ(run.out, MenuList(c.compare, c.base));
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(run.exit_code, c.exit_code);
  }
}

TEST_F(BatchContractTest, OptionsThatTakeNoCommandsOrAreUnknownAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"--list", "ControlFileOutput"}, {"--version", "--list"}, {"--frobnicate"}};
  for (const auto& args : cases) {
    const BatchOutcome run = Run(args);
    EXPECT_EQ(run.exit_code, 2) << args[0];
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("dravelin-batch: ", 0), 0u) << run.err;
  }
}

TEST_F(BatchContractTest, CommandsRunInOrderByComponentNameInAnyCaseOrCaption) {
  AddCompareBank();
  const BatchOutcome run =
      Run({"controlscreendisplay", "Turn On Screen Display", "CONTROLFILEOUTPUT"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, std::string(kCompareFinished) +
                         "Screen display is now turned OFF.\n"
                         "Screen display is now turned ON.\n"
                         "File Output is now turned OFF.\n");
}

TEST_F(BatchContractTest, CaptionIsMatchedAsTheMenuShowsItAtThatMoment) {
  AddCompareBank();
  // After the first click the item reads "Turn On Screen Display", so the
  // start caption no longer names it.
  const BatchOutcome run =
      Run({"Turn Off Screen Display", "Turn Off Screen Display", "ControlFileOutput"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, std::string(kCompareFinished) +
                         "Screen display is now turned OFF.\n"
                         "dravelin-batch: unknown command 'Turn Off Screen Display' "
                         "(see --list)\n");
}

TEST_F(BatchContractTest, DisabledItemStopsTheRunAfterTheCommandsBeforeIt) {
  AddCompareBank();  // no Base: the two Base items are disabled
  const BatchOutcome run = Run({"ControlFileOutput", "PrintUniqueOnly", "ControlScreenDisplay"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, std::string(kCompareFinished) +
                         "File Output is now turned OFF.\n"
                         "dravelin-batch: 'PrintUniqueOnly' is disabled: "
                         "Print Unique Patches Only\n");
}

TEST_F(BatchContractTest, ExitIsOneWhenAMessageCodeWasShownDuringTheRun) {
  // Nothing to load: code 5 is shown; the General Control items still run.
  const BatchOutcome run = Run({"ReadInputFilesAgain"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.err,
            std::string(kNoBankFiles) + "Reading in all the sysex files again...\n" + kNoBankFiles);
  EXPECT_EQ(run.out, "");
}

TEST_F(BatchContractTest, EmptyCompareBanksLeaveTheStatusLineUntouched) {
  dir_.WriteFile("Compare/empty.syx", "");
  const BatchOutcome run = Run({});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, "");
}

// However little memory is left, a load that runs out of it ends with code 2
// on the status line and exit status 1: listing a folder of many entries
// never ends the program instead. The address-space limit goes up from the
// least under which the program loads one bank, until the load goes through.
TEST_F(BatchContractTest, LoadRunningOutOfAddressSpaceShowsCodeTwo) {
#if defined(DRAVELIN_SANITIZED)
  GTEST_SKIP() << "the sanitizer's runtime needs more address space than the limits leave";
#else
  constexpr std::uint64_t kStep = 64 * 1024;
  constexpr std::uint64_t kMost = std::uint64_t{1} << 30;
  const auto run_under = [&](std::uint64_t limit) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), {}, 0,
                                    testing::StandardOutput::kPipe, limit);
  };
  AddCompareBank();
  std::uint64_t least = 2 * 1024 * 1024;
  while (run_under(least).exit_code != 0) {
    least += kStep;
    ASSERT_LT(least, kMost) << "the program loads one bank under no limit";
  }
  // Listing these takes some megabytes; a little above the least limit, the
  // program has what it needs until it lists them.
  for (int i = 0; i < 4000; ++i) {
    dir_.WriteFile("Compare/" + std::string(200, 'n') + std::to_string(i) + ".txt", "");
  }
  int out_of_memory = 0;
  for (std::uint64_t limit = least + 4 * kStep;; limit += kStep) {
    ASSERT_LT(limit, kMost);
    const BatchOutcome run = run_under(limit);
    ASSERT_EQ(run.signal, 0) << "under " << limit << " bytes: " << run.err;
    if (run.exit_code == 0) {
      EXPECT_EQ(run.err, kCompareFinished);
      break;
    }
    ASSERT_EQ(run.exit_code, 1) << "under " << limit << " bytes: " << run.err;
    EXPECT_EQ(run.err, "Message: ' Out Of Memory! Exit immediately!'\n");
    ++out_of_memory;
  }
  EXPECT_GT(out_of_memory, 0);
#endif
}

}  // namespace
}  // namespace dravelin
