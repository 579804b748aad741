#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "report/bank_list_files.h"
#include "report/instrument_section.h"
#include "report/patch_name_list.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::BankOfDistinctPatches;
using testing::FakeReportFiles;
using testing::RecordingWindow;
using testing::TempDir;

constexpr std::string_view kLoaded =
    "Finished reading in all the sysex files in the \"Compare\" directory.";
constexpr std::string_view kPatchListsFinished =
    "Finished. Each file 'Compare\\*.txt', where '*' is the name of a sysex file, contains the "
    "names of all the patches in that sysex file. ";
constexpr std::string_view kInsFinished =
    "Finished. Each file 'Compare\\*.ins', where '*' is the name of a sysex file, contains the "
    "'ins' information for patches in that sysex file. ";

struct Command {
  MenuItemId item;
  ListingKind kind;
  std::string_view started;
  std::string_view finished;
};
const Command kCommands[] = {
    {menu::kCreatePatchNameFiles, ListingKind::kPatchNameList, "Making patch lists...",
     kPatchListsFinished},
    {menu::kCreateInsFiles, ListingKind::kInstrumentSection, "Making Ins file lists...",
     kInsFinished},
};

// What one bank's listing puts in its file and in the pane.
struct Listing {
  std::string file;
  std::vector<std::string> pane;
};
Listing ListingOf(const Bank& bank, ListingKind kind) {
  RecordingWindow pane;
  FakeReportFiles files;
  ReportChannel channel(pane, files, "/");
  EXPECT_EQ(channel.OpenReportFile(ReportFileName("x.txt")), kAllIsOk);
  if (kind == ListingKind::kPatchNameList) {
    WritePatchNameList(channel, bank);
  } else {
    WriteInstrumentSection(channel, bank);
  }
  EXPECT_EQ(channel.CloseReportFile(), kAllIsOk);
  return {files.Contents("/Compare/x.txt"), pane.pane};
}

class ListingCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Alpha.syx", BankOfDistinctPatches(3, 1));
    dir_.WriteFile("Compare/Beta.syx", BankOfDistinctPatches(70, 100));
    dir_.WriteFile("Compare/Gamma.syx", BankOfDistinctPatches(1, 900));
  }
  Application& Start(ReportFileSystem& files) {
    app_ = std::make_unique<Application>(window_, dir_.path(), files);
    app_->LoadBankSets();
    return *app_;
  }
  std::filesystem::path ReportPath(const Bank& bank, ListingKind kind) const {
    return dir_.path() / "Compare" / (bank.name + "." + std::string(ListingExtension(kind)));
  }

  TempDir dir_;
  RecordingWindow window_;
  std::unique_ptr<Application> app_;
};

TEST_F(ListingCommandsTest, EachCommandWritesEveryBankUnderEverySwitchSetting) {
  for (const Command& command : kCommands) {
    for (const bool screen : {true, false}) {
      for (const bool file : {true, false}) {
        SCOPED_TRACE(::testing::Message()
                     << ListingExtension(command.kind) << " screen " << screen << " file " << file);
        window_ = RecordingWindow();
        FakeReportFiles files;
        Application& app = Start(files);
        ASSERT_EQ(app.compare_set().size(), 3u);
        if (!screen) app.Click(menu::kControlScreenDisplay);
        if (!file) app.Click(menu::kControlFileOutput);
        window_.pane = {"left from before"};
        const std::size_t statuses_before = window_.statuses.size();

        app.Click(command.item);

        EXPECT_EQ(std::vector<std::string>(window_.statuses.begin() + statuses_before,
                                           window_.statuses.end()),
                  (std::vector<std::string>{std::string(command.started),
                                            std::string(command.finished)}));
        EXPECT_EQ(window_.clears, 1);
        std::vector<std::string> pane;
        std::vector<std::filesystem::path> created;
        for (const Bank& bank : app.compare_set()) {
          const Listing listing = ListingOf(bank, command.kind);
          pane.insert(pane.end(), listing.pane.begin(), listing.pane.end());
          if (file) {
            created.push_back(ReportPath(bank, command.kind));
            EXPECT_EQ(files.Contents(created.back()), listing.file);
          }
        }
        EXPECT_EQ(window_.pane, screen ? pane : std::vector<std::string>{});
        EXPECT_EQ(files.created(), created);
        EXPECT_EQ(files.open_files(), 0);
      }
    }
  }
}

