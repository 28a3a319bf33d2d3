// Makes the game's sounds in the background once the game shows: the same
// synthesis as the desktop's (cairnfall-sounds.js), the effects first and the
// music, the longest, last. Each file's bytes go to the page as they are made.
"use strict";
importScripts("cairnfall-sounds.js");

createSoundMaker().then(function (maker) {
  [1, 2, 3, 4, 5, 6, 7, 8, 0].forEach(function (index) {
    var path = "/sound" + index + "_";
    if (!maker._make_sound(index)) {
      postMessage({ index: index, error: "sound " + index + " could not be made" });
      return;
    }
    var bytes = maker.FS.readFile(path);
    maker.FS.unlink(path);
    postMessage({ index: index, bytes: bytes.buffer }, [bytes.buffer]);
  });
}, function (e) {
  postMessage({ error: String(e) });
});
