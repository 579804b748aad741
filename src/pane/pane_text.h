// The text of the window's pane, held without any window toolkit: the lines
// the program writes, the user's edits over them, undo and redo of those
// edits, and the rows the lines wrap into at a fixed-pitch width.
//
// A view paints only the rows it shows. It asks for the number of rows at
// its width (RowCount), maps its first visible row to a line and a column
// (RowAt), and decodes those lines only (Line, then DecodeLineUtf16 from
// base/line_decoding.h); nothing is decoded for lines out of sight.
//
// The text is a sequence of lines; there is always at least one. A position
// is a line and a character column in that line (characters as the line
// shows them, see line_decoding.h); a range runs from one position up to,
// not including, another, across line ends as needed. Text handed in or out
// is UTF-8 with '\n' between lines.
//
// Program output and the user's typing are kept apart:
//  - AppendLine and Clear are program output. They are never undo steps.
//    Appending only adds lines after the last one, so the positions of
//    earlier edits stay true and the user's edits stay undoable (and redoable)
//    after output was appended. Clear starts a new text and forgets the undo
//    and redo history with the old one.
//  - Replace, Insert and Delete are the user's edits. Each is one undo step,
//    except that typing (an insertion without a line break that starts where
//    the previous typing ended) joins the step of the typing before it, until
//    anything else happens in between.
//
// Storage: the program's lines are packed in a LineStore (one byte buffer
// in large blocks plus one offset per line, about 4 bytes per line beyond the
// text). An edit never changes those bytes: it writes the lines it produces
// to a second LineStore and splices them into a short list of pieces (runs
// of lines from one store or the other), so undo and redo only exchange
// pieces. Reading line i costs a binary search over the pieces and over the
// store's blocks.

#ifndef DRAVELIN_PANE_PANE_TEXT_H_
#define DRAVELIN_PANE_PANE_TEXT_H_

#include <algorithm>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "pane/line_store.h"

namespace dravelin {

struct PanePosition {
  std::size_t line = 0;
  std::size_t column = 0;  // characters before the position in its line
  friend auto operator<=>(const PanePosition&, const PanePosition&) = default;
};

// The text from `from` up to `to`; empty when they are equal.
struct PaneRange {
  PanePosition from;
  PanePosition to;
  friend bool operator==(const PaneRange&, const PaneRange&) = default;
};

// One visual row: `columns` characters of line `line` from column `column`.
// An empty line is one row of no characters.
struct PaneRow {
  std::size_t line = 0;
  std::size_t column = 0;
  std::size_t columns = 0;
  friend bool operator==(const PaneRow&, const PaneRow&) = default;
};

class PaneText {
 public:
  PaneText() = default;
  PaneText(const PaneText&) = delete;
  PaneText& operator=(const PaneText&) = delete;

  // --- Program output (never an undo step) ---

  // Adds `bytes` (any encoding, no line break) as a new last line. On a
  // cleared text the first appended line becomes line 0. Amortised O(1)
  // beyond copying the bytes. When memory runs out it throws std::bad_alloc
  // and leaves the text as it was; the memory that reading the text later
  // needs (the row and offset indexes) is taken here, so that reading a text
  // that was filled never runs out of memory.
  void AppendLine(std::string_view bytes) {
    const std::size_t end = bytes.size();
    AppendLines(bytes, std::span<const std::size_t>(&end, 1), 0);
  }

  // Adds ends.size() lines from `bytes` as AppendLine would one by one: line
  // j ends at ends[j] and the next starts `separator` bytes later (after a
  // report's CR LF, say; the first starts at 0). The batch is taken in one
  // pass. When memory runs out it throws std::bad_alloc; the text then holds
  // the whole lines of the batch it took, in order, and nothing more.
  void AppendLines(std::string_view bytes, std::span<const std::size_t> ends,
                   std::size_t separator);

  // Empties the text (one empty line), forgets undo and redo, and gives the
  // memory back.
  void Clear();

