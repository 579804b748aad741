// The two listing commands as scripts see them through dravelin-batch:
// standard output (the pane), standard error (the status line), exit status
// and the report files, byte for byte.

#include <cstdio>
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

constexpr char kLoaded[] =
    "Finished reading in all the sysex files in the \"Compare\" directory.\n";
constexpr char kListsFinished[] =
    "Finished. Each file 'Compare\\*.txt', where '*' is the name of a sysex file, contains the "
    "names of all the patches in that sysex file. \n";
constexpr char kInsFinished[] =
    "Finished. Each file 'Compare\\*.ins', where '*' is the name of a sysex file, contains the "
    "'ins' information for patches in that sysex file. \n";

// The lines of the name list of a bank made by BankOfDistinctPatches(65, ...)
// named "Bank Sixty-Five", written out from their printf forms.
std::vector<std::string> NameList65() {
  std::vector<std::string> lines = {"  Bank Sixty-Five", ""};
  for (int r = 0; r < 64; ++r) {
    char row[80];
    if (r == 0) {
      std::snprintf(row, sizeof row,
                    "      %03d: Patch %04d                              %03d: Patch %04d", r, r,
                    64 + r, 64 + r);
    } else {
      std::snprintf(row, sizeof row, "      %03d: Patch %04d", r, r);
    }
    lines.push_back(row);
  }
  return lines;
}

std::vector<std::string> InsSection65() {
  std::vector<std::string> lines = {"[Bank Sixty-Five]", "BasedOn=Bank Sixty-Five"};
  for (int i = 0; i < 65; ++i) {
    char entry[40];
    std::snprintf(entry, sizeof entry, "%d=%03d: Patch %04d", i, i, i);
    lines.push_back(entry);
  }
  lines.insert(lines.end(), {"", ""});
  return lines;
}

std::string Joined(const std::vector<std::string>& lines, const char* end) {
  std::string text;
  for (const std::string& line : lines) text += line + end;
  return text;
}

class ListingBatchTest : public ::testing::Test {
 protected:
  BatchOutcome Run(const std::vector<std::string>& args) {
    return testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), args);
  }
  // The bank names in the order the program reads them: the directory's own
  // order.
  std::vector<std::string> BankOrder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path() / "Compare")) {
      if (entry.path().extension() == ".syx") names.push_back(entry.path().stem().string());
    }
    return names;
  }
  TempDir dir_;
};

TEST_F(ListingBatchTest, BothCommandsUnderEverySwitchSetting) {
  const std::string dashes(87, '-');
  const std::string list_pane = dashes + "\n" + Joined(NameList65(), "\n");
  const std::string ins_pane = Joined(InsSection65(), "\n");
  const std::string list_file = Joined(NameList65(), "\r\n");
  const std::string ins_file = Joined(InsSection65(), "\r\n");
  const std::string stale = "a report of an earlier run, longer than nothing\r\n";
  constexpr char kScreenOff[] = "Screen display is now turned OFF.\n";
  constexpr char kFileOff[] = "File Output is now turned OFF.\n";

  struct Case {
    std::vector<std::string> args;
    std::string out;
    std::string err;
    bool files_written;
  };
  const std::vector<Case> cases = {
      {{"CreatePatchNameFiles", "Create Instrument File Sections"},
       list_pane + ins_pane,
       std::string(kLoaded) + "Making patch lists...\n" + kListsFinished +
           "Making Ins file lists...\n" + kInsFinished,
       true},
      {{"ControlScreenDisplay", "createpatchnamefiles", "CreateInsFiles"},
       "",
       std::string(kLoaded) + kScreenOff + "Making patch lists...\n" + kListsFinished +
           "Making Ins file lists...\n" + kInsFinished,
       true},
      {{"ControlFileOutput", "Create Patch Name List Files", "CreateInsFiles"},
       list_pane + ins_pane,
       std::string(kLoaded) + kFileOff + "Making patch lists...\n" + kListsFinished +
           "Making Ins file lists...\n" + kInsFinished,
       false},
      {{"ControlFileOutput", "ControlScreenDisplay", "CreateInsFiles", "CreatePatchNameFiles"},
       "",
       std::string(kLoaded) + kFileOff + kScreenOff + "Making Ins file lists...\n" + kInsFinished +
           "Making patch lists...\n" + kListsFinished,
       false},
  };
  dir_.WriteFile("Compare/Bank Sixty-Five.syx", BankOfDistinctPatches(65, 3));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    dir_.WriteFile("Compare/Bank Sixty-Five.txt", stale);
    dir_.WriteFile("Compare/Bank Sixty-Five.ins", stale);
    const BatchOutcome run = Run(c.args);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err, c.err);
    EXPECT_EQ(dir_.ReadFile("Compare/Bank Sixty-Five.txt"), c.files_written ? list_file : stale);
    EXPECT_EQ(dir_.ReadFile("Compare/Bank Sixty-Five.ins"), c.files_written ? ins_file : stale);
  }
}

