// The worker's own script. The page builds the worker from protocol.js, this
// text and the compiled core (one Blob), so that it runs from file://. The
// page reads the chosen files itself (a worker cannot read a File in every
// browser) and hands their bytes over; they become the in-memory folders
// /work/Compare and /work/Base, which the core reads as the desktop program
// reads its folders. The pane's model is here too, where the core writes the
// report's lines into it: the page sends the user's input and paints the
// views posted back, so no report's text has to travel to the page.
'use strict';

function dravelinPost([message, transfer]) {
  postMessage(message, transfer);
}

var Module = {
  onRuntimeInitialized: function () {
    Module._dravelin_init();
    dravelinPost(DravelinProtocol.toPage.ready());
  },
  print: function (text) { dravelinPost(DravelinProtocol.toPage.log(text)); },
  printErr: function (text) { dravelinPost(DravelinProtocol.toPage.log(text)); },
};

// Report files: the core keeps their bytes until the command has ended,
// then hands each over here as pieces of its memory, which become one Blob
// (one copy, straight out of the module's memory); the page receives Blobs,
// which cost a message nothing.
var dravelinFilesClosed = 0;
var dravelinFiles = [];

function dravelinFileClosed(name) {
  ++dravelinFilesClosed;
}

function dravelinFileBytes(name, shownName, parts) {
  dravelinFiles.push({ name: name, shownName: shownName, blob: new Blob(parts) });
}

// --- The pane ----------------------------------------------------------------

// A text may begin with U+FEFF (the catalogue's first line does); the
// decoder must keep it rather than take it for a byte order mark.
const dravelinUtf16Decoder = new TextDecoder('utf-16le', { ignoreBOM: true });
const dravelinUtf8Encoder = new TextEncoder();

// `length` UTF-16 units at `at` in the module's memory, as a string.
function dravelinUtf16(at, length) {
  return dravelinUtf16Decoder.decode(HEAPU8.subarray(at, at + 2 * length));
}

// The text the pane's last call handed out, `length` UTF-16 units.
function dravelinPaneOut(length) {
  return dravelinUtf16(Module._dravelin_pane_out(), length);
}

// Calls call(address, length) with `text` copied into the module's memory
// as UTF-8.
function dravelinWithText(text, call) {
  const bytes = dravelinUtf8Encoder.encode(text);
  const at = Module._malloc(bytes.length + 1);
  HEAPU8.set(bytes, at);
  try {
    return call(at, bytes.length);
  } finally {
    Module._free(at);
  }
}

// A selection's text travels with every view up to this many UTF-16 units,
// so that the page can hand it to the clipboard at once; a longer one is
// asked for when it is copied.
const kDravelinViewSelectionUnits = 1 << 20;
// The rows a view holds (the page's rows in sight, and one cut off below).
let dravelinShownRows = 1;
// The selection whose text the page holds ([caret, anchor, text version]);
// the text changes with every edit and every request of the core's.
let dravelinSentSelection = null;
let dravelinTextVersion = 0;
function dravelinEdited() { ++dravelinTextVersion; }

