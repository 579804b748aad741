// The three commands that write the keyboard's patch names for sequencers,
// with the keyboard banks chosen in their dialog: status texts, the file and
// the pane, the switches, failures, and how a choice is kept.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "sequencer/assignment_file.h"
#include "tests/app/recording_window.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;
using K = KeyboardBank;
using sysex::BankOfDistinctPatches;
using testing::FakeReportFiles;
using testing::RecordingWindow;
using testing::TempDir;

struct Command {
  MenuItemId item;
  const char* file;
  const char* started;
  const char* first_line;  // of the file
};
const Command kCommands[] = {
    {menu::kCreateInsDefinitionFile, "QS+ Banks.ins", "Making the instrument definition file...",
     "; QS+ Banks.ins: the patch names of the QS+ banks in Compare, by Dravelin."},
    {menu::kCreateMidnamFile, "QS+ Banks.midnam", "Making the MIDNAM file...",
     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>"},
    {menu::kCreateReabankFile, "QS+ Banks.reabank", "Making the REAPER bank file...",
     "// QS+ Banks.reabank: the patch names of the QS+ banks in Compare, by Dravelin."},
};

std::string Finished(const Command& command, const std::string& tail) {
  return std::string("Finished. The file 'Compare\\") + command.file + "' names the patches of " +
         tail;
}

// The file's lines as the pane shows them.
std::vector<std::string> LinesOf(const std::string& file) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = file.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(file.substr(start, end - start));
  }
  EXPECT_EQ(start, file.size()) << "every line ends with CR LF";
  return lines;
}

class SequencerCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_.WriteFile("Compare/Alpha.syx", BankOfDistinctPatches(3, 1));
    dir_.WriteFile("Compare/Beta.syx", BankOfDistinctPatches(130, 100));
    dir_.WriteFile("Compare/Gamma.syx", BankOfDistinctPatches(1, 900));
  }
  Application& Start() {
    window_ = RecordingWindow();
    app_ = std::make_unique<Application>(window_, dir_.path(), files_);
    app_->LoadBankSets();
    return *app_;
  }
  fs::path InCompare(const std::string& file) const { return dir_.path() / "Compare" / file; }
  std::vector<std::string> StatusesSince(std::size_t from) const {
    return {window_.statuses.begin() + static_cast<std::ptrdiff_t>(from), window_.statuses.end()};
  }

  TempDir dir_;
  RecordingWindow window_;
  FakeReportFiles files_;
  std::unique_ptr<Application> app_;
};

TEST_F(SequencerCommandsTest, EachCommandWritesOneFileUnderEverySwitchSetting) {
  for (const Command& command : kCommands) {
    for (const bool screen : {true, false}) {
      for (const bool file : {true, false}) {
        SCOPED_TRACE(::testing::Message() << command.file << " screen " << screen << " file "
                                          << file);
        files_ = FakeReportFiles();
        Application& app = Start();
        if (!screen) app.Click(menu::kControlScreenDisplay);
        if (!file) app.Click(menu::kControlFileOutput);
        window_.pane = {"left from before"};
        const std::size_t before = window_.statuses.size();

        app.Click(command.item);

        // Beta's dumps numbered 128 and 129 name no program.
        EXPECT_EQ(StatusesSince(before),
                  (std::vector<std::string>{
                      command.started,
                      Finished(command, "3 banks on the keyboard. 2 program dumps numbered above "
                                        "127, or repeated by a later dump, left out.")}));
        EXPECT_EQ(window_.clears, 1);
        const fs::path path = InCompare(command.file);
        if (file) {
          EXPECT_EQ(files_.created(), std::vector<fs::path>{path});
          const std::vector<std::string> lines = LinesOf(files_.Contents(path));
          ASSERT_FALSE(lines.empty());
          EXPECT_EQ(lines.front(), command.first_line);
          if (screen) {
            EXPECT_EQ(window_.pane, lines) << "the pane shows the file's text";
          }
        } else {
          EXPECT_TRUE(files_.created().empty());
          EXPECT_EQ(window_.pane.empty(), !screen);
          if (screen) {
            EXPECT_EQ(window_.pane.front(), command.first_line);
          }
        }
        if (!screen) {
          EXPECT_TRUE(window_.pane.empty());
        }
        EXPECT_EQ(files_.open_files(), 0);
      }
    }
  }
}

