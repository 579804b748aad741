// The commands over the whole collection as the window runs them: the
// check for code 5, the status texts before and after, which sets their
// report takes, and the codes of a report file that cannot be opened or
// written; and what the status line says of the banks of new sounds.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "collection/banks_worth_keeping.h"
#include "collection/new_sound_banks.h"
#include "collection/patch_catalogue.h"
#include "collection/sound_groups_report.h"
#include "gtest/gtest.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"
#include "twins/near_twins_report.h"

namespace dravelin {
namespace {

using sysex::MakeSounds;
using sysex::SyxBuilder;
using testing::FakeReportFiles;
using testing::RecordingWindow;
using testing::TempDir;

using Writer = MessageCode (*)(ReportChannel&, const BankSet&, const BankSet&);

struct Command {
  MenuItemId item;
  std::string_view file;  // in Compare
  Writer writer;
  std::string_view before;
  std::string_view finished;
};

const Command kCommands[] = {
    {menu::kPrintSoundGroups, kSoundGroupsReportFile, &WriteSoundGroupsReport,
     "Finding sound groups...",
     "Finished. The file \"Compare\\groups.txt\" lists the groups of patches whose sounds are "
     "identical"},
    {menu::kPrintBanksWorthKeeping, kBanksWorthKeepingReportFile, &WriteBanksWorthKeepingReport,
     "Counting the sounds each bank adds...",
     "Finished. The file \"Compare\\keep.txt\" tells how many sounds each sysex file in the "
     "\"Compare\" directory adds"},
    {menu::kCreatePatchCatalogue, kPatchCatalogueFile, &WritePatchCatalogue,
     "Making the patch catalogue...",
     "Finished. The file \"Compare\\catalogue.csv\" lists every patch, one row each, for a "
     "spreadsheet"},
    {menu::kPrintNearTwins, kNearTwinsReportFile, &WriteNearTwinsReport, "Finding near twins...",
     "Finished. The file \"Compare\\twins.txt\" lists the patches whose sounds differ in at "
     "most three parameters"},
};

std::string CompareBank() {
  return SyxBuilder()
      .Dump(3, "Soft Pad", MakeSounds(1, 2, 3, 4))
      .Dump(4, "Other Pad", MakeSounds(4, 3, 2, 1))
      .Dump(5, "Bell", MakeSounds(9, 8, 7, 1))
      .bytes();
}
std::string BaseBank() { return SyxBuilder().Dump(0, "Factory", MakeSounds(2, 1, 4, 3)).bytes(); }

std::string PaneAsFile(const RecordingWindow& window) {
  std::string text;
  for (const std::string& line : window.pane) text += line + "\r\n";
  return text;
}

// What `writer` makes of these sets.
std::string Expected(const Command& command, const BankSet& compare_set, const BankSet& base_set) {
  RecordingWindow pane;
  FakeReportFiles files;
  ReportChannel channel(pane, files, "/");
  EXPECT_EQ(command.writer(channel, compare_set, base_set), kAllIsOk);
  return files.Contents(std::filesystem::path("/Compare") / std::string(command.file));
}

// The Base set takes part when it was loaded with patches: not when its
// banks hold none, nor when its load failed.
TEST(CollectionCommandsTest, EachCommandTakesTheBaseSetOnlyWhenItWasLoaded) {
  struct Case {
    const char* what;
    std::optional<std::string> base_bytes;  // none: no Base folder
    bool base_loaded;
  };
  const Case cases[] = {
      {"a Base with patches", BaseBank(), true},
      {"a Base whose bank holds no patch", "no dumps here", false},
      {"no Base folder", std::nullopt, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.WriteFile("Compare/Mine.syx", CompareBank());
    if (c.base_bytes) dir.WriteFile("Base/Factory.syx", *c.base_bytes);
    RecordingWindow window;
    FakeReportFiles files;
    Application app(window, dir.path(), files);
    app.LoadBankSets();
    ASSERT_EQ(app.base_loaded(), c.base_loaded);
    const BankSet no_base;
    for (const Command& command : kCommands) {
      SCOPED_TRACE(std::string(command.file));
      ASSERT_TRUE(app.item_enabled(command.item));
      window.statuses.clear();
      window.pane = {"earlier"};
      app.Click(command.item);
      EXPECT_EQ(window.statuses, (std::vector<std::string>{std::string(command.before),
                                                           std::string(command.finished)}));
      const std::string report = files.Contents(dir.path() / "Compare" / std::string(command.file));
      EXPECT_EQ(report,
                Expected(command, app.compare_set(), c.base_loaded ? app.base_set() : no_base));
      EXPECT_EQ(PaneAsFile(window), report);
    }
    EXPECT_EQ(app.status_line().codes_shown(), 0);
  }
}

TEST(CollectionCommandsTest, AnEmptyCompareSetGivesCodeFiveAndTouchesNothing) {
  TempDir dir;
  dir.WriteFile("Base/Factory.syx", BaseBank());
  RecordingWindow window;
  FakeReportFiles files;
  Application app(window, dir.path(), files);
  app.LoadBankSets();
  for (const Command& command : kCommands) {
    SCOPED_TRACE(std::string(command.file));
    EXPECT_FALSE(app.item_enabled(command.item));
    window.statuses.clear();
    window.pane = {"earlier"};
    window.clears = 0;
    // The handler checks the set itself, whatever the item's state.
    MenuItemOf(command.item).handler(app);
    EXPECT_EQ(window.statuses, std::vector<std::string>{"Message: ' No bank files were found!'"});
    EXPECT_EQ(window.pane, std::vector<std::string>{"earlier"});
    EXPECT_EQ(window.clears, 0);
  }
  EXPECT_TRUE(files.created().empty());
}

TEST(CollectionCommandsTest, ReportFileFailuresShowTheirCodesInsteadOfTheFinishedText) {
  TempDir dir;
  dir.WriteFile("Compare/Mine.syx", CompareBank());
  dir.WriteFile("Base/Factory.syx", BaseBank());
  const std::function<void(FakeReportFiles&, const std::filesystem::path&)> damages[] = {
      [](FakeReportFiles& files, const std::filesystem::path& path) { files.FailOpen(path); },
      [](FakeReportFiles& files, const std::filesystem::path&) { files.FailWritesAfter(10); },
  };
  const std::string_view codes[] = {"Message: ' *.txt File Open Error!'",
                                    "Message: ' *.txt File Write Error!'"};
  for (const Command& command : kCommands) {
    for (std::size_t d = 0; d < std::size(damages); ++d) {
      SCOPED_TRACE(std::string(command.file) + ", " + std::string(codes[d]));
      FakeReportFiles files;
      damages[d](files, dir.path() / "Compare" / std::string(command.file));
      RecordingWindow window;
      Application app(window, dir.path(), files);
      app.LoadBankSets();
      window.statuses.clear();
      app.Click(command.item);
      EXPECT_EQ(window.statuses,
                (std::vector<std::string>{std::string(command.before), std::string(codes[d])}));
      EXPECT_EQ(files.open_files(), 0);
    }
  }
}

// The status texts of "Build Banks of New Sounds": how many banks and
// programs were written and where, or why nothing was.
TEST(CollectionCommandsTest, BuildingNewBanksSaysWhatWasWritten) {
  constexpr char kBefore[] = "Building banks of new sounds...";
  struct Case {
    const char* what;
    std::string compare;
    std::optional<std::string> base;
    bool file_output;
    std::string finished;
    std::size_t files;  // created below New Banks
  };
  const Case cases[] = {
      {"one bank of one program", CompareBank(), BaseBank(), true,
       "Finished. 1 bank of 1 program was written: \"New Banks\\New Sounds 1.syx\", with its "
       "list (.txt).",
       2},
      {"one bank, no Base", CompareBank(), std::nullopt, true,
       "Finished. 1 bank of 2 programs was written: \"New Banks\\New Sounds 1.syx\", with its "
       "list (.txt).",
       2},
      {"three banks", sysex::BankOfDistinctPatches(257, 5), std::nullopt, true,
       "Finished. 3 banks of 257 programs were written: \"New Banks\\New Sounds 1.syx\" to "
       "\"New Banks\\New Sounds 3.syx\", each with its list (.txt).",
       6},
      {"file output off", sysex::BankOfDistinctPatches(257, 5), std::nullopt, false,
       "Finished. 3 banks of 257 programs listed; file output is off, so no file was written.", 0},
      {"no new sound", BaseBank(), CompareBank(), true,
       "Finished. No new sounds were found, so no bank was written.", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    dir.WriteFile("Compare/Mine.syx", c.compare);
    if (c.base) dir.WriteFile("Base/Factory.syx", *c.base);
    RecordingWindow window;
    FakeReportFiles files;
    Application app(window, dir.path(), files);
    app.LoadBankSets();
    ASSERT_TRUE(app.item_enabled(menu::kBuildNewSoundBanks));
    app.channel().set_file_output(c.file_output);
    window.statuses.clear();
    app.Click(menu::kBuildNewSoundBanks);
    EXPECT_EQ(window.statuses, (std::vector<std::string>{kBefore, c.finished}));
    EXPECT_EQ(files.created().size(), c.files);
    for (const std::filesystem::path& path : files.created()) {
      EXPECT_EQ(path.parent_path(), dir.path() / "New Banks");
    }
    EXPECT_EQ(app.status_line().codes_shown(), 0);
  }
}

TEST(CollectionCommandsTest, BuildingNewBanksChecksTheSetAndShowsWriteErrors) {
  TempDir dir;
  dir.WriteFile("Base/Factory.syx", BaseBank());
  RecordingWindow window;
  FakeReportFiles files;
  Application app(window, dir.path(), files);
  app.LoadBankSets();
  EXPECT_FALSE(app.item_enabled(menu::kBuildNewSoundBanks));
  window.statuses.clear();
  MenuItemOf(menu::kBuildNewSoundBanks).handler(app);
  EXPECT_EQ(window.statuses, std::vector<std::string>{"Message: ' No bank files were found!'"});

  dir.WriteFile("Compare/Mine.syx", CompareBank());
  files.FailFolder(dir.path() / "New Banks");
  app.ReleaseBankSets();
  app.LoadBankSets();
  window.statuses.clear();
  window.pane = {"earlier"};
  app.Click(menu::kBuildNewSoundBanks);
  EXPECT_EQ(window.statuses, (std::vector<std::string>{"Building banks of new sounds...",
                                                       "Message: ' *.txt File Write Error!'"}));
  EXPECT_EQ(window.pane, std::vector<std::string>{"earlier"});
  EXPECT_TRUE(files.created().empty());
}

}  // namespace
}  // namespace dravelin
