// The window as built: menu tree, layout and looks, the status line, the
// pane's line handling, exceptions and closing.

#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "report/report_channel.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

using testing::PaneText;

class MainWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> MakeForm() {
    return std::make_unique<TForm1>(FormSettings{dir_.path(), &files_});
  }

  testing::TempDir dir_;
  testing::FakeReportFiles files_;
};

struct ExpectedMenu {
  const char* component;
  const char* caption;
  std::vector<std::pair<const char*, const char*>> items;  // component, caption
};

// Each text marks its mnemonic letter with '&'; the menu shows the caption
// without it.
// Only "Show Patch Details" has a shortcut (F2): it reads the line at the
// caret, so it is pressed while reading the report.
TEST_F(MainWindowTest, MenuBarHoldsEveryMenuAndItemInOrderWithMnemonicsAndOneShortcut) {
  const std::vector<ExpectedMenu> expected = {
      {"GeneralControl",
       "&General Control",
       {{"ReadInputFilesAgain", "&Read Input Sysex Files Again"},
        {"ControlScreenDisplay", "Turn Off &Screen Display"},
        {"ControlFileOutput", "Turn Off &File Output"}}},
      {"CreateNameLists",
       "&Create Name Lists",
       {{"CreatePatchNameFiles", "Create &Patch Name List Files"},
        {"CreateInsFiles", "Create &Instrument File Sections"},
        {"CreatePatchCatalogue", "&Create Patch Catalogue"},
        {"CreateInsDefinitionFile", "Create Instrument &Definition File"},
        {"CreateMidnamFile", "Create &MIDNAM File"},
        {"CreateReabankFile", "Create &REAPER Bank File"}}},
      {"CompareWithinDirectory",
       "Compare &Within 'Compare' Directory",
       {{"PrintAllSimilarities", "Print &All Similarities"},
        {"PrintOnlyIdentities", "Print Only &Identities"},
        {"PrintSoundGroups", "Print Sound &Groups"},
        {"PrintBanksWorthKeeping", "Print Banks Worth &Keeping"},
        {"BuildNewSoundBanks", "&Build Banks of New Sounds"},
        {"PrintNearTwins", "Print &Near Twins"},
        {"ShowPatchDetails", "Show Patch &Details"}}},
      {"CompareToBaseDirectory",
       "Compare To '&Base' Directory",
       {{"PrintUniqueOnly", "Print &Unique Patches Only"},
        {"PrintIdenticalOnly", "Print &Identical Patches Only"}}},
      {"Help",
       "&Help",
       {{"AboutDravelin", "&About Dravelin"},
        {"BackgroundInfo", "&What does the Dravelin Program Do?"},
        {"ListReportInfo", "How to Create &Patch List Reports"},
        {"ComparisonReportInfo", "How to Create Comparison &Reports"},
        {"InstallInfo", "How to &Install this Program"},
        {"ExecutionInfo", "How to R&un this Program"},
        {"TutorialInfo", "&Tutorial or 'Quick Start' Information"},
        {"EditInfo", "How to Put &New Patches into Your User Bank"},
        {"HelpGenControl", "Help on the Submenu - &General Control"},
        {"HelpCreateLists", "Help on the Submenu - Create Name &Lists"},
        {"HelpCompareWithin", "Help on the Submenu - &Compare Within 'Compare' Directory"},
        {"HelpCompareToBase", "Help on the Submenu - Compare To '&Base' Directory"},
        {"HelpCollection", "Help on &Sound Groups, Banks Worth Keeping and the Catalogue"},
        {"HelpSequencerFiles", "Patch Names for &Your Sequencer"},
        {"HelpNewSoundBanks", "Help on Building Ban&ks of New Sounds"},
        {"HelpNearTwins", "Help on Near Twins and Patch &Details"}}},
  };
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  QMenuBar* bar = form->menuBar();
  EXPECT_EQ(bar->objectName(), "MainMenu1");
  const QList<QAction*> menus = bar->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t m = 0; m < expected.size(); ++m) {
    SCOPED_TRACE(expected[m].component);
    QAction* menu_action = menus[static_cast<qsizetype>(m)];
    ASSERT_NE(menu_action->menu(), nullptr);
    EXPECT_EQ(menu_action->menu()->objectName(), expected[m].component);
    EXPECT_EQ(menu_action->menu()->title(), expected[m].caption);
    // All five fit the menu bar at the designed width.
    EXPECT_LT(bar->actionGeometry(menu_action).right(), bar->width());
    const QList<QAction*> items = menu_action->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].items.size()));
    for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
      const QAction* item = items[static_cast<qsizetype>(i)];
      EXPECT_EQ(item->objectName(), expected[m].items[i].first);
      EXPECT_EQ(item->text(), expected[m].items[i].second);
      if (item->objectName() == "ShowPatchDetails") {
        EXPECT_EQ(item->shortcut(), QKeySequence(Qt::Key_F2));
      } else {
        EXPECT_TRUE(item->shortcuts().isEmpty()) << expected[m].items[i].first;
      }
    }
  }
}

