// The window's pane as a view: keys, the mouse and the find bar reach the
// pane model, the clipboard receives what is selected, and the rows follow
// the pane's width. (How the model moves, edits and searches is tested with
// the model, in tests/pane.)

#include "gui/data_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

#include "gui/find_bar.h"

namespace dravelin {
namespace {

// A key press with its modifiers; `text` types characters instead.
struct Key {
  Qt::Key key = Qt::Key_unknown;
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
  const char* text = nullptr;
};

constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

class DataMemoTest : public ::testing::Test {
 protected:
  DataMemoTest() {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(12);
    font.setStyleHint(QFont::TypeWriter);
    memo_.setFont(font);
    memo_.resize(300, 200);
    memo_.show();
    memo_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&memo_));
    Fill({"alpha", "beta", "gamma"});
    QApplication::clipboard()->clear();
  }

  void Fill(const std::vector<std::string>& lines) {
    DataMemo::OutputHold hold(memo_);
    memo_.Clear();
    for (const std::string& line : lines) memo_.AppendLine(line);
  }

  void Press(const std::vector<Key>& keys) {
    for (const Key& key : keys) {
      if (key.text != nullptr) {
        QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8(key.text));
        QApplication::sendEvent(&memo_, &typed);
      } else {
        QTest::keyClick(&memo_, key.key, key.modifiers);
      }
    }
  }

  // The middle of the cell of `column` in visible row `row`.
  QPoint CellAt(int row, int column) const {
    const QFontMetrics metrics(memo_.font());
    return {DataMemo::kMargin + column * metrics.horizontalAdvance(QLatin1Char('M')) + 1,
            DataMemo::kMargin + row * metrics.lineSpacing() + metrics.lineSpacing() / 2};
  }

  DataMemo memo_;
};

TEST_F(DataMemoTest, KeysSelectCopyCutAndEdit) {
  struct Case {
    const char* name;
    std::vector<Key> keys;
    const char* pane;
    const char* clipboard;
  };
  const Case cases[] = {
      {"select all and copy",
       {{Qt::Key_A, kCtrl}, {Qt::Key_C, kCtrl}},
       "alpha\nbeta\ngamma",
       "alpha\nbeta\ngamma"},
      {"shift with the arrows",
       {{Qt::Key_Home, kCtrl}, {Qt::Key_Down, kShift}, {Qt::Key_Right, kShift}, {Qt::Key_C, kCtrl}},
       "alpha\nbeta\ngamma",
       "alpha\nb"},
      {"shift with End and Home",
       {{Qt::Key_Up}, {Qt::Key_End}, {Qt::Key_Home, kShift}, {Qt::Key_C, kCtrl}},
       "alpha\nbeta\ngamma",
       "beta"},
      {"cut the end",
       {{Qt::Key_Left, kShift}, {Qt::Key_Left, kShift}, {Qt::Key_X, kCtrl}},
       "alpha\nbeta\ngam",
       "ma"},
      {"type, break, join, delete",
       {{Qt::Key_Home, kCtrl},
        {Qt::Key_Right},
        {.text = "X"},
        {Qt::Key_Return},
        {Qt::Key_Backspace},
        {Qt::Key_Delete}},
       "aXpha\nbeta\ngamma",
       ""},
      {"type over a selection and paste",
       {{Qt::Key_A, kCtrl}, {Qt::Key_C, kCtrl}, {.text = "\xC3\xA9"}, {Qt::Key_V, kCtrl}},
       "\xC3\xA9"
       "alpha\nbeta\ngamma",
       "alpha\nbeta\ngamma"},
      {"backspace across a line start",
       {{Qt::Key_Home, kCtrl}, {Qt::Key_Down}, {Qt::Key_Backspace}},
       "alphabeta\ngamma",
       ""},
      {"ctrl with the arrows moves by word, shift selects",
       {{Qt::Key_Home, kCtrl},
        {Qt::Key_Right, kCtrl},
        {Qt::Key_Right, kCtrl},
        {Qt::Key_Right, kCtrl | kShift},
        {Qt::Key_C, kCtrl}},
       "alpha\nbeta\ngamma",
       "beta"},
      {"tab types blanks to the next stop, undo takes them back",
       {{Qt::Key_Home, kCtrl},
        {Qt::Key_Right},
        {Qt::Key_Tab},
        {Qt::Key_Z, kCtrl},
        {Qt::Key_Right},
        {Qt::Key_Tab}},
       "al      pha\nbeta\ngamma",
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Fill({"alpha", "beta", "gamma"});
    QApplication::clipboard()->clear();
    Press(c.keys);
    EXPECT_EQ(memo_.PlainText().toStdString(), c.pane);
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), c.clipboard);
  }
}

