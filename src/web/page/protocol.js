// Every message between the page and the core's worker, written down once:
// the page and the worker's script build each message here and take it apart
// with `dispatch`, which refuses a message this file does not declare. Each
// builder returns [message, transfer list]. The core's own side of the
// boundary is src/web/page_protocol.h. Texts from the core (status, captions,
// file names) arrive decoded as the pane decodes its lines. The pane's model
// lives in the worker: the page sends it the user's input ("paneInput") and
// paints the views it posts back ("paneView"). Beside the report's pane
// there is a second one, the details pane (its view in details.js): each
// of the pane's messages ("paneInput", "paneQuery", "paneView",
// "paneAnswer") is the report pane's unless it carries pane: 'details'
// (onPane).
'use strict';

const DravelinProtocol = Object.freeze({
  // Requests from the page. The worker answers each of the first four with
  // "paneView" and "done" once it has ended, then, when the request wrote
  // report files, with "files"; the pane's requests it answers as they say.
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
    // `assignment` (or undefined), for an item that asks for the keyboard
    // banks, is the dialog's choice: per bank an index in its choices. The
    // core takes it first; when it refuses it, it answers "assignmentRefused"
    // and runs nothing.
    click: (item, folders, assignment) => {
      const [message, transfer] = folders ? DravelinProtocol.toWorker.folders(folders)
                                          : [{}, []];
      return [{ type: 'click', item, folders: message.folders, assignment }, transfer];
    },
    // Before a click of an item that asks for the keyboard banks (its menu
    // entry says asksAssignment): the dialog to show, answered with
    // "assignment".
    assignment: () => [{ type: 'assignment' }, []],
    // Whether the page wrote every report file of the last "files" message.
    filesSaved: (written) => [{ type: 'filesSaved', written }, []],
    // The user's input to the pane: `calls` (see paneCalls) made in order,
    // answered with one "paneView".
    paneInput: (calls) => [{ type: 'paneInput', calls }, []],
    // A text of the pane (see paneQueries), answered with "paneAnswer"
    // carrying the same `id`.
    paneQuery: (id, what, ...args) => [{ type: 'paneQuery', id, what, args }, []],
  }),

  // The calls of "paneInput", each [name, ...arguments], on the pane model:
  // each is routed to the module's export dravelin_pane_NAME, NAME in
  // snake case (src/web/page_protocol.h; src/web/page_pane.h says what each
  // does). Rows and cells count from 0, units are UTF-16 units of a row's
  // text.
  paneCalls: Object.freeze({
    view: 'columns, rows, shownRows: the pane\'s size in cells, and the rows a view holds',
    scrollTo: 'row',
    scrollBy: 'rows (negative: up)',
    move: 'move (a name: charBackward, wordForward, rowUp, pageDown, lineStart, ' +
          'documentEnd, ...), extend',
    click: 'row, cell, extend (Shift, or a drag)',
    selectWordAt: 'row, cell',
    selectLineAt: 'row, cell',
    selectAll: '',
    selectRowUnits: 'row, from, to: units of the row\'s text, as the page read it back',
    type: 'text',
    backspace: '',
    deleteForward: '',
    deleteSelection: '',
    undo: '',
    redo: '',
    find: 'query, matchCase, step (\'typed\', \'next\' or \'previous\')',
  }),

  // The queries of "paneQuery", each routed to the export
  // dravelin_pane_query_NAME; the answer is null where the text did not fit
  // in memory.
  paneQueries: Object.freeze({
    all: 'the whole text, lines joined by "\\n"',
    line: 'line: line `line` as shown, or null past the last',
    selected: 'the selection\'s text',
    offsets: '{ caret, anchor, characterCount, lineCount }: what an assistive technology ' +
             'reads of the whole text, offsets in UTF-16 units with one per line break',
  }),

  // What the worker posts to the page.
  toPage: Object.freeze({
    // The core has started; the page sends its first "folders".
    ready: () => [{ type: 'ready' }, []],
    // The window's title, drop-down menus and items, as the core describes
    // them: { title, dropDowns: [{ component, caption }], items: [{ id,
    // dropDown, component, caption, enabled, asksAssignment, readsFolders,
    // archive, shortcut }] }, where readsFolders says that the item's command
    // reads the folders afresh (the page reads the chosen files again first),
    // an item's archive is the name of the one .zip in which its report
    // files download, or null when each file downloads alone, and its
    // shortcut the key (KeyboardEvent.key) that clicks it, or null.
    menu: (menu) => [{ type: 'menu', menu }, []],
    // The keyboard banks dialog: { title, prompt, bankColumn,
    // keyboardColumn, banks: [name], choices: [name], chosen: [index in
    // choices, per bank] }. The page shows it; OK sends "click" with the
    // choice, Cancel sends nothing.
    assignment: (dialog) => [{ type: 'assignment', dialog }, []],
    // Why the core refused the dialog's choice; the dialog stays open.
    assignmentRefused: (text) => [{ type: 'assignmentRefused', text }, []],
    // What the pane shows now, as src/web/page_pane.h (PagePane::ViewJson)
    // describes it; `input` when it answers a "paneInput".
    paneView: (view) => [{ type: 'paneView', view }, []],
    // What a "paneQuery" asked for.
    paneAnswer: (id, answer) => [{ type: 'paneAnswer', id, answer }, []],
    // The status line shows `text`.
    status: (text) => [{ type: 'status', text }, []],
    // Menu item `item` shows `caption` and is enabled or not.
    item: (item, caption, enabled) => [{ type: 'item', item, caption, enabled }, []],
    // The request has ended; `files` report files follow in "files".
    done: (files) => [{ type: 'done', files }, []],
    // The report files of the request: a list of { name (Uint8Array, as the
    // core made it: the file's path below the reports' folder, '/' between
    // folders), shownName (the name as text), blob }.
    // The page saves them and answers "filesSaved".
    files: (files) => [{ type: 'files', files }, []],
    // A line for the browser's console (the core's own output, or an error).
    log: (text) => [{ type: 'log', text }, []],
    // The details pane holds new details ("Show Patch Details"), named
    // `title`: the page shows them beside the report.
    details: (title) => [{ type: 'details', title }, []],
  }),

  // A pane's message (as built above) for the pane named `pane`:
  // 'details', or undefined for the report's.
  onPane(pane, [message, transfer]) {
    if (pane) message.pane = pane;
    return [message, transfer];
  },

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
