// The page's half of the web backend (src/platform/web calls these through
// EM_JS): the canvas and its scaling, input as the game's events, Web Audio,
// the saved files and recordings in IndexedDB, and the lock the tabs share.
// Loaded before the program's script, so that the storage can open while the
// program loads; it uses the program's HEAPU8, FS and the rest once it runs.

var CF = (function () {
  "use strict";
  var cf = {};

  // The game's event types (src/platform/events.h).
  var KEY_DOWN = 1, MOUSE_MOVE = 2, LBUTTON_UP = 3, EXPOSE = 4, FOCUS_GAINED = 5,
    FOCUS_LOST = 6;
  var W = 800, H = 600;

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

  // ------------------------------------------------------------ picture

  var canvas = null, ctx = null;
  var small = null, smallCtx = null, picture = null;
  var big = null, bigCtx = null;
  var shown = false, open = false;
  // The picture's place in the canvas, in canvas pixels.
  var place = { x: 0, y: 0, w: W, h: H };
  // The largest multiple drawn before filtering down (a 6400x4800 canvas at most).
  var MAX_MULTIPLE = 8;

  // Sizes the canvas to its box in device pixels and letterboxes the picture.
  function layout() {
    var ratio = window.devicePixelRatio || 1;
    var w = Math.max(1, Math.round(canvas.clientWidth * ratio));
    var h = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
    }
    var scale = Math.min(w / W, h / H);
    var pw = Math.max(1, Math.round(W * scale)), ph = Math.max(1, Math.round(H * scale));
    place = { x: Math.floor((w - pw) / 2), y: Math.floor((h - ph) / 2), w: pw, h: ph };
  }

  // The desktop's rule: nearest-neighbour to the next whole multiple at or above
  // the picture's size on screen, then linear down; at an exact multiple, nearest.
  function draw() {
    if (!canvas || !shown) return;
    paint();
  }

  function paint() {
    layout();
    ctx.fillStyle = "#000";
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    var k = Math.min(MAX_MULTIPLE, Math.max(1, Math.ceil(place.w / W - 1e-9)));
    if (place.w === k * W && place.h === k * H) {
      ctx.imageSmoothingEnabled = false;
      ctx.drawImage(small, place.x, place.y, place.w, place.h);
      return;
    }
    if (!big || big.width !== k * W) {
      big = document.createElement("canvas");
      big.width = k * W;
      big.height = k * H;
      bigCtx = big.getContext("2d");
    }
    bigCtx.imageSmoothingEnabled = false;
    bigCtx.drawImage(small, 0, 0, big.width, big.height);
    ctx.imageSmoothingEnabled = true;
    ctx.imageSmoothingQuality = "low";
    ctx.drawImage(big, place.x, place.y, place.w, place.h);
  }

  // The game presents once a tick; the browser shows a picture once a display
  // frame. A presented picture is read straight from the program's memory when
  // the next display frame draws it (the first at once), so the game never waits
  // on the canvas.
  var source = 0, dirty = false, drawPending = false;

  function flush() {
    if (!dirty) return;
    // The view is made again when the program's memory has grown (a new buffer).
    if (!picture || picture.data.buffer !== HEAPU8.buffer || picture.source !== source) {
      picture = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, source, W * H * 4), W, H);
      picture.source = source;
    }
    smallCtx.putImageData(picture, 0, 0);
    dirty = false;
  }

  function drawFrame() {
    drawPending = false;
    flush();
    draw();
  }

  cf.showPicture = function (pointer, changed) {
    source = pointer;
    if (changed || !shown) dirty = true;
    if (!shown) {
      shown = true;
      drawFrame();
      performance.mark("cairnfall-first-picture");
      window.cairnfallFirstPicture = performance.now();
      if (Module.onFirstPicture) Module.onFirstPicture();
      return;
    }
    if (!drawPending) {
      drawPending = true;
      requestAnimationFrame(drawFrame);
    }
  };

  // The last 800x600 picture as a PNG data URL, for tests and screenshots.
  cf.pictureDataURL = function () {
    if (!small) return null;
    flush();
    return small.toDataURL("image/png");
  };

  // A point of the page as a point of the picture (outside it in the letterbox).
  function picturePoint(clientX, clientY) {
    var box = canvas.getBoundingClientRect();
    var x = ((clientX - box.left) * canvas.width) / Math.max(1, box.width);
    var y = ((clientY - box.top) * canvas.height) / Math.max(1, box.height);
    return [Math.floor(((x - place.x) * W) / place.w), Math.floor(((y - place.y) * H) / place.h)];
  }

  cf.picturePoint = picturePoint;

  // CSS pixels per picture pixel as the picture is shown now.
  cf.pictureScale = function () {
    if (!canvas || !canvas.width) return 1;
    return (place.w * canvas.getBoundingClientRect().width) / canvas.width / W;
  };

  // Whether the game takes input now (between opening the canvas and its close).
  cf.isOpen = function () {
    return open;
  };

  cf.screenSide = function (vertical) {
    var ratio = window.devicePixelRatio || 1;
    return Math.round((vertical ? screen.height : screen.width) * ratio) | 0;
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
    if (!open || e.ctrlKey || e.metaKey) return;  // the browser's own shortcuts
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
  // it; Safari on an iPad knows only the prefixed calls, an iPhone neither.
  cf.fullscreenElement = function () {
    return document.fullscreenElement || document.webkitFullscreenElement || null;
  };

  cf.canFullscreen = function () {
    var target = Module.fullscreenTarget || canvas;
    return !!(target && (target.requestFullscreen || target.webkitRequestFullscreen) &&
      (document.fullscreenEnabled || document.webkitFullscreenEnabled));
  };

  cf.toggleFullscreen = function () {
    var target = Module.fullscreenTarget || canvas;
    var done = function (p) {
      if (p && p.catch) p.catch(function () {});
    };
    if (cf.fullscreenElement()) {
      done(document.exitFullscreen ? document.exitFullscreen() : document.webkitExitFullscreen());
    } else if (target && target.requestFullscreen) {
      done(target.requestFullscreen());
    } else if (target && target.webkitRequestFullscreen) {
      target.webkitRequestFullscreen();
    }
  };

  // ------------------------------------------------------------ pointer

  var lastPoint = null;

  // A finger's pointer is touch.js's: taps and swipes.
  function move(e) {
    if (!open || e.pointerType === "touch") return;
    var p = picturePoint(e.clientX, e.clientY);
    lastPoint = p;
    push(MOUSE_MOVE, 0, p[0], p[1]);
  }

  function onPointerUp(e) {
    if (!open || e.button !== 0 || e.pointerType === "touch") return;
    var p = picturePoint(e.clientX, e.clientY);
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
    if (!open || now === focused) return;
    focused = now;
    push(now ? FOCUS_GAINED : FOCUS_LOST, 0, 0, 0);
  }

  function onFocusChange() {
    setFocus(document.visibilityState === "visible" && document.hasFocus());
  }

  function onResize() {
    if (!open) return;
    draw();
    push(EXPOSE, 0, 0, 0);
  }

  var listening = false;

  cf.openCanvas = function () {
    canvas = Module.canvas;
    if (!canvas || !canvas.getContext) return false;
    ctx = canvas.getContext("2d", { alpha: false });
    small = document.createElement("canvas");
    small.width = W;
    small.height = H;
    smallCtx = small.getContext("2d");
    picture = null;
    if (!ctx || !smallCtx) return false;
    if (!listening) {
      listening = true;
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
      if (cf.listenTouch) cf.listenTouch(canvas);
    }
    open = true;
    focused = true;
    cf.events.length = 0;
    // The first drawing through both canvases costs the browser a good part of
    // a second: done now, with a black picture, it overlaps the game's start-up.
    paint();
    return true;
  };

  cf.closeCanvas = function () {
    open = false;
    if (cf.setTextEntry) cf.setTextEntry(false);
    cf.events.length = 0;
    if (canvas) canvas.style.cursor = "default";
  };

  cf.message = function (caption, text) {
    if (Module.showMessage) Module.showMessage(caption, text);
  };

  cf.programEnded = function (status) {
    open = false;
    if (recordingPath) cf.keepRecording(recordingPath);  // with its end mark
    if (Module.onGameEnded) Module.onGameEnded(status);
  };

  // ------------------------------------------------------------ cursor

  var cursors = [null];
  var cursorNow = "default", cursorShown = true;

  function applyCursor() {
    if (canvas) canvas.style.cursor = cursorShown ? cursorNow : "none";
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

  // ------------------------------------------------------------ pads

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

  // ------------------------------------------------------------ audio

  // Browsers let a page's sound start only with a gesture of the player's, and
  // making the audio context is slow the first time (the browser starts its
  // audio service): so it is made at the first gesture. Until then the sounds
  // keep their samples, and a looping sound (the music) waits to start.
  var Context = window.AudioContext || window.webkitAudioContext;
  var audio = null, audioOpened = false;
  var sounds = [null];

  // A sound: its format, its samples (a DataView, or the made sound it stands
  // in for), its Web Audio buffer once there is a context, its gain.
  function Sound(channels, rate, bits, size) {
    this.channels = channels;
    this.rate = rate;
    this.bits = bits;
    this.size = size;
    this.samples = null;
    this.standIn = -1;
    this.buffer = null;
    this.source = null;
    this.gain = null;
    this.volume = 1;
    this.waitingLoop = false;
  }

  function startAudio() {
    if (!audioOpened) return;
    if (!audio) {
      try {
        audio = new Context();
      } catch (e) {
        audioOpened = false;
        return;
      }
      sounds.forEach(function (s, handle) {
        if (s && s.waitingLoop) cf.audioPlay(handle, true);
      });
    }
    if (audio.state === "suspended") audio.resume().catch(function () {});
  }

  cf.audioOpen = function () {
    if (!Context) return false;
    audioOpened = true;
    ["pointerdown", "pointerup", "keydown", "touchend"].forEach(function (name) {
      window.addEventListener(name, startAudio, true);
    });
    return true;
  };

  cf.audioClose = function () {
    sounds.forEach(function (s) {
      if (s && s.source) s.source.stop();
    });
    sounds = [null];
    if (audio) audio.close().catch(function () {});
    audio = null;
    audioOpened = false;
  };

  cf.audioCreate = function (channels, rate, bits, size) {
    if (!audioOpened) return 0;
    sounds.push(new Sound(channels, rate, bits, size));
    return sounds.length - 1;
  };

  // 8- or 16-bit PCM bytes (interleaved, little-endian) as an audio buffer.
  function audioBuffer(channels, rate, bits, view) {
    var bytes = bits / 8, frames = Math.floor(view.byteLength / (bytes * channels));
    if (!audio || frames < 1) return null;
    var buffer;
    try {
      buffer = audio.createBuffer(channels, frames, rate);
    } catch (e) {
      return null;
    }
    for (var c = 0; c < channels; ++c) {
      var out = buffer.getChannelData(c);
      for (var i = 0; i < frames; ++i) {
        var at = (i * channels + c) * bytes;
        out[i] = bytes === 2 ? view.getInt16(at, true) / 32768 : (view.getUint8(at) - 128) / 128;
      }
    }
    return buffer;
  }

  // The real sounds, as the worker makes them: index -> {channels, rate, bits, view}.
  var made = {};

  // The sound's Web Audio buffer, made from its samples when first needed.
  function bufferOf(s) {
    if (!s.buffer && audio) {
      var m = s.standIn >= 0 ? made[s.standIn] : null;
      if (m) s.buffer = audioBuffer(m.channels, m.rate, m.bits, m.view);
      else if (s.samples) s.buffer = audioBuffer(s.channels, s.rate, s.bits, s.samples);
    }
    return s.buffer;
  }

  cf.audioFill = function (handle, pointer, size) {
    var s = sounds[handle];
    var bytes = s ? Math.min(size, s.size) : 0;
    if (!s || bytes < (s.bits / 8) * s.channels) return false;
    s.standIn = -1;
    s.buffer = null;
    s.samples = new DataView(HEAPU8.slice(pointer, pointer + bytes).buffer);
    return true;
  };

  cf.audioStandIn = function (handle, index) {
    var s = sounds[handle];
    if (!s) return false;
    s.standIn = index;
    s.samples = null;
    s.buffer = null;
    return true;
  };

  // A sound the worker made: its channels, rate, bits and samples (an ArrayBuffer).
  cf.soundMade = function (index, sound) {
    made[index] = { channels: sound.channels, rate: sound.rate, bits: sound.bits,
      view: new DataView(sound.samples) };
    sounds.forEach(function (s, handle) {
      if (s && s.standIn === index && s.waitingLoop) cf.audioPlay(handle, true);
    });
  };

  cf.audioPlay = function (handle, loop) {
    var s = sounds[handle];
    if (!s) return false;
    if (s.source) {
      s.source.stop();
      s.source = null;
    }
    // Before the first gesture, or while the sound is still being made, the
    // music waits to start; an effect then is missed, as it would sound late.
    var buffer = bufferOf(s);
    s.waitingLoop = loop && !buffer;
    if (!buffer) return s.samples !== null || s.standIn >= 0;
    if (audio.state !== "running" && !loop) return true;
    if (!s.gain) {
      s.gain = audio.createGain();
      s.gain.gain.value = s.volume;
      s.gain.connect(audio.destination);
    }
    var source = audio.createBufferSource();
    source.buffer = buffer;
    source.loop = loop;
    source.connect(s.gain);
    source.start();
    s.source = source;
    return true;
  };

  cf.audioGain = function (handle, gain) {
    var s = sounds[handle];
    if (!s) return false;
    s.volume = gain;
    if (s.gain) s.gain.gain.value = gain;
    return true;
  };

  // What the audio does, for tests: the context's state, whether a looping sound
  // (the music) plays, and how many sounds the worker has made.
  cf.audioState = function () {
    return { context: audio ? audio.state : "none", made: Object.keys(made).length,
      looping: sounds.some(function (s) { return s && s.source && s.source.loop; }) };
  };

  cf.audioRelease = function (handle) {
    var s = sounds[handle];
    if (!s) return;
    if (s.source) s.source.stop();
    if (s.gain) s.gain.disconnect();
    sounds[handle] = null;
  };

  // ------------------------------------------------------------ storage

  // Two object stores keyed by file name: "saves" (the saved files) and
  // "recordings". Without IndexedDB (refused, as in some private windows) the
  // files live in memory for this visit only.
  var storage = (cf.storage = { db: null, memory: { saves: {}, recordings: {} }, error: "", kept: false });
  var KEEP_RECORDINGS = 10;

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

  // ------------------------------------------------------------ recordings

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

  return cf;
})();
