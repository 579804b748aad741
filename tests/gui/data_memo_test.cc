// The pane as the user works it: keys and the mouse move the caret and
// select, the clipboard receives what is selected, typing edits the text.

#include "gui/data_memo.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QString>
#include <QTest>
#include <string>
#include <vector>

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

TEST_F(DataMemoTest, LongLinesWrapAtThePanesWidthAndTheCaretFollowsRows) {
  const std::string long_line(95, 'x');
  Fill({"short", long_line + "END"});
  const std::size_t columns = memo_.columns();
  ASSERT_GT(columns, 10u);
  ASSERT_LT(columns, long_line.size());
  const std::size_t wrapped_rows = (long_line.size() + 3 + columns - 1) / columns;
  EXPECT_EQ(memo_.row_count(), 1 + wrapped_rows);
  // Down from the first row keeps the column, row by row through the wrap.
  memo_.MoveCaret({0, 2}, false);
  Press({{Qt::Key_Down}, {Qt::Key_Down}});
  EXPECT_EQ(memo_.caret(), (PanePosition{1, columns + 2}));

  // A wider pane wraps the same line into fewer rows.
  memo_.resize(900, 200);
  EXPECT_GT(memo_.columns(), columns);
  EXPECT_EQ(memo_.row_count(), 2u);
}

}  // namespace
}  // namespace dravelin
