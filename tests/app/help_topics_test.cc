// The Help menu: every topic's layout in the pane, the about banner, and
// that help never touches the status line or a report file.

#include "app/help_topics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "tests/app/recording_window.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::RecordingWindow;
using testing::FakeReportFiles;
using testing::TempDir;

struct ParagraphShape {
  const char* heading;  // "" for none
  std::size_t rows;
  std::size_t width;
};

struct TopicShape {
  MenuItemId item;
  const char* title;
  std::vector<ParagraphShape> paragraphs;
  int step_style;  // 0: plain text; 5 or 7: the last paragraph is numbered steps
  std::vector<const char*> key_sentences;
};

const std::vector<TopicShape>& TopicShapes() {
  static const std::vector<TopicShape> shapes = {
      {menu::kBackgroundInfo,
       "What does the Dravelin Program Do?",
       {{"What is Dravelin?", 8, 76}, {"What types of report files can be created?", 8, 76}},
       0,
       {"Dravelin is a small desktop program for Linux that creates report files",
        "It also runs as a page in any web browser, and without a window as the batch program "
        "'dravelin-batch'.",
        "Dravelin helps you sort them out."}},
      {menu::kListReportInfo,
       "How to Create 'Patch List' Reports",
       {{"What is a patch name list?", 8, 70}, {"What is an instrument file section?", 10, 70}},
       0,
       {"form. Dravelin unpacks the bits and creates the text for you."}},
      {menu::kComparisonReportInfo,
       "How to Create 'Comparison' Reports",
       {{"What is a 'comparison among a set of sysex bank files'?", 11, 70},
        {"What is a 'comparison of one set of sysex files against a base set'?", 7, 70}},
       0,
       {"Many sysex bank files for the QS+ are available on the Internet."}},
      {menu::kInstallInfo,
       "How to Install the Dravelin Program",
       {{"", 4, 76}, {"", 5, 76}, {"", 5, 76}, {"", 4, 76}, {"", 3, 76}},
       0,
       {"directory. If there are no patches here you can do nothing."}},
      {menu::kExecutionInfo,
       "How to Run the Dravelin Program",
       {{"", 8, 74}, {"", 6, 76}, {"", 10, 72}},
       5,
       {"sysex files containing any number of patches from 1 to 128 will work."}},
      {menu::kTutorialInfo,
       "Tutorial or 'Quick Start' Information",
       {{"", 11, 74}, {"", 11, 74}},
       0,
       {"Dravelin prints \"?\" in its place"}},
      {menu::kEditInfo,
       "How to Put New Patches into Your User Bank",
       {{"", 5, 76}, {"", 20, 72}},
       7,
       {"another bank, but that is useless. Here's the right way:",
        "'F0 00 00 0E 0E 00 xx', where 'xx' can be any hex number",
        "Note that patches are numbered 0 to 127, not 1 to 128."}},
      {menu::kHelpGenControl,
       "General Control - Submenu Commands",
       {{"Read Input Sysex Files Again", 5, 70},
        {"Turn On/Off Screen Display", 5, 70},
        {"Turn On/Off File Creation", 5, 70}},
       0,
       {}},
      {menu::kHelpCreateLists,
       "Create Name Lists - Submenu Commands",
       {{"Create Patch Name Lists", 8, 76}, {"Create Instrument File Sections", 13, 76}},
       0,
       {"Any patches beyond 128 (the QS+ maximum) are ignored."}},
      {menu::kHelpCompareWithin,
       "Compare Within 'Compare' Directory - Submenu Commands",
       {{"Print All Similarities", 9, 76}, {"Print Only Identities", 11, 70}},
       0,
       {"Be aware that this file can get very large."}},
      {menu::kHelpCompareToBase,
       "Compare to Base Directory - Submenu Commands",
       {{"Print Unique Patches Only", 11, 76}, {"Print Identical Patches Only", 10, 76}},
       0,
       {}},
      {menu::kHelpCollection,
       "Sound Groups, Banks Worth Keeping and the Catalogue",
       {{"Print Sound Groups", 13, 76},
        {"Print Banks Worth Keeping", 9, 76},
        {"Create Patch Catalogue", 9, 76}},
       0,
       {"Groups are numbered and listed in the order of their first patch, taking the "
        "'Compare' files in the order they were read, then the 'Base' files",
        "a file that adds nothing is marked 'adds nothing'.",
        "Two copies of one file each add nothing",
        "in UTF-8 with a byte order mark"}},
      {menu::kHelpSequencerFiles,
       "Patch Names for Your Sequencer",
       {{"Which keyboard bank each bank file stands for", 12, 76},
        {"The three files", 8, 76},
        {"Where each sequencer looks for them", 8, 76}},
       0,
       {"'Compare\\QS+ Banks.slots', which you may edit",
        "'Compare\\QS+ Banks.ins' is a complete instrument definition file",
        "'Compare\\QS+ Banks.midnam' is a MIDI Name Document for the model 'QS+ Banks "
        "(Dravelin)'.",
        "'Compare\\QS+ Banks.reabank' is a bank/program file of REAPER.",
        "'--slot BANK=KEYBOARD_BANK'"}},
      {menu::kHelpNewSoundBanks,
       "Banks of New Sounds for Your Keyboard",
       {{"Build Banks of New Sounds", 15, 76},
        {"What the bank files hold", 10, 76},
        {"How to send a bank to the keyboard", 7, 76}},
       0,
       {"in the folder 'New Banks' beside 'Compare' and 'Base'.",
        "with only its program number changed",
        "No mix, global or other data is written",
        "its line in the list says 'damaged dump rebuilt'.",
        "Set the keyboard to receive program dumps",
        "in the keyboard's User bank, or in a card bank"}},
  };
  return shapes;
}

