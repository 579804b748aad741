// The page: builds the menu the core describes, starts the core in a Web
// Worker, hands it the chosen folders and the clicks, paints what it posts
// (pane lines, status texts, menu item states) and saves the report files
// it writes, into a granted folder or as downloads.
'use strict';

(function () {
  const decodeLine = DravelinPane.decode;

  const pane = new DravelinPane(document.getElementById('DataMemo'));
  const statusLabel = document.getElementById('MsgLabel');
  const menuBar = document.getElementById('MainMenu1');
  const items = [];  // by item number: { id, component, element, dropDown }
  const componentIds = {};
  let pending = 0;  // requests the worker has not finished
  let saving = 0;  // report deliveries still running
  let ready = false;
  let runningItem = null;
  let savingItem = null;  // the command whose files are being saved
  // Status texts shown after a report file was closed, held back while a
  // granted folder takes the files: a failed write must end the command
  // with its message instead, as on the desktop.
  let heldStatuses = null;
  let savingStatuses = null;
  let grantedFolder = null;
  // Idle preparation (see warmBuffers): the page's part, and the number of
  // folder loads after which the worker last finished its part.
  let pagePrepared = false;
  let loadsSent = 0;
  let workerPreparedLoads = -1;
  // What each folder input last chose: null (nothing chosen) or
  // { files: File[], list: null or a function that lists the folder again
  // (a dropped folder, or one chosen where the browser grants folders),
  // label }.
  const folders = { Compare: null, Base: null };

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
    if (message.type === 'folders') ++loadsSent;
    ++pending;
    updateBusy();
    worker.postMessage(message);
  }

  function foldersMessage() {
    return { Compare: folders.Compare && folders.Compare.files,
             Base: folders.Base && folders.Base.files };
  }

  worker.onmessage = (event) => {
    const m = event.data;
    switch (m.type) {
      case 'menu': buildMenu(m.menu); break;
      case 'ready':
        ready = true;
        send({ type: 'folders', folders: foldersMessage() });  // the start-up load
        break;
      case 'pane': pane.appendBytes(m.bytes, m.ends, m.ascii); break;
      case 'clear': {
        const spare = pane.clear();
        worker.postMessage({ type: 'spare', buffers: spare }, spare);
        break;
      }
      case 'fileClosed':
        if (grantedFolder && !heldStatuses) heldStatuses = [];
        break;
      case 'status':
        if (heldStatuses) heldStatuses.push(decodeLine(m.bytes));
        else statusLabel.textContent = decodeLine(m.bytes);
        break;
      case 'item': {
        const item = items[m.item];
        item.element.textContent = decodeLine(m.caption);
        item.element.disabled = !m.enabled;
        item.element.setAttribute('aria-disabled', m.enabled ? 'false' : 'true');
        break;
      }
      case 'done':
        // A command that wrote files is busy until they are saved.
        if (m.files > 0) {
          ++saving;
          savingItem = runningItem;
          savingStatuses = heldStatuses;
        }
        heldStatuses = null;
        runningItem = null;
        --pending;
        updateBusy();
        break;
      case 'files':
        deliver(m.files, savingItem).then((written) => {
          if (!written) {
            send({ type: 'messageCode', code: 16 });  // a report file could not be written
          } else if (savingStatuses) {
            for (const text of savingStatuses) statusLabel.textContent = text;
          }
        }).finally(() => { --saving; updateBusy(); });
        break;
      case 'prepared': workerPreparedLoads = m.loads; break;
      case 'log': console.log('[dravelin core]', m.text); break;
    }
  };
  // The pane's buffers, warmed at idle time. The core's pane lines arrive
  // in buffers the worker fills and the pane keeps until it is cleared; fresh
  // memory costs far more than filling it, so the page makes kWarmBuffers
  // pairs of them (a batch's bytes, up to the core's 8 MB batch and the
  // report block that ends it, and its line ends) and touches them while
  // the page is idle, then hands them to the worker, which keeps them for
  // the reports. That is two large reports' worth: the pane holds the last
  // report's buffers until the next report clears it, and they reach the
  // worker only after that command. One pair per task, so that the page
  // stays responsive. Then the pane's line arrays, with room for two
  // million lines (the largest reports of a full Compare folder).
  const kWarmBuffers = 16;
  const kWarmSizes = [9 << 20, 1 << 20];
  const kWarmPaneLines = 1 << 21;
  function warmBuffers(left) {
    if (left === 0) {
      pane.reserve(kWarmPaneLines);
      pagePrepared = true;
      return;
    }
    const buffers = kWarmSizes.map((size) => {
      const bytes = new Uint8Array(size);
      // Writing each page makes it resident.
      for (let at = 0; at < size; at += 4096) bytes[at] = 0;
      return bytes.buffer;
    });
    worker.postMessage({ type: 'spare', buffers: buffers }, buffers);
    setTimeout(() => warmBuffers(left - 1), 0);
  }
  setTimeout(() => warmBuffers(kWarmBuffers), 0);

  worker.onerror = (event) => {
    statusLabel.textContent = 'The program could not start: ' + (event.message || 'error');
  };

  // --- Menu ------------------------------------------------------------------

  function buildMenu(menu) {
    document.title = menu.title;
    document.getElementById('Caption').textContent = menu.title;
    const dropDowns = menu.dropDowns.map((d) => {
      const box = document.createElement('div');
      box.className = 'dropdown';
      const button = document.createElement('button');
      button.id = d.component;
      button.className = 'menu-title';
      button.textContent = d.caption;
      button.setAttribute('role', 'menuitem');
      button.setAttribute('aria-haspopup', 'true');
      button.setAttribute('aria-expanded', 'false');
      const list = document.createElement('div');
      list.className = 'menu';
      list.setAttribute('role', 'menu');
      list.setAttribute('aria-label', d.caption);
      box.append(button, list);
      menuBar.append(box);
      button.addEventListener('click', () => {
        if (openMenu === box) closeMenus(); else openDropDown(box, false);
      });
      button.addEventListener('mouseenter', () => { if (openMenu && openMenu !== box) openDropDown(box, false); });
      button.addEventListener('keydown', (e) => {
        if (e.key === 'ArrowDown' || e.key === 'Enter' || e.key === ' ') {
          e.preventDefault();
          openDropDown(box, true);
        } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          e.preventDefault();
          moveDropDown(box, e.key === 'ArrowRight' ? 1 : -1, false);
        } else if (e.key === 'Escape') {
          closeMenus();
          pane.focus();
        }
      });
      list.addEventListener('keydown', (e) => {
        const enabled = [...list.querySelectorAll('button:not([disabled])')];
        const at = enabled.indexOf(document.activeElement);
        if (e.key === 'ArrowDown' || e.key === 'ArrowUp') {
          e.preventDefault();
          const step = e.key === 'ArrowDown' ? 1 : -1;
          if (enabled.length) enabled[(at + step + enabled.length) % enabled.length].focus();
        } else if (e.key === 'ArrowRight' || e.key === 'ArrowLeft') {
          e.preventDefault();
          moveDropDown(box, e.key === 'ArrowRight' ? 1 : -1, true);
        } else if (e.key === 'Escape') {
          e.preventDefault();
          closeMenus();
          button.focus();
        }
      });
      return list;
    });
    for (const m of menu.items) {
      const button = document.createElement('button');
      button.id = m.component;
      button.className = 'menu-item';
      button.setAttribute('role', 'menuitem');
      button.textContent = m.caption;
      button.disabled = !m.enabled;
      button.setAttribute('aria-disabled', m.enabled ? 'false' : 'true');
      button.addEventListener('click', () => runItem(m.id));
      dropDowns[m.dropDown].append(button);
      items[m.id] = { id: m.id, component: m.component, element: button };
      componentIds[m.component] = m.id;
    }
  }

  let openMenu = null;
  function openDropDown(box, focusFirst) {
    closeMenus();
    openMenu = box;
    box.classList.add('open');
    box.firstChild.setAttribute('aria-expanded', 'true');
    const first = box.querySelector('.menu button:not([disabled])');
    if (focusFirst && first) first.focus(); else box.firstChild.focus();
  }
  function moveDropDown(box, step, open) {
    const boxes = [...menuBar.children];
    const next = boxes[(boxes.indexOf(box) + step + boxes.length) % boxes.length];
    if (open || openMenu) openDropDown(next, open); else next.firstChild.focus();
  }
  function closeMenus() {
    if (!openMenu) return;
    openMenu.classList.remove('open');
    openMenu.firstChild.setAttribute('aria-expanded', 'false');
    openMenu = null;
  }
  document.addEventListener('mousedown', (e) => {
    if (openMenu && !openMenu.contains(e.target)) closeMenus();
  });
  document.addEventListener('keydown', (e) => {
    if (e.key === 'F10' || (e.key === 'Alt' && !e.repeat)) {
      e.preventDefault();
      const first = menuBar.querySelector('.menu-title');
      if (first) first.focus();
    }
  });

  // A click of a menu item: runs its command unless one is running (the
  // desktop window takes no click while a command runs).
  async function runItem(id) {
    closeMenus();
    pane.focus();
    if (busy() || items[id].element.disabled) return;
    const message = { type: 'click', item: id };
    if (items[id].component === 'ReadInputFilesAgain') {
      askForFoldersAgain();
      ++pending;  // held while folders are listed again
      updateBusy();
      try {
        await relistFolders();
        message.folders = foldersMessage();
      } finally {
        --pending;
      }
    }
    runningItem = items[id].component;
    send(message);
  }

  // --- Folders ---------------------------------------------------------------

  // Only the files directly in the chosen folder count; a file without a
  // relative path lies directly in it.
  function directFiles(fileList) {
    return [...fileList].filter((f) => {
      const path = f.webkitRelativePath || '';
      return path === '' || path.split('/').length <= 2;
    });
  }

  function chooseFolder(name, choice) {
    folders[name] = choice;
    const label = document.getElementById(name + 'FolderName');
    label.textContent = choice ? (choice.label + ' (' + choice.files.length + ' files)') : 'none';
    if (ready) send({ type: 'folders', folders: foldersMessage() });
  }

  for (const name of ['Compare', 'Base']) {
    const input = document.getElementById(name + 'Folder');
    // A choice made while a command runs is loaded after it.
    input.addEventListener('change', () => {
      const list = directFiles(input.files);
      const first = input.files.length ? input.files[0].webkitRelativePath || '' : '';
      chooseFolder(name, { files: list, list: null, label: first.split('/')[0] || name });
    });
    if (window.showDirectoryPicker) {
      // Where the browser can grant a folder, the input's button chooses one
      // that way, so that reading the files again sees files added since.
      let nativePicker = false;
      input.addEventListener('click', async (e) => {
        if (nativePicker) { nativePicker = false; return; }
        e.preventDefault();
        let folder;
        try {
          folder = await window.showDirectoryPicker({ id: name, mode: 'read' });
        } catch (error) {
          if (error.name === 'AbortError') return;  // the user cancelled
          nativePicker = true;  // the page may not ask for folders here
          input.click();
          return;
        }
        const list = () => filesOfHandle(folder);
        chooseFolder(name, { files: await list(), list, label: folder.name });
      });
    }
  }

  // "Read Input Sysex Files Again" for folders that the browser cannot list
  // again (chosen through the input without a grant): their files are read
  // again as they were handed over, and the folder picker opens (within the
  // click that asked, so that the browser allows it) to choose the folder
  // again; choosing it loads afresh. Without a user's click nothing opens
  // (the browser ignores the request).
  function askForFoldersAgain() {
    const name = ['Compare', 'Base'].find((n) => folders[n] && !folders[n].list);
    if (!name) return;
    document.getElementById(name + 'Folder').click();
  }

  async function filesOfHandle(folder) {
    const list = [];
    for await (const handle of folder.values()) {
      if (handle.kind !== 'file') continue;
      try {
        list.push(await handle.getFile());
      } catch (e) {
        list.push(new File([], handle.name));  // as an unopenable dropped file
      }
    }
    return list;
  }

  function readAllEntries(directory) {
    return new Promise((resolve) => {
      const reader = directory.createReader();
      const all = [];
      const next = () => reader.readEntries((batch) => {
        if (batch.length === 0) { resolve(all); return; }
        all.push(...batch);
        next();
      }, () => resolve(all));
      next();
    });
  }

  async function filesOfEntry(directory) {
    const entries = (await readAllEntries(directory)).filter((e) => e.isFile);
    const list = [];
    for (const entry of entries) {
      try {
        list.push(await new Promise((resolve, reject) => entry.file(resolve, reject)));
      } catch (e) {
        // A file that cannot be opened is passed on as empty; reading it
        // then fails as an unreadable bank file does on the desktop.
        list.push(new File([], entry.name));
      }
    }
    return list;
  }

  async function relistFolders() {
    for (const name of ['Compare', 'Base']) {
      const choice = folders[name];
      if (choice && choice.list) {
        try { choice.files = await choice.list(); } catch (e) { /* keep */ }
      }
    }
  }

  document.addEventListener('dragover', (e) => { e.preventDefault(); });
  document.addEventListener('drop', async (e) => {
    e.preventDefault();
    if (busy()) return;
    const entries = [...e.dataTransfer.items]
        .map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry())
        .filter((entry) => entry && entry.isDirectory);
    if (entries.length === 0) return;
    const name = e.target.closest && e.target.closest('#BaseBox') ? 'Base' : 'Compare';
    const list = () => filesOfEntry(entries[0]);
    chooseFolder(name, { files: await list(), list, label: entries[0].name });
  });

  // --- Report files ----------------------------------------------------------

  const saveButton = document.getElementById('SaveFolder');
  if (window.showDirectoryPicker) {
    saveButton.addEventListener('click', async () => {
      try {
        grantedFolder = await window.showDirectoryPicker({ mode: 'readwrite' });
        document.getElementById('SaveFolderName').textContent = grantedFolder.name;
      } catch (e) { /* the user cancelled */ }
    });
  } else {
    saveButton.disabled = true;
    saveButton.title = 'This browser cannot write into a folder; reports arrive as downloads.';
  }

  const kListingCommands = {
    CreatePatchNameFiles: 'patch-name-lists.zip',
    CreateInsFiles: 'instrument-file-sections.zip',
  };

  // Saves a command's report files; false when one could not be written
  // into the granted folder (the files after it are not written).
  async function deliver(list, component) {
    if (grantedFolder) {
      for (const file of list) {
        try {
          const handle = await grantedFolder.getFileHandle(decodeLine(file.name), { create: true });
          const writable = await handle.createWritable();
          await writable.write(file.blob);
          await writable.close();
        } catch (e) {
          return false;
        }
      }
      return true;
    }
    if (kListingCommands[component]) {
      const members = [];
      for (const file of list) {
        members.push({ name: file.name, bytes: new Uint8Array(await file.blob.arrayBuffer()) });
      }
      download(kListingCommands[component], DravelinZip.build(members));
    } else {
      for (const file of list) download(decodeLine(file.name), file.blob);
    }
    return true;
  }

  function download(name, blob) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // --- The automation interface ---------------------------------------------

  window.dravelin = {
    busy: busy,
    paneText: () => pane.text(),
    paneLineCount: () => pane.lineCount(),
    // The pane's line i (from 0), without copying the whole pane.
    paneLine: (i) => (i >= 0 && i < pane.lineCount() ? pane.line(i) : null),
    // Whether the idle preparation after start-up and after the last load
    // has ended, so that a command runs at full speed (for measurements).
    prepared: () => pagePrepared && workerPreparedLoads === loadsSent && !busy(),
  };
  updateBusy();
  pane.focus();
})();
