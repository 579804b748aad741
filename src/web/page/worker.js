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
  postMessage({ type: 'done', request: message.request });
};
