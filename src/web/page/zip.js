// A .zip archive of whole files, stored without compression: what the page
// needs to hand over a listing command's per-bank files as one download.
'use strict';

const DravelinZip = (function () {
  const table = new Uint32Array(256);
  for (let n = 0; n < 256; ++n) {
    let c = n;
    for (let k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320 ^ (c >>> 1) : c >>> 1;
    table[n] = c >>> 0;
  }

  function crc32(bytes) {
    let crc = 0xFFFFFFFF;
    for (let i = 0; i < bytes.length; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >>> 8);
    return (crc ^ 0xFFFFFFFF) >>> 0;
  }

  function isAscii(bytes) { return bytes.every((b) => b < 0x80); }

  const strictUtf8 = new TextDecoder('utf-8', { fatal: true });
  function isUtf8(bytes) {
    try {
      strictUtf8.decode(bytes);
      return true;
    } catch (e) {
      return false;
    }
  }

  // `files`: [{ name: Uint8Array, bytes: Uint8Array }]. Returns a Blob.
  function build(files) {
    const out = [];
    const central = [];
    let offset = 0;
    for (const file of files) {
      const size = file.bytes.length;
      const crc = crc32(file.bytes);
      // Bit 11: the name is UTF-8. A name that is not (a bank file named
      // in another encoding) keeps its bytes unflagged, as the desktop
      // program names the file.
      const flags = !isAscii(file.name) && isUtf8(file.name) ? 0x0800 : 0;
      const local = new DataView(new ArrayBuffer(30));
      local.setUint32(0, 0x04034B50, true);
      local.setUint16(4, 10, true);  // version needed: 1.0
      local.setUint16(6, flags, true);
      local.setUint16(8, 0, true);  // stored
      local.setUint32(10, 0, true);  // time and date: none
      local.setUint32(14, crc, true);
      local.setUint32(18, size, true);
      local.setUint32(22, size, true);
      local.setUint16(26, file.name.length, true);
      local.setUint16(28, 0, true);
      out.push(local, file.name, file.bytes);
      const entry = new DataView(new ArrayBuffer(46));
      entry.setUint32(0, 0x02014B50, true);
      entry.setUint16(4, 20, true);
      entry.setUint16(6, 10, true);
      entry.setUint16(8, flags, true);
      entry.setUint16(10, 0, true);
      entry.setUint32(12, 0, true);
      entry.setUint32(16, crc, true);
      entry.setUint32(20, size, true);
      entry.setUint32(24, size, true);
      entry.setUint16(28, file.name.length, true);
      entry.setUint32(42, offset, true);
      central.push(entry, file.name);
      offset += 30 + file.name.length + size;
    }
    const centralSize = central.reduce((sum, p) => sum + p.byteLength, 0);
    const end = new DataView(new ArrayBuffer(22));
    end.setUint32(0, 0x06054B50, true);
    end.setUint16(8, files.length, true);
    end.setUint16(10, files.length, true);
    end.setUint32(12, centralSize, true);
    end.setUint32(16, offset, true);
    return new Blob([...out, ...central, end], { type: 'application/zip' });
  }

  return { build, crc32 };
})();
