// Keeping the player's files: the page asks the browser to keep its storage for
// good, says once when the browser may still delete it, and saves the scores,
// the settings and the recordings as one file that it can load again.
//
// The file: "CAIRNSAV", a 32-bit version (1) and count, then per file a byte for
// its store (0 saved files, 1 recordings), a 16-bit name length, the name, a
// 32-bit size and the bytes; last a CRC-32 of everything before it (all
// little-endian). Loading checks every length against the bytes there are, the
// names and sizes the game itself would take, and the CRC, before anything is
// written: a damaged file changes nothing.
(function (cf) {
  "use strict";

  var MAGIC = "CAIRNSAV", VERSION = 1;
  var STORES = ["saves", "recordings"];
  // The saved files the game reads, and the most bytes it reads of each.
  var SAVED = { "cairnfall.dat": 160, "profile.dat": 16 };
  var RECORDING_NAME = /^[0-9]{8}-[0-9]{6}-[0-9]+(-[0-9]+)?\.rec$/;
  var RECORDING_MAGIC = "CAIRNREC";
  var MOST_FILES = 64;

  var CRC_TABLE = (function () {
    var table = new Uint32Array(256);
    for (var n = 0; n < 256; ++n) {
      var c = n;
      for (var k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
      table[n] = c >>> 0;
    }
    return table;
  })();

  function crc32(bytes) {
    var c = 0xffffffff;
    for (var i = 0; i < bytes.length; ++i) c = CRC_TABLE[(c ^ bytes[i]) & 0xff] ^ (c >>> 8);
    return (c ^ 0xffffffff) >>> 0;
  }

  // ------------------------------------------------------------ keeping the storage

  // Asked once the storage is open (the browser may grant it at once, or later
  // from the page's use); cf.storage.persisted holds the answer.
  cf.keepStorage = function () {
    var storage = cf.storage;
    storage.persistAsked = false;
    storage.persisted = null;
    if (!storage.db) return Promise.resolve(null);
    if (!navigator.storage || !navigator.storage.persist) return Promise.resolve(null);
    storage.persistAsked = true;
    return navigator.storage.persist().then(function (kept) {
      storage.persisted = kept;
      return kept;
    }, function () {
      storage.persisted = false;
      return false;
    });
  };

  // ------------------------------------------------------------ saving a copy

  function everything() {
    var files = [];
    return Promise.all(STORES.map(function (store, index) {
      return cf.storage.keys(store).then(function (keys) {
        return Promise.all(keys.map(function (key) {
          return cf.storage.get(store, key).then(function (bytes) {
            if (bytes) files.push([index, key, bytes]);
          });
        }));
      });
    })).then(function () {
      files.sort(function (a, b) {
        return a[0] - b[0] || (a[1] < b[1] ? -1 : a[1] > b[1] ? 1 : 0);
      });
      return files;
    });
  }

  function pack(files) {
    var size = 8 + 4 + 4 + 4;
    files.forEach(function (f) {
      size += 1 + 2 + f[1].length + 4 + f[2].length;
    });
    var bytes = new Uint8Array(size), view = new DataView(bytes.buffer), at = 0;
    for (; at < 8; ++at) bytes[at] = MAGIC.charCodeAt(at);
    view.setUint32(at, VERSION, true);
    view.setUint32(at + 4, files.length, true);
    at += 8;
    files.forEach(function (f) {
      bytes[at++] = f[0];
      view.setUint16(at, f[1].length, true);
      at += 2;
      for (var i = 0; i < f[1].length; ++i) bytes[at++] = f[1].charCodeAt(i);
      view.setUint32(at, f[2].length, true);
      at += 4;
      bytes.set(f[2], at);
      at += f[2].length;
    });
    view.setUint32(at, crc32(bytes.subarray(0, at)), true);
    return bytes;
  }

  // The copy as bytes (for tests) and as a download.
  cf.exportBytes = function () {
    return everything().then(pack);
  };

  // Saves bytes as a file the browser downloads (a copy, a shared recording).
  cf.download = function (bytes, name) {
    var link = document.createElement("a");
    link.download = name;
    link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function () {
      URL.revokeObjectURL(link.href);
    }, 10000);
  };

  cf.exportFile = function () {
    return cf.exportBytes().then(function (bytes) {
      cf.download(bytes, "cairnfall-" + new Date().toISOString().slice(0, 10) + ".cairnfall");
      return bytes.length;
    });
  };

  // ------------------------------------------------------------ loading a copy

  // The files of a copy, or an Error saying why it is refused.
  cf.unpackCopy = function (bytes) {
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    var fail = function (why) {
      throw new Error(why);
    };
    if (bytes.length < 20) fail("it is too short to be a copy of the game's files");
    for (var at = 0; at < 8; ++at) {
      if (bytes[at] !== MAGIC.charCodeAt(at)) fail("it is not a copy of the game's files");
    }
    if (view.getUint32(8, true) !== VERSION) fail("it is a copy of another version (" + view.getUint32(8, true) + ")");
    var body = bytes.length - 4;
    if (crc32(bytes.subarray(0, body)) !== view.getUint32(body, true)) {
      fail("it is damaged (its check sum does not match)");
    }
    var count = view.getUint32(12, true), files = [], seen = {};
    if (count > MOST_FILES) fail("it names " + count + " files, more than a copy holds");
    at = 16;
    for (var i = 0; i < count; ++i) {
      if (at + 3 > body) fail("it is cut short");
      var store = bytes[at], length = view.getUint16(at + 1, true);
      at += 3;
      if (store >= STORES.length) fail("it has a file of no known kind");
      if (length === 0 || length > 64 || at + length + 4 > body) fail("it is cut short");
      var name = String.fromCharCode.apply(null, bytes.subarray(at, at + length));
      at += length;
      var size = view.getUint32(at, true);
      at += 4;
      if (size > body - at) fail("it is cut short in " + name);
      var content = bytes.slice(at, at + size);
      at += size;
      if (store === 0 && !(name in SAVED)) fail("it holds a saved file the game has none of: " + JSON.stringify(name));
      if (store === 0 && (size === 0 || size > SAVED[name])) fail(name + " has " + size + " bytes, not " + SAVED[name]);
      if (store === 1) {
        if (!RECORDING_NAME.test(name)) fail("it holds a recording named " + JSON.stringify(name));
        var magic = String.fromCharCode.apply(null, content.subarray(0, 8));
        if (magic !== RECORDING_MAGIC) fail(name + " is not a recording");
      }
      if (seen[store + name]) fail("it holds " + name + " twice");
      seen[store + name] = true;
      files.push([STORES[store], name, content]);
    }
    if (at !== body) fail("it has bytes after its last file");
    return files;
  };

  // Writes every file of a checked copy: the saved files under the tabs' lock, as
  // the game writes them. True when all were written.
  cf.importBytes = function (bytes) {
    var files;
    try {
      files = cf.unpackCopy(bytes);
    } catch (e) {
      return Promise.reject(e);
    }
    var write = function () {
      return Promise.all(files.map(function (f) {
        return cf.storage.put(f[0], f[1], f[2]);
      }));
    };
    var locked = navigator.locks ? navigator.locks.request("cairnfall-saves", write) : write();
    return locked.then(function (done) {
      if (!done.every(Boolean)) throw new Error("the browser refused to store it (" + cf.storage.error + ")");
      return files.length;
    });
  };
})(CF);