// Each makes one "paneInput" call on the model; `result` collects what the
// page reads back.
const dravelinPaneCalls = {
  view: (result, columns, rows, shownRows) => {
    Module._dravelin_pane_set_view(columns, rows);
    dravelinShownRows = Math.max(1, Math.min(shownRows, 1000));
  },
  scrollTo: (result, row) => Module._dravelin_pane_scroll_to(Math.max(0, row)),
  scrollBy: (result, rows) =>
    Module._dravelin_pane_scroll_to(Math.max(0, Module._dravelin_pane_top_row() + rows)),
  move: (result, move, extend) => Module._dravelin_pane_move(move, extend ? 1 : 0),
  click: (result, row, cell, extend) => Module._dravelin_pane_click(row, cell, extend ? 1 : 0),
  selectWordAt: (result, row, cell) => Module._dravelin_pane_select_word_at(row, cell),
  selectLineAt: (result, row, cell) => Module._dravelin_pane_select_line_at(row, cell),
  selectAll: () => Module._dravelin_pane_select_all(),
  type: (result, text) => {
    dravelinEdited();
    if (text) dravelinWithText(text, (at, n) => Module._dravelin_pane_type(at, n));
  },
  backspace: () => { dravelinEdited(); Module._dravelin_pane_backspace(); },
  deleteForward: () => { dravelinEdited(); Module._dravelin_pane_delete_forward(); },
  deleteSelection: () => { dravelinEdited(); Module._dravelin_pane_delete_selection(); },
  undo: (result) => {
    dravelinEdited();
    if (Module._dravelin_pane_undo()) result.readLine = true;
  },
  redo: (result) => {
    dravelinEdited();
    if (Module._dravelin_pane_redo()) result.readLine = true;
  },
  find: (result, query, matchCase, backward, fromSelectionStart) => {
    const found = dravelinWithText(query, (at, n) => Module._dravelin_pane_find(
        at, n, matchCase ? 1 : 0, backward ? 1 : 0, fromSelectionStart ? 1 : 0));
    result.search = { found: found !== 0, number: Module._dravelin_pane_found_number(),
                      count: Module._dravelin_pane_found_count(),
                      text: dravelinPaneOut(dravelinWithText(query, (at, n) =>
                        Module._dravelin_pane_found_text(at, n))) };
  },
};

// What the page paints and what assistive technologies read, now.
function dravelinPaneView(result) {
  const m = Module;
  const top = m._dravelin_pane_top_row();
  const rowCount = m._dravelin_pane_row_count();
  const rows = [];
  for (let row = top; row < rowCount && row < top + dravelinShownRows; ++row) {
    rows.push({ text: dravelinPaneOut(m._dravelin_pane_row_text(row)),
                from: m._dravelin_pane_selected_from(row), to: m._dravelin_pane_selected_to(row) });
  }
  const caret = m._dravelin_pane_caret_offset();
  const anchor = m._dravelin_pane_anchor_offset();
  const selected = Math.abs(caret - anchor);
  const caretLine = m._dravelin_pane_caret_line();
  // The selection's text comes only when the page does not hold it yet.
  const selection = [caret, anchor, dravelinTextVersion];
  const sent = dravelinSentSelection;
  const selectionText = {};
  if (!sent || sent.some((value, i) => value !== selection[i])) {
    dravelinSentSelection = selection;
    selectionText.selectedText =
        selected === 0 ? ''
      : selected <= kDravelinViewSelectionUnits ? dravelinPaneOut(m._dravelin_pane_selected_text())
      : null;
  }
  return Object.assign({
    top, rowCount, lastTopRow: m._dravelin_pane_last_top_row(), rows,
    caretRow: m._dravelin_pane_caret_row(), caretCell: m._dravelin_pane_caret_cell(),
    caretLine, caretLineText: dravelinPaneOut(m._dravelin_pane_line_text(caretLine)),
    lineCount: m._dravelin_pane_line_count(), characterCount: m._dravelin_pane_character_count(),
    caret, anchor, readLine: false, search: null, input: false,
  }, selectionText, result);
}

function dravelinPostPaneView(result) {
  dravelinPost(DravelinProtocol.toPage.paneView(dravelinPaneView(result || {})));
}

function dravelinPaneInput(calls) {
  // The page waits for the view: it is posted whatever the calls did.
  const result = { input: true };
  try {
    for (const [name, ...args] of calls) {
      if (!Object.hasOwn(DravelinProtocol.paneCalls, name)) {
        throw new Error('dravelin: an unexpected pane call "' + name + '"');
      }
      dravelinPaneCalls[name](result, ...args);
    }
  } finally {
    dravelinPostPaneView(result);
  }
}

function dravelinPaneQuery(m) {
  let text = null;  // also when the text did not fit in memory
  try {
    text = dravelinPaneText(m);
  } finally {
    dravelinPost(DravelinProtocol.toPage.paneAnswer(m.id, text));
  }
}