TEST_F(MainWindowTest, LayoutColoursAndFontsAreAsDesigned) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  EXPECT_EQ(form->objectName(), "Form1");
  EXPECT_EQ(form->windowTitle().toStdString(),
            "Dravelin   ---   Patch Data Reporting Tool for Alesis QuadraSynth+ Sysex Files");
  EXPECT_EQ(QApplication::applicationName(), "Dravelin");

  QWidget* client = form->centralWidget();
  EXPECT_EQ(client->size(), QSize(kClientWidth, kClientHeight));
  EXPECT_EQ(client->palette().color(QPalette::Window), QColor(Qt::black));
  const std::pair<const char*, QRect> placements[] = {
      {"Shape1", QRect(4, 473, 661, 25)},   {"Shape2", QRect(6, 475, 657, 21)},
      {"MsgLabel", QRect(8, 477, 653, 17)}, {"Shape3", QRect(4, 4, 661, 467)},
      {"Shape4", QRect(6, 6, 657, 463)},    {"DataMemo", QRect(7, 8, 654, 459)},
  };
  // Listed in painting order.
  const QList<QWidget*> children = client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(children.size(), 6);
  for (qsizetype i = 0; i < children.size(); ++i) {
    EXPECT_EQ(children[i]->objectName(), placements[i].first);
    EXPECT_EQ(children[i]->geometry(), placements[i].second) << placements[i].first;
  }

  const QLabel* label = form->msg_label();
  EXPECT_EQ(label->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(label->font().family(), "Times New Roman");
  EXPECT_EQ(label->font().pixelSize(), 12);
  EXPECT_FALSE(label->wordWrap());

  const DataMemo* memo = form->data_memo();
  EXPECT_EQ(memo->font().family(), "Courier New");
  EXPECT_EQ(memo->font().pixelSize(), 12);
  EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  // A separator line of the reports fits one row of the pane.
  EXPECT_GE(memo->columns(), kSeparatorLine.size());
}

// The window opens centred at its designed size. Made larger or maximized,
// the pane and its frames grow with it and the status line stays at the
// bottom, as wide as the window allows; it cannot be made smaller than the
// design.
TEST_F(MainWindowTest, ResizedWindowKeepsItsPartsAtTheEdges) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  QWidget* client = form->centralWidget();
  const QRect screen = form->screen()->availableGeometry();
  EXPECT_LE((form->frameGeometry().center() - screen.center()).manhattanLength(), 2);

  struct Part {
    const char* name;
    QRect designed;
    bool grows_in_height;  // else it keeps its height and its distance to the bottom
  };
  const Part parts[] = {
      {"Shape1", QRect(4, 473, 661, 25), false},   {"Shape2", QRect(6, 475, 657, 21), false},
      {"MsgLabel", QRect(8, 477, 653, 17), false}, {"Shape3", QRect(4, 4, 661, 467), true},
      {"Shape4", QRect(6, 6, 657, 463), true},     {"DataMemo", QRect(7, 8, 654, 459), true},
  };
  const auto expect_parts_follow = [&](const char* what) {
    SCOPED_TRACE(what);
    const QSize grown = client->size() - QSize(kClientWidth, kClientHeight);
    for (const Part& part : parts) {
      QRect expected = part.designed.adjusted(0, 0, grown.width(), 0);
      expected = part.grows_in_height ? expected.adjusted(0, 0, 0, grown.height())
                                      : expected.translated(0, grown.height());
      EXPECT_EQ(client->findChild<QWidget*>(part.name)->geometry(), expected) << part.name;
    }
  };

  const std::size_t designed_columns = form->data_memo()->columns();
  form->resize(1000, 760);
  testing::ProcessEvents();
  EXPECT_EQ(client->width(), 1000);
  EXPECT_GT(client->height(), kClientHeight + 200);
  expect_parts_follow("larger");
  EXPECT_GT(form->data_memo()->columns(), designed_columns + 40);

  form->showMaximized();
  testing::ProcessEvents();
  EXPECT_GT(client->width(), kClientWidth);
  expect_parts_follow("maximized");

  form->showNormal();
  form->resize(300, 200);
  testing::ProcessEvents();
  EXPECT_EQ(client->size(), QSize(kClientWidth, kClientHeight));
  expect_parts_follow("smallest");
}

