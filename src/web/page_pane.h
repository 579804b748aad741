// The page's text pane as the worker's script drives it: the pane model that
// the core's lines go into, the calls the page's input becomes (one method
// per call of page/protocol.js's paneCalls), and the view the page paints
// after them, written as JSON. worker_pane.cc hands these to the script as
// the module's exports (page_protocol.h); they live here, away from the
// module's glue, so that they are built and tested natively too.
//
// Units are the model's (pane/pane_model.h): rows and cells count from 0,
// offsets and the `from`, `to` of a row's selection count UTF-16 units.

#ifndef DRAVELIN_WEB_PAGE_PANE_H_
#define DRAVELIN_WEB_PAGE_PANE_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "pane/pane_find.h"
#include "pane/pane_model.h"

namespace dravelin {

class PagePane {
 public:
  // A selection's text travels with a view up to this many UTF-16 units, so
  // that the page can hand it to the clipboard at once; a longer one is
  // asked for when it is copied (SelectedText).
  static constexpr std::size_t kMostViewSelectionUnits = std::size_t{1} << 20;
  // The most rows a view holds.
  static constexpr std::size_t kMostShownRows = 1000;

  PagePane() = default;
  PagePane(const PagePane&) = delete;
  PagePane& operator=(const PagePane&) = delete;

  PaneModel& model() { return model_; }
  const PaneModel& model() const { return model_; }

  // --- The page's calls ---

  // The pane's size in cells, and the rows a view holds (those in sight
  // and one cut off below; clamped to 1 .. kMostShownRows).
  void View(std::size_t columns, std::size_t rows, std::size_t shown_rows);
  void ScrollTo(std::size_t row) { model_.ScrollTo(row); }
  void ScrollBy(std::ptrdiff_t rows);
  // A move by its name in the page's key table ("charBackward",
  // "wordForward", "documentEnd", ... : PaneMove's names without the k, the
  // first letter small); false for a name it does not know.
  bool Move(std::string_view move, bool extend);
  // A click at cell `cell` of row `row`; with `extend` (Shift, or a drag)
  // the selection runs on to it.
  void Click(std::size_t row, std::size_t cell, bool extend);
  void SelectWordAt(std::size_t row, std::size_t cell);
  void SelectLineAt(std::size_t row, std::size_t cell);
  void SelectAll() { model_.SelectAll(); }
  // Selects UTF-16 units [from, to) of the text of row `row` (a row the
  // browser changed, read back).
  void SelectRowUnits(std::size_t row, std::size_t from, std::size_t to);
  void Type(std::string_view utf8) { model_.Type(utf8); }
  void Backspace() { model_.Backspace(); }
  void DeleteForward() { model_.DeleteForward(); }
  void DeleteSelection() { model_.DeleteSelection(); }
  // An undo or a redo that changed the text has the next view read the
  // caret's line out again.
  void Undo() { read_line_ = model_.Undo() || read_line_; }
  void Redo() { read_line_ = model_.Redo() || read_line_; }
  // The find bar's search for `query` (UTF-8): `step` is "typed", "next"
  // or "previous" (PaneFind::Step); the next view says what the bar shows.
  void Find(std::string_view query, bool match_case, std::string_view step);

  // --- What the page reads ---

  // What the page paints and what assistive technologies read, now, as a
  // JSON object:
  //   top, rowCount, lastTopRow: the view's first row, the rows, the highest
  //     first row;
  //   rows: [{ text, from, to }], the rows from `top` on, each with its
  //     selected UTF-16 units [from, to) (`to` one past the text where a
  //     selected line break shows as one more cell);
  //   caretRow, caretCell, caretUnit: the caret's row, its cell (where it
  //     paints) and its unit in that row's text (where the browser's caret
  //     goes);
  //   caretLine, caretLineText: the caret's line and its text, read out when
  //     the caret comes to another line; readLine: an undo or redo changed
  //     the text, so the line is read out again;
  //   selectedText: the selection's text, null when it is too long to travel
  //     with a view; findSeed: what the find bar opens with (PaneFind::Seed),
  //     or null. Both only when the selection or the text changed since the
  //     last view that held them;
  //   findCount: what the find bar shows now (PaneFind::CountText);
  //     searched: true when a search was made since the last view (its
  //     count is then announced);
  //   input: `answers_input`, whether the view answers the page's calls.
  // readLine and searched start afresh after each view.
  std::string ViewJson(bool answers_input);

  // Line `line` as the pane shows it, or nothing past the last line.
  std::optional<std::u16string> LineText(std::size_t line) const;
  // The whole text, and the selection's, lines joined by '\n'.
  std::u16string AllText() const;
  std::u16string SelectedText() const { return model_.SelectedTextUtf16(); }

  // What an assistive technology reads of the whole text (its rows in sight
  // aside), as JSON: { caret, anchor, characterCount, lineCount }, offsets in
  // UTF-16 units over the whole text with one unit per line break. Read on
  // demand only, never with a view.
  std::string OffsetsJson() const;

 private:
  PaneModel model_;
  PaneFind find_{model_};
  std::size_t shown_rows_ = 1;
  bool read_line_ = false;
  bool searched_ = false;
  // The selection and the text whose selected text and seed the page was
  // last sent: caret, anchor and the model's text_changes().
  struct SentSelection {
    PanePosition caret;
    PanePosition anchor;
    std::uint64_t text_changes = 0;
    friend bool operator==(const SentSelection&, const SentSelection&) = default;
  };
  std::optional<SentSelection> sent_selection_;
};

// `text` written as a JSON string, quotes included: UTF-8, with a character
// that UTF-16 holds as a lone surrogate written as its \u escape.
void AppendJsonUtf16(std::string& json, std::u16string_view text);

}  // namespace dravelin

#endif  // DRAVELIN_WEB_PAGE_PANE_H_