TEST_F(SequencerCommandsTest, FailuresEndTheCommandWithTheirCode) {
  for (const Command& command : kCommands) {
    SCOPED_TRACE(command.file);
    // No Compare set: code 5, nothing else.
    window_ = RecordingWindow();
    files_ = FakeReportFiles();
    Application empty(window_, dir_.path(), files_);
    window_.pane = {"kept"};
    empty.Click(command.item);
    EXPECT_EQ(window_.statuses, std::vector<std::string>{"Message: ' No bank files were found!'"});
    EXPECT_EQ(window_.pane, std::vector<std::string>{"kept"});
    EXPECT_TRUE(files_.created().empty());

    // The file cannot be created, or a write fails.
    for (const bool open : {true, false}) {
      files_ = FakeReportFiles();
      if (open) {
        files_.FailOpen(InCompare(command.file));
      } else {
        files_.FailWritesAfter(100);
      }
      Application& app = Start();
      app.Click(command.item);
      EXPECT_EQ(window_.status(), open ? "Message: ' *.txt File Open Error!'"
                                       : "Message: ' *.txt File Write Error!'");
      EXPECT_EQ(files_.open_files(), 0);
    }
  }
}

TEST_F(SequencerCommandsTest, AConfirmedChoiceIsSavedUsedAndOfferedAgain) {
  dir_.WriteFile("Compare/QS+ Banks.slots", "Alpha.syx\tCard 4\r\n");
  Application& app = Start();
  AssignmentDialog dialog = app.OfferAssignment();
  EXPECT_EQ(dialog.banks, (std::vector<std::string>{"Alpha.syx", "Beta.syx", "Gamma.syx"}));
  EXPECT_EQ(dialog.choices.size(), kKeyboardBankChoiceCount);
  EXPECT_EQ(dialog.choices[4], "Preset 4 (General MIDI)");
  EXPECT_EQ(dialog.chosen, (std::vector<int>{8, 0, 1}));  // the file's Card 4, then free ones

  // Two banks on one keyboard bank are refused, and nothing is kept.
  EXPECT_EQ(app.ConfirmAssignment(std::vector<int>{3, 3, 16}),
            "'Alpha.syx' and 'Beta.syx' are both on Preset 3: a keyboard bank holds one Compare "
            "bank only.");
  EXPECT_EQ(app.ConfirmAssignment(std::vector<int>{3, 17, 0}), std::string(kIncompleteAssignment));
  EXPECT_EQ(app.OfferAssignment().chosen, (std::vector<int>{8, 0, 1}));

  ASSERT_EQ(app.ConfirmAssignment(std::vector<int>{15, 16, 0}), "");
  const std::size_t before = window_.statuses.size();
  app.Click(menu::kCreateReabankFile);
  EXPECT_EQ(StatusesSince(before),
            (std::vector<std::string>{
                "Making the REAPER bank file...",
                Finished(kCommands[2], "2 banks on the keyboard. 1 bank file is not on the "
                                       "keyboard and left out.")}));
  // The choice went to the assignment file before the export.
  const fs::path slots = InCompare("QS+ Banks.slots");
  ASSERT_EQ(files_.created(), (std::vector<fs::path>{slots, InCompare("QS+ Banks.reabank")}));
  EXPECT_EQ(files_.Contents(slots),
            FormatAssignmentFile(app.compare_set(),
                                 BankAssignment{K::kCard11, K::kNotOnKeyboard, K::kUser}));
  const std::string reabank = files_.Contents(InCompare("QS+ Banks.reabank"));
  EXPECT_LT(reabank.find("Bank 0 0 Gamma\r\n"), reabank.find("Bank 15 0 Alpha\r\n"));
  EXPECT_EQ(reabank.find("Beta"), std::string::npos);

  // Offered from now on, though the file on disk says otherwise; used once
  // as confirmed: the next export writes no assignment file.
  EXPECT_EQ(app.OfferAssignment().chosen, (std::vector<int>{15, 16, 0}));
  app.Click(menu::kCreateMidnamFile);
  EXPECT_EQ(files_.created().back(), InCompare("QS+ Banks.midnam"));
  EXPECT_EQ(files_.created().size(), 3u);

  // Reading the banks again forgets it: the file speaks again.
  app.Click(menu::kReadInputFilesAgain);
  EXPECT_EQ(app.OfferAssignment().chosen, (std::vector<int>{8, 0, 1}));
}

