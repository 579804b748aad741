// The window's text pane: a view over the pane model (pane/pane_model.h),
// which holds the text, the caret, the selection and the rows in sight. The
// widget paints the rows in sight in a fixed-pitch font and turns keys, the
// mouse, the clipboard and the find bar into model operations; it keeps no
// text or caret of its own.
//
// Appending a line stores its bytes and nothing more while an OutputHold
// lives (a menu command), so a report of millions of lines costs no per-line
// Qt work; the view catches up once, when the last hold ends: the caret
// moves to the end of the text and the last rows come into sight.
//
// The user scrolls, moves by character, word, row, page, line and document,
// selects with shift or the mouse (a double click selects a word, a triple
// click a line), copies, cuts, pastes and types as in a plain text editor,
// and has the usual context menu. Selecting sets the X11 primary selection
// and a middle click pastes it. Ctrl+F opens the find bar. Undo and redo
// reach only the user's own edits. Assistive technologies read and edit the
// text through the accessible text interfaces (gui/data_memo_accessible.h);
// the pane is named "Report"; they use the public interface below.

#ifndef DRAVELIN_GUI_DATA_MEMO_H_
#define DRAVELIN_GUI_DATA_MEMO_H_

#include <QAbstractScrollArea>
#include <QPoint>
#include <QRect>
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>

#include "pane/pane_find.h"
#include "pane/pane_model.h"

class QMenu;
class QString;

namespace dravelin {

class FindBar;

class DataMemo final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // The blank space between the pane's edges and its text, in pixels.
  static constexpr int kMargin = 2;

  explicit DataMemo(QWidget* parent = nullptr);
  ~DataMemo() override;

  DataMemo(const DataMemo&) = delete;
  DataMemo& operator=(const DataMemo&) = delete;

  // --- Program output ---

  // Adds `bytes` (one line, no line break, any encoding: see
  // base/line_decoding.h) after the last line. Throws std::bad_alloc when
  // memory runs out; the pane keeps the lines it holds.
  void AppendLine(std::string_view bytes);
  // Adds a batch of lines as PaneModel::AppendLines does (line j ends at
  // ends[j], the next starts `separator` bytes later), at the cost of one
  // copy of its bytes. Throws std::bad_alloc when memory runs out; the pane
  // keeps the whole lines it took.
  void AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                   std::size_t separator);

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

  const PaneModel& model() const { return model_; }
  const PaneText& text() const { return model_.text(); }
  std::size_t line_count() const { return text().line_count(); }

  // The text of `range` as shown, lines joined by '\n'.
  QString Text(PaneRange range) const;
  QString PlainText() const { return Text(text().All()); }

  PaneRange selection() const { return model_.selection(); }
  PanePosition caret() const { return model_.caret(); }

  // Characters per row: long lines wrap after this many.
  std::size_t columns() const { return model_.columns(); }
  std::size_t row_count() const { return model_.row_count(); }
  std::size_t top_row() const { return model_.top_row(); }

  bool CanUndo() const { return model_.CanUndo(); }
  bool CanRedo() const { return model_.CanRedo(); }

  FindBar* find_bar() const { return find_bar_; }

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
  // Opens the find bar with the focus in its text field.
  void OpenFindBar();

  // A read-only pane refuses every edit (the model's), and Tab moves the
  // focus on instead of typing blanks.
  void SetReadOnly(bool read_only);

  // Moves the caret; with `extend` the selection then runs from its anchor
  // to the new place.
  void MoveCaret(PanePosition position, bool extend);

  // --- What an assistive technology reads and does (UTF-16 offsets) ---

  // Selects the text between two offsets, the caret at `to`.
  void SelectOffsets(std::size_t from, std::size_t to);
  // Replaces the text between two offsets with `utf8`, as an edit.
  void ReplaceOffsets(std::size_t from, std::size_t to, std::string_view utf8);
  // Scrolls the text between two offsets into sight.
  void ScrollOffsetsIntoSight(std::size_t from, std::size_t to);
  // Where cell `cell` of row `row` paints, in the viewport's coordinates.
  QRect CellRect(std::size_t row, std::size_t cell) const;
  // The position a click at `point` of the viewport puts the caret at.
  PanePosition PositionAt(QPoint point) const;

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
  // Takes the font's cell size and the viewport's size in cells.
  void UpdateGeometry();
  void OutputArrived();
  // After the model changed: the scroll bar and the painting follow it, and
  // an assistive technology hears of the caret. With `edited` the text
  // changed too, and it hears what changed (TellTextChange).
  void ModelChanged(bool edited = false);
  // Runs an edit of the text (typing, deleting, undo, redo, an assistive
  // technology's edit); the view follows if it changed anything.
  void EditText(const std::function<bool()>& change);
  // The model notes what changes only while an assistive technology
  // listens; called before each change.
  void TrackChanges();
  // Tells an assistive technology the run of text the model reports changed
  // since it last told one, as a stock text view does: an insertion, a
  // removal, or both.
  void TellTextChange();
  // Puts the selection on the clipboard; false when nothing is selected or
  // memory for the copy ran out.
  bool CopySelection();
  // The selection becomes the X11 primary selection, if it is not empty.
  void OfferPrimarySelection();
  bool HandleMovementKey(QKeyEvent* event);
  void RestartCaretBlink();
  void AutoScroll();
  int VisibleRows() const;
  // Where the find bar lies, at the bottom of the pane, when it is open.
  void PlaceFindBar();

  PaneModel model_;
  PaneFind find_{model_};
  FindBar* find_bar_ = nullptr;
  int char_width_ = 1;
  int line_height_ = 1;
  int holds_ = 0;
  bool output_pending_ = false;
  bool caret_shown_ = true;
  bool selecting_ = false;  // the left button is down in the text
  bool syncing_bar_ = false;
  int blink_timer_ = 0;
  int scroll_timer_ = 0;
  QPoint drag_point_;
  // A third click soon after a double click at the same place selects the
  // line.
  qint64 double_click_time_ = -1;
  QPoint double_click_point_;
};

}  // namespace dravelin

#endif  // DRAVELIN_GUI_DATA_MEMO_H_
