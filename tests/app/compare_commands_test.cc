// The four comparison commands as the window runs them: the checks for
// codes 5 and 7, the status texts before and after, the report they write
// and the codes of a report file that cannot be opened or written.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "compare/against_base_report.h"
#include "compare/within_compare_report.h"
#include "gtest/gtest.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::FakeReportFiles;
using testing::RecordingWindow;
using testing::TempDir;

constexpr std::string_view kNoBanks = "Message: ' No bank files were found!'";
constexpr std::string_view kOnePatch = "Message: ' Only one patch has been created!'";
constexpr std::string_view kOpenError = "Message: ' *.txt File Open Error!'";
constexpr std::string_view kWriteError = "Message: ' *.txt File Write Error!'";

struct Command {
  MenuItemId item;
  const char* file;  // in Compare
  std::string_view before;
  std::string_view finished;
  bool needs_base;
};

const Command kCommands[] = {
    {menu::kPrintAllSimilarities, "compare.txt", "Comparing patches...",
     "Finished. The file \"Compare\\compare.txt\" contains a list of all comparisons between "
     "patches in the \"Compare\" directory",
     false},
    {menu::kPrintOnlyIdentities, "identity.txt", "Getting patch identities...",
     "Finished. The file \"Compare\\identity.txt\" contains a list of all identities between "
     "patches in the \"Compare\" directory",
     false},
    {menu::kPrintUniqueOnly, "uniqC2B.txt", "Comparing to Base - Finding unique patches...",
     "Finished. The file \"Compare\\uniqC2B.txt\" holds a list of patches in the \"Compare\" "
     "directory unique from \"Base\" directory patches.",
     true},
    {menu::kPrintIdenticalOnly, "identC2B.txt", "Comparing to Base - Finding identical patches...",
     "Finished. The file \"Compare\\identC2B.txt\" has a list of patches in the \"Compare\" "
     "directory identical to a \"Base\" directory patch.",
     true},
};

// Two patches that are identical but for the name, one that shares a sound
// with them, and one Base patch holding the first patch's sounds.
std::string CompareBank() {
  return SyxBuilder()
      .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
      .Dump(4, "Other Pad", MakeSounds(4, 3, 2, 1))
      .Dump(5, "Bell", MakeSounds(9, 8, 7, 1))
      .bytes();
}
std::string BaseBank() { return SyxBuilder().Dump(0, "Factory", MakeSounds(2, 1, 4, 3)).bytes(); }
std::string OnePatchBank() { return SyxBuilder().Dump(1, "Solo", MakeSounds(1, 2, 3, 4)).bytes(); }

class CompareCommandsTest : public ::testing::Test {
 protected:
  Application& Start() {
    app_ = std::make_unique<Application>(window_, dir_.path(), files_);
    app_->LoadBankSets();
    window_.statuses.clear();
    return *app_;
  }
  std::filesystem::path ReportPath(const char* file) const {
    return dir_.path() / "Compare" / file;
  }
  // What the command's report driver writes for the loaded sets.
  std::string ExpectedReport(MenuItemId item) {
    RecordingWindow pane;
    FakeReportFiles files;
    ReportChannel channel(pane, files, "/");
    if (item == menu::kPrintAllSimilarities) {
      EXPECT_EQ(WriteWithinCompareReport(channel, app_->compare_set(),
                                         WithinCompareKind::kAllSimilarities),
                kAllIsOk);
      return files.Contents("/Compare/compare.txt");
    }
    if (item == menu::kPrintOnlyIdentities) {
      EXPECT_EQ(WriteWithinCompareReport(channel, app_->compare_set(),
                                         WithinCompareKind::kOnlyIdentities),
                kAllIsOk);
      return files.Contents("/Compare/identity.txt");
    }
    if (item == menu::kPrintUniqueOnly) {
      EXPECT_EQ(WriteAgainstBaseReport(channel, app_->compare_set(), app_->base_set(),
                                       AgainstBaseKind::kUniqueOnly),
                kAllIsOk);
      return files.Contents("/Compare/uniqC2B.txt");
    }
    EXPECT_EQ(WriteAgainstBaseReport(channel, app_->compare_set(), app_->base_set(),
                                     AgainstBaseKind::kIdenticalOnly),
              kAllIsOk);
    return files.Contents("/Compare/identC2B.txt");
  }

  TempDir dir_;
  RecordingWindow window_;
  FakeReportFiles files_;
  std::unique_ptr<Application> app_;
};

