// The Compare and Base folders: choosing them (folder and file inputs, a
// granted folder, a drop), reading their files' bytes for the core, listing
// them again, and what the page has to say about them below the buttons.
'use strict';

// `page`: { ready() (the core has started), busy() (a command runs), hold()
// and release() (the page is busy while the folders are read), load(read)
// (hands the folders read to the core) }. Returns { read (the folders' files
// as protocol.js's "folders" message holds them), relist (lists again the
// folders the browser lets the page list again), askAgain (opens the folder
// picker for a folder it cannot) }.
function dravelinFolders(page) {
  const notice = document.getElementById('FolderNotice');
  // What each folder input last chose: null (nothing chosen) or
  // { files: File[], list: null or a function that lists the folder again
  // (a dropped folder, or one chosen where the browser grants folders),
  // label }.
  const folders = { Compare: null, Base: null };

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
    page.hold();
    loads = loads.then(async () => {
      try {
        page.load(await readFolders());
      } finally {
        page.release();
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
    if (page.ready()) load();
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
    if (page.busy()) {
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

  return { read: readFolders, relist: relistFolders, askAgain: askForFoldersAgain };
}
