// Watching a recording in the page: the program plays it through the real game
// (src/shell/watch.h holds the calls), and the page lays its own controls over
// the picture: play and pause, the time and a scrubber, speed, frame steps,
// and the keys of the desktop's `cairnfall --watch`. The game's picture stays
// the game's: nothing here draws into it.
//
// Recordings come from a link (#watch= and the file in base64url), from "Scores
// & files", from a dropped or chosen file, and from the installed app's file
// handler. Watching writes nothing into the page's storage.
(function (cf) {
  "use strict";

  // The largest recording the program takes (WATCH_FILE_MAX in watch.h).
  var MOST_FILE = 16 << 20;
  var MAGIC = "CAIRNREC";
  // How long the bar stays after the last move of the pointer, while playing.
  var BAR_MS = 2500;
  // The program's folder, which holds its data (page.js puts it there).
  var GAME_FOLDER = "/cairnfall";

  var $ = function (id) {
    return document.getElementById(id);
  };

  // What the page knows of the program: whether it runs (started and not
  // ended), and the recording it plays.
  var program = { started: false, ended: false, lastSaid: "" };
  var watched = null;     // { bytes, name } of the recording open
  var atStart = null;     // the recording the program starts on, or false to hold the start
  var watching = false;   // the controls show
  var state = null;       // the program's last watch state
  var early = [];         // keys pressed before the program runs

  // ------------------------------------------------------------ the program's calls

  function exported(name) {
    return window.Module && Module["_cf_watch_" + name];
  }

  function withString(text, work) {
    var bytes = new TextEncoder().encode(text);
    var at = Module._malloc(bytes.length + 1);
    HEAPU8.set(bytes, at);
    HEAPU8[at + bytes.length] = 0;
    try {
      return work(at);
    } finally {
      Module._free(at);
    }
  }

  function readString(at) {
    var end = at;
    while (HEAPU8[end]) ++end;
    return new TextDecoder().decode(HEAPU8.subarray(at, end));
  }

  function running() {
    return program.started && !program.ended && !!exported("state");
  }

  // The program's watch state (see cf_watch_state in watch.h), or null.
  cf.watchState = function () {
    if (!running()) return null;
    try {
      state = JSON.parse(readString(exported("state")()));
    } catch (e) {
      return null;
    }
    return state;
  };

  function sendKey(key) {
    if (!running() || !exported("key")) return false;
    return withString(key, exported("key")) === 1;
  }

  function command(name, value) {
    if (running() && exported(name)) exported(name)(value);
    showBar();
  }
  // For tests and the page's own buttons: "play", "seek", "step", "speed", "leave".
  cf.watchCommand = command;

  // ------------------------------------------------------------ the controls

  var layer = document.createElement("div");
  layer.id = "watch";
  layer.hidden = true;
  layer.innerHTML =
    "<div id='watch-bar' role='toolbar' aria-label='Watching a recorded game'>" +
    "<button id='watch-play' type='button' aria-label='Play'></button>" +
    "<span id='watch-time'>0:00.0 / 0:00.0</span>" +
    "<input id='watch-scrub' type='range' min='0' max='0' step='1' value='0' aria-label='Time'>" +
    "<button id='watch-speed' type='button' title='Speed (&lt; and &gt;)'>1x</button>" +
    "<button id='watch-share' type='button'>Share</button>" +
    "<button id='watch-leave' type='button' title='Esc'>Leave</button></div>" +
    "<p id='watch-problem' role='status' hidden></p>";
  var style = document.createElement("style");
  style.textContent =
    "#watch { position: absolute; inset: 0; z-index: 2; touch-action: none; }" +
    "#watch-bar { position: absolute; left: 0; right: 0; bottom: 0; display: flex; gap: 8px;" +
    " align-items: center; padding: 8px max(8px, env(safe-area-inset-right))" +
    " max(8px, env(safe-area-inset-bottom)) max(8px, env(safe-area-inset-left));" +
    " background: linear-gradient(transparent, rgba(0, 0, 0, 0.85)); transition: opacity 0.3s; }" +
    "#watch.quiet #watch-bar { opacity: 0; pointer-events: none; }" +
    "#watch.quiet { cursor: none; }" +
    "#watch-time { font-variant-numeric: tabular-nums; white-space: nowrap; color: #eee;" +
    " text-shadow: 0 1px 2px #000; }" +
    "#watch-scrub { flex: 1; min-width: 60px; accent-color: #e8c35a; }" +
    "#watch-play { min-width: 3em; }" +
    "#watch-problem { position: absolute; left: 8px; right: 8px; bottom: 64px; margin: 0;" +
    " background: #3a2f10; color: #f3e2b0; padding: 6px 10px; border-radius: 4px; }" +
    // A thumb's targets on a phone: the play button and the scrubber.
    "@media (pointer: coarse) {" +
    " #watch-play { min-width: 56px; min-height: 56px; font-size: 22px; }" +
    " #watch-scrub { height: 48px; }" +
    " #watch-scrub::-webkit-slider-thumb { width: 32px; height: 32px; }" +
    " #watch-scrub::-moz-range-thumb { width: 32px; height: 32px; }" +
    " #watch-problem { bottom: 80px; } }" +
    // A narrow screen: the time and the scrubber get a row of their own above
    // the buttons.
    "@media (max-width: 600px) { #watch-bar { flex-wrap: wrap; }" +
    " #watch-time { order: -2; } #watch-scrub { order: -1; flex: 1 0 50%; }" +
    " #watch-problem { bottom: 128px; } }";

  var refused = document.createElement("div");
  refused.id = "watch-refused";
  refused.className = "panel";
  refused.setAttribute("role", "alert");
  refused.hidden = true;
  refused.innerHTML = "<h2>This recording cannot be watched</h2><p id='watch-refused-text'></p>" +
    "<p class='buttons'><button id='watch-refused-play' type='button'>Play Cairnfall</button>" +
    "<button id='watch-refused-close' type='button'>OK</button></p>";

  // (This script comes at the end of the page's body: its elements are there.)
  document.head.appendChild(style);
  $("stage").appendChild(layer);
  $("stage").appendChild(refused);

  var quietTimer = 0;

  function showBar() {
    layer.classList.remove("quiet");
    clearTimeout(quietTimer);
    quietTimer = setTimeout(function () {
      if (state && state.playing && !dragging) layer.classList.add("quiet");
    }, BAR_MS);
  }

  function clock(ms) {
    ms = Math.max(0, ms | 0);
    var s = Math.floor(ms / 1000), m = Math.floor(s / 60);
    var tenths = Math.floor((ms % 1000) / 100);
    return m + ":" + String(s % 60).padStart(2, "0") + "." + tenths;
  }

  var dragging = false;

  function show(s) {
    var play = $("watch-play");
    play.textContent = s.playing ? "\u275A\u275A" : "\u25B6";
    play.setAttribute("aria-label", s.playing ? "Pause" : "Play");
    $("watch-time").textContent = clock(s.position) + " / " + clock(s.duration);
    var scrub = $("watch-scrub");
    if (+scrub.max !== s.duration) scrub.max = s.duration;
    if (!dragging) scrub.value = s.position;
    $("watch-speed").textContent = s.speed + "x";
    var problem = $("watch-problem");
    if (problem.textContent !== s.problem) problem.textContent = s.problem;
    problem.hidden = !s.problem;
    if (!s.playing) layer.classList.remove("quiet");
  }

  // Follows the program once a display frame while watching.
  function follow() {
    if (!watching) return;
    var s = cf.watchState();
    if (s && !s.watching && program.started) {
      left();
      return;
    }
    if (s) show(s);
    requestAnimationFrame(follow);
  }

  function begin() {
    $("loading").hidden = true;
    $("ended").hidden = true;
    $("recordings").hidden = true;
    refused.hidden = true;
    if (watching) return;
    watching = true;
    layer.hidden = false;
    showBar();
    requestAnimationFrame(follow);
  }

  // Watching is over (Esc, Leave): the page's own game is playing again, and the
  // address no longer opens the recording.
  function left() {
    watching = false;
    watched = null;
    layer.hidden = true;
    if (/^#watch=/.test(location.hash)) history.replaceState(null, "", location.href.split("#")[0]);
    if (cf.focusPicture) cf.focusPicture();
  }

  layer.addEventListener("pointermove", function (e) {
    if (e.pointerType !== "touch") showBar();
  });
  // A tap or a click on the picture plays or pauses; a tap on a hidden bar
  // brings it back too.
  layer.addEventListener("pointerdown", function (e) {
    if (e.target !== layer) return;
    e.preventDefault();
    command("play", -1);
  });
  function button(id, work) {
    layer.querySelector("#" + id).addEventListener("click", function (e) {
      e.preventDefault();
      work();
      if (cf.focusPicture) cf.focusPicture();  // Space is the page's again, not the button's
    });
  }
  button("watch-play", function () {
    command("play", -1);
  });
  button("watch-speed", function () {
    var speed = state ? state.speed : 1;
    command("speed", speed >= 8 ? 0.25 : speed * 2);
  });
  button("watch-share", function () {
    if (watched) cf.shareRecording(watched.bytes, watched.name);
  });
  button("watch-leave", function () {
    command("leave", 0);
  });
  var scrub = layer.querySelector("#watch-scrub");
  scrub.addEventListener("pointerdown", function () {
    dragging = true;
  });
  window.addEventListener("pointerup", function () {
    dragging = false;
  });
  scrub.addEventListener("input", function () {
    command("seek", +scrub.value);
  });

  // The watching keys, by the character they type, before the game's own
  // handler (events.js) sees them: none of them, nor any other key, reaches the
  // watched game, which plays only what the recording holds.
  window.addEventListener("keydown", function (e) {
    // (From the program's start on a recording until the controls show, keys
    // wait for them.)
    var starting = !watching && watched && !program.ended;
    if (!(watching || starting) || e.ctrlKey || e.metaKey) return;
    if (e.altKey || e.code === "F11") return;  // full screen, as always
    if (e.target && /^(TEXTAREA|INPUT)$/.test(e.target.tagName) && e.target.type !== "range") return;
    e.stopImmediatePropagation();
    if (starting || !running()) {
      e.preventDefault();
      if (early.length < 16) early.push(e.key);
      return;
    }
    if (sendKey(e.key)) {
      e.preventDefault();
      showBar();
    }
  }, true);

  // ------------------------------------------------------------ opening a recording

  // Says why a recording is not watched; `canPlay`: the program has not started
  // (or has ended), so the page offers its own game.
  function refuse(text) {
    $("loading").hidden = true;
    $("watch-refused-text").textContent = text;
    $("watch-refused-play").hidden = running();
    refused.hidden = false;
    if (window.console) console.warn("cairnfall: " + text);
  }

  function playInstead() {
    refused.hidden = true;
    if (/^#watch=/.test(location.hash)) history.replaceState(null, "", location.href.split("#")[0]);
    if (!program.started && atStart === false) {
      atStart = null;
      if (cf.startProgram) cf.startProgram();
    } else if (program.ended) {
      location.reload();
    }
  }

  $("watch-refused-play").addEventListener("click", playInstead);
  $("watch-refused-close").addEventListener("click", function () {
    refused.hidden = true;
    if (cf.focusPicture) cf.focusPicture();
  });

  // The sentence for bytes that cannot be a recording the program takes; "" for
  // bytes worth handing to it.
  function firstLook(bytes, name) {
    if (bytes.length > MOST_FILE) {
      return name + " is too large to watch: " + (bytes.length / 1048576).toFixed(1) +
        " MB, and a recording may have 16 MB at most.";
    }
    for (var i = 0; i < MAGIC.length; ++i) {
      if (bytes[i] !== MAGIC.charCodeAt(i)) return name + " holds no recording of Cairnfall.";
    }
    return "";
  }

  // Hands a recording's bytes to the program; true when it plays them.
  function openInProgram(bytes, name) {
    var at = Module._malloc(bytes.length || 1);
    HEAPU8.set(bytes, at);
    try {
      return withString(name, function (text) {
        return exported("open")(at, bytes.length, text);
      }) === 1;
    } finally {
      Module._free(at);
    }
  }

  // Opens a recording's bytes: at the program's start, or in the running program.
  cf.watchBytes = function (bytes, name) {
    var why = firstLook(bytes, name);
    if (why) {
      refuse(why);
      return false;
    }
    if (!program.started) {
      atStart = { bytes: bytes, name: name };
      if (cf.startProgramHeld) cf.startProgram();
      return true;
    }
    if (!running()) {
      // The program has ended: it starts again on the recording from its link.
      var link = cf.watchLink(bytes);
      if (link.length <= cf.MOST_LINK) {
        location.href = link;
        location.reload();
        return true;
      }
      refuse("The game has ended on this page: reload it, then open " + name + " again.");
      return false;
    }
    if (!openInProgram(bytes, name)) {
      var s = cf.watchState();
      refuse((s && s.problem) || name + " cannot be watched here.");
      return false;
    }
    watched = { bytes: bytes, name: name };
    begin();
    return true;
  };

  cf.watchFile = function (file) {
    if (file.size > MOST_FILE) {
      refuse(firstLook({ length: file.size }, file.name));
      return Promise.resolve(false);
    }
    return file.arrayBuffer().then(function (buffer) {
      return cf.watchBytes(new Uint8Array(buffer), file.name);
    }, function (e) {
      refuse(file.name + " could not be read: " + e.message + ".");
      return false;
    });
  };

  // A link's recording: the text after "#watch=".
  function watchLinkText(text) {
    var bytes = cf.fromBase64(text);
    if (!bytes || !bytes.length) {
      refuse("This link holds no recording: the text after #watch= is not a recording " +
        "written in base64 (it may have been cut when it was copied).");
      return false;
    }
    return cf.watchBytes(bytes, "This link");
  }

  function linkText() {
    var m = /^#watch=(.*)$/.exec(location.hash);
    return m ? m[1] : null;
  }

  // A new link on an open page opens its recording.
  window.addEventListener("hashchange", function () {
    var text = linkText();
    if (text !== null) watchLinkText(text);
  });

  // ------------------------------------------------------------ the program's start

  // Asked by page.js just before the program starts: the recording of the link
  // (or the file the app was opened with) is handed over first, so that the
  // program starts by watching it; null holds the start (a link without a
  // recording, or one the program refuses), so that no game of the page's own
  // begins and nothing is stored.
  cf.programArguments = function (plain) {
    if (atStart === false) return null;
    if (!atStart) return plain;
    var s = null;
    try {
      FS.chdir(GAME_FOLDER);  // where the program checks the data a recording names
      if (openInProgram(atStart.bytes, atStart.name)) {
        watched = atStart;
        return plain;
      }
      s = JSON.parse(readString(exported("state")()));
    } catch (e) {
      s = { problem: atStart.name + " cannot be watched here (" + e.message + ")." };
    }
    atStart = false;
    refuse((s && s.problem) || "This recording cannot be watched here.");
    return null;
  };

  // page.js says when the program starts and ends, and what it writes to its
  // standard error (the sentence of a recording it refused at the start).
  cf.programStarted = function () {
    program.started = true;
    if (!watched) return;
    // The program opens the recording as it starts; the controls come once it
    // plays (a refusal ends the program, whose end says why).
    var tries = 0;
    (function look() {
      var s = cf.watchState();
      if (s && s.watching) {
        begin();
        early.splice(0).forEach(sendKey);
      } else if (running() && ++tries < 200) {
        setTimeout(look, 25);
      }
    })();
  };

  cf.programSaid = function (text) {
    if (/^cairnfall: /.test(text)) program.lastSaid = text.slice(11);
  };

  // True when the end is watching's to tell (a recording refused at the start).
  cf.watchProgramEnded = function () {
    var s = cf.watchState();
    program.ended = true;
    if (watching) {
      watching = false;
      layer.hidden = true;
    }
    if (!watched) return false;
    var why = (s && s.problem) || program.lastSaid || "the game could not play it";
    refuse(/[.!?]$/.test(why) ? why : why + ".");
    return true;
  };

  var text = linkText();
  if (text !== null && !watchLinkText(text)) atStart = false;
  if ("launchQueue" in window) {
    // Opened by the installed app's file handler: the start waits (a moment at
    // most) for the file, so that no game of the page's own begins first.
    var waiting = text === null && /[?&]open-file\b/.test(location.search);
    var release = function () {
      if (atStart !== false || program.started) return;
      atStart = null;
      if (cf.startProgramHeld) cf.startProgram();
    };
    if (waiting) {
      atStart = false;
      setTimeout(release, 3000);
    }
    window.launchQueue.setConsumer(function (params) {
      if (params.files && params.files.length) {
        params.files[0].getFile().then(cf.watchFile, release);
      } else {
        release();
      }
    });
  }

  // ------------------------------------------------------------ dropped and chosen files

  document.addEventListener("dragover", function (e) {
    if (e.dataTransfer && Array.prototype.indexOf.call(e.dataTransfer.types, "Files") >= 0) {
      e.preventDefault();
      e.dataTransfer.dropEffect = "copy";
    }
  });
  document.addEventListener("drop", function (e) {
    var files = e.dataTransfer && e.dataTransfer.files;
    if (!files || !files.length) return;
    e.preventDefault();
    cf.watchFile(files[0]);
  });

  // "Scores & files" gets a file picker, and each stored session Watch and Share.
  function addPicker() {
    var buttons = document.querySelector("#recordings .buttons");
    if (!buttons) return;
    var pick = document.createElement("button");
    pick.id = "watch-file-button";
    pick.type = "button";
    pick.textContent = "Watch a recording\u2026";
    var input = document.createElement("input");
    input.id = "watch-file";
    input.type = "file";
    input.accept = ".rec,application/octet-stream";
    input.hidden = true;
    pick.addEventListener("click", function () {
      input.value = "";
      input.click();
    });
    input.addEventListener("change", function () {
      if (input.files[0]) cf.watchFile(input.files[0]);
    });
    buttons.appendChild(pick);
    buttons.appendChild(input);
  }
  addPicker();

  cf.recordingButtons = function (item, name) {
    item.dataset.name = name;
    var stored = function () {
      return cf.storage.get("recordings", name);
    };
    [["Watch", function (bytes) {
      cf.watchBytes(bytes, name);
    }], ["Share", function (bytes) {
      cf.shareRecording(bytes, name);
    }]].forEach(function (what) {
      var b = document.createElement("button");
      b.type = "button";
      b.className = "watch-" + what[0].toLowerCase();
      b.textContent = what[0];
      b.addEventListener("click", function () {
        stored().then(function (bytes) {
          if (bytes) what[1](bytes);
        });
      });
      item.appendChild(document.createTextNode(" "));
      item.appendChild(b);
    });
  };
})((window.CF = window.CF || {}));
