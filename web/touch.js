// A finger on the picture, as the game's own events: a tap is a click that may
// land on a target beside it, a swipe is the arrow key in its direction, a long
// press is Enter. And the device's own keyboard for typing a name. Loaded after
// events.js and window.js, whose CF it adds to. A tap is a click with a reach:
// how far it may miss, sent in the release's key field (its path to the screens:
// tap_reach in src/runtime/main_loop.h); the rest are the keys' and the mouse's
// own events.

(function (cf) {
  "use strict";

  var KEY_BACKSPACE = 8, KEY_ENTER = 13, KEY_SPACE = 32;
  var KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39, KEY_DOWN = 40;

  // In CSS pixels and milliseconds. A stroke shorter than TAP_SLOP is a tap; one
  // of at least SWIPE_MIN done within SWIPE_MS is a swipe; a finger held still for
  // LONG_MS is a long press.
  var TAP_SLOP = 12, SWIPE_MIN = 30, SWIPE_MS = 800, LONG_MS = 550;
  // How far a tap may miss a target and still land on it (the game finds the
  // target): a little over 22, so that the pause button, with nothing below it
  // but the clock, is a finger's 44 pixels high on an upright phone.
  var REACH = 26;
  cf.touchReach = REACH;

  var stroke = null;  // the finger being followed: {id, x, y, t, timer, long}
  var fingers = {};   // the pointer ids of the fingers down now

  // What the gestures did, for tests: counts of taps, swipes and long presses.
  cf.touchCounts = { taps: 0, swipes: 0, longPresses: 0 };

  function key(code) {
    cf.push(cf.KEY_DOWN, code, 0, 0);
  }

  function reach() {
    return Math.max(1, Math.round(REACH / Math.max(0.05, cf.pictureScale())));
  }

  function tap(clientX, clientY) {
    var p = cf.picturePoint(clientX, clientY);
    cf.touchCounts.taps++;
    cf.push(cf.MOUSE_MOVE, 0, p[0], p[1]);
    cf.push(cf.LBUTTON_UP, reach(), p[0], p[1]);
  }

  function swipe(dx, dy) {
    cf.touchCounts.swipes++;
    if (Math.abs(dx) > Math.abs(dy)) key(dx > 0 ? KEY_RIGHT : KEY_LEFT);
    else key(dy > 0 ? KEY_DOWN : KEY_UP);
  }

  function forget() {
    if (stroke && stroke.timer) clearTimeout(stroke.timer);
    stroke = null;
  }

  function onDown(e) {
    if (e.pointerType !== "touch" || !cf.isOpen()) return;
    e.preventDefault();
    // The first finger of a new touch starts afresh, whatever ends went missing.
    if (e.isPrimary) fingers = {};
    fingers[e.pointerId] = true;
    if (Object.keys(fingers).length > 1) {
      forget();  // two fingers (a pinch) are no gesture of the game's
      return;
    }
    stroke = { id: e.pointerId, x: e.clientX, y: e.clientY, t: performance.now(), long: false };
    stroke.timer = setTimeout(function () {
      if (!stroke) return;
      stroke.long = true;
      stroke.timer = null;
      cf.touchCounts.longPresses++;
      key(KEY_ENTER);
    }, LONG_MS);
  }

  function onMove(e) {
    if (!stroke || e.pointerId !== stroke.id) return;
    e.preventDefault();
    var moved = Math.max(Math.abs(e.clientX - stroke.x), Math.abs(e.clientY - stroke.y));
    if (moved > TAP_SLOP && stroke.timer) {
      clearTimeout(stroke.timer);
      stroke.timer = null;
    }
  }

  function onUp(e) {
    if (e.pointerType !== "touch") return;
    delete fingers[e.pointerId];
    if (!stroke || e.pointerId !== stroke.id) return;
    e.preventDefault();
    var s = stroke;
    forget();
    if (s.long || !cf.isOpen()) return;
    var dx = e.clientX - s.x, dy = e.clientY - s.y;
    var distance = Math.max(Math.abs(dx), Math.abs(dy));
    if (distance < TAP_SLOP) {
      tap(s.x, s.y);
      if (typing) openKeyboard();
    } else if (distance >= SWIPE_MIN && performance.now() - s.t <= SWIPE_MS) {
      swipe(dx, dy);
    }
  }

  function onCancel(e) {
    if (e.pointerType !== "touch") return;
    delete fingers[e.pointerId];
    forget();
  }

  // The page never scrolls, zooms or selects under a finger: the picture has all
  // of it (Safari needs the touch events refused as well as touch-action).
  function refuse(e) {
    if (e.touches && e.touches.length > 1) e.preventDefault();
    if (e.type === "touchmove" || e.type === "gesturestart" || e.type === "dblclick") {
      if (!e.target.closest || !e.target.closest(".panel, .scrolls")) e.preventDefault();
    }
  }

  cf.listenTouch = function (canvas) {
    canvas.addEventListener("pointerdown", onDown);
    canvas.addEventListener("pointermove", onMove);
    // Ends are heard wherever the finger lifts.
    window.addEventListener("pointerup", onUp);
    window.addEventListener("pointercancel", onCancel);
    // Safari opens the keyboard only from a touch's own end.
    canvas.addEventListener("touchend", function () {
      if (typing && cf.isOpen()) openKeyboard();
    });
    ["touchstart", "touchmove", "gesturestart", "dblclick"].forEach(function (name) {
      document.addEventListener(name, refuse, { passive: false });
    });
  };

  // ------------------------------------------------------------ the device's keyboard

  // While the game takes text, a tap on the picture focuses an input the player
  // does not see, which makes a phone show its keyboard (only a gesture may); what
  // is typed there reaches the game as the keys' presses.
  var typing = false, input = null;

  function typingInput() {
    if (input) return input;
    input = document.createElement("input");
    input.id = "type-in";
    input.type = "text";
    input.autocomplete = "off";
    input.setAttribute("autocapitalize", "characters");
    input.setAttribute("autocorrect", "off");
    input.spellcheck = false;
    input.setAttribute("aria-label", "Your name");
    input.setAttribute("enterkeyhint", "done");
    input.addEventListener("keydown", onTypedKey);
    input.addEventListener("input", onTyped);
    document.body.appendChild(input);
    cf.typingTarget = input;
    return input;
  }

  function typeCharacter(c) {
    var code = c.toUpperCase().charCodeAt(0);
    if (code >= 65 && code <= 90) key(code);
    else if (c === " ") key(KEY_SPACE);
  }

  // Keys with a meaning of their own come as keys; letters the keyboard names come
  // here too, while a phone's keyboard that names none (key 229) sends text.
  function onTypedKey(e) {
    if (e.key === "Enter") key(KEY_ENTER);
    else if (e.key === "Backspace") key(KEY_BACKSPACE);
    else if (e.key && e.key.length === 1 && e.keyCode !== 229) typeCharacter(e.key);
    else return;
    e.preventDefault();
  }

  function onTyped(e) {
    if (e.inputType === "deleteContentBackward") key(KEY_BACKSPACE);
    else if (e.inputType === "insertLineBreak") key(KEY_ENTER);
    else if (e.data) for (var i = 0; i < e.data.length; ++i) typeCharacter(e.data[i]);
    input.value = "";
  }

  function openKeyboard() {
    var field = typingInput();
    if (document.activeElement !== field) field.focus();
  }

  cf.setTextEntry = function (active) {
    typing = active;
    if (!active && input && document.activeElement === input) {
      input.blur();
      if (cf.focusPicture) cf.focusPicture();
    }
    if (Module.onTextEntry) Module.onTextEntry(active);
  };

  cf.textEntry = function () {
    return { active: typing, keyboard: !!input && document.activeElement === input };
  };
})(CF);
