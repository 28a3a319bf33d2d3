// Makes the game's sounds in the background once the game shows: the same
// synthesis as the desktop's (cairnfall-sounds.js), the effects first and the
// music, the longest, last. Each sound's format and samples go to the page as
// they are made.
"use strict";
importScripts("cairnfall-sounds.js");

createSoundMaker().then(function (maker) {
  [1, 2, 3, 4, 5, 6, 7, 8, 0].forEach(function (index) {
    var made = maker._make_sound(index);
    if (!made) {
      postMessage({ index: index, error: "sound " + index + " could not be made" });
      return;
    }
    // channels, rate, bits, the samples' address and their byte count
    var f = new Uint32Array(maker.HEAPU8.buffer, made, 5);
    var samples = maker.HEAPU8.slice(f[3], f[3] + f[4]).buffer;
    postMessage({ index: index, channels: f[0], rate: f[1], bits: f[2], samples: samples },
      [samples]);
  });
}, function (e) {
  postMessage({ error: String(e) });
});