// Words of `rows` joined by single blanks, indentation dropped.
std::string JoinWords(const std::vector<std::string>& rows) {
  std::string text;
  for (const std::string& row : rows) {
    std::size_t i = 0;
    while (i < row.size()) {
      while (i < row.size() && row[i] == ' ') ++i;
      std::size_t end = i;
      while (end < row.size() && row[end] != ' ') ++end;
      if (end > i) {
        if (!text.empty()) text += ' ';
        text += row.substr(i, end - i);
      }
      i = end;
    }
  }
  return text;
}

// The step mark a numbered row starts with ("  (3) " or "  (3)  "), or "".
std::string StepMark(int style, int number) {
  char mark[16];
  if (style == 5) {
    std::snprintf(mark, sizeof mark, "  (%d) ", number);
  } else {
    std::snprintf(mark, sizeof mark, number < 10 ? "  (%d)  " : "  (%d) ", number);
  }
  return mark;
}

class HelpTest : public ::testing::Test {
 protected:
  HelpTest() : app_(window_, dir_.path(), files_) { app_.LoadBankSets(); }

  TempDir dir_;
  FakeReportFiles files_;
  RecordingWindow window_;
  Application app_;
};

TEST_F(HelpTest, EveryTopicHasItsTitleHeadingsAndParagraphShapes) {
  for (const TopicShape& shape : TopicShapes()) {
    SCOPED_TRACE(shape.title);
    app_.Click(shape.item);
    const std::vector<std::string>& pane = window_.pane;
    ASSERT_GE(pane.size(), 3u);
    EXPECT_EQ(pane[0], "");
    EXPECT_EQ(pane[1], shape.title);
    EXPECT_EQ(pane[2], "");
    std::size_t at = 3;
    std::vector<std::string> all_rows;
    for (std::size_t p = 0; p < shape.paragraphs.size(); ++p) {
      const ParagraphShape& paragraph = shape.paragraphs[p];
      SCOPED_TRACE("paragraph " + std::to_string(p + 1));
      if (p > 0) {
        ASSERT_LT(at, pane.size());
        EXPECT_EQ(pane[at++], "") << "one empty line between paragraphs";
      }
      if (*paragraph.heading != '\0') {
        ASSERT_LT(at + 1, pane.size());
        EXPECT_EQ(pane[at++], std::string("  ") + paragraph.heading);
        EXPECT_EQ(pane[at++], "");
      }
      ASSERT_LE(at + paragraph.rows, pane.size());
      std::vector<std::string> rows;
      std::size_t widest = 0;
      for (std::size_t r = 0; r < paragraph.rows; ++r) {
        const std::string& line = pane[at + r];
        ASSERT_EQ(line.compare(0, 4, "    "), 0) << line;
        rows.push_back(line.substr(4));
        EXPECT_LE(rows.back().size(), paragraph.width - 1) << rows.back();
        widest = std::max(widest, rows.back().size());
        EXPECT_TRUE(rows.back().empty() || rows.back().back() != ' ') << rows.back();
      }
      // Laid out for its own width, not a narrower one.
      EXPECT_GE(widest + 6, paragraph.width - 1);
      at += paragraph.rows;
      const bool steps = shape.step_style != 0 && p + 1 == shape.paragraphs.size();
      if (!steps) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
          if (rows[r].empty()) continue;
          EXPECT_NE(rows[r].front(), ' ') << rows[r];
          // Rows are filled: the next row's first word would not have fit.
          if (r + 1 < rows.size() && !rows[r + 1].empty()) {
            const std::size_t next_word = rows[r + 1].find(' ');
            const std::size_t word =
                next_word == std::string::npos ? rows[r + 1].size() : next_word;
            EXPECT_GT(rows[r].size() + 1 + word, paragraph.width - 1) << rows[r];
          }
        }
      }
      all_rows.insert(all_rows.end(), rows.begin(), rows.end());
    }
    EXPECT_EQ(at, pane.size()) << "nothing follows the last row";
    const std::string words = JoinWords(all_rows);
    for (const char* sentence : shape.key_sentences) {
      EXPECT_NE(words.find(sentence), std::string::npos) << sentence;
    }
  }
}

