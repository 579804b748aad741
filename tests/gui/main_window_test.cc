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
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/application.h"
#include "app/menu_table.h"
#include "report/report_channel.h"
#include "tests/gui/gui_test_support.h"
#include "tools/sysex/dump_builder.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

using testing::PaneText;

TEST(DecodeAnsiTest, ShowsUtf8FileNamesAndWindowsCodePageBytes) {
  const struct {
    const char* bytes;
    const char16_t* shown;
  } cases[] = {
      {"Warm Pad ~?", u"Warm Pad ~?"},
      {"B\xC3\xA4sse", u"B\u00E4sse"},  // valid UTF-8
      {"B\xE4sse", u"B\u00E4sse"},      // not UTF-8: the Windows code page
      {"\x80 \x99", u"\u20AC \u2122"},  // code page bytes without a Latin-1 twin
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DecodeAnsi(c.bytes), QString::fromUtf16(c.shown)) << c.bytes;
  }
}

class MainWindowTest : public ::testing::Test {
 protected:
  std::unique_ptr<TForm1> MakeForm(std::size_t pane_line_limit = kPaneLineLimit) {
    return std::make_unique<TForm1>(FormSettings{dir_.path(), &files_, pane_line_limit});
  }

  testing::TempDir dir_;
  testing::FakeReportFiles files_;
};

struct ExpectedMenu {
  const char* component;
  const char* caption;
  std::vector<std::pair<const char*, const char*>> items;  // component, caption
};

TEST_F(MainWindowTest, MenuBarHoldsEveryMenuAndItemInOrderWithoutShortcuts) {
  const std::vector<ExpectedMenu> expected = {
      {"GeneralControl",
       "General Control",
       {{"ReadInputFilesAgain", "Read Input Sysex Files Again"},
        {"ControlScreenDisplay", "Turn Off Screen Display"},
        {"ControlFileOutput", "Turn Off File Output"}}},
      {"CreateNameLists",
       "Create Name Lists",
       {{"CreatePatchNameFiles", "Create Patch Name List Files"},
        {"CreateInsFiles", "Create Instrument File Sections"}}},
      {"CompareWithinDirectory",
       "Compare Within 'Compare' Directory",
       {{"PrintAllSimilarities", "Print All Similarities"},
        {"PrintOnlyIdentities", "Print Only Identities"}}},
      {"CompareToBaseDirectory",
       "Compare To 'Base' Directory",
       {{"PrintUniqueOnly", "Print Unique Patches Only"},
        {"PrintIdenticalOnly", "Print Identical Patches Only"}}},
      {"Help",
       "Help",
       {{"AboutDravelin", "About Dravelin"},
        {"BackgroundInfo", "What does the Dravelin Program Do?"},
        {"ListReportInfo", "How to Create Patch List Reports"},
        {"ComparisonReportInfo", "How to Create Comparison Reports"},
        {"InstallInfo", "How to Install this Program"},
        {"ExecutionInfo", "How to Run this Program"},
        {"TutorialInfo", "Tutorial or 'Quick Start' Information"},
        {"EditInfo", "How to Put New Patches into Your User Bank"},
        {"HelpGenControl", "Help on the Submenu - General Control"},
        {"HelpCreateLists", "Help on the Submenu - Create Name Lists"},
        {"HelpCompareWithin", "Help on the Submenu - Compare Within 'Compare' Directory"},
        {"HelpCompareToBase", "Help on the Submenu - Compare To 'Base' Directory"}}},
  };
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  QMenuBar* bar = form->widget()->menuBar();
  EXPECT_EQ(bar->objectName(), "MainMenu1");
  const QList<QAction*> menus = bar->actions();
  ASSERT_EQ(menus.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t m = 0; m < expected.size(); ++m) {
    SCOPED_TRACE(expected[m].component);
    QAction* menu_action = menus[static_cast<qsizetype>(m)];
    ASSERT_NE(menu_action->menu(), nullptr);
    EXPECT_EQ(menu_action->menu()->objectName(), expected[m].component);
    EXPECT_EQ(menu_action->menu()->title(), expected[m].caption);
    EXPECT_TRUE(QKeySequence::mnemonic(menu_action->text()).isEmpty());
    // All five fit the menu bar at the designed width.
    EXPECT_LT(bar->actionGeometry(menu_action).right(), bar->width());
    const QList<QAction*> items = menu_action->menu()->actions();
    ASSERT_EQ(items.size(), static_cast<qsizetype>(expected[m].items.size()));
    for (std::size_t i = 0; i < expected[m].items.size(); ++i) {
      const QAction* item = items[static_cast<qsizetype>(i)];
      EXPECT_EQ(item->objectName(), expected[m].items[i].first);
      EXPECT_EQ(item->text(), expected[m].items[i].second);
      EXPECT_TRUE(item->shortcuts().isEmpty()) << expected[m].items[i].first;
      EXPECT_TRUE(QKeySequence::mnemonic(item->text()).isEmpty()) << expected[m].items[i].first;
    }
  }

}

