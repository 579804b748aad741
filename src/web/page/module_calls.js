// What the core module calls back (the dravelin_post_* functions of
// src/web/page_protocol.h), linked into the module as its JavaScript
// library. Each copies its texts out of the module's memory and posts one
// message of protocol.js through the worker's script (worker.js).
'use strict';

mergeInto(LibraryManager.library, {
  dravelin_post_status: function (text, size) {
    dravelinPost(DravelinProtocol.toPage.status(dravelinUtf16(text, size)));
  },
  dravelin_post_item: function (item, caption, size, enabled) {
    dravelinPost(DravelinProtocol.toPage.item(item, dravelinUtf16(caption, size), enabled !== 0));
  },
  dravelin_post_menu: function (json, size) {
    dravelinPost(DravelinProtocol.toPage.menu(JSON.parse(UTF8ToString(json, size))));
  },
  dravelin_post_assignment: function (json, size) {
    dravelinPost(DravelinProtocol.toPage.assignment(JSON.parse(UTF8ToString(json, size))));
  },
  dravelin_post_assignment_refused: function (text, size) {
    dravelinPost(DravelinProtocol.toPage.assignmentRefused(dravelinUtf16(text, size)));
  },
  dravelin_post_details: function (title, size) {
    dravelinPost(DravelinProtocol.toPage.details(dravelinUtf16(title, size)));
  },
  dravelin_post_file_closed: function (name, size) {
    dravelinFileClosed(HEAPU8.slice(name, name + size));
  },
  dravelin_post_file_bytes: function (name, size, shown, shownSize, pieces, count) {
    const parts = [];
    for (let i = 0; i < count; ++i) {
      const at = HEAPU32[(pieces >> 2) + 2 * i];
      parts.push(HEAPU8.subarray(at, at + HEAPU32[(pieces >> 2) + 2 * i + 1]));
    }
    dravelinFileBytes(HEAPU8.slice(name, name + size), dravelinUtf16(shown, shownSize), parts);
  },
});