TEST_F(ListingCommandsTest, EmptyCompareSetShowsCodeFiveAndTouchesNothing) {
  for (const Command& command : kCommands) {
    window_ = RecordingWindow();
    FakeReportFiles files;
    Application app(window_, dir_.path(), files);  // sets not loaded: empty
    window_.pane = {"kept"};
    app.Click(command.item);
    EXPECT_EQ(window_.statuses, std::vector<std::string>{"Message: ' No bank files were found!'"});
    EXPECT_EQ(window_.clears, 0);
    EXPECT_EQ(window_.pane, std::vector<std::string>{"kept"});
    EXPECT_TRUE(files.created().empty());
  }
}

// A bank whose report file cannot be opened (it is a directory) stops the
// loop there with code 4: earlier banks' files are complete, later banks get
// nothing, and the pane holds the earlier lists only.
TEST_F(ListingCommandsTest, ReportTargetThatIsADirectoryGivesCodeFour) {
  for (const Command& command : kCommands) {
    SCOPED_TRACE(ListingExtension(command.kind));
    TempDir dir;
    for (const char* name : {"Alpha", "Beta", "Gamma"}) {
      dir.WriteFile(std::string("Compare/") + name + ".syx", BankOfDistinctPatches(5, 7));
    }
    RecordingWindow window;
    DiskReportFileSystem files;
    Application app(window, dir.path(), files);
    app.LoadBankSets();
    const BankSet& set = app.compare_set();
    ASSERT_EQ(set.size(), 3u);
    const std::string extension(ListingExtension(command.kind));
    dir.MakeDir("Compare/" + set[1].name + "." + extension);

    app.Click(command.item);

    EXPECT_EQ(window.status(), "Message: ' *.txt File Open Error!'");
    const Listing first = ListingOf(set[0], command.kind);
    EXPECT_EQ(dir.ReadFile("Compare/" + set[0].name + "." + extension), first.file);
    EXPECT_FALSE(dir.Exists("Compare/" + set[2].name + "." + extension));
    EXPECT_EQ(window.pane, first.pane);
  }
}

TEST_F(ListingCommandsTest, WriteFailureShowsCodeSixteenAndStopsAtThatBank) {
  for (const Command& command : kCommands) {
    window_ = RecordingWindow();
    FakeReportFiles files;
    files.FailWritesAfter(0);
    Application& app = Start(files);
    app.Click(command.item);
    EXPECT_EQ(window_.status(), "Message: ' *.txt File Write Error!'");
    EXPECT_EQ(files.created(),
              std::vector<std::filesystem::path>{ReportPath(app.compare_set()[0], command.kind)});
    EXPECT_EQ(files.open_files(), 0);
  }
}

TEST_F(ListingCommandsTest, FileOutputOffLeavesAnEarlierReportUnchanged) {
  DiskReportFileSystem files;
  Application& app = Start(files);
  dir_.WriteFile("Compare/Alpha.txt", "from an earlier run");
  app.Click(menu::kControlFileOutput);
  app.Click(menu::kCreatePatchNameFiles);
  app.Click(menu::kCreateInsFiles);
  EXPECT_EQ(window_.status(), kInsFinished);
  EXPECT_EQ(dir_.ReadFile("Compare/Alpha.txt"), "from an earlier run");
  for (const char* name : {"Beta.txt", "Gamma.txt", "Alpha.ins", "Beta.ins", "Gamma.ins"}) {
    EXPECT_FALSE(dir_.Exists(std::string("Compare/") + name)) << name;
  }

  // Turned on again, the earlier file is replaced.
  app.Click(menu::kControlFileOutput);
  app.Click(menu::kCreatePatchNameFiles);
  EXPECT_EQ(dir_.ReadFile("Compare/Alpha.txt"),
            "  Alpha\r\n\r\n      000: Patch 0000\r\n      001: Patch 0001\r\n"
            "      002: Patch 0002\r\n");
}

}  // namespace
}  // namespace dravelin
