// The worker's own script. The page builds the worker from protocol.js, this
// text and the compiled core (one Blob), so that it runs from file://. The
// page reads the chosen files itself (a worker cannot read a File in every
// browser) and hands their bytes over; they become the in-memory folders
// /work/Compare and /work/Base, which the core reads as the desktop program
// reads its folders.
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

function dravelinFileBytes(name, parts) {
  dravelinFiles.push({ name: name, blob: new Blob(parts) });
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

onmessage = function (event) {
  dravelinRun(() => DravelinProtocol.dispatch(event.data, {
    folders: (m) => {
      dravelinMount(m.folders);
      Module._dravelin_load();
    },
    click: (m) => {
      if (m.folders) dravelinMount(m.folders);
      Module._dravelin_click(m.item);
    },
    filesSaved: (m) => Module._dravelin_files_saved(m.written ? 1 : 0),
    paneOutOfMemory: () => Module._dravelin_pane_out_of_memory(),
  }));
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
