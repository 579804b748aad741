// The page's core module (this WebAssembly module, run in a Web Worker) as
// the worker's script sees it: everything the module exports, and everything
// it calls back. This file is the only declaration of either:
//  - the export list of the module's link (src/web/CMakeLists.txt) is read
//    from it, every function below but the dravelin_post_* ones, with
//    malloc and free, through which the script hands the module text;
//  - the dravelin_post_* functions are the script's, in
//    page/module_calls.js (linked as the module's JavaScript library): a
//    declaration without its function there fails the link;
//  - scripts/check_page_interface.py, run by the tests and by the module's
//    build, fails when the script calls an export not declared here, when an
//    export goes uncalled, or when a call of the page's pane
//    (page/protocol.js, paneCalls and paneQueries) has no export here.
// Every message between page and worker is written down in page/protocol.js.
//
// Text crosses as bytes in the module's memory: the script writes UTF-8
// into memory it takes with malloc and passes its address and length; the
// module hands text out as UTF-16 (the posts) or as UTF-8 JSON, NUL ended,
// left in the module's memory until the next call of the same kind.

#ifndef DRAVELIN_WEB_PAGE_PROTOCOL_H_
#define DRAVELIN_WEB_PAGE_PROTOCOL_H_

#include <cstddef>
#include <cstdint>

extern "C" {

// --- The program: one call per request of the page ---

// Creates the program and posts its menu ("menu", each item with the
// archive its report files download in, from the menu table); nothing is
// loaded yet.
void dravelin_init();

// Loads both sets afresh from the folders the worker's script has just
// mounted below /work, as at start-up ("folders").
void dravelin_load();

// Runs the command of menu item `item` (its index in the menu table), as a
// click of it does ("click").
void dravelin_click(int item);

// Posts the keyboard banks dialog to show before the command of an item
// that asks for it ("assignment"); shows on the status line what was wrong
// with the assignment file.
void dravelin_offer_assignment();

// The user's choice in that dialog: `count` indexes into its choices, one
// per bank ("click" with an assignment). Returns 1 when the core took it
// (the click's command follows), else 0 after posting why it refused it
// ("assignmentRefused").
int dravelin_confirm_assignment(const int* chosen, std::size_t count);

// Posts the report files closed since the last call ("files", each named
// by its path below the reports' folder) and frees them; called after each
// request.
void dravelin_hand_over_files();

// The page has saved the report files it was handed (`written` != 0) or
// failed to write one of them: the status line shows the write error
// ("filesSaved").
void dravelin_files_saved(int written);

// --- The pane: one export per call of paneCalls, named after it ---

// The calls and queries that follow act on the report's pane (`details`
// 0) or on the details pane beside it (1), until the next such call: the
// worker's script chooses the pane a message names (its `pane`).
void dravelin_pane_use(int details);

// Each is the PagePane method of its name (web/page_pane.h), which says
// what it does; flags are 0 or 1, text is UTF-8 at `utf8`, `size` bytes.
void dravelin_pane_view(std::size_t columns, std::size_t rows, std::size_t shown_rows);
void dravelin_pane_scroll_to(std::size_t row);
void dravelin_pane_scroll_by(std::ptrdiff_t rows);
void dravelin_pane_move(const char* utf8, std::size_t size, int extend);
void dravelin_pane_click(std::size_t row, std::size_t cell, int extend);
void dravelin_pane_select_word_at(std::size_t row, std::size_t cell);
void dravelin_pane_select_line_at(std::size_t row, std::size_t cell);
void dravelin_pane_select_all();
void dravelin_pane_select_row_units(std::size_t row, std::size_t from, std::size_t to);
void dravelin_pane_type(const char* utf8, std::size_t size);
void dravelin_pane_backspace();
void dravelin_pane_delete_forward();
void dravelin_pane_delete_selection();
void dravelin_pane_undo();
void dravelin_pane_redo();
void dravelin_pane_find(const char* utf8, std::size_t size, int match_case, const char* step,
                        std::size_t step_size);

// The view after the calls (PagePane::ViewJson), `answers_input` 0 or 1.
const char* dravelin_pane_view_json(int answers_input);

// --- The pane's texts: one export per query of paneQueries, named after it ---

// Each answers with JSON: a string (line `line` as shown, the whole text,
// the selection's text), null (past the last line, or where the text did
// not fit in memory), or the object of PagePane::OffsetsJson.
const char* dravelin_pane_query_all();
const char* dravelin_pane_query_line(std::size_t line);
const char* dravelin_pane_query_selected();
const char* dravelin_pane_query_offsets();

// --- What the module calls back: page/module_calls.js ---

// Each posts a message of protocol.js's toPage, the texts copied out of the
// module's memory: UTF-16 (`size` units) or UTF-8 JSON (`size` bytes).
void dravelin_post_status(const char16_t* text, std::size_t size);
void dravelin_post_item(int item, const char16_t* caption, std::size_t size, int enabled);
void dravelin_post_menu(const char* json, std::size_t size);
void dravelin_post_assignment(const char* json, std::size_t size);
void dravelin_post_assignment_refused(const char16_t* text, std::size_t size);
// The details pane holds new details, named `title` ("details").
void dravelin_post_details(const char16_t* title, std::size_t size);
// A report file was closed; its bytes follow after the request
// (dravelin_post_file_bytes).
void dravelin_post_file_closed(const char* name, std::size_t size);
// A closed report file: its name (bytes, and as text) and `count` pieces of
// its bytes whose addresses and lengths alternate in `pieces`. The script
// makes a Blob of them at once (which copies them), so they may be freed
// afterwards.
void dravelin_post_file_bytes(const char* name, std::size_t size, const char16_t* shown,
                              std::size_t shown_size, const std::uint32_t* pieces,
                              std::size_t count);

}  // extern "C"

#endif  // DRAVELIN_WEB_PAGE_PROTOCOL_H_