  // --- Reading ---

  // At least 1: a cleared text is one empty line.
  std::size_t line_count() const;

  // The bytes of line `line` (< line_count()): as appended for the program's
  // lines, UTF-8 for lines the user edited. Decode with DecodeLineUtf16 or
  // DecodeLineUtf8. The view is valid until the next change of the text.
  std::string_view Line(std::size_t line) const;

  // The characters line `line` shows.
  std::size_t LineChars(std::size_t line) const;

  // `position` moved to the nearest position that exists.
  PanePosition Clamp(PanePosition position) const;

  // The range from the start of the text to its end (Ctrl+A).
  PaneRange All() const;

  // The text of `range` (clamped, ends in either order) as it is shown, each
  // line decoded on its own, lines joined by '\n'. For the clipboard.
  std::string Text(PaneRange range) const;
  std::u16string TextUtf16(PaneRange range) const;
  // The UTF-16 units of TextUtf16(range), and that text written to `out`,
  // which has room for it: a view fills its own string type without a
  // second copy of a whole report.
  std::size_t Utf16LengthOf(PaneRange range) const;
  void CopyTextUtf16(PaneRange range, char16_t* out) const;

  // Calls visit(line, bytes, ascii) for the lines first .. last - 1 in
  // order; `ascii` is true when the line is known to hold only ASCII.
  template <typename Visit>
  void VisitLines(std::size_t first, std::size_t last, Visit&& visit) const;

  // --- Offsets in UTF-16 units over the whole text, '\n' between lines ---
  // (as an assistive technology or a UTF-16 string counts them). The index
  // is kept per group of lines, as the rows' is.

  std::size_t Utf16Length() const;
  std::size_t Utf16OffsetOf(PanePosition position) const;
  // The position at `offset` (clamped); an offset inside a character above
  // U+FFFF gives the position before it.
  PanePosition PositionAtUtf16(std::size_t offset) const;

  // --- Rows at a wrap width of `width` characters (0 counts as 1) ---
  // A line of n characters takes max(1, ceil(n / width)) rows. The row index
  // is built on first use for a width and kept up to date lazily; asking for
  // another width rebuilds it (linear in the lines, fast for ASCII lines).

  std::size_t RowCount(std::size_t width) const;

  // Row `row` (clamped to the last row).
  PaneRow RowAt(std::size_t width, std::size_t row) const;

  // The row that shows `position` (clamped). The end of a line that fills
  // its last row exactly belongs to that row.
  std::size_t RowOf(std::size_t width, PanePosition position) const;

  // --- The user's edits ---

  // Replaces the text of `range` (clamped, ends in either order) with
  // `utf8` ('\n' between lines; bytes that are not valid UTF-8 are taken as
  // the Windows code page). Returns the position just after the new text,
  // where the caret belongs. Replacing nothing with nothing changes nothing
  // and is no undo step. The lines the edit touches are stored as UTF-8.
  PanePosition Replace(PaneRange range, std::string_view utf8);
  PanePosition Insert(PanePosition at, std::string_view utf8) { return Replace({at, at}, utf8); }
  PanePosition Delete(PaneRange range) { return Replace(range, {}); }

  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  // Undoes the latest edit step; returns the range that now holds the text
  // the step had replaced (empty for an undone insertion), or nothing when
  // there is no step to undo.
  std::optional<PaneRange> Undo();

  // Does the latest undone step again; returns the range of its new text,
  // or nothing when there is none.
  std::optional<PaneRange> Redo();

  // The range of the present text that Undo (Redo) would replace, or
  // nothing when there is no step.
  std::optional<PaneRange> UndoRange() const;
  std::optional<PaneRange> RedoRange() const;

  // --- Figures ---

  // The bytes of all lines as stored (program lines and edited lines).
  std::size_t text_bytes() const { return output_.text_bytes() + edits_.text_bytes(); }

  // The heap memory the text holds, with its undo history and row index.
  std::size_t MemoryBytes() const;

