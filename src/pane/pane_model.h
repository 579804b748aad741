// The text pane as a user works it, without any window toolkit: the text
// (pane/pane_text.h), the caret and the selection with every move, the rows
// in sight, typing with undo and redo, copying, searching, and the offsets
// an assistive technology asks for. A front end paints the rows in sight and
// turns keys, the mouse and its accessibility requests into calls of this
// class; it keeps no text or caret of its own, so every front end behaves
// alike.
//
// Units: a position's column counts characters (code points) as the line
// shows them, and a row shows `columns()` characters, one fixed-pitch cell
// each. Offsets (for assistive technologies and UTF-16 strings) count UTF-16
// units over the whole text, a line break counting one. Text handed in is
// UTF-8; text handed out is UTF-8 or UTF-16.
//
// The view: the pane shows `visible_rows()` rows of `columns()` characters
// from `top_row()`. Every move and edit keeps the caret in sight; scrolling
// alone does not move the caret.
//
// Edits that fail to allocate change nothing and return false; program
// output that fails to allocate throws std::bad_alloc and leaves the text as
// it was, but for the whole lines of a batch it took (see
// PaneText::AppendLines), so that the command that writes it ends.

#ifndef DRAVELIN_PANE_PANE_MODEL_H_
#define DRAVELIN_PANE_PANE_MODEL_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "pane/pane_change.h"
#include "pane/pane_search.h"
#include "pane/pane_text.h"

namespace dravelin {

enum class PaneMove {
  kCharBackward,
  kCharForward,
  kWordBackward,  // to the start of this or the previous word
  kWordForward,   // to the start of the next word, or the end of the line
  kRowUp,         // the wrapped row above, keeping the column in the row
  kRowDown,
  kPageUp,  // a page of rows up, and the view with it
  kPageDown,
  kLineStart,
  kLineEnd,
  kDocumentStart,
  kDocumentEnd,
};

// Cells [from, to) of a row; `to` may be one past the row's characters when
// a selected line break shows as one more cell.
struct PaneCells {
  std::size_t from = 0;
  std::size_t to = 0;
  friend bool operator==(const PaneCells&, const PaneCells&) = default;
};

// A row as a view paints it: its characters (PaneModel::RowText) and its
// selected cells, both as cells (where they paint) and as UTF-16 indexes
// into `text` (what they paint). A selected line break is one more cell, and
// one unit past the text.
struct PaneShownRow {
  std::u16string text;
  PaneCells selected;
  PaneCells selected_units;
  friend bool operator==(const PaneShownRow&, const PaneShownRow&) = default;
};

// UTF-16 offsets [from, to) over the whole text.
struct PaneOffsets {
  std::size_t from = 0;
  std::size_t to = 0;
  friend bool operator==(const PaneOffsets&, const PaneOffsets&) = default;
};

// The units an assistive technology reads the text by.
enum class PaneTextUnit {
  kCharacter,  // one character: two UTF-16 units above U+FFFF, or a line break
  kWord,       // as PaneModel::WordAround
  kRow,        // a row as it shows, with the line break after a line's last row
  kLine,       // a whole line with its line break
};

// A change of the text as a screen reader is told of it (see
// PaneModel::TakeChangeText).
struct PaneChangeText {
  std::size_t offset = 0;
  std::u16string removed;
  std::u16string inserted;
  friend bool operator==(const PaneChangeText&, const PaneChangeText&) = default;
};

class PaneModel {
 public:
  // Blanks a tab types: up to the next multiple of kTabWidth columns.
  static constexpr std::size_t kTabWidth = 8;

  PaneModel();
  PaneModel(const PaneModel&) = delete;
  PaneModel& operator=(const PaneModel&) = delete;

  const PaneText& text() const { return text_; }

  // --- Program output ---

  // Adds a line after the last (bytes, no line break, any encoding). Throws
  // std::bad_alloc when memory runs out; the text keeps what it held.
  void AppendLine(std::string_view bytes);
  // Adds a batch of lines after the last, as PaneText::AppendLines does: line
  // j ends at ends[j], the next starts `separator` bytes later. Throws
  // std::bad_alloc when memory runs out; the text keeps the whole lines it
  // took.
  void AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                   std::size_t separator);
  // Empties the pane: one empty line, which the next appended line replaces;
  // forgets the undo history.
  void Clear();
  // After a command's output: the caret at the end, the last rows in sight.
  void ShowOutputEnd();