TEST_F(ListingBatchTest, EmptyBankAndTwoBanksInReadOrder) {
  dir_.WriteFile("Compare/Empty.syx", "no program dump in here");
  dir_.WriteFile("Compare/Small.syx", BankOfDistinctPatches(1, 9));
  const BatchOutcome run = Run({"CreatePatchNameFiles", "CreateInsFiles"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(dir_.ReadFile("Compare/Empty.txt"), "  Empty\r\n\r\n");
  EXPECT_EQ(dir_.ReadFile("Compare/Empty.ins"), "[Empty]\r\nBasedOn=Empty\r\n\r\n\r\n");
  EXPECT_EQ(dir_.ReadFile("Compare/Small.txt"), "  Small\r\n\r\n      000: Patch 0000\r\n");
  EXPECT_EQ(dir_.ReadFile("Compare/Small.ins"),
            "[Small]\r\nBasedOn=Small\r\n0=000: Patch 0000\r\n\r\n\r\n");

  const std::string dashes(87, '-');
  const std::string empty_list = dashes + "\n  Empty\n\n";
  const std::string small_list = dashes + "\n  Small\n\n      000: Patch 0000\n";
  const std::string empty_ins = "[Empty]\nBasedOn=Empty\n\n\n";
  const std::string small_ins = "[Small]\nBasedOn=Small\n0=000: Patch 0000\n\n\n";
  const bool empty_first = BankOrder() == std::vector<std::string>{"Empty", "Small"};
  EXPECT_EQ(run.out, empty_first ? empty_list + small_list + empty_ins + small_ins
                                 : small_list + empty_list + small_ins + empty_ins);
}

// The first bank's report file cannot be opened (a directory) or cannot be
// written (past the file size limit): the command shows the code, the loop
// ends there, the second bank gets no file and the first bank's earlier
// list stays whole.
TEST_F(ListingBatchTest, FailingReportFileStopsTheLoopWithItsCode) {
  dir_.WriteFile("Compare/One.syx", BankOfDistinctPatches(2, 1));
  dir_.WriteFile("Compare/Two.syx", BankOfDistinctPatches(2, 1));
  const std::vector<std::string> order = BankOrder();
  ASSERT_EQ(order.size(), 2u);
  const std::string& first = order[0];
  const std::string& second = order[1];
  dir_.MakeDir("Compare/" + first + ".ins");
  constexpr char kEarlier[] = "an earlier list\r\n";
  dir_.WriteFile("Compare/" + first + ".txt", kEarlier);
  ASSERT_EQ(BankOrder(), order);

  BatchOutcome run = Run({"CreateInsFiles"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err, std::string(kLoaded) +
                         "Making Ins file lists...\nMessage: ' *.txt File Open Error!'\n");
  EXPECT_FALSE(dir_.Exists("Compare/" + second + ".ins"));

  // The list of two patches is longer than 30 bytes.
  run = testing::RunBatchProcess(DRAVELIN_BATCH_BINARY, dir_.path(), {"CreatePatchNameFiles"}, 30);
  EXPECT_EQ(run.exit_code, 1);
  // The failure shows when the file is closed, after its lines reached the pane.
  EXPECT_EQ(run.out, std::string(87, '-') + "\n  " + first +
                         "\n\n      000: Patch 0000\n      001: Patch 0001\n");
  EXPECT_EQ(run.err,
            std::string(kLoaded) + "Making patch lists...\nMessage: ' *.txt File Write Error!'\n");
  EXPECT_EQ(dir_.ReadFile("Compare/" + first + ".txt"), kEarlier);
  EXPECT_FALSE(dir_.Exists("Compare/" + second + ".txt"));
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& entry :
       std::filesystem::directory_iterator(dir_.path() / "Compare")) {
    ++entries;
  }
  EXPECT_EQ(entries, 4u);  // two banks, the folder and the earlier list
}

}  // namespace
}  // namespace dravelin
