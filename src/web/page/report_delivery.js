// The report files of a command, as the core hands them over: saved into a
// folder the user granted (where the browser can write into folders), or
// downloaded, each file alone or together as one .zip.
'use strict';

// Returns { deliver(list, archive) }.
function dravelinReportDelivery() {
  let grantedFolder = null;

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

  return { deliver };
}
