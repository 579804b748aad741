// The window's pane after a real report, as a screen reader and the keyboard
// reach it: its text and caret through Qt's accessibility interfaces, a
// short key script (type, move by word, select, undo, find) and the find
// bar. The same script in the browser page must give the same text and
// offsets.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleEditableTextInterface>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/menu_table.h"
#include "gui/data_memo.h"
#include "gui/find_bar.h"
#include "gui/main_window.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/temp_dir.h"

namespace dravelin {
namespace {

namespace fs = std::filesystem;

class PaneAccessTest : public ::testing::Test {
 protected:
  PaneAccessTest() {
    fs::copy(fs::path(DRAVELIN_SOURCE_DIR) / "examples" / "Compare", dir_.path() / "Compare");
    form_ = std::make_unique<TForm1>(FormSettings{dir_.path()});
    testing::ShowAndWait(*form_);
    form_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    form_->item_action(menu::kPrintAllSimilarities)->trigger();
    testing::ProcessEvents();
    pane_ = form_->data_memo();
    access_ = QAccessible::queryAccessibleInterface(pane_);
  }

  QAccessibleTextInterface* text() const { return access_->textInterface(); }
  QString Selected() const {
    int from = 0;
    int to = 0;
    text()->selection(0, &from, &to);
    return text()->text(from, to);
  }

  testing::TempDir dir_;
  std::unique_ptr<TForm1> form_;
  DataMemo* pane_ = nullptr;
  QAccessibleInterface* access_ = nullptr;
};

TEST_F(PaneAccessTest, ScreenReaderReadsTheReportAndFollowsTheKeyScript) {
  ASSERT_NE(access_, nullptr);
  EXPECT_EQ(access_->role(), QAccessible::EditableText);
  EXPECT_EQ(access_->text(QAccessible::Name), QStringLiteral("Report"));
  ASSERT_NE(text(), nullptr);
  ASSERT_NE(access_->editableTextInterface(), nullptr);

  // The whole report, as the report file holds it, and the caret after it.
  const QString report = QString::fromUtf8(dir_.ReadFile("Compare/compare.txt"))
                             .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  ASSERT_TRUE(report.startsWith(QStringLiteral("The following sysex files were found")));
  const QString pane_text = text()->text(0, text()->characterCount());
  EXPECT_EQ(pane_text + QStringLiteral("\n"), report);
  EXPECT_EQ(text()->cursorPosition(), text()->characterCount());
  int start = 0;
  int end = 0;
  EXPECT_EQ(text()->textAtOffset(4, QAccessible::ParagraphBoundary, &start, &end),
            report.left(report.indexOf(QLatin1Char('\n')) + 1));

  // The key script.
  QTest::keyClick(pane_, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(text()->cursorPosition(), 0);
  QTest::keyClicks(pane_, QStringLiteral("Hi "));
  EXPECT_EQ(text()->cursorPosition(), 3);
  EXPECT_TRUE(text()->text(0, 40).startsWith(QStringLiteral("Hi The following")));
  QTest::keyClick(pane_, Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(text()->cursorPosition(), 7);  // before "following"
  QTest::keyClick(pane_, Qt::Key_Right, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(text()->cursorPosition(), 17);
  EXPECT_EQ(Selected(), QStringLiteral("following "));
  QTest::keyClick(pane_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(text()->cursorPosition(), 0);
  EXPECT_EQ(text()->text(0, text()->characterCount()), pane_text);

  // Find with the find bar: the first "warm pad" from the caret, then the
  // next with Enter.
  QTest::keyClick(pane_, Qt::Key_F, Qt::ControlModifier);
  FindBar* bar = pane_->find_bar();
  ASSERT_TRUE(bar->field()->hasFocus());
  QTest::keyClicks(bar->field(), QStringLiteral("warm pad"));
  const int first =
      static_cast<int>(pane_text.indexOf(QStringLiteral("warm pad"), 0, Qt::CaseInsensitive));
  const int second = static_cast<int>(
      pane_text.indexOf(QStringLiteral("warm pad"), first + 8, Qt::CaseInsensitive));
  ASSERT_GT(second, first);
  const int count =
      static_cast<int>(pane_text.count(QStringLiteral("warm pad"), Qt::CaseInsensitive));
  EXPECT_EQ(text()->cursorPosition(), first + 8);
  EXPECT_EQ(Selected(), QStringLiteral("Warm Pad"));
  EXPECT_EQ(bar->count_label()->text(), QStringLiteral("1 of %1").arg(count));
  QTest::keyClick(bar->field(), Qt::Key_Return);
  EXPECT_EQ(text()->cursorPosition(), second + 8);
  EXPECT_EQ(bar->count_label()->text(), QStringLiteral("2 of %1").arg(count));
  std::printf("key script: characters %d, after the find %d (first match at %d), %d matches\n",
              text()->characterCount(), text()->cursorPosition(), first, count);

  // A screen reader types through the editable text interface.
  access_->editableTextInterface()->insertText(0, QStringLiteral("AT "));
  EXPECT_TRUE(text()->text(0, 10).startsWith(QStringLiteral("AT The")));
}

}  // namespace
}  // namespace dravelin
