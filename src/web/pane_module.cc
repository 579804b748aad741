// The page's text pane: the pane model (pane/pane_model.h) compiled to a
// WebAssembly module of its own that runs on the page's thread, beside the
// page script that paints the rows in sight and routes input to it
// (page/pane.js). The core's worker posts the report's lines in batches; the
// page copies each batch in here. The page asks for its rows as it paints,
// synchronously, so painting never waits for another thread.
//
// Text crosses the boundary as bytes in this module's memory: the page
// writes UTF-8 (or a batch of report bytes) into memory it takes with
// malloc and hands over the address; text handed out (UTF-16) is left in one
// buffer, `dravelin_pane_out()`, whose length the call returns.
//
// Counts and offsets are those of the model: cells and columns count
// characters, offsets count UTF-16 units over the whole text with one unit
// per line break (as an assistive technology counts them).

#include <emscripten/emscripten.h>

#include <cstddef>
#include <cstdint>
#include <new>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "pane/line_decoding.h"
#include "pane/pane_model.h"
#include "pane/pane_search.h"

namespace {

using dravelin::PaneModel;
using dravelin::PaneMove;
using dravelin::PanePosition;

PaneModel& Model() {
  static PaneModel model;
  return model;
}

// The text last handed out.
std::u16string& Out() {
  static std::u16string out;
  return out;
}

std::size_t HandOut(std::u16string text) {
  Out() = std::move(text);
  return Out().size();
}

dravelin::PaneSearchResult last_search;

std::string_view Bytes(const char* data, std::size_t size) { return {data, size}; }

}  // namespace

extern "C" {

// --- Program output ---

// Appends `count` lines from `bytes`: line j ends at ends[j] and the next
// starts two bytes later (after its CR LF). `ends` is the page's array of
// 32-bit offsets. Returns 0 when memory ran out: the pane keeps the lines it
// held and the whole lines of the batch it took.
static_assert(sizeof(std::size_t) == sizeof(std::uint32_t), "ends are 32-bit offsets");
EMSCRIPTEN_KEEPALIVE int dravelin_pane_append(const char* bytes, const std::size_t* ends,
                                              std::size_t count) {
  if (count == 0) return 1;
  try {
    Model().AppendLines(Bytes(bytes, ends[count - 1]), std::span<const std::size_t>(ends, count),
                        2);
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

EMSCRIPTEN_KEEPALIVE void dravelin_pane_clear() { Model().Clear(); }

// After output: the caret at the end and the last rows in sight.
EMSCRIPTEN_KEEPALIVE void dravelin_pane_show_output_end() { Model().ShowOutputEnd(); }

// --- The view ---

EMSCRIPTEN_KEEPALIVE void dravelin_pane_set_view(std::size_t columns, std::size_t rows) {
  Model().SetViewSize(columns, rows);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_scroll_to(std::size_t row) { Model().ScrollTo(row); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_top_row() { return Model().top_row(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_last_top_row() { return Model().last_top_row(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_row_count() { return Model().row_count(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_line_count() {
  return Model().text().line_count();
}
// The UTF-16 buffer that the calls below that hand out text fill.
EMSCRIPTEN_KEEPALIVE const char16_t* dravelin_pane_out() { return Out().data(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_row_text(std::size_t row) {
  return HandOut(Model().RowText(row));
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_row_line(std::size_t row) {
  return Model().Row(row).line;
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_selected_from(std::size_t row) {
  return Model().SelectedCells(row).from;
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_selected_to(std::size_t row) {
  return Model().SelectedCells(row).to;
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_caret_row() { return Model().caret_row(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_caret_cell() { return Model().caret_cell(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_caret_line() { return Model().caret().line; }
// The characters line `line` shows.
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_line_text(std::size_t line) {
  if (line >= Model().text().line_count()) return HandOut({});
  return HandOut(dravelin::DecodeLineUtf16(Model().text().Line(line)));
}
// The characters of bytes from the core (a status text, a caption, a file
// name), decoded as pane lines are.
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_decode(const char* bytes, std::size_t size) {
  return HandOut(dravelin::DecodeLineUtf16(Bytes(bytes, size)));
}

// --- Caret and selection ---

// `move` is a PaneMove.
EMSCRIPTEN_KEEPALIVE void dravelin_pane_move(int move, int extend) {
  if (move < 0 || move > static_cast<int>(PaneMove::kDocumentEnd)) return;
  Model().Move(static_cast<PaneMove>(move), extend != 0);
}
// A click at cell `cell` of row `row`; with `extend` (Shift, or a drag) the
// selection runs on to it.
EMSCRIPTEN_KEEPALIVE void dravelin_pane_click(std::size_t row, std::size_t cell, int extend) {
  Model().SetCaret(Model().PositionAtCell(row, cell), extend != 0);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_word_at(std::size_t row, std::size_t cell) {
  Model().SelectWordAt(Model().PositionAtCell(row, cell));
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_line_at(std::size_t row, std::size_t cell) {
  Model().SelectLineAt(Model().PositionAtCell(row, cell));
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_all() { Model().SelectAll(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_selected_text() {
  return HandOut(Model().SelectedTextUtf16());
}

// --- The user's edits (each returns whether the text changed) ---

EMSCRIPTEN_KEEPALIVE int dravelin_pane_type(const char* utf8, std::size_t size) {
  return Model().Type(Bytes(utf8, size)) ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int dravelin_pane_backspace() { return Model().Backspace() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int dravelin_pane_delete_forward() {
  return Model().DeleteForward() ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int dravelin_pane_delete_selection() {
  return Model().DeleteSelection() ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE int dravelin_pane_undo() { return Model().Undo() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int dravelin_pane_redo() { return Model().Redo() ? 1 : 0; }

// --- Searching ---

// Finds `query` (UTF-8): the next match after the selection, the previous
// one before it (`backward`), or, with `from_selection_start`, the first from
// the selection's start on (a query typed on letter by letter). Returns
// whether it found one; its number and the count of all matches follow.
EMSCRIPTEN_KEEPALIVE int dravelin_pane_find(const char* utf8, std::size_t size, int match_case,
                                            int backward, int from_selection_start) {
  const std::string_view query = Bytes(utf8, size);
  last_search = from_selection_start != 0
                    ? Model().FindFromSelectionStart(query, match_case != 0)
                    : Model().Find(query, match_case != 0,
                                   backward != 0 ? dravelin::SearchDirection::kBackward
                                                 : dravelin::SearchDirection::kForward);
  return last_search.found ? 1 : 0;
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_found_number() { return last_search.number; }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_found_count() { return last_search.count; }

// --- Offsets for assistive technologies (UTF-16 units) ---

EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_character_count() {
  return Model().CharacterCount();
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_caret_offset() { return Model().caret_offset(); }
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_anchor_offset() {
  return Model().OffsetOf(Model().anchor());
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_text_between(std::size_t from, std::size_t to) {
  return HandOut(Model().TextBetween(from, to));
}
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_offset_of(std::size_t line, std::size_t column) {
  return Model().OffsetOf(Model().text().Clamp(PanePosition{line, column}));
}

}  // extern "C"