TEST_F(CompareCommandsTest, EachCommandAnnouncesWritesItsReportAndFinishes) {
  dir_.WriteFile("Compare/Mine.syx", CompareBank());
  dir_.WriteFile("Base/Factory.syx", BaseBank());
  Application& app = Start();
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.file);
    window_.statuses.clear();
    window_.pane = {"earlier"};
    app.Click(command.item);
    EXPECT_EQ(window_.statuses, (std::vector<std::string>{std::string(command.before),
                                                          std::string(command.finished)}));
    const std::string report = files_.Contents(ReportPath(command.file));
    EXPECT_EQ(report, ExpectedReport(command.item));
    // The pane holds the report and nothing from before.
    std::string pane_as_file;
    for (const std::string& line : window_.pane) pane_as_file += line + "\r\n";
    EXPECT_EQ(pane_as_file, report);
  }
  EXPECT_EQ(files_.created().size(), 4u);
  EXPECT_EQ(app.status_line().codes_shown(), 0);
}

TEST_F(CompareCommandsTest, EmptySetsGiveCodeFiveAndTouchNothing) {
  struct Case {
    const char* what;
    bool compare_bank;
    bool base_bank;
  };
  const Case cases[] = {{"no Compare bank", false, true}, {"no Base bank", true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    if (c.compare_bank) dir.WriteFile("Compare/Mine.syx", CompareBank());
    if (c.base_bank) dir.WriteFile("Base/Factory.syx", BaseBank());
    RecordingWindow window;
    FakeReportFiles files;
    Application app(window, dir.path(), files);
    app.LoadBankSets();
    for (const Command& command : kCommands) {
      if (!command.needs_base && c.compare_bank) continue;
      window.statuses.clear();
      window.pane = {"earlier"};
      window.clears = 0;
      app.Click(command.item);
      EXPECT_EQ(window.statuses, std::vector<std::string>{std::string(kNoBanks)}) << command.file;
      EXPECT_EQ(window.pane, std::vector<std::string>{"earlier"});
      EXPECT_EQ(window.clears, 0);
    }
    EXPECT_TRUE(files.created().empty());
  }
}

TEST_F(CompareCommandsTest, ABaseSetOfEmptyBanksIsNoErrorAndMatchesNothing) {
  dir_.WriteFile("Compare/Mine.syx", CompareBank());
  dir_.WriteFile("Base/Blank.syx", "no program dumps here");
  Application& app = Start();
  app.Click(menu::kPrintUniqueOnly);
  EXPECT_EQ(window_.status(), kCommands[2].finished);
  const std::string report = files_.Contents(ReportPath("uniqC2B.txt"));
  EXPECT_EQ(report.substr(report.find("Patch Comparisons:")),
            "Patch Comparisons:\r\n"
            "These 'Compare' directory patches have sounds UNLIKE all 'Base' directory patches:\r\n"
            "\"Mine [003:Soft Pad  ]\"\r\n"
            "\"Mine [004:Other Pad ]\"\r\n"
            "\"Mine [005:Bell      ]\"\r\n");
}

TEST_F(CompareCommandsTest, OnePatchGivesCodeSevenWithinTheSetOnly) {
  dir_.WriteFile("Compare/Solo.syx", OnePatchBank());
  dir_.WriteFile("Base/Factory.syx", BaseBank());
  Application& app = Start();
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.file);
    window_.statuses.clear();
    window_.pane = {"earlier"};
    app.Click(command.item);
    if (command.needs_base) {
      EXPECT_EQ(window_.statuses.back(), command.finished);
      EXPECT_TRUE(files_.Created(ReportPath(command.file)));
    } else {
      EXPECT_EQ(window_.statuses,
                (std::vector<std::string>{std::string(command.before), std::string(kOnePatch)}));
      EXPECT_EQ(window_.pane, std::vector<std::string>{"earlier"});
      EXPECT_FALSE(files_.Created(ReportPath(command.file)));
    }
  }
}

TEST_F(CompareCommandsTest, ReportFileFailuresShowTheirCodesInsteadOfTheFinishedText) {
  dir_.WriteFile("Compare/Mine.syx", CompareBank());
  dir_.WriteFile("Base/Factory.syx", BaseBank());
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.file);
    {
      FakeReportFiles files;
      files.FailOpen(ReportPath(command.file));
      RecordingWindow window;
      Application app(window, dir_.path(), files);
      app.LoadBankSets();
      window.pane = {"earlier"};
      app.Click(command.item);
      EXPECT_EQ(window.status(), kOpenError);
      EXPECT_EQ(window.pane, std::vector<std::string>{"earlier"});
      EXPECT_EQ(window.statuses.end()[-2], command.before);
    }
    {
      FakeReportFiles files;
      files.FailClose();
      RecordingWindow window;
      Application app(window, dir_.path(), files);
      app.LoadBankSets();
      app.Click(command.item);
      EXPECT_EQ(window.status(), kWriteError);
      EXPECT_EQ(files.open_files(), 0);
    }
  }
}

}  // namespace
}  // namespace dravelin
