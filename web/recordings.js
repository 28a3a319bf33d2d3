// The session being recorded, copied into the page's storage as it grows
// (web_recordings.cpp); the newest ten are kept.
(function (cf) {
  "use strict";

  var KEEP_RECORDINGS = 10;
  var storage = cf.storage;

  var keptNames = {};

  cf.tabNumber = function () {
    var n = new Uint32Array(1);
    crypto.getRandomValues(n);
    return n[0] % 10000000;
  };

  // Copies the recording into storage; a new one pushes out all but the newest ten.
  var recordingPath = null;

  // A tab being closed keeps what the recorder wrote since its last copy, as far
  // as the browser lets the copy finish.
  window.addEventListener("pagehide", function () {
    if (recordingPath) cf.keepRecording(recordingPath);
  });

  cf.keepRecording = function (path) {
    recordingPath = path;
    var bytes;
    try {
      bytes = FS.readFile(path);
    } catch (e) {
      return;
    }
    var name = path.split("/").pop();
    var fresh = !keptNames[name];
    keptNames[name] = true;
    storage.put("recordings", name, bytes).then(function () {
      if (!fresh) return null;
      return storage.keys("recordings").then(function (keys) {
        var old = keys.filter(function (k) {
          return /^[0-9]{8}-[0-9]{6}-[0-9]+(-[0-9]+)?\.rec$/.test(k);
        });
        var drops = old.slice(0, Math.max(0, old.length - KEEP_RECORDINGS));
        return Promise.all(drops.map(function (k) {
          return storage.remove("recordings", k);
        }));
      });
    }).then(function () {
      if (Module.onRecordingsChanged) Module.onRecordingsChanged();
    });
  };


  cf.keepLastRecording = function () {
    if (recordingPath) cf.keepRecording(recordingPath);
  };
})((window.CF = window.CF || {}));
