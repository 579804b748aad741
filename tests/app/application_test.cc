#include "app/application.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "tests/app/recording_window.h"
#include "gtest/gtest.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::RecordingWindow;
using sysex::BankOfDistinctPatches;
using testing::FakeReportFiles;
using testing::TempDir;

constexpr char kBothFinished[] =
    "Finished reading in all the sysex files in both the \"Base\" and \"Compare\" directories.";
constexpr char kCompareFinished[] =
    "Finished reading in all the sysex files in the \"Compare\" directory.";
constexpr char kReloading[] = "Reading in all the sysex files again...";

// What a directory holds before the program starts.
enum class Folder { kMissing, kEmpty, kNoDumps, kPatches };

// A working folder with Compare/ and Base/, and the application over it.
class Scenario {
 public:
  void Fill(const char* directory, Folder folder) {
    switch (folder) {
      case Folder::kMissing:
        break;
      case Folder::kEmpty:
        dir_.WriteFile(std::string(directory) + "/notes.txt", "not a bank");
        break;
      case Folder::kNoDumps:
        dir_.WriteFile(std::string(directory) + "/blank.syx", "no dumps in here");
        break;
      case Folder::kPatches:
        dir_.WriteFile(std::string(directory) + "/bank.syx", BankOfDistinctPatches(3, 7));
        break;
    }
  }

  Application& Start() {
    app_ = std::make_unique<Application>(window_, dir_.path(), files_);
    app_->LoadBankSets();
    return *app_;
  }

  // The enabled state of every item by what it needs, and that the window
  // was told of each item that is no longer in its start state.
  void ExpectGroups(bool compare_items, bool base_items) {
    const std::vector<MenuItemId>& told = window_.changed_items;
    for (MenuItemId item : kMenuItemIds) {
      bool expected = true;
      if (MenuItemOf(item).needs == ItemNeeds::kCompareSet) expected = compare_items;
      if (MenuItemOf(item).needs == ItemNeeds::kBothSets) expected = base_items;
      EXPECT_EQ(app_->item_enabled(item), expected) << MenuItemOf(item).component;
      if (!expected) {
        EXPECT_NE(std::find(told.begin(), told.end(), item), told.end())
            << MenuItemOf(item).component;
      }
    }
  }

  TempDir dir_;
  RecordingWindow window_;
  FakeReportFiles files_;
  std::unique_ptr<Application> app_;
};

class ApplicationTest : public ::testing::Test, public Scenario {};

struct LoadCase {
  const char* label;
  Folder compare;
  Folder base;
  bool compare_items;
  bool base_items;
  std::vector<std::string> statuses;
};

TEST_F(ApplicationTest, LoadOutcomesSetItemsAndStatusLine) {
  const std::string no_files = "Message: ' No bank files were found!'";
  const std::vector<LoadCase> cases = {
      {"no Compare directory", Folder::kMissing, Folder::kPatches, false, false, {no_files}},
      {"Compare without bank files", Folder::kEmpty, Folder::kPatches, false, false, {no_files}},
      {"Compare banks hold no patch", Folder::kNoDumps, Folder::kPatches, false, false, {}},
      {"both sets with patches", Folder::kPatches, Folder::kPatches, true, true, {kBothFinished}},
      {"no Base directory", Folder::kPatches, Folder::kMissing, true, false, {kCompareFinished}},
      {"Base without bank files",
       Folder::kPatches,
       Folder::kEmpty,
       true,
       false,
       {kCompareFinished}},
      {"Base banks hold no patch", Folder::kPatches, Folder::kNoDumps, true, false, {}},
  };
  for (const LoadCase& c : cases) {
    SCOPED_TRACE(c.label);
    Scenario s;
    s.Fill("Compare", c.compare);
    s.Fill("Base", c.base);
    Application& app = s.Start();
    s.ExpectGroups(c.compare_items, c.base_items);
    EXPECT_EQ(s.window_.statuses, c.statuses);
    EXPECT_EQ(app.status_line().codes_shown(), c.statuses == std::vector{no_files} ? 1 : 0);
    // The Base set is read only after a Compare set with patches.
    EXPECT_EQ(app.base_set().empty(),
              !c.compare_items || c.base == Folder::kMissing || c.base == Folder::kEmpty);
  }
}

TEST_F(ApplicationTest, OtherItemsStayEnabledWhenNothingLoads) {
  Start();
  ExpectGroups(false, false);
}

TEST_F(ApplicationTest, BankFileThatCannotBeOpenedShowsCode3) {
  Fill("Compare", Folder::kPatches);
  if (!dir_.MakeUnreadableFile("Compare/a locked bank.syx")) {
    GTEST_SKIP() << "no unreadable file can be made here";
  }
  Start();

  ExpectGroups(false, false);
  EXPECT_EQ(window_.status(), "Message: ' *.syx File Open Error!'");
  EXPECT_TRUE(app_->compare_set().empty());
}

