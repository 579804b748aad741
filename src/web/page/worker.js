// The worker's own script. The page builds the worker from protocol.js, this
// text and the compiled core (one Blob), so that it runs from file://. The
// page reads the chosen files itself (a worker cannot read a File in every
// browser) and hands their bytes over; they become the in-memory folders
// /work/Compare and /work/Base, which the core reads as the desktop program
// reads its folders. The pane's model is here too, where the core writes the
// report's lines into it: the page's pane calls and queries are routed to
// the module's exports of the same names (src/web/page_protocol.h), and the
// views it builds are posted back, so no report's text has to travel to the
// page.
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

// A text may begin with U+FEFF (the catalogue's first line does); the
// decoder must keep it rather than take it for a byte order mark.
const dravelinUtf16Decoder = new TextDecoder('utf-16le', { ignoreBOM: true });
const dravelinUtf8Encoder = new TextEncoder();

// `length` UTF-16 units at `at` in the module's memory, as a string.
function dravelinUtf16(at, length) {
  return dravelinUtf16Decoder.decode(HEAPU8.subarray(at, at + 2 * length));
}

// --- The pane: routing only -----------------------------------------------

// Calls the export `name` with `args`: a string goes as the address and
// length of its UTF-8 in the module's memory, a flag as 0 or 1.
function dravelinCallExport(name, args) {
  const call = Module['_' + name];
  if (typeof call !== 'function') throw new Error('dravelin: no export "' + name + '"');
  const taken = [];
  const values = [];
  try {
    for (const arg of args) {
      if (typeof arg === 'string') {
        const bytes = dravelinUtf8Encoder.encode(arg);
        const at = Module._malloc(bytes.length + 1);
        taken.push(at);
        HEAPU8.set(bytes, at);
        values.push(at, bytes.length);
      } else {
        values.push(typeof arg === 'boolean' ? (arg ? 1 : 0) : arg);
      }
    }
    return call(...values);
  } finally {
    for (const at of taken) Module._free(at);
  }
}

// A call or query name of protocol.js as the export's: "selectWordAt"
// becomes "select_word_at".
function dravelinExportName(name) {
  return name.replace(/[A-Z]/g, (c) => '_' + c.toLowerCase());
}

// The view of the pane in use, posted for the pane named `pane`.
function dravelinPostPaneView(answersInput, pane) {
  const json = UTF8ToString(Module._dravelin_pane_view_json(answersInput ? 1 : 0));
  dravelinPost(DravelinProtocol.onPane(pane, DravelinProtocol.toPage.paneView(JSON.parse(json))));
}

function dravelinPaneInput(calls, pane) {
  // The page waits for the view: it is posted whatever the calls did.
  try {
    for (const [name, ...args] of calls) {
      if (!Object.hasOwn(DravelinProtocol.paneCalls, name)) {
        throw new Error('dravelin: an unexpected pane call "' + name + '"');
      }
      dravelinCallExport('dravelin_pane_' + dravelinExportName(name), args);
    }
  } finally {
    dravelinPostPaneView(true, pane);
  }
}

function dravelinPaneQuery(m) {
  let answer = null;
  try {
    if (!Object.hasOwn(DravelinProtocol.paneQueries, m.what)) {
      throw new Error('dravelin: an unexpected pane query "' + m.what + '"');
    }
    answer = JSON.parse(UTF8ToString(
        dravelinCallExport('dravelin_pane_query_' + dravelinExportName(m.what), m.args)));
  } finally {
    dravelinPost(DravelinProtocol.onPane(m.pane, DravelinProtocol.toPage.paneAnswer(m.id, answer)));
  }
}

// --- The program --------------------------------------------------------------

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

// The pane's own requests, answered as protocol.js says, each by the pane
// it names.
const dravelinPaneRequests = {
  paneInput: (m) => dravelinPaneInput(m.calls, m.pane),
  paneQuery: dravelinPaneQuery,
};

onmessage = function (event) {
  if (Object.hasOwn(dravelinPaneRequests, event.data.type)) {
    Module._dravelin_pane_use(event.data.pane === 'details' ? 1 : 0);
    try {
      dravelinRun(() => DravelinProtocol.dispatch(event.data, dravelinPaneRequests));
    } finally {
      Module._dravelin_pane_use(0);
    }
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
  dravelinRun(() => dravelinPostPaneView(false));
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