TEST_F(MainWindowTest, SwitchItemsFlipTheirCaptionsAndTellTheNewState) {
  auto form = MakeForm();
  const std::tuple<MenuItemId, const char*, const char*> steps[] = {
      {menu::kControlScreenDisplay, "Turn On Screen Display", "Screen display is now turned OFF."},
      {menu::kControlFileOutput, "Turn On File Output", "File Output is now turned OFF."},
      {menu::kControlScreenDisplay, "Turn Off Screen Display", "Screen display is now turned ON."},
      {menu::kControlFileOutput, "Turn Off File Output", "File Output is now turned ON."},
  };
  for (const auto& [item, caption, status] : steps) {
    form->item_action(item)->trigger();
    EXPECT_EQ(form->item_action(item)->iconText(), caption);
    EXPECT_EQ(form->msg_label()->text(), status);
  }
}

TEST_F(MainWindowTest, StatusIsPaintedBeforeShowStatusReturnsAndCutNotWrapped) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  testing::PaintRecorder recorder(form->msg_label());
  form->ShowStatus("Comparing patches...");
  ASSERT_FALSE(recorder.painted().empty());
  EXPECT_EQ(recorder.painted().back(), "Comparing patches...");

  const std::string long_text(160, 'W');
  form->ShowStatus(long_text);
  EXPECT_EQ(recorder.painted().back().toStdString(), long_text);
  EXPECT_EQ(form->msg_label()->geometry(), QRect(8, 477, 653, 17));
  EXPECT_GT(form->msg_label()->fontMetrics().horizontalAdvance(form->msg_label()->text()), 653);
}

TEST_F(MainWindowTest, PaneHoldsExactlyTheAppendedLines) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  auto form = MakeForm();
  // The pane starts with one empty line; appending goes after it.
  EXPECT_EQ(form->data_memo()->line_count(), 1u);
  form->RunCommand([&] { form->AppendPaneLine("first"); });
  EXPECT_EQ(PaneText(*form), "\nfirst");

  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{}, ""},
      {{""}, ""},
      {{"a", "", "b"}, "a\n\nb"},
      {{"  indented  ", "x"}, "  indented  \nx"},
      {{"caf\xe9 \x80 \x96"}, "caf\xc3\xa9 \xe2\x82\xac \xe2\x80\x93"},  // single-byte code page
  };
  for (const auto& [lines, text] : cases) {
    form->RunCommand([&] {
      form->ClearPane();
      for (const std::string& line : lines) form->AppendPaneLine(line);
    });
    EXPECT_EQ(PaneText(*form), text);
    EXPECT_EQ(form->data_memo()->line_count(), std::max<std::size_t>(lines.size(), 1));
  }
}

// Output is only stored while a command runs; when it ends, the view shows
// the last lines with the caret after them.
TEST_F(MainWindowTest, OutputComesIntoSightWhenTheCommandEnds) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  DataMemo* memo = form->data_memo();
  form->RunCommand([&] {
    form->ClearPane();
    for (int i = 1; i <= 500; ++i) form->AppendPaneLine("line " + std::to_string(i));
    EXPECT_EQ(memo->verticalScrollBar()->maximum(), 0) << "the view waits for the end";
  });
  EXPECT_EQ(memo->line_count(), 500u);
  EXPECT_GT(memo->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(memo->verticalScrollBar()->value(), memo->verticalScrollBar()->maximum());
  EXPECT_EQ(memo->caret(), (PanePosition{499, 8}));
}

TEST_F(MainWindowTest, HelpIsShownWithTheScreenDisplayOffAndWritesNoFile) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  auto form = MakeForm();
  form->Click(menu::kControlScreenDisplay);
  const QString status = form->msg_label()->text();
  form->Click(menu::kEditInfo);
  form->Click(menu::kEditInfo);
  EXPECT_EQ(PaneText(*form).rfind("\nHow to Put New Patches into Your User Bank\n", 0), 0u);
  EXPECT_EQ(form->data_memo()->line_count(), 29u) << "one copy";
  EXPECT_EQ(form->msg_label()->text(), status);
  EXPECT_TRUE(files_.created().empty());
}

