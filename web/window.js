// The game's window in the page: the canvas, the 800x600 picture's parts drawn
// into it as the game's composition places them, by the desktop's scaling rule
// in the device's own pixels, its opening and
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
  // The composition of the canvas's present size (src/platform/common/
  // picture_layout.cpp, through web_window.cpp): the picture's parts, each with
  // its source, its place in canvas pixels, its whole multiple and whether that
  // is exact, and where its nearest upscale lies in the scratch canvas.
  var parts = [], composedFor = "";
  // The largest multiple a part is drawn at before filtering down.
  var MAX_MULTIPLE = 8;

  function readParts(pointer) {
    var at = pointer >> 2, count = HEAP32[at], out = [], scratchW = 1, scratchH = 0;
    for (var i = 0; i < count; ++i) {
      var f = HEAP32.subarray(at + 1 + 10 * i, at + 11 + 10 * i);
      var p = { sx: f[0], sy: f[1], sw: f[2], sh: f[3], x: f[4], y: f[5], w: f[6], h: f[7],
        m: Math.min(MAX_MULTIPLE, f[8]), exact: f[9] !== 0 };
      // The upscale takes a pixel of the picture around the part, so that the
      // linear filter at its edges reads what the picture has there.
      p.mx = Math.max(0, p.sx - 1);
      p.my = Math.max(0, p.sy - 1);
      p.mw = Math.min(W, p.sx + p.sw + 1) - p.mx;
      p.mh = Math.min(H, p.sy + p.sh + 1) - p.my;
      p.top = scratchH;
      if (!p.exact) {
        scratchW = Math.max(scratchW, p.mw * p.m);
        scratchH += p.mh * p.m;
      }
      out.push(p);
    }
    parts = out;
    if (scratchH && (!big || big.width !== scratchW || big.height !== scratchH)) {
      big = document.createElement("canvas");
      big.width = scratchW;
      big.height = scratchH;
      bigCtx = big.getContext("2d");
    }
  }

  // Sizes the canvas to its box in device pixels and asks for its composition;
  // true when either changed.
  function layout() {
    var ratio = window.devicePixelRatio || 1;
    var w = Math.max(1, Math.round(canvas.clientWidth * ratio));
    var h = Math.max(1, Math.round(canvas.clientHeight * ratio));
    if (canvas.width !== w || canvas.height !== h) {
      canvas.width = w;
      canvas.height = h;
    }
    if (composedFor === w + "x" + h) return false;
    composedFor = w + "x" + h;
    readParts(Module._cf_compose(w, h));
    return true;
  }

  // The desktop's rule, part by part: nearest-neighbour to the next whole
  // multiple at or above the part's size on screen, then linear down; at an
  // exact multiple, nearest. Only what a change in the picture reaches is drawn
  // again: both passes are clipped to it (the linear pass reads a pixel around
  // each, hence the margins). The black around the parts is painted only when
  // the composition changed.
  function clipped(c, x0, y0, x1, y1, draw) {
    c.save();
    c.beginPath();
    c.rect(x0, y0, x1 - x0, y1 - y0);
    c.clip();
    draw();
    c.restore();
  }

  function paintPart(p, box) {
    var x0 = Math.max(p.sx, box[0] - 2), y0 = Math.max(p.sy, box[1] - 2);
    var x1 = Math.min(p.sx + p.sw, box[2] + 2), y1 = Math.min(p.sy + p.sh, box[3] + 2);
    if (x0 >= x1 || y0 >= y1) return;
    var kx = p.w / p.sw, ky = p.h / p.sh;
    var dx0 = Math.max(p.x, Math.floor(p.x + (x0 - p.sx) * kx) - 2);
    var dy0 = Math.max(p.y, Math.floor(p.y + (y0 - p.sy) * ky) - 2);
    var dx1 = Math.min(p.x + p.w, Math.ceil(p.x + (x1 - p.sx) * kx) + 2);
    var dy1 = Math.min(p.y + p.h, Math.ceil(p.y + (y1 - p.sy) * ky) + 2);
    if (p.exact) {
      clipped(ctx, dx0, dy0, dx1, dy1, function () {
        ctx.imageSmoothingEnabled = false;
        ctx.drawImage(small, p.sx, p.sy, p.sw, p.sh, p.x, p.y, p.w, p.h);
      });
      return;
    }
    var m = p.m;
    var bx0 = Math.max(p.mx, x0 - 1), by0 = Math.max(p.my, y0 - 1);
    var bx1 = Math.min(p.mx + p.mw, x1 + 1), by1 = Math.min(p.my + p.mh, y1 + 1);
    clipped(bigCtx, (bx0 - p.mx) * m, p.top + (by0 - p.my) * m, (bx1 - p.mx) * m,
      p.top + (by1 - p.my) * m, function () {
        bigCtx.imageSmoothingEnabled = false;
        bigCtx.drawImage(small, p.mx, p.my, p.mw, p.mh, 0, p.top, p.mw * m, p.mh * m);
      });
    clipped(ctx, dx0, dy0, dx1, dy1, function () {
      ctx.imageSmoothingEnabled = true;
      ctx.imageSmoothingQuality = "low";
      ctx.drawImage(big, (p.sx - p.mx) * m, p.top + (p.sy - p.my) * m, p.sw * m, p.sh * m,
        p.x, p.y, p.w, p.h);
    });
  }

  function paint(whole) {
    var box = paintBox;
    if (layout() || whole) {
      ctx.fillStyle = "#000";
      ctx.fillRect(0, 0, canvas.width, canvas.height);
      box = FULL;
    }
    for (var i = 0; i < parts.length; ++i) paintPart(parts[i], box);
    paintBox = NONE;
  }

  // The game presents once a tick; the browser shows a picture once a display
  // frame. A changed picture is read straight from the program's memory when the
  // next display frame draws it (the first at once), so the game never waits on
  // the canvas; an unchanged one, with the canvas's size unchanged, draws nothing.
  var source = 0, dirty = false, resized = false, drawPending = false;
  // Rectangles [left, top, right, bottom) of the picture: what changed since the
  // last upload into `small`, and since the last painting.
  var FULL = [0, 0, W, H], NONE = [W, H, 0, 0];
  var uploadBox = FULL, paintBox = FULL;

  function union(a, b) {
    return [Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[2], b[2]), Math.max(a[3], b[3])];
  }

  function flush() {
    if (!dirty) return;
    // The view is made again when the program's memory has grown (a new buffer).
    if (!picture || picture.data.buffer !== HEAPU8.buffer || picture.source !== source) {
      picture = new ImageData(new Uint8ClampedArray(HEAPU8.buffer, source, W * H * 4), W, H);
      picture.source = source;
    }
    var b = uploadBox;
    if (b[2] > b[0] && b[3] > b[1]) smallCtx.putImageData(picture, 0, 0, b[0], b[1], b[2] - b[0], b[3] - b[1]);
    paintBox = union(paintBox, b);
    uploadBox = NONE;
    dirty = false;
  }

  function drawFrame() {
    drawPending = false;
    if (!canvas || !shown) return;
    flush();
    if (!resized && (paintBox[2] <= paintBox[0] || paintBox[3] <= paintBox[1])) return;
    paint(resized);
    resized = false;
  }

  function schedule() {
    if (!drawPending) {
      drawPending = true;
      requestAnimationFrame(drawFrame);
    }
  }

  cf.showPicture = function (pointer, changed, box) {
    source = pointer;
    if (changed) uploadBox = union(uploadBox, box || FULL);
    if (changed || !shown) dirty = true;
    if (!shown) {
      shown = true;
      drawFrame();
      performance.mark("cairnfall-first-picture");
      window.cairnfallFirstPicture = performance.now();
      if (Module.onFirstPicture) Module.onFirstPicture();
      return;
    }
    if (dirty) schedule();
  };

  // The page's box for the canvas changed: drawn again at the next display frame.
  function redraw() {
    if (!canvas) return;
    resized = true;
    schedule();
  }

  // The last 800x600 picture as a PNG data URL, for tests and screenshots.
  cf.pictureDataURL = function () {
    if (!small) return null;
    flush();
    return small.toDataURL("image/png");
  };

  function canvasPoint(clientX, clientY) {
    var box = canvas.getBoundingClientRect();
    return [Math.floor(((clientX - box.left) * canvas.width) / Math.max(1, box.width)),
      Math.floor(((clientY - box.top) * canvas.height) / Math.max(1, box.height))];
  }

  // A point of the page as a point of the picture, through the composition, with
  // a finger's reach (CSS pixels) as picture pixels of the part it went through.
  function tapPoint(clientX, clientY, reach) {
    layout();
    var c = canvasPoint(clientX, clientY);
    var box = canvas.getBoundingClientRect();
    var r = reach ? Math.max(1, Math.round((reach * canvas.width) / Math.max(1, box.width))) : 0;
    var at = Module._cf_to_picture(c[0], c[1], r) >> 2;
    return [HEAP32[at], HEAP32[at + 1], HEAP32[at + 2]];
  }

  cf.picturePoint = function (clientX, clientY) {
    return tapPoint(clientX, clientY, 0).slice(0, 2);
  };

  cf.tapPoint = function (clientX, clientY) {
    return tapPoint(clientX, clientY, cf.touchReach);
  };

  // The page point (CSS pixels) where a picture pixel's centre is shown, null
  // where no part shows it; for tests.
  cf.pagePoint = function (x, y) {
    layout();
    var at = Module._cf_to_canvas(x, y) >> 2;
    if (!HEAP32[at + 2]) return null;
    var box = canvas.getBoundingClientRect();
    return [box.left + ((HEAP32[at] + 0.5) * box.width) / canvas.width,
      box.top + ((HEAP32[at + 1] + 0.5) * box.height) / canvas.height];
  };

  // The parts in CSS pixels of the page: {s: source, d: place}, for tests.
  cf.parts = function () {
    layout();
    var box = canvas.getBoundingClientRect();
    var k = box.width / canvas.width;
    return parts.map(function (p) {
      return { s: [p.sx, p.sy, p.sw, p.sh],
        d: [box.left + p.x * k, box.top + p.y * k, p.w * k, p.h * k] };
    });
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
    composedFor = "";
    // A new canvas holds nothing yet: the next picture goes up whole.
    uploadBox = FULL;
    paintBox = FULL;
    if (!ctx || !smallCtx) return false;
    if (!listening) {
      listening = true;
      cf.listenInput(canvas);
      cf.listenTouch(canvas);
      // The canvas's box may change with the page's controls, not only the window.
      if (window.ResizeObserver) new ResizeObserver(redraw).observe(canvas);
    }
    open = true;
    cf.clearEvents();
    // The first drawing through both canvases costs the browser a good part of
    // a second: done now, with a black picture, it overlaps the game's start-up.
    paint(true);
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

  cf.redraw = redraw;
})((window.CF = window.CF || {}));
