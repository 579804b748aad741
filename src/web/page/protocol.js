// Every message between the page and the core's worker, written down once:
// the page and the worker's script build each message here and take it apart
// with `dispatch`, which refuses a message this file does not declare. Each
// builder returns [message, transfer list]. The core's own side of the
// boundary is src/web/page_protocol.h. Texts from the core (status, captions,
// file names) are its single-byte strings as bytes; the page decodes them.
'use strict';

const DravelinProtocol = Object.freeze({
  // Requests from the page. The worker answers each with "done" once it has
  // ended, then, when the request wrote report files, with "files".
  toWorker: Object.freeze({
    // The chosen folders' files, read by the page: Compare and Base are each
    // null (no folder chosen) or a list of { name, bytes } where bytes is an
    // ArrayBuffer (transferred) or null when the file could not be read.
    // The worker puts them below /work and loads both sets afresh.
    folders: (folders) => {
      const transfer = [];
      for (const list of [folders.Compare, folders.Base]) {
        for (const file of list || []) if (file.bytes) transfer.push(file.bytes);
      }
      return [{ type: 'folders', folders }, transfer];
    },
    // A click of menu item `item` (its index in the core's menu). `folders`
    // (as above, or undefined) replaces the files first, without a load of
    // its own: "Read Input Sysex Files Again" reads what the page read again.
    click: (item, folders) => {
      const [message, transfer] = folders ? DravelinProtocol.toWorker.folders(folders)
                                          : [{}, []];
      return [{ type: 'click', item, folders: message.folders }, transfer];
    },
    // Whether the page wrote every report file of the last "files" message.
    filesSaved: (written) => [{ type: 'filesSaved', written }, []],
    // The page's pane ran out of memory taking a "pane" batch: it keeps the
    // lines it took and drops the rest of the request's; the core ends the
    // command with the out-of-memory message.
    paneOutOfMemory: () => [{ type: 'paneOutOfMemory' }, []],
  }),

  // What the worker posts to the page.
  toPage: Object.freeze({
    // The core has started; the page sends its first "folders".
    ready: () => [{ type: 'ready' }, []],
    // The window's title, drop-down menus and items, as the core describes them.
    menu: (menu) => [{ type: 'menu', menu }, []],
    // Pane lines to append: `bytes` (Uint8Array) holds lines each ended by
    // CR LF, `ends` (Uint32Array) the offset of each line's CR; `ascii` says
    // no byte is above 0x7F. Both buffers are transferred.
    pane: (bytes, ends, ascii) => [{ type: 'pane', bytes, ends, ascii },
                                   [bytes.buffer, ends.buffer]],
    // The pane is empty from now on.
    clear: () => [{ type: 'clear' }, []],
    // The status line shows `bytes` (Uint8Array).
    status: (bytes) => [{ type: 'status', bytes }, []],
    // Menu item `item` shows `caption` (Uint8Array) and is enabled or not.
    item: (item, caption, enabled) => [{ type: 'item', item, caption, enabled }, []],
    // The request has ended; `files` report files follow in "files".
    done: (files) => [{ type: 'done', files }, []],
    // The report files of the request: a list of { name (Uint8Array), blob }.
    // The page saves them and answers "filesSaved".
    files: (files) => [{ type: 'files', files }, []],
    // A line for the browser's console (the core's own output, or an error).
    log: (text) => [{ type: 'log', text }, []],
  }),

  // Calls handlers[message.type](message). A message this file does not
  // declare, or one the receiver has no handler for, is a fault of one side,
  // thrown so that it cannot pass unnoticed.
  dispatch(message, handlers) {
    const declared = Object.hasOwn(DravelinProtocol.toWorker, message.type) ||
                     Object.hasOwn(DravelinProtocol.toPage, message.type);
    const handler = declared && handlers[message.type];
    if (!handler) throw new Error('dravelin: an unexpected message "' + message.type + '"');
    handler(message);
  },
});