TEST_F(HelpTest, NumberedStepsKeepTheirIndentation) {
  for (const TopicShape& shape : TopicShapes()) {
    if (shape.step_style == 0) continue;
    SCOPED_TRACE(shape.title);
    app_.Click(shape.item);
    const std::size_t rows = shape.paragraphs.back().rows;
    const std::vector<std::string> lines(window_.pane.end() - static_cast<long>(rows),
                                         window_.pane.end());
    // Body lines are indented by four blanks; continuation rows add six
    // (after "(n) ") or seven (after "(n)  ").
    const std::string continuation(shape.step_style == 5 ? 10 : 11, ' ');
    int next_step = 1;
    for (const std::string& line : lines) {
      const std::string mark = "    " + StepMark(shape.step_style, next_step);
      if (line.compare(0, mark.size(), mark) == 0) {
        EXPECT_NE(line[mark.size()], ' ') << line;
        ++next_step;
      } else {
        ASSERT_GT(next_step, 1) << "a paragraph of steps starts with step 1";
        EXPECT_EQ(line.compare(0, continuation.size(), continuation), 0) << line;
        EXPECT_NE(line[continuation.size()], ' ') << line;
      }
    }
    EXPECT_EQ(next_step - 1, shape.step_style == 5 ? 6 : 11);
  }
}

TEST_F(HelpTest, TutorialEndsWithFiveLinesOfFourBlanks) {
  app_.Click(menu::kTutorialInfo);
  const std::vector<std::string>& pane = window_.pane;
  ASSERT_GE(pane.size(), 6u);
  for (std::size_t i = pane.size() - 5; i < pane.size(); ++i) EXPECT_EQ(pane[i], "    ");
  EXPECT_NE(pane[pane.size() - 6], "    ");
}

TEST_F(HelpTest, AboutBannerIsFramedAndCentredAsDesigned) {
  app_.Click(menu::kAboutDravelin);
  const std::vector<std::string>& pane = window_.pane;
  ASSERT_EQ(pane.size(), 17u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(pane[i], "");
  const std::string star = "        * * * * * * * * * * * * * * * * * * * * * * * * * * * *";
  const std::string frame = "        *                                                     *";
  const std::string exact[13] = {
      star,
      frame,
      "        *  This is version 1.0 of the program, Dravelin.      *",
      frame,
      "",
      frame,
      "        *       Send all questions and comments to:           *",
      frame,
      "",
      "",
      "",
      frame,
      star,
  };
  for (std::size_t i = 0; i < 13; ++i) {
    const std::string& line = pane[4 + i];
    SCOPED_TRACE("banner line " + std::to_string(i + 1));
    ASSERT_EQ(line.size(), 63u);
    EXPECT_EQ(line.substr(0, 8), "        ");
    EXPECT_EQ(line[8], '*');
    EXPECT_EQ(line[62], '*');
    if (!exact[i].empty()) {
      EXPECT_EQ(line, exact[i]);
    }
  }
  // The credit starts in column 12, the contact lines in column 30.
  const std::string& credit = pane[4 + 4];
  EXPECT_EQ(credit.substr(9, 2), "  ");
  EXPECT_NE(credit[11], ' ');
  for (std::size_t i = 8; i <= 10; ++i) {
    const std::string& contact = pane[4 + i];
    EXPECT_EQ(contact.substr(9, 20), std::string(20, ' ')) << contact;
    EXPECT_NE(contact[29], ' ') << contact;
  }
  EXPECT_EQ(kAboutBanner.size(), kAboutBannerLineCount);
}

TEST_F(HelpTest, HelpReplacesThePaneAndLeavesStatusSwitchesAndFilesAlone) {
  app_.Click(menu::kControlScreenDisplay);  // help ignores the switch
  const std::vector<std::string> statuses = window_.statuses;
  const std::vector<MenuItemId> help_items = {
      menu::kAboutDravelin,     menu::kBackgroundInfo,
      menu::kListReportInfo,    menu::kComparisonReportInfo,
      menu::kInstallInfo,       menu::kExecutionInfo,
      menu::kTutorialInfo,      menu::kEditInfo,
      menu::kHelpGenControl,    menu::kHelpCreateLists,
      menu::kHelpCompareWithin, menu::kHelpCompareToBase};
  for (MenuItemId item : help_items) {
    app_.Click(item);
    const std::vector<std::string> once = window_.pane;
    app_.Click(item);
    EXPECT_EQ(window_.pane, once) << MenuItemOf(item).component;
    EXPECT_GE(once.size(), 17u);
  }
  EXPECT_EQ(window_.statuses, statuses);
  EXPECT_TRUE(app_.channel().file_output());
  EXPECT_TRUE(files_.created().empty());
  EXPECT_FALSE(dir_.Exists("Compare"));
}

}  // namespace
}  // namespace dravelin
