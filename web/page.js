// The page around the game: loads the program and its data, opens the saved
// files' storage, starts the game, and says in the page what went wrong when
// something does. The game itself draws, plays and saves through the backend's
// page half (window.js, events.js and the rest), loaded before this.
(function () {
  "use strict";

  var DATA_FILE = "cairnfall-data.bin";
  // The game, or another program over the same page (the frame benchmark).
  var PROGRAM_FILE = window.CAIRNFALL_PROGRAM || "cairnfall.js";
  var $ = function (id) {
    return document.getElementById(id);
  };

  function problem(text) {
    $("loading").hidden = true;
    $("problem-text").textContent = text;
    $("problem").hidden = false;
    if (window.console) console.error("cairnfall: " + text);
  }

  var notice = CF.notice;

  if (typeof WebAssembly !== "object" || typeof WebAssembly.instantiate !== "function") {
    problem("This browser cannot run WebAssembly, which the game is made of. " +
      "A current Chrome, Firefox, Safari or Edge can.");
    return;
  }

  // ------------------------------------------------------------ the data

  // The pictures and the font, packed by scripts/web-site: gzip around
  // "CAIRNDAT", a 32-bit count, then per file a 16-bit name length, the name, a
  // 32-bit size and the bytes (little-endian). Every length is checked against
  // the bytes there are.
  function unpack(bytes) {
    var view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    var magic = "CAIRNDAT", at = 0, files = [];
    if (bytes.length < 12) throw new Error("it is too short");
    for (; at < 8; ++at) if (bytes[at] !== magic.charCodeAt(at)) throw new Error("it is not the game's data");
    var count = view.getUint32(at, true);
    at += 4;
    for (var i = 0; i < count; ++i) {
      if (at + 2 > bytes.length) throw new Error("it is cut short");
      var length = view.getUint16(at, true);
      at += 2;
      if (length === 0 || at + length + 4 > bytes.length) throw new Error("it is cut short");
      var name = String.fromCharCode.apply(null, bytes.subarray(at, at + length));
      if (!/^[A-Za-z0-9_.]+$/.test(name)) throw new Error("it names a file " + JSON.stringify(name));
      at += length;
      var size = view.getUint32(at, true);
      at += 4;
      if (size > bytes.length - at) throw new Error("it is cut short in " + name);
      files.push([name, bytes.subarray(at, at + size)]);
      at += size;
    }
    if (at !== bytes.length) throw new Error("it has bytes after its last file");
    return files;
  }

  function fetchData() {
    return fetch(DATA_FILE).then(function (response) {
      if (!response.ok) throw new Error("the server answered " + response.status + " " + response.statusText);
      if (typeof DecompressionStream !== "function") {
        throw new Error("this browser cannot unpack it (no DecompressionStream)");
      }
      return new Response(response.body.pipeThrough(new DecompressionStream("gzip"))).arrayBuffer();
    }).then(function (buffer) {
      return unpack(new Uint8Array(buffer));
    }).catch(function (e) {
      throw new Error("The game's data (" + DATA_FILE + ") could not be loaded: " + e.message + ".");
    });
  }

  // The compiled code of the program's wasm file, streamed as it downloads when
  // the server says it is wasm, else compiled once it is all there.
  function compileProgram(file) {
    var failed = function (why) {
      throw new Error("The game's program (" + file + ") could not be loaded: " + why + ".");
    };
    var whole = function () {
      return fetch(file).then(function (response) {
        if (!response.ok) failed("the server answered " + response.status + " " + response.statusText);
        return response.arrayBuffer();
      }).then(function (bytes) {
        return WebAssembly.compile(bytes).catch(function (e) {
          // The code uses WebAssembly's vector instructions (SIMD).
          throw new Error("This browser cannot run the game's code (" + e.message + "). " +
            "It needs WebAssembly with SIMD: Chrome or Edge 91, Firefox 89, Safari 16.4 or newer.");
        });
      });
    };
    if (typeof WebAssembly.compileStreaming !== "function") return whole();
    return WebAssembly.compileStreaming(fetch(file)).catch(whole);
  }

  // ------------------------------------------------------------ the sounds

  // Made by a worker once the game shows its first picture (sound can start
  // only with the player's first gesture anyway), so that the start has the
  // machine to itself; each is handed to the game's audio as it comes.
  var soundsProblem = false;
  function soundsFailed(why) {
    if (soundsProblem) return;
    soundsProblem = true;
    console.warn("cairnfall: " + why);
    notice("The game's sounds could not be made here (" + why + "): it plays without sound.");
  }
  function makeSounds() {
    try {
      var maker = new Worker("sound-worker.js");
      maker.onmessage = function (e) {
        if (e.data.samples) CF.soundMade(e.data.index, e.data);
        else soundsFailed(e.data.error);
      };
      maker.onerror = function (e) {
        soundsFailed(e.message || "the sound maker stopped");
      };
    } catch (e) {
      soundsFailed(e.message);
    }
  }

  // ------------------------------------------------------------ recordings

  function listRecordings() {
    var list = $("recordings-list");
    CF.storage.keys("recordings").then(function (keys) {
      list.textContent = "";
      if (!keys.length) list.textContent = "No session has been recorded yet.";
      keys.slice().reverse().forEach(function (name) {
        var item = document.createElement("li");
        var link = document.createElement("a");
        link.className = "button";
        link.textContent = name;
        link.href = "#";
        link.download = name;
        link.addEventListener("click", function (e) {
          if (link.dataset.ready) return;
          e.preventDefault();
          CF.storage.get("recordings", name).then(function (bytes) {
            if (!bytes) return;
            link.href = URL.createObjectURL(new Blob([bytes], { type: "application/octet-stream" }));
            link.dataset.ready = "1";
            link.click();
          });
        });
        item.appendChild(link);
        list.appendChild(item);
      });
    });
  }

  // ------------------------------------------------------------ the program

  // Everything the start needs is asked for at once: the data, the storage, the
  // program's compiled code (compiled while its script loads) and the canvas's
  // drawing context.
  var canvas = $("screen");
  var data = fetchData();
  CF.storage.open().then(function (kept) {
    if (!kept) {
      notice("This browser keeps no files for this page (a private window?): " +
        "you can play, but your scores and settings will not be kept.");
      return;
    }
    // Kept for good if the browser agrees; where it may still delete them (Safari
    // after a week without a visit, unless the game is on the Home Screen), the
    // page says so once, with the way out.
    CF.keepStorage().then(function (persisted) {
      var safari = /Safari\//.test(navigator.userAgent) && !/Chrome|Chromium|Android/.test(navigator.userAgent);
      if (persisted === true && !(safari && !CF.standalone)) return;
      var copy = "a copy with Scores & files \u2192 Save a copy";
      notice("This browser may delete your scores if you do not play for a while. " +
        (safari && !CF.standalone ? "Add the game to your Home Screen to keep them, or keep " + copy
          : "Keep " + copy) + ".", "eviction");
    });
  });
  var WASM_FILE = PROGRAM_FILE.replace(/\.js$/, ".wasm");
  var code = compileProgram(WASM_FILE);
  canvas.getContext("2d", { alpha: false }).fillRect(0, 0, 1, 1);
  window.Module = {
    canvas: canvas,
    // The whole page, so that its own button is there to leave full screen.
    fullscreenTarget: document.documentElement,
    arguments: [],
    print: function (text) {
      console.log(text);
    },
    printErr: function (text) {
      console.warn(text);
    },
    onFirstPicture: function () {
      $("loading").hidden = true;
      canvas.focus();
      makeSounds();
    },
    // Name entry: on a phone, one tap opens its keyboard.
    onTextEntry: function (active) {
      if (active && window.matchMedia && matchMedia("(pointer: coarse)").matches) {
        notice("Tap the board to type your name with your phone's keyboard.");
      } else if (!active && $("notice").textContent.indexOf("type your name") >= 0) {
        // (said with the others that were showing; they were read by then)
        $("notice").hidden = true;
      }
    },
    showMessage: function (caption, text) {
      $("message-caption").textContent = caption;
      $("message-text").textContent = text;
      $("message").hidden = false;
    },
    onGameEnded: function () {
      $("ended").hidden = false;
      $("again").focus();
    },
    onRecordingsChanged: function () {
      if (!$("recordings").hidden) listRecordings();
    },
    onAbort: function (what) {
      problem("The game stopped: " + what);
    },
    // The program's code, compiled already (above).
    instantiateWasm: function (imports, receive) {
      code.then(function (module) {
        return WebAssembly.instantiate(module, imports).then(function (instance) {
          receive(instance, module);
        });
      }).catch(function (e) {
        problem(e.message);
      });
      return {};
    },
    onRuntimeInitialized: function () {
      performance.mark("cairnfall-program-loaded");
      data.then(function (files) {
        var folder = "/cairnfall/data";
        FS.mkdirTree(folder);
        files.forEach(function (file) {
          FS.writeFile(folder + "/" + file[0], file[1]);
        });
        performance.mark("cairnfall-main");
        Module.callMain(Module.arguments);
      }).catch(function (e) {
        problem(e.message);
      });
    },
  };

  var script = document.createElement("script");
  script.src = PROGRAM_FILE;
  script.onerror = function () {
    problem("The game's program (" + PROGRAM_FILE + ") could not be loaded.");
  };
  document.body.appendChild(script);

  // ------------------------------------------------------------ the page's buttons

  CF.focusPicture = function () {
    canvas.focus();
  };
  $("fullscreen-button").addEventListener("click", function () {
    CF.onFullscreenButton();
    canvas.focus();
  });
  $("export-button").addEventListener("click", function () {
    CF.exportFile().catch(function (e) {
      Module.showMessage("No copy was saved", "The files could not be read: " + e.message + ".");
    });
  });
  $("import-button").addEventListener("click", function () {
    $("import-file").value = "";
    $("import-file").click();
  });
  $("import-file").addEventListener("change", function () {
    var file = $("import-file").files[0];
    if (!file) return;
    file.arrayBuffer().then(function (buffer) {
      return CF.importBytes(new Uint8Array(buffer));
    }).then(function (count) {
      // The game reads its files when it starts: it starts again with these.
      Module.showMessage("Copy loaded", count + (count === 1 ? " file" : " files") + " of " + file.name + " back. " +
        "The game starts again with them.");
      $("message-close").onclick = function () {
        location.reload();
      };
    }, function (e) {
      Module.showMessage("This copy was not loaded",
        file.name + " cannot be loaded: " + e.message + ". Nothing was changed.");
    });
  });
  $("recordings-button").addEventListener("click", function () {
    $("recordings").hidden = !$("recordings").hidden;
    if (!$("recordings").hidden) listRecordings();
  });
  $("recordings-close").addEventListener("click", function () {
    $("recordings").hidden = true;
    canvas.focus();
  });
  $("message-close").addEventListener("click", function () {
    $("message").hidden = true;
    canvas.focus();
  });
  $("again").addEventListener("click", function () {
    location.reload();
  });

  // Offline after the first visit, and installable as an app.
  if ("serviceWorker" in navigator && window.isSecureContext) {
    navigator.serviceWorker.register("sw.js").catch(function (e) {
      console.warn("cairnfall: no offline copy: " + e.message);
    });
  }
})();
