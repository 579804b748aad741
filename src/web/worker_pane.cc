// The page's text pane, kept in the worker beside the core that writes the
// report's lines into it (web_main.cc appends them where they are made, with
// no copy to another thread). The page paints the rows in sight from views
// the worker's script builds with the calls below after every request, and
// sends the user's keys, clicks and searches, which the script turns into
// these calls (page/worker.js; the messages are those of page/protocol.js).
//
// Text crosses the boundary as bytes in the module's memory: the script
// writes UTF-8 into memory it takes with malloc and hands over the address;
// text handed out (UTF-16) is left in one buffer, `dravelin_pane_out()`,
// whose length the call returns.
//
// Counts and offsets are those of the model: cells and columns count
// characters, offsets count UTF-16 units over the whole text with one unit
// per line break (as an assistive technology counts them).

#include "web/worker_pane.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "base/line_decoding.h"
#include "pane/pane_model.h"
#include "pane/pane_search.h"

namespace {

using dravelin::PaneModel;
using dravelin::PaneMove;

PaneModel& Model() { return dravelin::WorkerPane(); }

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

namespace dravelin {

PaneModel& WorkerPane() {
  static PaneModel model;
  return model;
}

}  // namespace dravelin

extern "C" {

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
// What the find bar shows for the last search of `query` (UTF-8): "N of M",
// "No matches" or nothing; the text is handed out (dravelin_pane_out).
EMSCRIPTEN_KEEPALIVE std::size_t dravelin_pane_found_text(const char* utf8, std::size_t size) {
  const std::string text = dravelin::MatchCountText(last_search, Bytes(utf8, size));
  return HandOut(std::u16string(text.begin(), text.end()));
}

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

}  // extern "C"