TEST_F(ApplicationTest, ReloadPicksUpNewBaseFilesAndKeepsPaneAndSwitches) {
  Fill("Compare", Folder::kPatches);
  Application& app = Start();
  ExpectGroups(true, false);
  app.Click(menu::kControlScreenDisplay);
  window_.AppendPaneLine("left from an earlier report");

  Fill("Base", Folder::kPatches);
  app.Click(menu::kReadInputFilesAgain);

  ExpectGroups(true, true);
  EXPECT_EQ(window_.statuses,
            (std::vector<std::string>{kCompareFinished, "Screen display is now turned OFF.",
                                      kReloading, kBothFinished}));
  EXPECT_EQ(window_.pane, std::vector<std::string>{"left from an earlier report"});
  EXPECT_EQ(window_.clears, 0);
  EXPECT_EQ(app.item_caption(menu::kControlScreenDisplay), "Turn On Screen Display");
  EXPECT_FALSE(app.channel().screen_display());
  EXPECT_EQ(CountPatches(app.compare_set()), 3u);
  EXPECT_EQ(CountPatches(app.base_set()), 3u);
}

TEST_F(ApplicationTest, ReloadReadsChangedFilesAfresh) {
  dir_.WriteFile("Compare/one.syx", BankOfDistinctPatches(2, 1));
  Application& app = Start();
  dir_.WriteFile("Compare/one.syx", BankOfDistinctPatches(5, 100));
  app.Click(menu::kReadInputFilesAgain);
  ASSERT_EQ(app.compare_set().size(), 1u);
  EXPECT_EQ(app.compare_set()[0].patches.size(), 5u);
}

TEST_F(ApplicationTest, ReloadThatFindsNoPatchKeepsTheReloadText) {
  Fill("Compare", Folder::kPatches);
  Application& app = Start();
  std::filesystem::remove(dir_.path() / "Compare" / "bank.syx");
  Fill("Compare", Folder::kNoDumps);
  app.Click(menu::kReadInputFilesAgain);
  ExpectGroups(false, false);
  EXPECT_EQ(window_.status(), kReloading);
}

TEST_F(ApplicationTest, SwitchesFlipCaptionsAndStatusAndReturnAfterTwoClicks) {
  struct SwitchCase {
    MenuItemId item;
    bool (ReportChannel::*state)() const;
    const char* off_caption;
    const char* on_caption;
    const char* off_status;
    const char* on_status;
  };
  const SwitchCase cases[] = {
      {menu::kControlScreenDisplay, &ReportChannel::screen_display, "Turn On Screen Display",
       "Turn Off Screen Display", "Screen display is now turned OFF.",
       "Screen display is now turned ON."},
      {menu::kControlFileOutput, &ReportChannel::file_output, "Turn On File Output",
       "Turn Off File Output", "File Output is now turned OFF.", "File Output is now turned ON."},
  };
  Application& app = Start();
  for (const SwitchCase& c : cases) {
    SCOPED_TRACE(MenuItemOf(c.item).component);
    EXPECT_TRUE((app.channel().*c.state)());
    app.Click(c.item);
    EXPECT_FALSE((app.channel().*c.state)());
    EXPECT_EQ(app.item_caption(c.item), c.off_caption);
    // The item keeps its mnemonic letter in either caption.
    EXPECT_NE(MnemonicIndex(app.item_caption(c.item), MenuItemOf(c.item).mnemonic),
              std::string::npos);
    EXPECT_EQ(window_.changed_items.back(), c.item);
    EXPECT_EQ(window_.status(), c.off_status);
    app.Click(c.item);
    EXPECT_TRUE((app.channel().*c.state)());
    EXPECT_EQ(app.item_caption(c.item), c.on_caption);
    EXPECT_EQ(window_.status(), c.on_status);
  }
  EXPECT_TRUE(window_.pane.empty());
  EXPECT_EQ(window_.clears, 0);
  EXPECT_TRUE(files_.created().empty());
}

TEST_F(ApplicationTest, RunningOutOfMemoryInThePaneEndsTheCommandWithCode2) {
  Fill("Compare", Folder::kPatches);
  Application& app = Start();
  window_.pane_room = 2;
  app.Click(menu::kPrintAllSimilarities);
  EXPECT_EQ(window_.status(), MessageCodeLine(kOutOfMemory));
  EXPECT_EQ(window_.pane.size(), 2u) << "the pane keeps what it holds";
  // The program goes on: the same command runs whole once there is room.
  window_.pane_room = SIZE_MAX;
  app.Click(menu::kPrintAllSimilarities);
  EXPECT_GT(window_.pane.size(), 2u);
  EXPECT_NE(window_.status(), MessageCodeLine(kOutOfMemory));
  EXPECT_FALSE(files_.Contents(dir_.path() / "Compare" / "compare.txt").empty());
}

TEST_F(ApplicationTest, FormCloseReleasesBothSets) {
  Fill("Compare", Folder::kPatches);
  Fill("Base", Folder::kPatches);
  Application& app = Start();
  app.FormClose();
  EXPECT_TRUE(app.compare_set().empty());
  EXPECT_TRUE(app.base_set().empty());
  app.FormClose();  // closing with empty sets is harmless
  EXPECT_TRUE(app.compare_set().empty());
}

}  // namespace
}  // namespace dravelin
