// The window's text pane: every line the program writes, and the user's
// typing over them, shown in a fixed-pitch font with long lines wrapping at
// the pane's width.
//
// The text lives in a PaneText (pane/pane_text.h), outside Qt; the widget
// paints only the rows in sight, asking the text for them. Appending a line
// stores its bytes and nothing more while an OutputHold lives (a menu
// command), so a report of millions of lines costs no per-line Qt work; the
// view catches up once, when the last hold ends: the caret moves to the end
// of the text and the last rows come into sight.
//
// The user scrolls (wheel, keys, bar), selects (mouse, shift with the
// movement keys), copies, cuts, pastes and types as in a plain text editor,
// and has the usual context menu. Undo and redo reach only the user's own
// edits: program output is never an undo step.

#ifndef DRAVELIN_GUI_DATA_MEMO_H_
#define DRAVELIN_GUI_DATA_MEMO_H_

#include <QAbstractScrollArea>
#include <cstddef>
#include <string_view>

#include "pane/pane_text.h"

class QMenu;
class QString;

namespace dravelin {

class DataMemo final : public QAbstractScrollArea {
 public:
  // The blank space between the pane's edges and its text, in pixels.
  static constexpr int kMargin = 2;

  explicit DataMemo(QWidget* parent = nullptr);
  ~DataMemo() override;

  DataMemo(const DataMemo&) = delete;
  DataMemo& operator=(const DataMemo&) = delete;

  // --- Program output ---

  // Adds `bytes` (one line, no line break, any encoding: see
  // pane/line_decoding.h) after the last line.
  void AppendLine(std::string_view bytes);

  // Empties the pane: afterwards it is one empty line, and the first line
  // appended takes that line's place. Forgets the undo history.
  void Clear();

  // While one lives, output is only stored; the view is brought up to date
  // when the last one ends.
  class OutputHold {
   public:
    explicit OutputHold(DataMemo& memo);
    ~OutputHold();
    OutputHold(const OutputHold&) = delete;
    OutputHold& operator=(const OutputHold&) = delete;

   private:
    DataMemo& memo_;
  };

  // --- What the pane holds and shows ---

  const PaneText& text() const { return text_; }
  std::size_t line_count() const { return text_.line_count(); }

  // Line `line` as shown, or the text of `range`, lines joined by '\n'.
  QString LineText(std::size_t line) const;
  QString Text(PaneRange range) const;
  QString PlainText() const { return Text(text_.All()); }

  // The selection, from its start to its end (empty: no selection), and the
  // caret, which is at one of its ends.
  PaneRange selection() const;
  PanePosition caret() const { return caret_; }

  // Characters per row: long lines wrap after this many.
  std::size_t columns() const { return columns_; }
  // Rows in the pane at its width, and the first row in sight.
  std::size_t row_count() const { return text_.RowCount(columns_); }
  std::size_t top_row() const;

  bool CanUndo() const { return text_.CanUndo(); }
  bool CanRedo() const { return text_.CanRedo(); }

  // --- The user's commands, as the keys and the context menu run them ---

  void SelectAll();
  void Copy();
  void Cut();
  void Paste();
  void DeleteSelection();
  void Undo();
  void Redo();
  // Replaces the selection with `text` (UTF-8, '\n' between lines), as
  // typing does.
  void Type(std::string_view utf8);

  // Moves the caret; with `extend` the selection then runs from its anchor
  // to the new place.
  void MoveCaret(PanePosition position, bool extend);

  // The context menu, as it is shown at the moment; the caller owns it.
  QMenu* CreateContextMenu(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  bool focusNextPrevChild(bool next) override;

 private:
  // Takes the font's cell size and the viewport's width in characters; keeps
  // the line at the top in sight when the width changes.
  void UpdateGeometry();
  void UpdateScrollRange();
  void OutputArrived();
  // After an edit or an undo step: the caret in sight, the view repainted.
  void TextEdited(PanePosition caret);
  int VisibleRows() const;
  void ScrollToRow(std::size_t row);
  void EnsureCaretVisible();
  PanePosition PositionAt(QPoint point) const;
  // The position `column` characters into row `row` (clamped), never past
  // the last character of a row that is not its line's last.
  PanePosition PositionInRow(std::size_t row, std::size_t column) const;
  // The position one character before or after `position`, across line
  // ends; the same position at either end of the text.
  PanePosition Before(PanePosition position) const;
  PanePosition After(PanePosition position) const;
  bool HandleMovementKey(QKeyEvent* event);
  void RestartCaretBlink();
  void AutoScroll();

  PaneText text_;
  PanePosition caret_;
  PanePosition anchor_;
  // The caret's column within its row that up and down keep to.
  std::size_t goal_column_ = 0;
  int char_width_ = 1;
  int line_height_ = 1;
  std::size_t columns_ = 1;
  int holds_ = 0;
  bool output_pending_ = false;
  bool caret_shown_ = true;
  bool selecting_ = false;  // the left button is down in the text
  int blink_timer_ = 0;
  int scroll_timer_ = 0;
  QPoint drag_point_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DATA_MEMO_H_
