// The boundary between the page's core (this WebAssembly module, run in a
// Web Worker) and the worker's script, from the core's side. The worker's
// script calls the functions below, one per request the page sends; the core
// answers only through the posts of page/protocol.js (DravelinProtocol.post),
// which web_main.cc calls. page/protocol.js describes every message between
// the page and the worker; this file and that one are the only places that
// name them.

#ifndef DRAVELIN_WEB_PAGE_PROTOCOL_H_
#define DRAVELIN_WEB_PAGE_PROTOCOL_H_

#include <cstddef>

extern "C" {

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

}  // extern "C"

#endif  // DRAVELIN_WEB_PAGE_PROTOCOL_H_