function dravelinPaneText(m) {
  if (m.what === 'all') {
    return dravelinPaneOut(Module._dravelin_pane_text_between(
        0, Module._dravelin_pane_character_count()));
  }
  if (m.what === 'line') {
    return m.line >= 0 && m.line < Module._dravelin_pane_line_count()
               ? dravelinPaneOut(Module._dravelin_pane_line_text(m.line)) : null;
  }
  return dravelinPaneOut(Module._dravelin_pane_selected_text());
}

// Hands the keyboard banks dialog's choice to the core; false when it
// refused it (it has posted why).
function dravelinConfirmAssignment(chosen) {
  const at = Module._malloc(4 * Math.max(1, chosen.length));
  try {
    HEAP32.set(Int32Array.from(chosen, (n) => n | 0), at >> 2);
    return Module._dravelin_confirm_assignment(at, chosen.length) !== 0;
  } finally {
    Module._free(at);
  }
}

// A file the page could not read: it opens, but every read of it fails as
// a disk error does (EIO), so the core treats it as a bank file that fails
// to read.
function dravelinUnreadable(path) {
  FS.writeFile(path, new Uint8Array(0));
  const node = FS.lookupPath(path).node;
  node.stream_ops = Object.assign({}, node.stream_ops, {
    read: () => { throw new FS.ErrnoError(29); },
  });
}

// Puts the files of each folder below /work, replacing what was there. A
// folder that was not chosen is missing, as on the desktop.
function dravelinMount(folders) {
  try { FS.mkdir('/work'); } catch (e) { /* already there */ }
  for (const name of ['Compare', 'Base']) {
    const dir = '/work/' + name;
    try {
      for (const entry of FS.readdir(dir)) {
        if (entry !== '.' && entry !== '..') FS.unlink(dir + '/' + entry);
      }
      FS.rmdir(dir);
    } catch (e) { /* not there */ }
    const files = folders[name];
    if (!files) continue;
    FS.mkdir(dir);
    for (const file of files) {
      const path = dir + '/' + file.name;
      if (file.bytes) FS.writeFile(path, new Uint8Array(file.bytes), { canOwn: true });
      else dravelinUnreadable(path);
    }
  }
}

function dravelinRun(run) {
  try {
    run();
  } catch (e) {
    dravelinPost(DravelinProtocol.toPage.log(String(e && e.stack || e)));
  }
}

// The pane's own requests, answered as protocol.js says.
const dravelinPaneRequests = {
  paneInput: (m) => dravelinPaneInput(m.calls),
  paneQuery: dravelinPaneQuery,
};

onmessage = function (event) {
  if (Object.hasOwn(dravelinPaneRequests, event.data.type)) {
    dravelinRun(() => DravelinProtocol.dispatch(event.data, dravelinPaneRequests));
    return;
  }
  dravelinRun(() => DravelinProtocol.dispatch(event.data, {
    folders: (m) => {
      dravelinMount(m.folders);
      Module._dravelin_load();
    },
    click: (m) => {
      if (m.folders) dravelinMount(m.folders);
      if (m.assignment && !dravelinConfirmAssignment(m.assignment)) return;
      Module._dravelin_click(m.item);
    },
    assignment: () => Module._dravelin_offer_assignment(),
    filesSaved: (m) => Module._dravelin_files_saved(m.written ? 1 : 0),
  }));
  dravelinEdited();
  dravelinRun(() => dravelinPostPaneView());
  // The request has ended: the page may paint its end before the files
  // are put together.
  dravelinPost(DravelinProtocol.toPage.done(dravelinFilesClosed));
  if (dravelinFilesClosed > 0) {
    dravelinFilesClosed = 0;
    dravelinRun(() => Module._dravelin_hand_over_files());
    dravelinPost(DravelinProtocol.toPage.files(dravelinFiles));
    dravelinFiles = [];
  }
};