TEST_F(DataMemoTest, MouseSetsTheCaretAndShiftClickSelects) {
  QTest::mouseClick(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(1, 2));
  EXPECT_EQ(memo_.caret(), (PanePosition{1, 2}));
  QTest::mouseClick(memo_.viewport(), Qt::LeftButton, Qt::ShiftModifier, CellAt(2, 3));
  EXPECT_EQ(memo_.selection(), (PaneRange{{1, 2}, {2, 3}}));
  // Beyond the end of a line the caret goes to its end.
  QTest::mouseClick(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(0, 30));
  EXPECT_EQ(memo_.caret(), (PanePosition{0, 5}));
}

TEST_F(DataMemoTest, DoubleClickSelectsAWordAndATripleClickTheLine) {
  Fill({"alpha beta", "gamma"});
  QTest::mouseDClick(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(0, 7));
  EXPECT_EQ(memo_.selection(), (PaneRange{{0, 6}, {0, 10}}));
  QTest::mousePress(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(0, 7));
  QTest::mouseRelease(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(0, 7));
  EXPECT_EQ(memo_.selection(), (PaneRange{{0, 0}, {1, 0}}));
}

TEST_F(DataMemoTest, RowsFollowThePanesWidth) {
  const std::string long_line(95, 'x');
  Fill({"short", long_line + "END"});
  const std::size_t columns = memo_.columns();
  ASSERT_GT(columns, 10u);
  ASSERT_LT(columns, long_line.size());
  EXPECT_EQ(memo_.row_count(), 1 + (long_line.size() + 3 + columns - 1) / columns);
  memo_.resize(900, 200);
  EXPECT_GT(memo_.columns(), columns);
  EXPECT_EQ(memo_.row_count(), 2u);
}

TEST_F(DataMemoTest, FindBarKeysSearchAndCountMatches) {
  Fill({"Pads one", "pads two", "Leads"});
  memo_.setFocus();
  Press({{Qt::Key_Home, kCtrl}, {Qt::Key_F, kCtrl}});
  FindBar* bar = memo_.find_bar();
  ASSERT_TRUE(bar->isVisible());
  ASSERT_TRUE(bar->field()->hasFocus());
  QTest::keyClicks(bar->field(), QStringLiteral("pads"));
  EXPECT_EQ(bar->count_label()->text(), QStringLiteral("1 of 2"));
  EXPECT_EQ(memo_.selection(), (PaneRange{{0, 0}, {0, 4}}));
  struct Step {
    Key key;
    const char* count;
    PaneRange match;
  };
  const Step steps[] = {
      {{Qt::Key_Return}, "2 of 2", {{1, 0}, {1, 4}}},
      {{Qt::Key_Return}, "1 of 2", {{0, 0}, {0, 4}}},  // around the end
      {{Qt::Key_Return, kShift}, "2 of 2", {{1, 0}, {1, 4}}},
      {{Qt::Key_F3, kShift}, "1 of 2", {{0, 0}, {0, 4}}},
      {{Qt::Key_F3}, "2 of 2", {{1, 0}, {1, 4}}},
  };
  for (const Step& step : steps) {
    QTest::keyClick(bar->field(), step.key.key, step.key.modifiers);
    EXPECT_EQ(bar->count_label()->text().toStdString(), step.count);
    EXPECT_EQ(memo_.selection(), step.match);
  }
  bar->match_case()->click();
  EXPECT_EQ(bar->count_label()->text(), QStringLiteral("1 of 1"));
  EXPECT_EQ(memo_.selection(), (PaneRange{{1, 0}, {1, 4}}));
  QTest::keyClicks(bar->field(), QStringLiteral("z"));
  EXPECT_EQ(bar->count_label()->text(), QStringLiteral("No matches"));

  QTest::keyClick(bar->field(), Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(memo_.hasFocus());
  // F3 in the pane finds the field's text again once it is found.
  bar->field()->setText(QStringLiteral("Leads"));
  Press({{Qt::Key_F3}});
  EXPECT_EQ(memo_.selection(), (PaneRange{{2, 0}, {2, 5}}));
}

// Runs where the platform has a primary selection (X11: xvfb-run with
// QT_QPA_PLATFORM=xcb); Qt's offscreen platform has none.
TEST_F(DataMemoTest, SelectingSetsThePrimarySelectionAndAMiddleClickPastesIt) {
  QClipboard* clipboard = QApplication::clipboard();
  if (!clipboard->supportsSelection()) GTEST_SKIP() << "no primary selection on this platform";
  Fill({"alpha beta", "gamma"});
  QTest::mouseDClick(memo_.viewport(), Qt::LeftButton, Qt::NoModifier, CellAt(0, 7));
  EXPECT_EQ(clipboard->text(QClipboard::Selection).toStdString(), "beta");
  QTest::mouseClick(memo_.viewport(), Qt::MiddleButton, Qt::NoModifier, CellAt(1, 2));
  EXPECT_EQ(memo_.PlainText().toStdString(), "alpha beta\ngabetamma");
  EXPECT_EQ(memo_.caret(), (PanePosition{1, 6}));
}

}  // namespace
}  // namespace dravelin
