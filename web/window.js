// The game's window in the page: the canvas, the 800x600 picture drawn into it
// by the desktop's scaling rule in the device's own pixels, its opening and
// closing, the game's messages and full screen (src/platform/web/web_window.cpp
// calls these). Part of the page's half of the web backend, loaded before the
// program: it uses the program's HEAPU8 once that runs.
(function (cf) {
  "use strict";

  var W = 800, H = 600;

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
      cf.listenInput(canvas);
      cf.listenTouch(canvas);
    }
    open = true;
    cf.clearEvents();
    // The first drawing through both canvases costs the browser a good part of
    // a second: done now, with a black picture, it overlaps the game's start-up.
    paint();
    return true;
  };

  cf.closeCanvas = function () {
    open = false;
    if (cf.setTextEntry) cf.setTextEntry(false);
    cf.clearEvents();
    if (canvas) canvas.style.cursor = "default";
  };

  cf.message = function (caption, text) {
    if (Module.showMessage) Module.showMessage(caption, text);
  };

  cf.programEnded = function (status) {
    open = false;
    cf.keepLastRecording();  // with its end mark
    if (Module.onGameEnded) Module.onGameEnded(status);
  };

  cf.canvas = function () {
    return canvas;
  };

  cf.redraw = draw;
})((window.CF = window.CF || {}));
