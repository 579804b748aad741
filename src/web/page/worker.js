// The worker's own script. The page builds the worker from this text
// followed by the compiled core (one Blob), so that it runs from file://.
// The chosen folders are mounted read-only (WORKERFS: files are read when
// the core reads them, never copied) as /work/Compare and /work/Base.
'use strict';

var Module = {
  onRuntimeInitialized: function () {
    Module._dravelin_init();
    postMessage({ type: 'ready' });
  },
  print: function (text) { postMessage({ type: 'log', text: text }); },
  printErr: function (text) { postMessage({ type: 'log', text: text }); },
};

var dravelinFolders = { Compare: null, Base: null };

// Report files as the core writes them: their bytes are kept here and
// handed to the page as Blobs after the command, so that a large report
// costs the page one message rather than hundreds.
var dravelinOpenFiles = new Map();
var dravelinClosedFiles = [];

function dravelinFileBytes(file, bytes) {
  if (!dravelinOpenFiles.has(file)) dravelinOpenFiles.set(file, []);
  dravelinOpenFiles.get(file).push(bytes);
}

function dravelinFileClosed(file, name) {
  const parts = dravelinOpenFiles.get(file) || [];
  dravelinOpenFiles.delete(file);
  dravelinClosedFiles.push({ name: name, parts: parts });
}

function dravelinMount() {
  try { FS.mkdir('/work'); } catch (e) { /* already there */ }
  for (const name of ['Compare', 'Base']) {
    const dir = '/work/' + name;
    try { FS.unmount(dir); } catch (e) { /* not mounted */ }
    try { FS.rmdir(dir); } catch (e) { /* not there */ }
    const files = dravelinFolders[name];
    if (files === null) continue;  // no folder chosen: the folder is missing
    FS.mkdir(dir);
    if (files.length > 0) FS.mount(WORKERFS, { files: files }, dir);
  }
}

onmessage = function (event) {
  const message = event.data;
  try {
    if (message.type === 'folders') {
      dravelinFolders = message.folders;
      dravelinMount();
      Module._dravelin_load();
    } else if (message.type === 'click') {
      if (message.folders) {
        dravelinFolders = message.folders;
        dravelinMount();
      }
      Module._dravelin_click(message.item);
    } else if (message.type === 'messageCode') {
      Module._dravelin_show_message_code(message.code);
    }
  } catch (e) {
    postMessage({ type: 'log', text: String(e && e.stack || e) });
  }
  // The command has ended: the page may paint its end before the files
  // are put together.
  const closed = dravelinClosedFiles;
  dravelinClosedFiles = [];
  postMessage({ type: 'done', files: closed.length });
  if (closed.length > 0) {
    postMessage({ type: 'files', files: closed.map(
        (f) => ({ name: f.name, blob: new Blob(f.parts) })) });
  }
};
