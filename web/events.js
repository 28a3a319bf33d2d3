// The page's input as the game's events (src/platform/web/web_events.cpp takes
// them): keys as Windows virtual-key codes, the mouse in picture coordinates,
// focus and resizes; a finger's gestures come from touch.js, the pads are read
// by pads.js. Part of the page's half of the web backend, loaded before the
// program.
(function (cf) {
  "use strict";

  // The game's event types (src/platform/events.h).
  var KEY_DOWN = 1, MOUSE_MOVE = 2, LBUTTON_UP = 3, EXPOSE = 4, FOCUS_GAINED = 5,
    FOCUS_LOST = 6;

  // ------------------------------------------------------------ events

  cf.events = [];
  var wake = null;

  // Touch (touch.js) hands its gestures in as these same events.
  cf.KEY_DOWN = KEY_DOWN;
  cf.MOUSE_MOVE = MOUSE_MOVE;
  cf.LBUTTON_UP = LBUTTON_UP;
  cf.push = push;

  function push(type, key, x, y) {
    var last = cf.events[cf.events.length - 1];
    // A move with another straight behind it says nothing the later one does not.
    if (type === MOUSE_MOVE && last && last[0] === MOUSE_MOVE) cf.events.pop();
    if (cf.events.length < 512) cf.events.push([type, key | 0, x | 0, y | 0]);
    if (wake) {
      var w = wake;
      wake = null;
      w();
    }
  }

  cf.waitForEvent = function (ms) {
    if (cf.events.length) return Promise.resolve();
    return new Promise(function (resolve) {
      var timer = setTimeout(function () {
        wake = null;
        resolve();
      }, ms);
      wake = function () {
        clearTimeout(timer);
        resolve();
      };
    });
  };

  // ------------------------------------------------------------ keys

  var NAMED = {
    Backspace: 8, Tab: 9, Enter: 13, NumpadEnter: 13, ShiftLeft: 16, ShiftRight: 16,
    ControlLeft: 17, ControlRight: 17, Pause: 19, CapsLock: 20, Escape: 27, Space: 32,
    PageUp: 33, PageDown: 34, End: 35, Home: 36, ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39,
    ArrowDown: 40, PrintScreen: 44, Insert: 45, Delete: 46, MetaLeft: 91, MetaRight: 92,
    ContextMenu: 93, NumpadMultiply: 106, NumpadAdd: 107, NumpadSubtract: 109,
    NumpadDecimal: 110, NumpadDivide: 111, NumLock: 144, ScrollLock: 145, Semicolon: 186,
    Equal: 187, Comma: 188, Minus: 189, Period: 190, Slash: 191, Backquote: 192,
    BracketLeft: 219, Backslash: 220, BracketRight: 221, Quote: 222,
  };

  // The Windows virtual-key code of a key, as the desktop gives it; 0 for none.
  cf.virtualKey = function (key, code) {
    if (key && key.length === 1) {
      var c = key.toUpperCase().charCodeAt(0);
      if (c >= 65 && c <= 90) return c;
    }
    var m = /^F([0-9]{1,2})$/.exec(code);
    if (m && +m[1] >= 1 && +m[1] <= 24) return 111 + +m[1];
    if ((m = /^Digit([0-9])$/.exec(code))) return 48 + +m[1];
    if ((m = /^Numpad([0-9])$/.exec(code))) return 96 + +m[1];
    if (NAMED[code]) return NAMED[code];
    // Letter keys of a non-Latin layout: by their place on the keyboard.
    if ((m = /^Key([A-Z])$/.exec(code))) return m[1].charCodeAt(0);
    return 0;
  };

  function onKey(e) {
    if (!cf.isOpen() || e.ctrlKey || e.metaKey) return;  // the browser's own shortcuts
    if (cf.typingTarget && e.target === cf.typingTarget) return;  // the device's keyboard: touch.js
    if (e.altKey) {
      // Alt combinations stay with the platform: Alt+Enter is full screen.
      if (e.code === "Enter" || e.code === "NumpadEnter") {
        e.preventDefault();
        if (!e.repeat) cf.toggleFullscreen();
      }
      return;
    }
    if (e.code === "F11") {
      e.preventDefault();
      if (!e.repeat) cf.toggleFullscreen();
      return;
    }
    var vk = cf.virtualKey(e.key, e.code);
    if (!vk) return;
    e.preventDefault();
    push(KEY_DOWN, vk, 0, 0);
  }

  // The whole page goes full screen, so that its own controls stay there to leave

  // ------------------------------------------------------------ pointer

  var lastPoint = null;

  // A finger's pointer is touch.js's: taps and swipes.
  function move(e) {
    if (!cf.isOpen() || e.pointerType === "touch") return;
    var p = cf.picturePoint(e.clientX, e.clientY);
    lastPoint = p;
    push(MOUSE_MOVE, 0, p[0], p[1]);
  }

  function onPointerUp(e) {
    if (!cf.isOpen() || e.button !== 0 || e.pointerType === "touch") return;
    var p = cf.picturePoint(e.clientX, e.clientY);
    // A tap is a click at that point: the game sees the pointer arrive first.
    if (!lastPoint || lastPoint[0] !== p[0] || lastPoint[1] !== p[1]) {
      lastPoint = p;
      push(MOUSE_MOVE, 0, p[0], p[1]);
    }
    push(LBUTTON_UP, 0, p[0], p[1]);
    e.preventDefault();
  }

  // ------------------------------------------------------------ focus

  var focused = true;

  function setFocus(now) {
    if (!cf.isOpen() || now === focused) return;
    focused = now;
    push(now ? FOCUS_GAINED : FOCUS_LOST, 0, 0, 0);
  }

  function onFocusChange() {
    setFocus(document.visibilityState === "visible" && document.hasFocus());
  }

  function onResize() {
    if (!cf.isOpen()) return;
    cf.redraw();
    push(EXPOSE, 0, 0, 0);
  }

  // Listens to the page's keys and the canvas's mouse once the game opens it.
  cf.listenInput = function (canvas) {
    window.addEventListener("keydown", onKey, true);
    canvas.addEventListener("pointermove", move);
    canvas.addEventListener("pointerdown", function (e) {
      move(e);
      e.preventDefault();
    });
    canvas.addEventListener("pointerup", onPointerUp);
    canvas.addEventListener("contextmenu", function (e) {
      e.preventDefault();
    });
    window.addEventListener("blur", onFocusChange);
    window.addEventListener("focus", onFocusChange);
    document.addEventListener("visibilitychange", onFocusChange);
    window.addEventListener("resize", onResize);
    document.addEventListener("fullscreenchange", onResize);
    document.addEventListener("webkitfullscreenchange", onResize);
  };

  // A fresh start: no event left over, the window counted as focused.
  cf.clearEvents = function () {
    cf.events.length = 0;
    focused = true;
  };
})((window.CF = window.CF || {}));
