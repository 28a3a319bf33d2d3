// The game's mouse cursor as the canvas's CSS cursor (web_cursor.cpp).
(function (cf) {
  "use strict";

  var cursors = [null];
  var cursorNow = "default", cursorShown = true;

  function applyCursor() {
    if (cf.canvas()) cf.canvas().style.cursor = cursorShown ? cursorNow : "none";
  }

  cf.createCursor = function (pointer, side, hotX, hotY) {
    var c = document.createElement("canvas");
    c.width = c.height = side;
    var cc = c.getContext("2d");
    var image = cc.createImageData(side, side);
    image.data.set(HEAPU8.subarray(pointer, pointer + side * side * 4));
    cc.putImageData(image, 0, 0);
    cursors.push("url(" + c.toDataURL() + ") " + hotX + " " + hotY + ", default");
    return cursors.length - 1;
  };

  cf.setCursor = function (handle) {
    cursorNow = cursors[handle] || "default";
    applyCursor();
  };

  cf.showCursor = function (visible) {
    cursorShown = visible;
    applyCursor();
  };
})((window.CF = window.CF || {}));
