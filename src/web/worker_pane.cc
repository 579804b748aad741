// The pane's exports (page_protocol.h): each passes its call on to the
// PagePane in use, the report's or the details', which does the work
// (web/page_pane.h).

#include "web/worker_pane.h"

#include <emscripten/emscripten.h>

#include <cstddef>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "web/page_pane.h"
#include "web/page_protocol.h"

namespace {

using dravelin::PagePane;

// The pane the calls act on (dravelin_pane_use); the report's until then.
PagePane* used = nullptr;

PagePane& Pane() { return used != nullptr ? *used : dravelin::WorkerPane(); }

std::string_view Bytes(const char* data, std::size_t size) { return {data, size}; }

// The JSON last handed out: a view, and a query's answer.
std::string& LastView() {
  static std::string json;
  return json;
}

// Answers a query with `answer()`'s JSON, or null when it does not fit in
// memory.
template <typename Answer>
const char* Query(Answer&& answer) {
  static std::string json;
  try {
    json = answer();
  } catch (const std::bad_alloc&) {
    json = "null";
  }
  return json.c_str();
}

std::string TextJson(const std::optional<std::u16string>& text) {
  if (!text) return "null";
  std::string json;
  dravelin::AppendJsonUtf16(json, *text);
  return json;
}

}  // namespace

namespace dravelin {

PagePane& WorkerPane() {
  static PagePane pane;
  return pane;
}

PagePane& WorkerDetailsPane() {
  static PagePane pane;
  return pane;
}

}  // namespace dravelin

extern "C" {

EMSCRIPTEN_KEEPALIVE void dravelin_pane_use(int details) {
  used = details != 0 ? &dravelin::WorkerDetailsPane() : &dravelin::WorkerPane();
}

EMSCRIPTEN_KEEPALIVE void dravelin_pane_view(std::size_t columns, std::size_t rows,
                                             std::size_t shown_rows) {
  Pane().View(columns, rows, shown_rows);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_scroll_to(std::size_t row) { Pane().ScrollTo(row); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_scroll_by(std::ptrdiff_t rows) { Pane().ScrollBy(rows); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_move(const char* utf8, std::size_t size, int extend) {
  Pane().Move(Bytes(utf8, size), extend != 0);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_click(std::size_t row, std::size_t cell, int extend) {
  Pane().Click(row, cell, extend != 0);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_word_at(std::size_t row, std::size_t cell) {
  Pane().SelectWordAt(row, cell);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_line_at(std::size_t row, std::size_t cell) {
  Pane().SelectLineAt(row, cell);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_all() { Pane().SelectAll(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_select_row_units(std::size_t row, std::size_t from,
                                                         std::size_t to) {
  Pane().SelectRowUnits(row, from, to);
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_type(const char* utf8, std::size_t size) {
  Pane().Type(Bytes(utf8, size));
}
EMSCRIPTEN_KEEPALIVE void dravelin_pane_backspace() { Pane().Backspace(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_delete_forward() { Pane().DeleteForward(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_delete_selection() { Pane().DeleteSelection(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_undo() { Pane().Undo(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_redo() { Pane().Redo(); }
EMSCRIPTEN_KEEPALIVE void dravelin_pane_find(const char* utf8, std::size_t size, int match_case,
                                             const char* step, std::size_t step_size) {
  Pane().Find(Bytes(utf8, size), match_case != 0, Bytes(step, step_size));
}

EMSCRIPTEN_KEEPALIVE const char* dravelin_pane_view_json(int answers_input) {
  LastView() = Pane().ViewJson(answers_input != 0);
  return LastView().c_str();
}

EMSCRIPTEN_KEEPALIVE const char* dravelin_pane_query_all() {
  return Query([] { return TextJson(Pane().AllText()); });
}
EMSCRIPTEN_KEEPALIVE const char* dravelin_pane_query_line(std::size_t line) {
  return Query([line] { return TextJson(Pane().LineText(line)); });
}
EMSCRIPTEN_KEEPALIVE const char* dravelin_pane_query_selected() {
  return Query([] { return TextJson(Pane().SelectedText()); });
}
EMSCRIPTEN_KEEPALIVE const char* dravelin_pane_query_offsets() {
  return Query([] { return Pane().OffsetsJson(); });
}

}  // extern "C"