  // --- The view ---

  // The characters per row and the rows in sight (0 counts as 1). A new
  // width keeps the row that was at the top at the top.
  void SetViewSize(std::size_t columns, std::size_t visible_rows);
  std::size_t columns() const { return columns_; }
  std::size_t visible_rows() const { return visible_rows_; }
  std::size_t row_count() const { return text_.RowCount(columns_); }
  std::size_t top_row() const { return top_row_; }
  // The highest top row: the last row at the bottom of the view.
  std::size_t last_top_row() const;
  // Scrolls so that `row` is at the top (clamped).
  void ScrollTo(std::size_t row);

  PaneRow Row(std::size_t row) const { return text_.RowAt(columns_, row); }
  // The row's characters as they show, control characters as blanks.
  std::u16string RowText(std::size_t row) const;
  // The selected cells of the row (empty when none is).
  PaneCells SelectedCells(std::size_t row) const;
  // The row's text with its selected cells, as a view paints it.
  PaneShownRow ShownRow(std::size_t row) const;
  std::size_t RowOf(PanePosition position) const { return text_.RowOf(columns_, position); }
  std::size_t caret_row() const { return RowOf(caret_); }
  // The caret's cell in its row.
  std::size_t caret_cell() const { return caret_.column - Row(caret_row()).column; }
  // The caret's place in RowText(caret_row()), in UTF-16 units.
  std::size_t caret_unit() const;
  // The position at cell `cell` of row `row` (both clamped), where a click
  // there puts the caret: never after the last cell of a row that wraps on.
  PanePosition PositionAtCell(std::size_t row, std::size_t cell) const;
  // The position before UTF-16 unit `unit` of RowText(row) (both clamped; a
  // unit inside a character above U+FFFF gives the position before it).
  PanePosition PositionAtRowUnit(std::size_t row, std::size_t unit) const;

  // --- Caret and selection ---

  PanePosition caret() const { return caret_; }
  PanePosition anchor() const { return anchor_; }
  // From its start to its end; empty when nothing is selected.
  PaneRange selection() const;
  bool has_selection() const { return caret_ != anchor_; }

  // Moves the caret; with `extend` the selection runs from its anchor to the
  // new place, without it a selection collapses.
  void Move(PaneMove move, bool extend);
  void SetCaret(PanePosition position, bool extend);
  void Select(PaneRange range);  // the caret at range.to
  void SelectAll();
  // The word at `position` (or just before it), as a double click selects.
  void SelectWordAt(PanePosition position);
  // The whole line at `position` and its line break, as a triple click does.
  void SelectLineAt(PanePosition position);

  // --- The user's edits ---

  // Replaces the selection with `utf8` ('\n', CR LF or a lone CR between
  // lines, as a clipboard or an input method may hand them). Typing on from
  // where the last typing ended is one undo step with it.
  bool Type(std::string_view utf8);
  // A read-only model refuses every edit below (each returns false): a view
  // of text that is there to be read, such as a patch's details.
  void set_read_only(bool read_only) { read_only_ = read_only; }
  bool read_only() const { return read_only_; }
  // Blanks up to the next tab stop.
  bool TypeTab();
  // Deletes the selection, or else the character before (after) the caret,
  // a line break at a line's start (end).
  bool Backspace();
  bool DeleteForward();
  bool DeleteSelection();
  // Only the user's edits are undone and redone, never program output.
  bool Undo();
  bool Redo();
  bool CanUndo() const { return text_.CanUndo(); }
  bool CanRedo() const { return text_.CanRedo(); }
  // Replaces the text between two offsets (assistive technologies edit so);
  // line breaks as Type takes them.
  bool ReplaceOffsets(std::size_t from, std::size_t to, std::string_view utf8);

  // --- Copying ---

