// A recording as a link and back: the link is the page's address with
// "#watch=" and the file's bytes in base64url without padding, so the data stays
// in the fragment and never reaches a server. Share hands the link to the
// phone's share sheet, or copies it; a recording too long for a link goes as a
// file.
(function (cf) {
  "use strict";

  // The longest address a link may have: browsers and chat programs take this
  // much, and most sessions fit well within it.
  var MOST_LINK = 256 * 1024;
  var ALPHABET = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
  var VALUES = (function () {
    var values = new Int16Array(128).fill(-1);
    for (var i = 0; i < 64; ++i) values[ALPHABET.charCodeAt(i)] = i;
    values[43] = 62;  // "+" and "/" of plain base64
    values[47] = 63;
    return values;
  })();

  cf.toBase64Url = function (bytes) {
    var out = [], i = 0;
    for (; i + 2 < bytes.length; i += 3) {
      var n = (bytes[i] << 16) | (bytes[i + 1] << 8) | bytes[i + 2];
      out.push(ALPHABET[n >> 18], ALPHABET[(n >> 12) & 63], ALPHABET[(n >> 6) & 63], ALPHABET[n & 63]);
    }
    if (i < bytes.length) {
      var rest = bytes[i] << 16 | (i + 1 < bytes.length ? bytes[i + 1] << 8 : 0);
      out.push(ALPHABET[rest >> 18], ALPHABET[(rest >> 12) & 63]);
      if (i + 1 < bytes.length) out.push(ALPHABET[(rest >> 6) & 63]);
    }
    return out.join("");
  };

  // The bytes of base64url or base64 text (padding, line breaks and an escaped
  // "=" allowed); null when it is neither.
  cf.fromBase64 = function (text) {
    text = text.replace(/%3D/gi, "=").replace(/[\s=]+$/, "").replace(/\s+/g, "");
    if (text.length % 4 === 1) return null;
    var bytes = new Uint8Array(Math.floor((text.length * 3) / 4)), at = 0, bits = 0, count = 0;
    for (var i = 0; i < text.length; ++i) {
      var c = text.charCodeAt(i), v = c < 128 ? VALUES[c] : -1;
      if (v < 0) return null;
      bits = (bits << 6) | v;
      count += 6;
      if (count >= 8) {
        count -= 8;
        bytes[at++] = (bits >> count) & 255;
      }
    }
    return bytes.subarray(0, at);
  };

  // The page's own address, without a fragment.
  function pageAddress() {
    return location.href.split("#")[0];
  }

  cf.watchLink = function (bytes) {
    return pageAddress() + "#watch=" + cf.toBase64Url(bytes);
  };

  function onPhone() {
    return !!(window.matchMedia && matchMedia("(pointer: coarse)").matches);
  }

  // Shares a recording; resolves to what was done ("shared", "copied", "file",
  // "downloaded", "shown") once the page has said it.
  cf.shareRecording = function (bytes, name) {
    var link = cf.watchLink(bytes);
    var title = "A game of Cairnfall";
    if (link.length <= MOST_LINK) {
      if (onPhone() && navigator.share) {
        return navigator.share({ title: title, url: link }).then(function () {
          return "shared";
        }, function (e) {
          if (e && e.name === "AbortError") return "cancelled";
          return copy(link);
        });
      }
      return copy(link);
    }
    var kb = Math.round(bytes.length / 1024);
    if (!/\.rec$/.test(name)) name = "cairnfall-session.rec";  // a link's recording has no name
    var file = typeof File === "function" ? new File([bytes], name, { type: "application/octet-stream" }) : null;
    if (file && navigator.canShare && navigator.share && navigator.canShare({ files: [file] })) {
      return navigator.share({ title: title, files: [file] }).then(function () {
        return "file";
      }, function (e) {
        if (e && e.name === "AbortError") return "cancelled";
        return saveInstead();
      });
    }
    return Promise.resolve(saveInstead());

    function saveInstead() {
      cf.download(bytes, name);
      cf.notice("This session is too long for a link (" + kb + " KB): it was saved as " + name +
        ", to send as a file. Opened in Cairnfall (or dropped on its page), it plays.");
      return "downloaded";
    }
  };

  // Copies the link, and says so; where the browser refuses, shows it to copy by hand.
  function copy(link) {
    var said = function () {
      cf.notice("The link to this game is copied (" + Math.ceil(link.length / 1024) +
        " KB): paste it to send it. Whoever opens it watches the game.");
      return "copied";
    };
    var byHand = function () {
      cf.showLink(link);
      return "shown";
    };
    if (navigator.clipboard && navigator.clipboard.writeText) {
      return navigator.clipboard.writeText(link).then(said, byHand);
    }
    return Promise.resolve(byHand());
  }

  // The link in a panel, selected, for a browser that lets no page copy.
  cf.showLink = function (link) {
    var panel = document.getElementById("share-link");
    if (!panel) {
      panel = document.createElement("div");
      panel.id = "share-link";
      panel.className = "panel";
      panel.innerHTML = "<h2>The link to this game</h2><p>Copy it to send it:</p>" +
        "<p><textarea readonly rows='4' style='width: 100%; box-sizing: border-box'></textarea></p>" +
        "<button type='button'>Close</button>";
      panel.querySelector("button").addEventListener("click", function () {
        panel.hidden = true;
      });
      document.getElementById("stage").appendChild(panel);
    }
    var field = panel.querySelector("textarea");
    field.value = link;
    panel.hidden = false;
    field.focus();
    field.select();
  };

  cf.MOST_LINK = MOST_LINK;
})((window.CF = window.CF || {}));
