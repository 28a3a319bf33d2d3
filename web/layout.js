// The page around the picture: where its controls go, full screen in and out,
// and its one-line notices. The picture gets the screen: held sideways the
// controls sit in a letterbox beside or above it when one has room, else in a
// narrow column of their own beside it (a 4:3 tablet); upright they go below
// the game's parts, which the game lays out for a tall screen.
(function (cf) {
  "use strict";

  var $ = function (id) {
    return document.getElementById(id);
  };
  var W = 800, H = 600;
  var bar = $("bar"), button = $("fullscreen-button");

  // ------------------------------------------------------------ notices

  // Says a thing in the line at the bottom of the page; with `once`, only the
  // first time ever in this browser (as far as it keeps what the page remembers).
  // The next press anywhere closes it; the press itself goes through to the game.
  cf.notice = function (text, once) {
    if (once) {
      try {
        if (localStorage.getItem("cairnfall-told-" + once)) return;
        localStorage.setItem("cairnfall-told-" + once, "1");
      } catch (e) {
        // nothing remembered: said on every visit
      }
    }
    // A notice still showing keeps its line: the new one goes below it.
    var line = $("notice");
    if (line.hidden) line.textContent = "";
    if (line.textContent.indexOf(text) >= 0) return;
    line.textContent += (line.textContent ? "\n" : "") + text;
    line.hidden = false;
  };
  window.addEventListener("pointerdown", function () {
    $("notice").hidden = true;
  }, true);

  // ------------------------------------------------------------ where the controls go

  var mode = "";
  var SIDE_MIN = 120;  // CSS pixels of letterbox beside the picture that hold the column

  function place() {
    var vw = window.innerWidth, vh = window.innerHeight;
    var scale = Math.min(vw / W, vh / H);
    var side = (vw - W * scale) / 2, top = (vh - H * scale) / 2;
    // The controls' height laid out as a row over the picture's top letterbox.
    document.body.className = "bar-top";
    var rowHeight = bar.offsetHeight;
    var next = vh > vw ? "bar-below" : side >= SIDE_MIN ? "bar-side" :
      top >= rowHeight ? "bar-top" : "bar-beside";
    document.body.className = next;
    if (next === "bar-side") document.body.style.setProperty("--side-width", Math.floor(side) + "px");
    if (next !== mode) {
      mode = next;
      window.dispatchEvent(new Event("resize"));  // the canvas takes its new box
    }
  }

  // ------------------------------------------------------------ full screen

  // Opened from the Home Screen the game is full screen already.
  var standalone = window.navigator.standalone === true ||
    (window.matchMedia && (matchMedia("(display-mode: fullscreen)").matches ||
      matchMedia("(display-mode: standalone)").matches));
  cf.standalone = standalone;

  function label() {
    button.hidden = standalone;
    button.textContent = cf.fullscreenElement() ? "Leave full screen" : "Full screen";
  }

  cf.onFullscreenButton = function () {
    if (cf.canFullscreen() || cf.fullscreenElement()) {
      cf.toggleFullscreen();
    } else {
      $("home-screen").hidden = false;  // an iPhone: the Home Screen instead
    }
  };
  $("home-screen-close").addEventListener("click", function () {
    $("home-screen").hidden = true;
  });

  function changed() {
    label();
    place();
  }
  document.addEventListener("fullscreenchange", changed);
  document.addEventListener("webkitfullscreenchange", changed);
  window.addEventListener("resize", place);
  window.addEventListener("orientationchange", place);
  label();
  place();

})(CF);