  std::string SelectedText() const { return text_.Text(selection()); }
  std::u16string SelectedTextUtf16() const { return text_.TextUtf16(selection()); }

  // --- Searching ---

  // The next match after the selection (or the caret), or the previous one
  // before it; the match found is selected and scrolled into sight.
  PaneSearchResult Find(std::string_view query, bool match_case, SearchDirection direction);
  // The first match from the selection's start on, so that a query typed
  // on letter by letter keeps the match it already had.
  PaneSearchResult FindFromSelectionStart(std::string_view query, bool match_case);

  // --- Offsets for assistive technologies (UTF-16 units) ---

  std::size_t CharacterCount() const { return text_.Utf16Length(); }
  std::size_t OffsetOf(PanePosition position) const { return text_.Utf16OffsetOf(position); }
  PanePosition PositionAt(std::size_t offset) const { return text_.PositionAtUtf16(offset); }
  std::u16string TextBetween(std::size_t from, std::size_t to) const;
  std::size_t caret_offset() const { return OffsetOf(caret_); }
  // The unit at `offset` (clamped to the text); the one before it ({0, 0}
  // when the unit at `offset` starts the text); and the first that starts
  // at or after its end ({count, count} when it ends the text), count being
  // CharacterCount().
  PaneOffsets UnitAt(std::size_t offset, PaneTextUnit unit) const;
  PaneOffsets UnitBefore(std::size_t offset, PaneTextUnit unit) const;
  PaneOffsets UnitAfter(std::size_t offset, PaneTextUnit unit) const;
  // Scrolls the rows of the text between two offsets into sight, the first
  // at the top, unless all of them are in sight already.
  void ScrollOffsetsIntoSight(std::size_t from, std::size_t to);

  // --- What changed, for assistive technologies ---

  // While on, every edit, Clear and appended batch is noted (an edit counts
  // the text's UTF-16 units, so a view turns this on only while an
  // assistive technology listens); turning it off forgets what was noted.
  void TrackChanges(bool on);
  // The run of the text that changed since the last call, as
  // pane/pane_change.h describes it: typing one character is one unit
  // inserted, Backspace one removed, Undo and Redo the run their step
  // replaced, and a report replacing the pane the whole old text removed and
  // the new one inserted. Nothing when nothing changed or tracking is off.
  std::optional<PaneChange> TakeChange();
  // TakeChange with the texts a screen reader is told: what the change
  // inserted, and what it removed where that was kept, else as many blanks
  // as it removed units (stock text views tell every removal so); each cut
  // to its first `most_units` units. Nothing when nothing changed, tracking
  // is off, or the change took out and put in nothing.
  std::optional<PaneChangeText> TakeChangeText(std::size_t most_units);

  // Counts every change of the text: output appended, the pane cleared,
  // each edit, undo and redo. A view that holds something read from the
  // text knows by it when that has gone stale.
  std::uint64_t text_changes() const { return text_changes_; }

  // The word that holds the character at `position`: a run of letters and
  // digits, of other marks, or of blanks; past a word's end, that word.
  PaneRange WordAround(PanePosition position) const;

 private:
  // Runs an edit that replaces `replaced` (the present text's range); a
  // failure to allocate leaves everything as it was.
  template <typename Change>
  bool Edit(PaneRange replaced, Change&& change);
  PanePosition Before(PanePosition position) const;
  PanePosition After(PanePosition position) const;
  PanePosition WordBefore(PanePosition position) const;
  PanePosition WordAfter(PanePosition position) const;
  void KeepCaretInSight();
  // Sets the column in its row that up and down keep to.
  void TakeGoalColumn();

  PaneText text_;
  bool read_only_ = false;
  std::uint64_t text_changes_ = 0;
  bool tracks_changes_ = false;
  PaneChangeLog changes_;
  PanePosition caret_;
  PanePosition anchor_;
  std::size_t goal_cell_ = 0;
  std::size_t columns_ = 80;
  std::size_t visible_rows_ = 25;
  std::size_t top_row_ = 0;
};

}  // namespace dravelin

#endif  // DRAVELIN_PANE_PANE_MODEL_H_
