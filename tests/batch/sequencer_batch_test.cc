// The sequencer files through dravelin-batch: keyboard banks given with
// --slot, saved for the next run, and every wrong --slot a usage error that
// runs nothing.

#include <string>
#include <vector>

#include "gtest/gtest.h"
#include "tests/support/batch_process.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::BankOfDistinctPatches;
using testing::BatchOutcome;
using testing::TempDir;

constexpr char kLoaded[] =
    "Finished reading in all the sysex files in the \"Compare\" directory.\n";

class SequencerBatchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Alpha.syx", BankOfDistinctPatches(2, 1));
    dir_.WriteFile("Compare/Beta.syx", BankOfDistinctPatches(2, 100));
    dir_.WriteFile("Compare/Gamma.syx", BankOfDistinctPatches(2, 200));
  }
  BatchOutcome Run(const std::vector<std::string>& args) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args);
  }
  // The bank lines of the .reabank file, in order.
  std::vector<std::string> ReabankBanks() const {
    std::vector<std::string> banks;
    const std::string text = dir_.ReadFile("Compare/QS+ Banks.reabank");
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
      if (text.compare(at, 5, "Bank ") == 0) banks.push_back(text.substr(at, end - at));
    }
    return banks;
  }

  TempDir dir_;
};

TEST_F(SequencerBatchTest, SlotsPutBanksOnTheKeyboardAndAreSavedForTheNextRun) {
  const BatchOutcome run =
      Run({"--slot", "Gamma=User", "--slot=Alpha.syx=not on the keyboard", "CreateReabankFile"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.err, std::string(kLoaded) +
                         "Making the REAPER bank file...\n"
                         "Finished. The file 'Compare\\QS+ Banks.reabank' names the patches of 2 "
                         "banks on the keyboard. 1 bank file is not on the keyboard and left "
                         "out.\n");
  // Beta held Preset 1 and keeps it; Gamma displaced Alpha from User.
  EXPECT_EQ(ReabankBanks(), (std::vector<std::string>{"Bank 0 0 Gamma", "Bank 1 0 Beta"}));
  const std::string saved = dir_.ReadFile("Compare/QS+ Banks.slots");
  EXPECT_NE(saved.find("\r\nAlpha.syx\tNot on the keyboard\r\nBeta.syx\tPreset 1\r\n"
                       "Gamma.syx\tUser\r\n"),
            std::string::npos)
      << saved;

  // The next run without --slot takes the saved choice, and leaves the
  // file as the user last edited it.
  dir_.WriteFile("Compare/QS+ Banks.reabank", "");
  dir_.WriteFile("Compare/QS+ Banks.slots", saved + "Beta.syx\tCard 11\r\n");
  const BatchOutcome again = Run({"CreateReabankFile"});
  EXPECT_EQ(again.exit_code, 0);
  EXPECT_EQ(ReabankBanks(), (std::vector<std::string>{"Bank 0 0 Gamma", "Bank 1 0 Beta"}));
  EXPECT_NE(again.err.find("line 9: 'Beta.syx' is named again"), std::string::npos) << again.err;
  EXPECT_EQ(dir_.ReadFile("Compare/QS+ Banks.slots"), saved + "Beta.syx\tCard 11\r\n");
}

TEST_F(SequencerBatchTest, AWrongSlotIsAUsageErrorAndRunsNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--slot"}, "--slot needs BANK=KEYBOARD_BANK (see --help)"},
      {{"CreateMidnamFile", "--slot", "Beta=User"},
       "--slot comes before the commands (see --help)"},
      {{"--slot", "Beta", "CreateMidnamFile"}, "--slot: 'Beta' is not BANK=KEYBOARD BANK"},
      {{"--slot", "Delta=User", "CreateMidnamFile"}, "--slot: no bank 'Delta' in Compare"},
      {{"--slot", "Beta=Card 12", "CreateMidnamFile"}, "--slot: no keyboard bank 'Card 12'"},
      {{"--slot", "Beta=User", "--slot", "Gamma=user", "CreateMidnamFile"},
       "--slot: 'Beta.syx' and 'Gamma.syx' are both on User"},
  };
  for (const Case& c : cases) {
    const BatchOutcome run = Run(c.args);
    EXPECT_EQ(run.exit_code, 2) << c.error;
    EXPECT_NE(run.err.find("dravelin-batch: " + c.error + "\n"), std::string::npos) << run.err;
    EXPECT_FALSE(dir_.Exists("Compare/QS+ Banks.midnam")) << c.error;
    EXPECT_FALSE(dir_.Exists("Compare/QS+ Banks.slots")) << c.error;
  }
  // Every bank off the keyboard: refused at the command, which then runs
  // nothing (the commands before it have run).
  const BatchOutcome run = Run({"--slot", "Alpha=none", "--slot", "Beta=none", "--slot",
                                "Gamma=none", "ControlScreenDisplay", "CreateMidnamFile"});
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.err, std::string(kLoaded) +
                         "Screen display is now turned OFF.\n"
                         "dravelin-batch: --slot: No Compare bank is on the keyboard: choose a "
                         "keyboard bank for at least one.\n");
  EXPECT_FALSE(dir_.Exists("Compare/QS+ Banks.midnam"));
}

TEST_F(SequencerBatchTest, HelpNamesTheSlotsAndTheirFile) {
  const BatchOutcome run = Run({"--help"});
  EXPECT_EQ(run.exit_code, 0);
  for (const char* part : {"--slot BANK=KEYBOARD_BANK", "Compare/QS+ Banks.slots",
                           "CreateMidnamFile", "Card1 to Card11"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part;
  }
}

}  // namespace
}  // namespace dravelin