// Bank names come from file names, UTF-8 or not: each pane line is shown in
// its own encoding, whatever its neighbours hold.
TEST_F(MainWindowTest, EachPaneLineIsDecodedOnItsOwn) {
  dir_.WriteFile("Compare/Fl\xC3\xB6te.syx", sysex::BankOfDistinctPatches(2, 100));  // UTF-8
  dir_.WriteFile("Compare/Kl\xE4ng.syx", sysex::BankOfDistinctPatches(2, 300));      // Latin-1
  auto form = MakeForm();
  form->Click(menu::kPrintAllSimilarities);
  const DataMemo& memo = *form->data_memo();
  std::vector<QString> names;
  for (std::size_t line = 1; line <= 2; ++line) names.push_back(testing::PaneLine(memo, line));
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<QString>{QString::fromUtf16(u"  Fl\u00F6te"),
                                         QString::fromUtf16(u"  Kl\u00E4ng")}));
}

// Program output is never an undo step: Undo takes back the user's typing
// and nothing else.
TEST_F(MainWindowTest, UndoReachesOnlyTheUsersTyping) {
  auto form = MakeForm();
  DataMemo* memo = form->data_memo();
  const auto undo_enabled = [&] {
    std::unique_ptr<QMenu> menu(memo->CreateContextMenu(nullptr));
    QAction* undo = menu->findChild<QAction*>(QStringLiteral("edit-undo"));
    return undo != nullptr && undo->isEnabled();
  };
  form->Click(menu::kAboutDravelin);
  const QString banner = memo->PlainText();
  EXPECT_FALSE(undo_enabled());

  memo->Type("typed");
  EXPECT_TRUE(undo_enabled());
  form->Click(menu::kAboutDravelin);  // clears the pane: typing is gone, and its undo
  EXPECT_EQ(memo->PlainText(), banner);
  EXPECT_FALSE(undo_enabled());

  memo->MoveCaret({0, 0}, false);
  memo->Type("typed");
  std::unique_ptr<QMenu> menu(memo->CreateContextMenu(nullptr));
  menu->findChild<QAction*>(QStringLiteral("edit-undo"))->trigger();
  EXPECT_EQ(memo->PlainText(), banner);
  EXPECT_FALSE(undo_enabled()) << "the banner itself cannot be undone";
}

TEST_F(MainWindowTest, EscapingExceptionsAreShownAndTheProgramGoesOn) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  testing::MessageBoxCatcher catcher;
  form->RunCommand([&] {
    form->ClearPane();
    form->AppendPaneLine("before the fault");
    throw std::runtime_error("the disk is on fire");
  });
  EXPECT_EQ(catcher.boxes, std::vector<QString>{"Dravelin|the disk is on fire|critical"});
  EXPECT_EQ(PaneText(*form), "before the fault");
  EXPECT_EQ(form->data_memo()->caret(), (PanePosition{0, 16})) << "the view caught up";

  // From a real command: the report files cannot be created.
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  testing::HookedReportFiles failing(
      [](const std::filesystem::path&) { throw std::runtime_error("no room for reports"); });
  TForm1 failing_form(FormSettings{dir_.path(), &failing});
  failing_form.item_action(menu::kPrintOnlyIdentities)->trigger();
  EXPECT_EQ(catcher.boxes.back(), "Dravelin|no room for reports|critical");
  failing_form.item_action(menu::kAboutDravelin)->trigger();
  EXPECT_EQ(failing_form.data_memo()->line_count(), 17u);
}

TEST_F(MainWindowTest, ClosingTheWindowReleasesBothSets) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  dir_.WriteFile("Base/Beta.syx", sysex::BankOfDistinctPatches(2, 900));
  auto form = MakeForm();
  ASSERT_EQ(form->application().compare_set().size(), 1u);
  ASSERT_EQ(form->application().base_set().size(), 1u);
  testing::ShowAndWait(*form);
  EXPECT_TRUE(form->close());
  EXPECT_TRUE(form->application().compare_set().empty());
  EXPECT_TRUE(form->application().base_set().empty());
}

}  // namespace
}  // namespace dravelin