TEST_F(MainWindowTest, LayoutColoursAndFontsAreAsDesigned) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  EXPECT_EQ(form->widget()->objectName(), "Form1");
  EXPECT_EQ(form->widget()->windowTitle().toStdString(),
            "Dravelin   ---   Patch Data Reporting Tool for Alesis QuadraSynth+ Sysex Files");
  EXPECT_EQ(QApplication::applicationName(), "Dravelin");

  QWidget* client = form->widget()->centralWidget();
  EXPECT_EQ(client->size(), QSize(kClientWidth, kClientHeight));
  EXPECT_EQ(client->palette().color(QPalette::Window), QColor(Qt::black));
  const std::pair<const char*, QRect> placements[] = {
      {"Shape1", QRect(4, 473, 661, 25)},   {"Shape2", QRect(6, 475, 657, 21)},
      {"MsgLabel", QRect(8, 477, 653, 17)}, {"Shape3", QRect(4, 4, 661, 467)},
      {"Shape4", QRect(6, 6, 657, 463)},    {"DataMemo", QRect(7, 8, 654, 459)},
  };
  // Listed in painting order; a resized window keeps every place.
  const QList<QWidget*> children = client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  ASSERT_EQ(children.size(), 6);
  for (const QSize size : {QSize(kClientWidth, kClientHeight + 30), QSize(900, 700)}) {
    form->widget()->resize(size);
    testing::ProcessEvents();
    for (qsizetype i = 0; i < children.size(); ++i) {
      EXPECT_EQ(children[i]->objectName(), placements[i].first);
      EXPECT_EQ(children[i]->geometry(), placements[i].second) << placements[i].first;
    }
  }

  const QLabel* label = form->msg_label();
  EXPECT_EQ(label->palette().color(QPalette::Window), QColor(192, 192, 192));
  EXPECT_EQ(label->font().family(), "Times New Roman");
  EXPECT_EQ(label->font().pixelSize(), 12);
  EXPECT_FALSE(label->wordWrap());

  const QPlainTextEdit* memo = form->data_memo();
  EXPECT_EQ(memo->font().family(), "Courier New");
  EXPECT_EQ(memo->font().pixelSize(), 12);
  EXPECT_TRUE(QFontInfo(memo->font()).fixedPitch());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_FALSE(memo->isReadOnly());
  // A separator line of the reports fits one line of the pane.
  const int text_width =
      memo->viewport()->width() - 2 * static_cast<int>(memo->document()->documentMargin());
  EXPECT_LE(QFontMetrics(memo->font()).horizontalAdvance(QString(kSeparatorLine.size(), '-')),
            text_width);
}

TEST_F(MainWindowTest, SwitchItemsFlipTheirCaptionsAndTellTheNewState) {
  auto form = MakeForm();
  const std::tuple<MenuItemId, const char*, const char*> steps[] = {
      {menu::kControlScreenDisplay, "Turn On Screen Display",
       "Screen display is now turned OFF."},
      {menu::kControlFileOutput, "Turn On File Output", "File Output is now turned OFF."},
      {menu::kControlScreenDisplay, "Turn Off Screen Display",
       "Screen display is now turned ON."},
      {menu::kControlFileOutput, "Turn Off File Output", "File Output is now turned ON."},
  };
  for (const auto& [item, caption, status] : steps) {
    form->item_action(item)->trigger();
    EXPECT_EQ(form->item_action(item)->text(), caption);
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
  auto form = MakeForm();
  // The pane starts with one empty line; appending goes after it.
  EXPECT_EQ(form->pane_line_count(), 1u);
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
    EXPECT_EQ(form->pane_line_count(), lines.size());
  }
}

