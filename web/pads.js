// Game pads through the Gamepad API, read by web_events.cpp each time the game
// looks for input.
(function (cf) {
  "use strict";

  cf.padsConnected = function () {
    if (!navigator.getGamepads) return false;
    var pads = navigator.getGamepads();
    for (var i = 0; i < pads.length; ++i) if (pads[i] && pads[i].connected) return true;
    return false;
  };

  // The standard mapping's buttons as the backend's bits: A, B, Start, then the
  // D-pad's up, down, left and right; the left stick into x and y (+-32767).
  var PAD_BUTTONS = [0, 1, 9, 12, 13, 14, 15];

  cf.padState = function (index, xPointer, yPointer) {
    if (!navigator.getGamepads) return -1;
    var pad = navigator.getGamepads()[index];
    if (!pad || !pad.connected) return -1;
    var bits = 0;
    for (var i = 0; i < PAD_BUTTONS.length; ++i) {
      var b = pad.buttons[PAD_BUTTONS[i]];
      if (b && b.pressed) bits |= 1 << i;
    }
    var axis = function (n) {
      var v = pad.axes[n] || 0;
      return Math.max(-32768, Math.min(32767, Math.round(v * 32767)));
    };
    HEAP32[xPointer >> 2] = axis(0);
    HEAP32[yPointer >> 2] = axis(1);
    return bits;
  };
})((window.CF = window.CF || {}));