TEST_F(SequencerCommandsTest, AChoiceThatCannotBeSavedStopsTheExport) {
  const Command& command = kCommands[0];
  for (const bool file_output : {true, false}) {
    files_ = FakeReportFiles();
    files_.FailOpen(InCompare("QS+ Banks.slots"));
    Application& app = Start();
    if (!file_output) app.Click(menu::kControlFileOutput);
    ASSERT_EQ(app.ConfirmAssignment(std::vector<int>{0, 1, 2}), "");
    app.Click(command.item);
    if (file_output) {
      EXPECT_EQ(window_.status(), "Message: ' *.txt File Open Error!'");
      EXPECT_TRUE(files_.created().empty());
    } else {
      // With file output off nothing is saved, and the export goes on.
      EXPECT_EQ(window_.status(), Finished(command, "3 banks on the keyboard. 2 program dumps "
                                                    "numbered above 127, or repeated by a later "
                                                    "dump, left out."));
    }
  }
}

TEST_F(SequencerCommandsTest, WithoutADialogTheFileOrTheDefaultIsUsedAndItsFaultsAreNamed) {
  struct Case {
    const char* name;
    const char* slots;  // null: no file
    std::vector<std::string> statuses;
    std::vector<std::string> banks_in_order;
  };
  const Case cases[] = {
      {"no file", nullptr,
       {"Making the REAPER bank file...",
        Finished(kCommands[2], "3 banks on the keyboard. 2 program dumps numbered above 127, "
                               "or repeated by a later dump, left out.")},
       {"Bank 0 0 Alpha", "Bank 1 0 Beta", "Bank 2 0 Gamma"}},
      {"a damaged line", "Gamma.syx\tUser\r\nBeta.syx\tCard 99\r\n",
       {"Compare\\QS+ Banks.slots: one line was ignored, line 2: no keyboard bank 'Card 99'.",
        "Making the REAPER bank file...",
        Finished(kCommands[2], "3 banks on the keyboard. 2 program dumps numbered above 127, "
                               "or repeated by a later dump, left out.")},
       {"Bank 0 0 Gamma", "Bank 1 0 Alpha", "Bank 2 0 Beta"}},
      {"every bank off the keyboard",
       "Alpha.syx\tnone\r\nBeta.syx\tnone\r\nGamma.syx\tnone\r\n",
       {"No bank file is on the keyboard, so 'Compare\\QS+ Banks.reabank' was not written."},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(InCompare("QS+ Banks.slots"));
    if (c.slots != nullptr) dir_.WriteFile("Compare/QS+ Banks.slots", c.slots);
    files_ = FakeReportFiles();
    Application& app = Start();
    const std::size_t before = window_.statuses.size();
    app.Click(menu::kCreateReabankFile);
    EXPECT_EQ(StatusesSince(before), c.statuses);
    std::vector<std::string> banks;
    for (const std::string& line : LinesOf(files_.Contents(InCompare("QS+ Banks.reabank")))) {
      if (line.starts_with("Bank ")) banks.push_back(line);
    }
    EXPECT_EQ(banks, c.banks_in_order);
    EXPECT_FALSE(files_.Created(InCompare("QS+ Banks.slots"))) << "nothing confirmed, nothing saved";
  }
}

TEST_F(SequencerCommandsTest, BanksBeyondTheSixteenthAreLeftOutAndCounted) {
  for (int i = 0; i < 15; ++i) {
    dir_.WriteFile("Compare/More" + std::to_string(10 + i) + ".syx",
                   BankOfDistinctPatches(2, 2000 + 10 * static_cast<std::uint32_t>(i)));
  }
  Application& app = Start();
  ASSERT_EQ(app.compare_set().size(), 18u);
  app.Click(menu::kCreateMidnamFile);
  EXPECT_EQ(window_.status(),
            Finished(kCommands[1], "16 banks on the keyboard. 2 bank files are not on the keyboard "
                                   "and left out. 2 program dumps numbered above 127, or "
                                   "repeated by a later dump, left out."));
}

}  // namespace
}  // namespace dravelin
