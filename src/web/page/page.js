// The page: builds the menu the core describes, starts the core in a Web
// Worker, reads the chosen folders' files and hands their bytes to it, sends
// it the clicks, paints what it posts (pane lines, status texts, menu item
// states, the pane's views) and saves the report files it writes, into a
// granted folder or as downloads. Every message is one of protocol.js.
'use strict';

(() => {
  const toWorker = DravelinProtocol.toWorker;

  // Messages wait here until the core has started.
  const held = [];
  function post([message, transfer]) {
    if (ready) worker.postMessage(message, transfer); else held.push([message, transfer]);
  }

  const pane = new DravelinPane(document.getElementById('DataMemo'), post);
  const findBar = new DravelinFindBar(pane, document.getElementById('FindBar'));
  const keyboardBanks = new DravelinKeyboardBanks(document.getElementById('KeyboardBanks'));
  const statusLabel = document.getElementById('MsgLabel');
  const menuBar = document.getElementById('MainMenu1');
  const notice = document.getElementById('FolderNotice');
  // By item number: { id, component, element, asksAssignment, archive (the
  // .zip its files download as, or null) }.
  const items = [];
  const componentIds = {};
  let pending = 0;  // requests the worker has not finished, and folders being read
  let saving = 0;  // report deliveries still running
  let ready = false;
  let runningItem = null;
  let askingItem = null;  // the item whose keyboard banks dialog was asked for
  let savingItem = null;  // the command whose files are being saved
  let grantedFolder = null;
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
    ++pending;
    updateBusy();
    post(message);
  }

  worker.onmessage = (event) => DravelinProtocol.dispatch(event.data, {
    menu: (m) => buildMenu(m.menu),
    ready: async () => {
      ready = true;
      for (const [message, transfer] of held.splice(0)) worker.postMessage(message, transfer);
      send(toWorker.folders(await readFolders()));  // the start-up load
    },
    paneView: (m) => pane.show(m.view),
    paneAnswer: (m) => pane.answer(m.id, m.text),
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
      deliver(m.files, savingItem && savingItem.archive).catch(() => false).then((written) => {
        --saving;
        send(toWorker.filesSaved(written));
      });
    },
    log: (m) => console.log('[dravelin core]', m.text),
  });

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
      items[m.id] = { id: m.id, component: m.component, element: button,
                      asksAssignment: m.asksAssignment, archive: m.archive };
      componentIds[m.component] = m.id;
    }
  }

  let openMenu = null;
  function openDropDown(box, focusFirst) {
    closeMenus();
    openMenu = box;
    box.classList.add('open');
    // A menu that would reach beyond the page's right edge opens further
    // left, so that it never widens the page.
    const list = box.querySelector('.menu');
    list.style.left = '';
    const rect = list.getBoundingClientRect();
    const over = rect.right + 2 - document.documentElement.clientWidth;
    if (over > 0) list.style.left = -Math.ceil(Math.min(over, rect.left)) + 'px';
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
    } else if ((e.ctrlKey || e.metaKey) && !e.altKey && e.key.toLowerCase() === 'f') {
      e.preventDefault();
      findBar.open();
    } else if (e.key === 'F3') {
      e.preventDefault();
      findBar.next(e.shiftKey);
    }
  });

  // A click of a menu item: runs its command unless one is running (the
  // desktop window takes no click while a command runs).
  async function runItem(id) {
    closeMenus();
    pane.focus();
    if (busy() || items[id].element.disabled) return;
    if (items[id].asksAssignment) {
      // The dialog first; its OK sends the click with the choice.
      askingItem = id;
      send(toWorker.assignment());
      return;
    }
    let files;
    if (items[id].component === 'ReadInputFilesAgain') {
      askForFoldersAgain();
      ++pending;  // held while the folders are listed and read again
      updateBusy();
      try {
        await relistFolders();
        files = await readFolders();
      } finally {
        --pending;
      }
    }
    runningItem = items[id];
    send(toWorker.click(id, files));
  }

  // --- Folders ---------------------------------------------------------------

  // What the page has to say about the folders: a folder that could not be
  // listed, files that could not be read, a browser without a folder
  // chooser. One line per subject, shown below the folder buttons.
  const notes = { browser: '', Compare: '', Base: '' };
  function note(subject, text) {
    notes[subject] = text;
    notice.textContent = Object.values(notes).filter((t) => t).join('\n');
  }

  // The chosen files' bytes, read here on the page's thread (a worker cannot
  // read a chosen File in every browser) and handed to the worker, which
  // takes the buffers over. A file that fails to read is named below the
  // buttons and handed over without bytes: the core then finds it
  // unreadable, as it would find a damaged file on disk.
  async function readFolders() {
    const read = {};
    for (const name of ['Compare', 'Base']) {
      const choice = folders[name];
      if (!choice) {
        read[name] = null;
        continue;
      }
      const failed = [];
      read[name] = await Promise.all(choice.files.map(async (file) => {
        let bytes = null;
        try {
          if (file.error) throw file.error;
          bytes = await file.slice(0, file.size).arrayBuffer();
        } catch (error) {
          failed.push(file.name + ' (' + (error.name || error) + ')');
        }
        return { name: file.name, bytes };
      }));
      note(name, failed.length === 0 ? '' : 'The ' + name + ' folder "' + choice.label +
           '": could not read ' + failed.join(', ') + '. Choose the folder again to read ' +
           'the files as they are now.');
    }
    return read;
  }

  // Loads run one after another, each with the folders as they stand when
  // it starts, so that the last choice is the one loaded.
  let loads = Promise.resolve();
  function load() {
    ++pending;
    updateBusy();
    loads = loads.then(async () => {
      try {
        send(toWorker.folders(await readFolders()));
      } finally {
        --pending;
        updateBusy();
      }
    });
  }

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
    note(name, '');
    showFolder(name);
    if (ready) load();
  }

  // The label beside a folder's buttons says what the page holds of it.
  function showFolder(name) {
    const choice = folders[name];
    const count = choice ? choice.files.length : 0;
    document.getElementById(name + 'FolderName').textContent =
        choice ? choice.label + ' (' + count + (count === 1 ? ' file)' : ' files)') : 'none';
  }

  // Files chosen one by one (or a folder's files, where the browser's
  // chooser offers no folder) stand for the folder.
  function chosenFiles(name, fileList) {
    const first = fileList.length ? fileList[0].webkitRelativePath || '' : '';
    if (first.includes('/')) {
      chooseFolder(name, { files: directFiles(fileList), list: null, label: first.split('/')[0] });
    } else {
      chooseFolder(name, { files: [...fileList], list: null,
                           label: fileList.length === 1 ? fileList[0].name : 'chosen files' });
    }
  }

  // Where the browser has no folder chooser, the folder button chooses
  // files, and the page says so. WebKitGTK knows the input's folder switch
  // but its chooser still offers only files; nothing but its name tells it
  // from WebKit elsewhere.
  const webkitGtk = /AppleWebKit/.test(navigator.userAgent) &&
                    !/Chrome|Chromium|Android|Mac OS X|iPhone|iPad/.test(navigator.userAgent) &&
                    /Linux|X11/.test(navigator.userAgent);
  const folderChooser = 'webkitdirectory' in document.createElement('input') && !webkitGtk;
  if (!folderChooser) {
    note('browser', 'This browser cannot choose a folder: with the folder buttons, select ' +
         'all the bank files in the folder (Ctrl+A or Cmd+A in the chooser).');
  }

  for (const name of ['Compare', 'Base']) {
    const input = document.getElementById(name + 'Folder');
    const filesInput = document.getElementById(name + 'Files');
    // A reloaded page holds no folder: its inputs hold none either.
    input.value = '';
    filesInput.value = '';
    if (!folderChooser) input.removeAttribute('webkitdirectory');
    // A choice made while a command runs is loaded after it.
    input.addEventListener('change', () => chosenFiles(name, input.files));
    filesInput.addEventListener('change', () => chosenFiles(name, filesInput.files));
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
        listChosenFolder(name, folder.name, () => filesOfHandle(folder));
      });
    }
  }

  // Lists a folder and chooses it; a folder that cannot be listed is named
  // below the buttons, and the choice before stays.
  async function listChosenFolder(name, label, list, fallback) {
    try {
      chooseFolder(name, { files: await list(), list, label });
    } catch (error) {
      if (fallback) {
        listChosenFolder(name, label, fallback);
        return;
      }
      note(name, 'The folder "' + label + '" could not be listed in this browser (' +
           (error.name || error) + '). Choose it with the ' + name + ' folder button, or ' +
           'choose (or drop) the files in it.');
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

  // A file of a listed folder that cannot be opened stands in the list as
  // { name, error }; reading it fails with that error.
  async function filesOfHandle(folder) {
    const list = [];
    for await (const handle of folder.values()) {
      if (handle.kind !== 'file') continue;
      try {
        list.push(await handle.getFile());
      } catch (error) {
        list.push({ name: handle.name, error });
      }
    }
    return list;
  }

  function readAllEntries(directory) {
    return new Promise((resolve, reject) => {
      const reader = directory.createReader();
      const all = [];
      const next = () => reader.readEntries((batch) => {
        if (batch.length === 0) { resolve(all); return; }
        all.push(...batch);
        next();
      }, reject);
      next();
    });
  }

  async function filesOfEntry(directory) {
    const entries = (await readAllEntries(directory)).filter((e) => e.isFile);
    const list = [];
    for (const entry of entries) {
      try {
        list.push(await new Promise((resolve, reject) => entry.file(resolve, reject)));
      } catch (error) {
        list.push({ name: entry.name, error });
      }
    }
    return list;
  }

  async function relistFolders() {
    for (const name of ['Compare', 'Base']) {
      const choice = folders[name];
      if (!choice || !choice.list) continue;
      try {
        choice.files = await choice.list();
        showFolder(name);
      } catch (error) {
        note(name, 'The folder "' + choice.label + '" could not be listed again (' +
             (error.name || error) + '); its files are read as they were chosen.');
      }
    }
  }

  // A dropped folder becomes the Compare folder, or the Base folder when
  // dropped on the Base box; dropped files stand for the folder. The items
  // are asked for every way of listing at once: they are gone after the
  // event. Where the browser hands the folder as a handle, that lists it;
  // else its entry does (which some browsers refuse for a page opened from
  // disk: the page then says so).
  document.addEventListener('dragover', (e) => { e.preventDefault(); });
  document.addEventListener('drop', (e) => {
    e.preventDefault();
    const name = e.target.closest && e.target.closest('#BaseBox') ? 'Base' : 'Compare';
    if (busy()) {
      note(name, 'The page is busy: drop the folder again once the command has ended.');
      return;
    }
    const dropped = [...e.dataTransfer.items].filter((item) => item.kind === 'file');
    if (dropped.length === 0 && e.dataTransfer.files.length === 0) {
      droppedWithoutFiles(name, e.dataTransfer);
      return;
    }
    const entries = dropped.map((item) => item.webkitGetAsEntry && item.webkitGetAsEntry());
    const at = entries.findIndex((entry) => entry && entry.isDirectory);
    if (at < 0) {
      chosenFiles(name, e.dataTransfer.files);
      return;
    }
    const handle = dropped[at].getAsFileSystemHandle ? dropped[at].getAsFileSystemHandle()
                                                     : null;
    const byEntry = () => filesOfEntry(entries[at]);
    if (!handle) {
      listChosenFolder(name, entries[at].name, byEntry);
      return;
    }
    listChosenFolder(name, entries[at].name, async () => {
      const folder = await handle;
      if (!folder || folder.kind !== 'directory') throw new TypeError('not a folder');
      return filesOfHandle(folder);
    }, byEntry);
  });

  // A drop that hands the page no file: some browsers (WebKitGTK) hand a
  // folder or files from the desktop only as their file: addresses, which
  // the page reads where the browser lets it; text or a link is no folder.
  // Either way the folder chosen before stays unless every file was read.
  async function droppedWithoutFiles(name, data) {
    const addresses = (data.getData('text/uri-list') || '').split(/\r?\n/)
        .map((line) => line.trim()).filter((line) => line !== '' && !line.startsWith('#'));
    const fileAddresses = addresses.filter((address) => address.startsWith('file:'));
    if (fileAddresses.length === 0) {
      note(name, 'Nothing was dropped but ' + (addresses.length ? 'a link' : 'text') +
           ': the ' + name + ' folder stays as it was. Drop a folder or its files, or ' +
           'choose them with the buttons.');
      return;
    }
    const named = fileAddresses.map((address) =>
        decodeURIComponent(address.replace(/\/+$/, '').split('/').pop()));
    try {
      if (fileAddresses.some((address) => address.endsWith('/'))) throw new TypeError('a folder');
      const files = await Promise.all(fileAddresses.map(async (address, i) => {
        const response = await fetch(address);
        if (!response.ok) throw new TypeError('not readable');
        return new File([await response.blob()], named[i]);
      }));
      chooseFolder(name, { files, list: null,
                           label: files.length === 1 ? files[0].name : 'dropped files' });
    } catch (error) {
      note(name, 'This browser handed the page only the names of what was dropped (' +
           named.join(', ') + '), which the page cannot read: the ' + name + ' folder stays ' +
           'as it was. Choose the folder with the ' + name + ' folder button, or choose ' +
           'the files in it.');
    }
  }

  // A page shown again from the browser's history (Back) holds the folders it
  // had; where the browser emptied the file inputs, they are given the files
  // again, so that they too show what the page holds.
  window.addEventListener('pageshow', (e) => {
    if (!e.persisted) return;
    for (const name of ['Compare', 'Base']) {
      showFolder(name);
      const choice = folders[name];
      const inputs = [name + 'Folder', name + 'Files'].map((id) => document.getElementById(id));
      if (!choice || inputs.some((input) => input.files.length > 0)) continue;
      try {
        const held = new DataTransfer();
        for (const file of choice.files) if (file instanceof File) held.items.add(file);
        inputs[1].files = held.files;
      } catch (error) {
        // A browser that cannot set an input's files: the label says it.
      }
    }
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

  // Saves a command's report files, each named by its path below the
  // reports' folder ('/' between folders); false when one could not be
  // written into the granted folder (the files after it are not written).
  // Without a granted folder they download: as the one .zip `archive` when
  // the command's menu item names one, otherwise each file alone.
  async function deliver(list, archive) {
    if (grantedFolder) {
      for (const file of list) {
        try {
          const path = file.shownName.split('/');
          let folder = grantedFolder;
          for (const part of path.slice(0, -1)) {
            folder = await folder.getDirectoryHandle(part, { create: true });
          }
          const handle = await folder.getFileHandle(path[path.length - 1], { create: true });
          const writable = await handle.createWritable();
          await writable.write(file.blob);
          await writable.close();
        } catch (e) {
          return false;
        }
      }
      return true;
    }
    if (archive) {
      const members = [];
      for (const file of list) {
        members.push({ name: file.name, bytes: new Uint8Array(await file.blob.arrayBuffer()) });
      }
      download(archive, DravelinZip.build(members));
    } else {
      for (const file of list) download(file.shownName.split('/').pop(), file.blob);
    }
    return true;
  }

  const kDownloadHoldMs = 10000;
  function download(name, blob) {
    const url = URL.createObjectURL(blob);
    const link = document.createElement('a');
    link.href = url;
    link.download = name;
    document.body.append(link);
    link.click();
    link.remove();
    // The browser holds the bytes for the download once it has started; the
    // page lets go of them soon after, so that a large report is not held
    // twice for long.
    setTimeout(() => URL.revokeObjectURL(url), kDownloadHoldMs);
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
    // Also while the pane's model has not answered the user's input.
    busy: () => busy() || pane.busy(),
    // Promises of the pane's text, and of its line i (from 0; null past the
    // last) without copying the whole pane.
    paneText: () => pane.text(),
    paneLine: (i) => pane.line(i),
    paneLineCount: () => pane.lineCount(),
    // What an assistive technology asks the pane, in UTF-16 units over its
    // text with one unit per line break: its length, the caret's offset and
    // the selection's [start, end], as the pane shows them.
    paneCharacterCount: () => pane.characterCount(),
    paneCaret: () => pane.caretOffset(),
    paneSelection: () => pane.selection(),
  };
  updateBusy();
  pane.focus();
})();
