// The worker's own script. The page builds the worker from this text
// followed by the compiled core (one Blob), so that it runs from file://.
// The chosen folders are mounted read-only (WORKERFS: files are read when
// the core reads them, never copied) as /work/Compare and /work/Base.
'use strict';

var Module = {
  onRuntimeInitialized: function () {
    // Reads of the chosen files: each read of a File is a round trip to the
    // browser, so a file is read ahead in pieces of kReadAhead bytes (one
    // piece kept per open file; memory stays bounded whatever the file's
    // size). A file that can no longer be read (removed or changed since it
    // was chosen) fails its read as a disk error does (EIO) instead of
    // throwing through the core.
    const kReadAhead = 4 << 20;
    WORKERFS.stream_ops.read = function (stream, buffer, offset, length, position) {
      try {
        const file = stream.node.contents;
        if (position >= file.size) return 0;
        let ahead = stream.dravelinAhead;
        if (!ahead || position < ahead.at || position >= ahead.at + ahead.bytes.length) {
          const end = Math.min(file.size, position + Math.max(length, kReadAhead));
          ahead = stream.dravelinAhead = {
            at: position,
            bytes: new Uint8Array(WORKERFS.reader.readAsArrayBuffer(file.slice(position, end))),
          };
        }
        const start = position - ahead.at;
        const count = Math.min(length, ahead.bytes.length - start);
        buffer.set(ahead.bytes.subarray(start, start + count), offset);
        return count;
      } catch (e) {
        if (e instanceof FS.ErrnoError) throw e;
        throw new FS.ErrnoError(29);
      }
    };
    Module._dravelin_init();
    postMessage({ type: 'ready' });
  },
  print: function (text) { postMessage({ type: 'log', text: text }); },
  printErr: function (text) { postMessage({ type: 'log', text: text }); },
};

var dravelinFolders = { Compare: null, Base: null };

// Report files: the core keeps their bytes until the command has ended,
// then hands each over here as pieces of its memory, which become one Blob
// (one copy, straight out of the module's memory); the page receives Blobs,
// which cost a message nothing.
var dravelinFilesClosed = 0;
var dravelinFiles = [];

function dravelinFileClosed(name) {
  ++dravelinFilesClosed;
  postMessage({ type: 'fileClosed', name: name });
}

function dravelinFileBytes(name, parts) {
  dravelinFiles.push({ name: name, blob: new Blob(parts) });
}

// Buffers that carried pane lines to the page come back here when the page's
// pane has let go of them (it was cleared) and carry the next lines: fresh
// memory is slow to come by, and a large report needs tens of megabytes of
// it. Buffers are made in whole megabytes so that the next report's batches
// fit into them; at most kSpareBytes are kept.
var dravelinSpare = [];
const kSpareBytes = 256 << 20;

function dravelinBuffer(Type, length) {
  const size = length * Type.BYTES_PER_ELEMENT;
  let best = -1;
  for (let i = 0; i < dravelinSpare.length; ++i) {
    const spare = dravelinSpare[i].byteLength;
    if (spare >= size && (best < 0 || spare < dravelinSpare[best].byteLength)) best = i;
  }
  const buffer = best >= 0 ? dravelinSpare.splice(best, 1)[0]
                           : new ArrayBuffer(Math.ceil(size / (1 << 20)) * (1 << 20));
  return new Type(buffer, 0, length);
}

// Warming up at idle time. Memory touched for the first time costs far more
// than the work a report does with it (several milliseconds a megabyte), so
// after start-up the worker touches the module's memory where the next large
// allocations go: up to kWarmHeapBytes above what the allocator has taken,
// within the memory's initial size, which holds the largest reports' files
// and pane batches. The module's memory never shrinks, so it stays warm.
// The page warms the pane buffers meanwhile (page.js). The work is done in
// slices of kWarmSlice bytes, one task each, so that a command that arrives
// meanwhile runs at once, with what has been warmed so far.
const kWarmHeapBytes = 96 << 20;
const kWarmSlice = 4 << 20;

var dravelinWarmedTo = 0;  // the memory below this has been touched
var dravelinLoads = 0;  // the folders messages taken so far
var dravelinWarming = false;

// The idle work after each load (the page loads once at start-up), as tasks
// of their own so that the page's messages come first: the core's code
// once (see dravelin_warm_up), then its memory.
var dravelinWarmedUp = false;

function dravelinPrepare() {
  setTimeout(() => {
    if (!dravelinWarmedUp) {
      dravelinWarmedUp = true;
      Module._dravelin_warm_up();
    }
    dravelinWarmHeap();
  }, 0);
}

// Starts warming, or goes on with it: called after each load, which takes
// memory and so moves where the next allocations go.
function dravelinWarmHeap() {
  if (dravelinWarming) return;
  dravelinWarming = true;
  const step = () => {
    const heap = HEAPU8;  // a new view if the memory has grown
    const limit = Math.min(heap.length, Module._dravelin_heap_top() + kWarmHeapBytes);
    const end = Math.min(limit, dravelinWarmedTo + kWarmSlice);
    // Writing each page's first byte back as it is changes nothing but
    // makes the page resident.
    for (let at = dravelinWarmedTo; at < end; at += 4096) heap[at] = heap[at];
    dravelinWarmedTo = Math.max(dravelinWarmedTo, end);
    dravelinWarming = dravelinWarmedTo < limit;
    if (dravelinWarming) setTimeout(step, 0);
    else postMessage({ type: 'prepared', loads: dravelinLoads });
  };
  setTimeout(step, 0);
}

function dravelinTakeSpare(buffers) {
  let kept = dravelinSpare.reduce((sum, b) => sum + b.byteLength, 0);
  for (const buffer of buffers) {
    if (kept + buffer.byteLength > kSpareBytes) break;
    kept += buffer.byteLength;
    dravelinSpare.push(buffer);
  }
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
  if (message.type === 'spare') {  // not a request: no answer
    dravelinTakeSpare(message.buffers);
    return;
  }
  try {
    if (message.type === 'folders') {
      ++dravelinLoads;
      dravelinFolders = message.folders;
      dravelinMount();
      Module._dravelin_load();
      dravelinPrepare();
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
  postMessage({ type: 'done', files: dravelinFilesClosed });
  if (dravelinFilesClosed > 0) {
    dravelinFilesClosed = 0;
    try {
      Module._dravelin_hand_over_files();
    } catch (e) {
      postMessage({ type: 'log', text: String(e && e.stack || e) });
    }
    postMessage({ type: 'files', files: dravelinFiles });
    dravelinFiles = [];
  }
};
