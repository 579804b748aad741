// The page's root: starts the core in a Web Worker, puts the page's parts
// together (the pane, pane_view.js and pane_input.js; its find bar; the menu
// bar; the folders; the delivery of report files; the keyboard banks
// dialog), routes the core's messages to them, runs the clicks of menu
// items, keeps the page busy while the core works, and fits the window to
// the viewport. Every message is one of protocol.js.
'use strict';

(() => {
  const toWorker = DravelinProtocol.toWorker;

  // Messages wait here until the core has started.
  const held = [];
  function post([message, transfer]) {
    if (ready) worker.postMessage(message, transfer); else held.push([message, transfer]);
  }

  const pane = new DravelinPane(document.getElementById('DataMemo'), post);
  new DravelinPaneInput(pane);
  const findBar = new DravelinFindBar(pane, document.getElementById('FindBar'));
  const keyboardBanks = new DravelinKeyboardBanks(document.getElementById('KeyboardBanks'));
  const details = new DravelinDetails(document.getElementById('PatchDetails'), post, pane);
  const statusLabel = document.getElementById('MsgLabel');
  const menuBar = dravelinMenuBar(document.getElementById('MainMenu1'), (id) => runItem(id),
                                  () => pane.focus());
  const folders = dravelinFolders({
    ready: () => ready,
    busy: () => busy(),
    hold: () => { ++pending; updateBusy(); },
    release: () => { --pending; updateBusy(); },
    load: (read) => send(toWorker.folders(read)),
  });
  const delivery = dravelinReportDelivery();
  // By item number (menu_bar.js).
  let items = [];
  let pending = 0;  // requests the worker has not finished, and folders being read
  let saving = 0;  // report deliveries still running
  let ready = false;
  let runningItem = null;
  let askingItem = null;  // the item whose keyboard banks dialog was asked for
  let savingItem = null;  // the command whose files are being saved

  function busy() { return !ready || pending > 0 || saving > 0; }
  function updateBusy() {
    document.body.classList.toggle('busy', busy());
    document.body.setAttribute('aria-busy', busy() ? 'true' : 'false');
  }

  // --- The core --------------------------------------------------------------

  const workerSource = document.getElementById('dravelin-worker').textContent;
  const worker = new Worker(URL.createObjectURL(new Blob([workerSource],
                                                        { type: 'text/javascript' })));

  function send(message) {
    ++pending;
    updateBusy();
    post(message);
  }

  worker.onmessage = (event) => details.take(event.data) || DravelinProtocol.dispatch(event.data, {
    menu: (m) => {
      document.title = m.menu.title;
      document.getElementById('Caption').textContent = m.menu.title;
      items = menuBar.build(m.menu);
    },
    ready: async () => {
      ready = true;
      for (const [message, transfer] of held.splice(0)) worker.postMessage(message, transfer);
      send(toWorker.folders(await folders.read()));  // the start-up load
    },
    paneView: (m) => pane.show(m.view),
    paneAnswer: (m) => pane.answer(m.id, m.answer),
    status: (m) => { statusLabel.textContent = m.text; },
    assignment: (m) => {
      const id = askingItem;
      keyboardBanks.open(m.dialog, (chosen) => {
        runningItem = items[id].component;
        send(toWorker.click(id, undefined, chosen));
      }, () => pane.focus());
    },
    assignmentRefused: (m) => keyboardBanks.refuse(m.text),
    item: (m) => {
      const item = items[m.item];
      item.element.textContent = m.caption;
      item.element.disabled = !m.enabled;
      item.element.setAttribute('aria-disabled', m.enabled ? 'false' : 'true');
    },
    done: (m) => {
      // A command that wrote files is busy until they are saved.
      if (m.files > 0) {
        ++saving;
        savingItem = runningItem;
      }
      runningItem = null;
      --pending;
      updateBusy();
      keyboardBanks.answered();
    },
    files: (m) => {
      const archive = savingItem && savingItem.archive;
      delivery.deliver(m.files, archive).catch(() => false).then((written) => {
        --saving;
        send(toWorker.filesSaved(written));
      });
    },
    log: (m) => console.log('[dravelin core]', m.text),
  });

  worker.onerror = (event) => {
    statusLabel.textContent = 'The program could not start: ' + (event.message || 'error');
  };

  // A click of a menu item: runs its command unless one is running (the
  // desktop window takes no click while a command runs).
  async function runItem(id) {
    menuBar.close();
    pane.focus();
    if (busy() || items[id].element.disabled) return;
    if (items[id].asksAssignment) {
      // The dialog first; its OK sends the click with the choice.
      askingItem = id;
      send(toWorker.assignment());
      return;
    }
    let files;
    if (items[id].readsFolders) {
      folders.askAgain();
      ++pending;  // held while the folders are listed and read again
      updateBusy();
      try {
        await folders.relist();
        files = await folders.read();
      } finally {
        --pending;
      }
    }
    runningItem = items[id];
    send(toWorker.click(id, files));
  }

  // --- Fitting the viewport --------------------------------------------------

  // The window keeps its designed size where the viewport has room for it and
  // for the folder buttons below it. Where it is narrower, the window narrows
  // with it (its menu bar wraps, the pane wraps its rows at the columns that
  // fit); where it is too low, the client area grows shorter, the status
  // line staying at its bottom, down to kLeastClientHeight (below that the
  // page scrolls instead). Nothing is scaled: the pane's text keeps its
  // designed size.
  const kLeastClientHeight = 240;
  const form = document.getElementById('Form1');
  const clientBox = document.getElementById('ClientBox');
  const client = clientBox.firstElementChild;
  const folderSection = document.getElementById('Folders');
  const designWidth = client.offsetWidth;
  const designHeight = client.offsetHeight;
  function fit() {
    const width = Math.min(designWidth, document.documentElement.clientWidth - 16);
    form.style.width = width + 'px';
    client.style.width = width + 'px';
    const frame = form.offsetHeight - clientBox.offsetHeight;  // caption, menus, border
    const room = window.innerHeight - folderSection.offsetHeight - frame - 24;
    const height = Math.min(designHeight, Math.max(kLeastClientHeight, Math.floor(room)));
    client.style.height = height + 'px';
  }
  // The root element's box follows the viewport, also where a browser
  // reports a resize before its layout has caught up.
  window.addEventListener('resize', fit);
  const fitObserver = new ResizeObserver(fit);
  fitObserver.observe(document.documentElement);
  fitObserver.observe(folderSection);
  fit();

  // --- The automation interface ---------------------------------------------

  window.dravelin = {
    // Also while a pane's model has not answered the user's input.
    busy: () => busy() || pane.busy() || details.pane.busy(),
    // While the worker has not ended the page's last request (report files
    // may still be on their way after it has).
    working: () => !ready || pending > 0,
    // The rows of the view the page paints now: its scroll bar's extent.
    paneRowCount: () => pane.view.rowCount,
    // Promises of the pane's text, and of its line i (from 0; null past the
    // last) without copying the whole pane.
    paneText: () => pane.query('all'),
    paneLine: (i) => pane.query('line', i),
    // Promises of what an assistive technology reads of the pane's whole
    // text, in UTF-16 units with one unit per line break: its length, the
    // caret's offset and the selection's [start, end]; and its lines.
    paneCharacterCount: () => pane.query('offsets').then((o) => o.characterCount),
    paneCaret: () => pane.query('offsets').then((o) => o.caret),
    paneSelection: () => pane.query('offsets').then(
        (o) => [Math.min(o.caret, o.anchor), Math.max(o.caret, o.anchor)]),
    paneLineCount: () => pane.query('offsets').then((o) => o.lineCount),
  };

  updateBusy();
  pane.focus();
})();