  // When the program's lines, each followed by CR LF, end with exactly
  // `bytes`, lends their memory to `shared` (LineStore::ShareTail): a report
  // file written beside the pane need not hold its bytes twice. The user's
  // edits play no part.
  bool ShareOutputTail(std::string_view bytes, std::vector<SharedBytes>* shared) const {
    return output_.ShareTail(bytes, shared);
  }

 private:
  enum class Source : std::uint8_t { kOutput, kEdits };

  // Lines first .. first + count - 1 of one store, in text order.
  struct Piece {
    Source source;
    std::size_t first;
    std::size_t count;
  };

  // One undo step: at line `first_line`, the pieces `removed` were replaced
  // by the pieces `inserted`; `before` was the replaced text range and
  // `after_end` the end of the new text.
  struct Step {
    std::size_t first_line;
    std::vector<Piece> removed;
    std::vector<Piece> inserted;
    PaneRange before;
    PanePosition after_end;
    bool typing;
  };

  struct RowIndex {
    std::size_t width = 0;
    // rows_before[g]: rows of the lines before group g (kRowGroupLines each),
    // for the groups counted so far.
    std::vector<std::uint64_t> rows_before;
  };
  // units_before[g]: UTF-16 units of the lines before group g, each line's
  // break included.
  struct OffsetIndex {
    std::vector<std::uint64_t> units_before;
  };
  static constexpr std::size_t kRowGroupLines = 64;

  const LineStore& StoreOf(Source source) const;
  std::size_t PieceOf(std::size_t line) const;
  std::size_t PieceLines() const;
  void PushMerged(std::vector<Piece>& pieces, Piece piece) const;
  void Splice(std::size_t first_line, std::size_t count, std::span<const Piece> insert,
              std::vector<Piece>* removed);
  // Moves the latest step of `from` onto `to`, undoing or redoing it in the
  // text; returns the moved step.
  const Step& MoveLatestStep(std::vector<Step>& from, std::vector<Step>& to, bool undo);
  void RebuildPieceEnds();
  void InvalidateRowsFrom(std::size_t line);
  // Puts the program's lines stored from `stored` on (if any) at the end of
  // the text.
  void TakeOutputFrom(std::size_t stored);

  template <typename Visit>
  void VisitCharCounts(std::size_t first, std::size_t last, Visit&& visit) const;
  const RowIndex& Rows(std::size_t width) const;
  const OffsetIndex& Offsets() const;
  // Makes room in both indexes for `lines` lines.
  void ReserveIndexes(std::size_t lines);

  template <typename Out, typename AppendDecoded>
  Out Extract(PaneRange range, AppendDecoded append) const;

  LineStore output_;
  LineStore edits_;
  std::vector<Piece> pieces_;           // empty: the text is one empty line
  std::vector<std::size_t> piece_end_;  // lines up to the end of each piece
  std::vector<Step> undo_;
  std::vector<Step> redo_;
  bool typing_open_ = false;  // the next typing may join the top undo step
  mutable RowIndex rows_;
  mutable OffsetIndex offsets_;
};

template <typename Visit>
void PaneText::VisitLines(std::size_t first, std::size_t last, Visit&& visit) const {
  if (first >= last) return;
  if (pieces_.empty()) {
    visit(std::size_t{0}, std::string_view(), true);
    return;
  }
  std::size_t line = first;
  for (std::size_t p = PieceOf(first); p < pieces_.size() && first < last; ++p) {
    const Piece& piece = pieces_[p];
    const std::size_t piece_start = piece_end_[p] - piece.count;
    const std::size_t count = std::min(last, piece_end_[p]) - first;
    StoreOf(piece.source)
        .VisitLines(piece.first + (first - piece_start), count,
                    [&](std::string_view bytes, bool ascii) { visit(line++, bytes, ascii); });
    first += count;
  }
}

}  // namespace dravelin

#endif  // DRAVELIN_PANE_PANE_TEXT_H_
