// The window from the keyboard and for assistive technology: the menus by
// F10, Alt and mnemonics, Ctrl+Q, the status line as the status bar, and a
// window that fits its screen.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fake_report_files.h"
#include "tests/support/temp_dir.h"
#include "tools/sysex/dump_builder.h"

namespace dravelin {
namespace {

class WindowKeysTest : public ::testing::Test {
 protected:
  // The window shown and active, with the pane holding the focus.
  std::unique_ptr<TForm1> ShowForm() {
    auto form = std::make_unique<TForm1>(FormSettings{dir_.path(), &files_});
    testing::ShowAndWait(*form);
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    EXPECT_EQ(QApplication::focusWidget(), form->data_memo());
    return form;
  }

  testing::TempDir dir_;
  testing::FakeReportFiles files_;
};

QMenu* OpenMenu() { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); }

QString OpenMenuName() { return OpenMenu() != nullptr ? OpenMenu()->objectName() : QString(); }

Qt::Key KeyOf(char mnemonic) {
  const char upper =
      (mnemonic >= 'a' && mnemonic <= 'z') ? static_cast<char>(mnemonic - 32) : mnemonic;
  return static_cast<Qt::Key>(Qt::Key_A + (upper - 'A'));
}

// A key pressed and released where the keyboard's focus is.
void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QWidget* target = QApplication::activePopupWidget();
  if (target == nullptr) target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, key, modifiers);
  testing::ProcessEvents();
}

TEST_F(WindowKeysTest, AltF10AndMnemonicsReachEveryMenuAndEscGoesBackToThePane) {
  auto form = ShowForm();
  QMenuBar* bar = form->menuBar();

  Press(Qt::Key_Alt, Qt::AltModifier);  // alone: the menu bar takes the focus
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->activeAction(), bar->actions().constFirst());
  EXPECT_EQ(OpenMenu(), nullptr);
  Press(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), form->data_memo());

  // F10 as Alt: the first title highlighted, Left and Right between the
  // titles with the focus kept in the menu bar, Down opens the menu.
  Press(Qt::Key_F10);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->activeAction(), bar->actions().constFirst());
  EXPECT_EQ(OpenMenu(), nullptr);
  Press(Qt::Key_Right);
  EXPECT_TRUE(bar->hasFocus());
  EXPECT_EQ(bar->activeAction(), bar->actions().at(1));
  Press(Qt::Key_Left);
  Press(Qt::Key_Left);  // round to the last title
  EXPECT_EQ(bar->activeAction(), bar->actions().constLast());
  Press(Qt::Key_Down);
  EXPECT_EQ(OpenMenuName(), "Help");
  Press(Qt::Key_Right);  // and between open menus
  EXPECT_EQ(OpenMenuName(), "GeneralControl");
  Press(Qt::Key_Escape);
  EXPECT_EQ(OpenMenu(), nullptr);
  Press(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), form->data_memo());

  for (const DropDownMenu& drop_down : kDropDownMenus) {
    SCOPED_TRACE(std::string(drop_down.component));
    Press(KeyOf(drop_down.mnemonic), Qt::AltModifier);
    EXPECT_EQ(OpenMenuName().toStdString(), drop_down.component);
    Press(Qt::Key_Escape);
    Press(Qt::Key_Escape);
    EXPECT_EQ(QApplication::focusWidget(), form->data_memo());
  }
}

// In an open menu an item's letter alone clicks it, also after the program
// changed its caption; a '&' in a caption stays a character.
TEST_F(WindowKeysTest, AnItemsLetterClicksItWhateverItsCaption) {
  auto form = ShowForm();
  QAction* screen_display = form->item_action(menu::kControlScreenDisplay);
  const char* const captions[] = {"Turn On &Screen Display", "Turn Off &Screen Display"};
  for (const char* caption : captions) {
    Press(Qt::Key_G, Qt::AltModifier);
    ASSERT_EQ(OpenMenuName(), "GeneralControl");
    Press(Qt::Key_S);
    EXPECT_EQ(OpenMenu(), nullptr);
    EXPECT_EQ(screen_display->text(), caption);
  }
  EXPECT_EQ(form->msg_label()->text(), "Screen display is now turned ON.");

  form->application().SetItemCaption(menu::kControlFileOutput, "Files & Folders");
  QAction* file_output = form->item_action(menu::kControlFileOutput);
  EXPECT_EQ(file_output->text(), "&Files && Folders");
  EXPECT_EQ(file_output->iconText(), "Files & Folders");
}

TEST_F(WindowKeysTest, CtrlQClosesTheWindow) {
  dir_.WriteFile("Compare/Alpha.syx", sysex::BankOfDistinctPatches(3, 100));
  auto form = ShowForm();
  ASSERT_FALSE(form->application().compare_set().empty());
  Press(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(form->isVisible());
  EXPECT_TRUE(form->application().compare_set().empty()) << "closed as by the close button";
}

TEST_F(WindowKeysTest, StatusLineIsTheStatusBarWithItsText) {
  auto form = ShowForm();
  QAccessibleInterface* status = QAccessible::queryAccessibleInterface(form->msg_label());
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->role(), QAccessible::StatusBar);
  EXPECT_TRUE(status->parent() != nullptr && status->parent()->object() == form->centralWidget());

  form->ShowStatus("Comparing patches...");
  EXPECT_EQ(status->text(QAccessible::Name), "Comparing patches...");
  EXPECT_EQ(status->text(QAccessible::Description), "Comparing patches...");
  form->Click(menu::kControlFileOutput);  // a command's own status text
  EXPECT_EQ(status->text(QAccessible::Name), "File Output is now turned OFF.");
  EXPECT_EQ(status->text(QAccessible::Description), "File Output is now turned OFF.");
}

// The window opens within the screen's available area, centred, and can be
// made as small as designed, or as the screen when that has less room. The
// test runs once more on a 1366x768 screen at a scale factor of 1.5, where
// the designed window does not fit (DRAVELIN_TEST_SMALL_SCREEN is set then).
TEST_F(WindowKeysTest, WindowFitsTheScreensAvailableArea) {
  auto form = ShowForm();
  const QRect room = form->screen()->availableGeometry();
  QWidget* client = form->centralWidget();
  EXPECT_TRUE(room.contains(form->frameGeometry())) << "opens within the screen";
  EXPECT_LE((form->frameGeometry().center() - room.center()).manhattanLength(), 2);

  form->resize(1, 1);
  testing::ProcessEvents();
  if (!qEnvironmentVariableIsSet("DRAVELIN_TEST_SMALL_SCREEN")) {
    EXPECT_EQ(client->size(), QSize(kClientWidth, kClientHeight));
    return;
  }
  ASSERT_LT(room.height(), kClientHeight + form->menuBar()->height()) << "a small screen";
  EXPECT_EQ(client->width(), kClientWidth);
  EXPECT_LT(client->height(), kClientHeight);
  // As small as the screen, frame and all, and the status line stays below
  // the pane.
  EXPECT_EQ(form->frameGeometry().height(), room.height());
  const QRect status = form->msg_label()->geometry();
  EXPECT_GT(status.top(), form->data_memo()->geometry().bottom());
  EXPECT_LT(status.bottom(), client->height());
}

}  // namespace
}  // namespace dravelin