TEST_F(MainWindowTest, LinesArriveInOneBatchAndStopAtThePaneLimit) {
  auto form = MakeForm(5);
  form->RunCommand([&] {
    form->ClearPane();
    EXPECT_FALSE(form->data_memo()->updatesEnabled());
    for (int i = 1; i <= 8; ++i) form->AppendPaneLine("line " + std::to_string(i));
    EXPECT_TRUE(form->data_memo()->document()->isEmpty()) << "no line is laid out yet";
  });
  EXPECT_TRUE(form->data_memo()->updatesEnabled());
  EXPECT_EQ(form->data_memo()->toPlainText().toStdString(),
            "line 1\nline 2\nline 3\nline 4\nline 5\n"
            "*** 3 more lines are not shown: the pane holds at most 5 lines. ***");

  // The next output counts afresh.
  form->Click(menu::kAboutDravelin);
  EXPECT_EQ(PaneText(*form),
            "\n\n\n\n        * * * * * * * * * * * * * * * * * * * * * * * * * * * *\n"
            "*** 12 more lines are not shown: the pane holds at most 5 lines. ***");
}

TEST_F(MainWindowTest, HelpIsShownWithTheScreenDisplayOffAndWritesNoFile) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  auto form = MakeForm();
  form->Click(menu::kControlScreenDisplay);
  const QString status = form->msg_label()->text();
  form->Click(menu::kEditInfo);
  form->Click(menu::kEditInfo);
  EXPECT_EQ(PaneText(*form).rfind("\nHow to Put New Patches into Your User Bank\n", 0), 0u);
  EXPECT_EQ(form->data_memo()->document()->blockCount(), 29) << "one copy";
  EXPECT_EQ(form->msg_label()->text(), status);
  EXPECT_TRUE(files_.created().empty());
}

// Closes the error boxes that appear while it lives and keeps what they said.
class MessageBoxCatcher {
 public:
  MessageBoxCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box == nullptr || !box->isVisible()) continue;
        boxes.push_back(box->windowTitle() + "|" + box->text() + "|" +
                        (box->icon() == QMessageBox::Critical ? "critical" : "other"));
        box->accept();
      }
    });
    timer_.start(20);
  }
  std::vector<QString> boxes;  // title|text|icon

 private:
  QTimer timer_;
};

TEST_F(MainWindowTest, EscapingExceptionsAreShownAndTheProgramGoesOn) {
  auto form = MakeForm();
  testing::ShowAndWait(*form);
  MessageBoxCatcher catcher;
  form->RunCommand([&] {
    form->ClearPane();
    form->AppendPaneLine("before the fault");
    throw std::runtime_error("the disk is on fire");
  });
  EXPECT_EQ(catcher.boxes, std::vector<QString>{"Dravelin|the disk is on fire|critical"});
  EXPECT_TRUE(form->data_memo()->updatesEnabled());
  EXPECT_EQ(PaneText(*form), "before the fault");

  // From a real command: the report files cannot be created.
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  testing::HookedReportFiles failing(
      [](const std::filesystem::path&) { throw std::runtime_error("no room for reports"); });
  TForm1 failing_form(FormSettings{dir_.path(), &failing});
  failing_form.item_action(menu::kPrintOnlyIdentities)->trigger();
  EXPECT_EQ(catcher.boxes.back(), "Dravelin|no room for reports|critical");
  failing_form.item_action(menu::kAboutDravelin)->trigger();
  EXPECT_EQ(failing_form.data_memo()->document()->blockCount(), 17);
}

TEST_F(MainWindowTest, ClosingTheWindowReleasesBothSets) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  dir_.WriteFile("Base/Beta.syx", sysex::BankOfDistinctPatches(2, 900));
  auto form = MakeForm();
  ASSERT_EQ(form->application().compare_set().size(), 1u);
  ASSERT_EQ(form->application().base_set().size(), 1u);
  testing::ShowAndWait(*form);
  EXPECT_TRUE(form->widget()->close());
  EXPECT_TRUE(form->application().compare_set().empty());
  EXPECT_TRUE(form->application().base_set().empty());
}

}  // namespace
}  // namespace dravelin
