// The saved files and recordings in IndexedDB (web_saves.cpp, web_recordings.cpp
// go through these), and the lock the game's tabs share for a new high score.
(function (cf) {
  "use strict";

  // Two object stores keyed by file name: "saves" (the saved files) and
  // "recordings". Without IndexedDB (refused, as in some private windows) the
  // files live in memory for this visit only.
  var storage = (cf.storage = { db: null, memory: { saves: {}, recordings: {} }, error: "", kept: false });

  // Opens the database once; every call gets the same promise (true: kept). The
  // files' calls wait for it, so the program can start while it opens.
  var opening = null;
  storage.open = function () {
    if (!opening) opening = openDatabase();
    return opening;
  };

  function openDatabase() {
    return new Promise(function (resolve) {
      var request;
      try {
        request = indexedDB.open("cairnfall", 1);
      } catch (e) {
        storage.error = "the browser keeps no files for this page (" + e.message + ")";
        resolve(false);
        return;
      }
      request.onupgradeneeded = function () {
        request.result.createObjectStore("saves");
        request.result.createObjectStore("recordings");
      };
      request.onsuccess = function () {
        storage.db = request.result;
        storage.kept = true;
        resolve(true);
      };
      request.onerror = request.onblocked = function () {
        storage.error = "the browser keeps no files for this page" +
          (request.error ? " (" + request.error.message + ")" : "");
        resolve(false);
      };
    });
  }

  // `work` once the database is open (or refused).
  function opened(work) {
    return storage.open().then(work);
  }

  function transaction(store, mode, work) {
    return new Promise(function (resolve) {
      var result = null;
      try {
        var tx = storage.db.transaction(store, mode);
        result = work(tx.objectStore(store));
        tx.oncomplete = function () {
          resolve(result && "result" in result ? result.result : true);
        };
        tx.onerror = tx.onabort = function () {
          storage.error = tx.error ? tx.error.message : "the browser refused to store it";
          resolve(null);
        };
      } catch (e) {
        storage.error = e.message;
        resolve(null);
      }
    });
  }

  storage.get = function (store, key) {
    return opened(function () {
      return get(store, key);
    });
  };

  function get(store, key) {
    if (!storage.db) {
      var m = storage.memory[store][key];
      return Promise.resolve(m ? m.slice() : null);
    }
    return transaction(store, "readonly", function (s) {
      return s.get(key);
    }).then(function (v) {
      return v instanceof Uint8Array ? v : v instanceof ArrayBuffer ? new Uint8Array(v) : null;
    });
  }

  storage.put = function (store, key, bytes) {
    return opened(function () {
      return put(store, key, bytes);
    });
  };

  function put(store, key, bytes) {
    if (!storage.db) {
      storage.memory[store][key] = bytes.slice();
      return Promise.resolve(true);
    }
    return transaction(store, "readwrite", function (s) {
      s.put(bytes, key);
      return null;
    }).then(function (ok) {
      return ok !== null;
    });
  }

  storage.keys = function (store) {
    return opened(function () {
      return keys(store);
    });
  };

  function keys(store) {
    if (!storage.db) return Promise.resolve(Object.keys(storage.memory[store]).sort());
    return transaction(store, "readonly", function (s) {
      return s.getAllKeys();
    }).then(function (keys) {
      return (keys || []).slice().sort();
    });
  }

  storage.remove = function (store, key) {
    return opened(function () {
      return remove(store, key);
    });
  };

  function remove(store, key) {
    if (!storage.db) {
      delete storage.memory[store][key];
      return Promise.resolve(true);
    }
    return transaction(store, "readwrite", function (s) {
      s.delete(key);
      return null;
    });
  }

  // ------------------------------------------------------------ the tabs' lock

  var releaseSaves = null;

  cf.lockSaves = function () {
    if (!navigator.locks) return Promise.resolve();
    return new Promise(function (acquired) {
      navigator.locks.request("cairnfall-saves", function () {
        acquired();
        return new Promise(function (release) {
          releaseSaves = release;
        });
      });
    });
  };

  cf.unlockSaves = function () {
    if (!releaseSaves) return;
    var release = releaseSaves;
    releaseSaves = null;
    release();
  };
})((window.CF = window.CF || {}));
