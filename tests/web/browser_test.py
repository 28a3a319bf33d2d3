#!/usr/bin/python3
"""The page in headless Chromium: the intro and the first run, a game by keys and
by clicks with its sound, Chromium's installability check and the manifest it
reads, the profile across a reload, a tap, a pad and a hidden tab, two tabs
entering high scores at once, a downloaded recording replayed by the desktop
build, the page offline, and a site without its data saying so.

browser_test.py SITE_DIR NATIVE_BUILD_DIR

Runs with Debian's python3 (selenium), chromium and chromedriver. Prints one line
per check; on a failure it keeps a screenshot of the page and the game's last
picture in $WEB_TEST_SHOTS (default: NATIVE_BUILD_DIR/Testing/Temporary/browser-test).
"""

import base64
import functools
import http.server
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--window-size=1024,768"]

# The board at level 1: five columns from x 375, row 0's lower edge at y 574,
# 50-pixel cells; seven rows of stones.
LEFT_X, BOTTOM_Y, CELL, COLS, ROWS = 375, 574, 50, 5, 7
# The first menu button (New game): MENU_X + BUTTON_W / 2, MENU_TOP + MENU_PITCH / 2;
# the third (Options) two pitches of 42 below it.
NEW_GAME_BUTTON = (100, 317)
OPTIONS_BUTTON = (100, 401)

# The share of pixels (percent) of a kind in a rectangle of the picture, per
# screen: what tells the screens apart.
SIGNS = {
    "options": [(445, 62, 120, 26, "gold", 15, 101)],            # the OPTIONS title
    "high scores": [(280, 80, 440, 40, "blue", 30, 101)],        # the row of name stones
    "name entry": [(282, 182, 86, 136, "blue", 25, 101)],        # the on-screen keys A B J K S T
    "paused": [(15, 512, 170, 30, "red", 20, 101)],              # the red PAUSED button
    "game": [(15, 512, 170, 30, "red", 0, 5), (282, 182, 86, 136, "blue", 0, 5),
             (375, 224, 250, 350, "saturated", 35, 101)],       # stones on the board
}

# Share of pixels of a kind in each rectangle [x, y, w, h, kind] of the last picture.
SHARES_JS = """
var rects = arguments[0], done = arguments[arguments.length - 1];
var kinds = {
  gold: function (r, g, b) { return r > 170 && g > 120 && b < 110; },
  blue: function (r, g, b) { return b > 140 && b > r + 60; },
  red: function (r, g, b) { return r > 150 && g < 90 && b < 90; },
  saturated: function (r, g, b) { return Math.max(r, g, b) - Math.min(r, g, b) > 60; },
};
var url = window.CF && CF.pictureDataURL();
if (!url) { done(null); return; }
var img = new Image();
img.onload = function () {
  var c = document.createElement("canvas");
  c.width = 800; c.height = 600;
  var g = c.getContext("2d");
  g.drawImage(img, 0, 0);
  var d = g.getImageData(0, 0, 800, 600).data;
  done(rects.map(function (r) {
    var n = 0, k = 0;
    for (var y = r[1]; y < r[1] + r[3]; ++y) for (var x = r[0]; x < r[0] + r[2]; ++x) {
      var i = (y * 800 + x) * 4;
      ++n;
      if (kinds[r[4]](d[i], d[i + 1], d[i + 2])) ++k;
    }
    return 100 * k / n;
  }));
};
img.src = url;
"""

# A picture point as a point of the page: where the page shows it, through the
# game's composition of its parts (window.js's pagePoint).
PAGE_POINT_JS = """
var p = CF.pagePoint(arguments[0], arguments[1]);
return p && [Math.round(p[0]), Math.round(p[1])];
"""

# The game's clock, for the two-tab check only: performance.now() plus a skip the
# test moves on, so rows run out of time at once.
SKEW_JS = """
if (!window.testSkew) {
  var now = performance.now.bind(performance);
  window.testSkew = 0;
  performance.now = function () { return now() + window.testSkew; };
}
"""


class Failed(Exception):
    pass


class Site:
    """The page's folder on 127.0.0.1, on a free port, until stop(); served by
    `handler`, a Quiet by default."""

    def __init__(self, folder, handler=None):
        handler = functools.partial(handler or Quiet, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.port = self.server.server_address[1]
        self.url = "http://127.0.0.1:%d/" % self.port
        threading.Thread(target=self.server.serve_forever, daemon=True).start()

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map,
                          **{".wasm": "application/wasm", ".js": "text/javascript",
                             ".webmanifest": "application/manifest+json"})

    def log_message(self, *args):
        pass


class Browser:
    def __init__(self, downloads):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in FLAGS:
            options.add_argument(flag)
        self.profile = tempfile.mkdtemp(prefix="cairnfall-chromium-")
        options.add_argument("--user-data-dir=" + self.profile)
        options.add_experimental_option("prefs", {
            "download.default_directory": downloads, "download.prompt_for_download": False})
        self.d = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        self.d.set_script_timeout(20)

    def js(self, script, *args):
        return self.d.execute_script(script, *args)

    def wait(self, what, condition, timeout):
        end = time.time() + timeout
        while True:
            try:
                value = condition()
            except WebDriverException:
                value = None  # the page between two loads
            if value:
                return value
            if time.time() > end:
                raise Failed("%s: not after %g s" % (what, timeout))
            time.sleep(0.1)

    def first_picture(self, timeout=30):
        return self.wait("the game's first picture",
                         lambda: self.js("return window.cairnfallFirstPicture || null"), timeout)

    def keys(self, *keys, pause=0.15):
        for key in keys:
            ActionChains(self.d).send_keys(key).perform()
            time.sleep(pause)

    def click(self, x, y):
        px, py = self.js(PAGE_POINT_JS, x, y)
        actions = ActionBuilder(self.d)
        actions.pointer_action.move_to_location(px, py).click()
        actions.perform()

    def shares(self, rects):
        return self.d.execute_async_script(SHARES_JS, rects)

    def is_screen(self, name):
        signs = SIGNS[name]
        got = self.shares([s[:5] for s in signs])
        return got is not None and all(s[5] <= v < s[6] for v, s in zip(got, signs))

    def wait_screen(self, name, timeout=10):
        self.wait("the %s screen" % name, lambda: self.is_screen(name), timeout)

    def saved(self, name):
        got = self.d.execute_async_script(
            "var done = arguments[1];"
            "CF.storage.get('saves', arguments[0])"
            ".then(function (v) { done(v && Array.from(v)); });",
            name)
        return None if got is None else bytes(got)

    def gap(self):
        """The gap's (row, column): the cell whose middle shows the fewest saturated
        pixels (stones are coloured, the empty board is grey)."""
        cells = [(r, c) for r in range(ROWS) for c in range(COLS)]
        rects = [[LEFT_X + CELL * c + 10, BOTTOM_Y - CELL * (r + 1) + 10, 30, 30, "saturated"]
                 for r, c in cells]
        got = self.shares(rects)
        best = min(range(len(cells)), key=lambda i: got[i])
        return cells[best] if got[best] < 20 else None

    def expect_gap(self, want, how, was):
        """Waits for the gap to reach a cell after a move. The move may complete a
        row below it, whose clearing drops the gap by a row: so the gap in that
        column, at that row or lower, once it stays put past a row's animation."""
        def settled():
            got = self.gap()
            if not got or got[1] != want[1] or got[0] > want[0]:
                return None
            time.sleep(0.6)
            return got if self.gap() == got else None
        return self.wait("the gap at %s after %s (it was at %s)" % (want, how, was), settled, 3)

    def keep_failure(self, folder, name):
        os.makedirs(folder, exist_ok=True)
        for handle in self.d.window_handles:
            try:
                self.d.switch_to.window(handle)
                tag = "%s-%s" % (name, handle[-6:])
                self.d.save_screenshot(os.path.join(folder, tag + "-page.png"))
                url = self.js("return window.CF && CF.pictureDataURL()")
                if url:
                    with open(os.path.join(folder, tag + "-picture.png"), "wb") as f:
                        f.write(base64.b64decode(url.split(",", 1)[1]))
            except WebDriverException:
                pass
        return folder

    def quit(self):
        try:
            self.d.quit()
        finally:
            # Chromium's last processes may still write into the profile for a moment.
            for _ in range(20):
                shutil.rmtree(self.profile, ignore_errors=True)
                if not os.path.exists(self.profile):
                    break
                time.sleep(0.25)


class Checks:
    """Runs checks in order, a line each with what it measured; after a failure
    the rest are skipped, and the failure keeps the browser's pictures in `shots`."""

    def __init__(self, shots):
        self.shots = shots
        self.browser = None
        self.failed = False

    def run(self, name, check, *args):
        if self.failed:
            print("SKIP %s" % name, flush=True)
            return None
        t = time.time()
        try:
            result = check(*args)
        except (Failed, WebDriverException) as e:
            self.failed = True
            why = str(e).strip().splitlines()[0] if str(e).strip() else type(e).__name__
            kept = self.browser.keep_failure(self.shots, name) if self.browser else "-"
            print("FAIL %s: %s (pictures in %s)" % (name, why, kept), flush=True)
            return None
        text = result if isinstance(result, str) else "started"
        print("ok   %s: %s (%.1f s)" % (name, text, time.time() - t), flush=True)
        return result


def cell_centre(row, col):
    return LEFT_X + CELL * col + CELL // 2, BOTTOM_Y - CELL * row - CELL // 2


def check_intro_and_first_run(b, site):
    b.d.get(site.url)
    ms = b.first_picture()
    b.wait("the intro", lambda: b.shares([[0, 0, 800, 600, "saturated"]])[0] > 1, 5)
    b.keys(Keys.ESCAPE)
    b.wait_screen("options")
    if b.saved("profile.dat") is not None:
        raise Failed("profile.dat exists before the first run is over")
    return "first picture %.0f ms after navigation; Esc skips to the options screen" % ms


def play_moves(b):
    """Four arrow moves and two clicks on the stone beside the gap, each checked by
    where the gap went; returns the gap's last place."""
    gap = b.wait("the gap on the board", b.gap, 5)
    # Sideways moves only: a row with the gap in it cannot match the preview row.
    for i in range(4):
        row, col = gap
        if col + 1 < COLS and (i % 2 == 0 or col == 0):
            b.keys(Keys.ARROW_LEFT)   # the stone right of the gap moves left
            gap = b.expect_gap((row, col + 1), "Left", gap)
        else:
            b.keys(Keys.ARROW_RIGHT)
            gap = b.expect_gap((row, col - 1), "Right", gap)
    for i in range(2):
        row, col = gap
        stone = (row, col - 1) if col > 0 else (row, col + 1)
        b.click(*cell_centre(*stone))
        gap = b.expect_gap(stone, "a click on the stone at %s" % (stone,), gap)
    return gap


def check_game(b):
    # Difficulty Hard, music off, effects one step down, by keys; New game by a click.
    b.keys(Keys.DOWN, Keys.RIGHT, Keys.RIGHT, Keys.DOWN, Keys.LEFT, Keys.LEFT, Keys.DOWN, Keys.LEFT)
    b.click(*NEW_GAME_BUTTON)
    b.wait_screen("game")
    gap = play_moves(b)
    b.keys(" ")
    b.wait_screen("paused")
    b.keys(" ")
    b.wait_screen("game")
    if b.gap() != gap:
        raise Failed("the board changed across the pause")
    # Sound: started by the first key press, all nine sounds made, the music looping.
    audio = b.wait("the music playing", lambda: (lambda a: a if a["context"] == "running" and
                   a["made"] == 9 and a["looping"] else None)(b.js("return CF.audioState()")), 10)
    return ("4 arrow moves and 2 clicks moved the gap as expected; Space paused and resumed; "
            "%d sounds made, the music looping" % audio["made"])


def check_profile_kept(b):
    profile = b.saved("profile.dat")
    want = b"".join(v.to_bytes(4, "little") for v in (0, 2, 3, 1))  # music, effects, Hard, saved
    if profile != want:
        raise Failed("profile.dat holds %s, not %s" % (profile and profile.hex(), want.hex()))
    return "profile.dat holds the options chosen by keys"


def check_recording(b, downloads, native):
    b.keys(Keys.F12)
    b.wait("#ended after F12", lambda: b.d.find_element(By.ID, "ended").is_displayed(), 10)
    last_picture = b.js("return CF.pictureDataURL()")
    time.sleep(1)  # the last copy of the recording reaching storage
    b.d.find_element(By.ID, "recordings-button").click()
    links = b.wait("a recording in the list",
                   lambda: b.d.find_elements(By.CSS_SELECTOR, "#recordings-list a"), 5)
    name = links[0].text
    links[0].click()
    path = os.path.join(downloads, name)
    b.wait("the download of " + name,
           lambda: os.path.exists(path) and os.path.getsize(path) > 0, 10)
    b.d.find_element(By.ID, "recordings-close").click()
    out = tempfile.mkdtemp(prefix="cairnfall-replay-")
    replay = subprocess.Popen([os.path.join(native, "cairnfall-replay"), "--recording", path,
                               "--out", out], stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              text=True)
    return name, replay, out, last_picture


# Whether two pictures (data URLs) have the same pixels.
SAME_PICTURES_JS = """
var urls = [arguments[0], arguments[1]], done = arguments[arguments.length - 1], pixels = [];
urls.forEach(function (url, n) {
  var img = new Image();
  img.onload = function () {
    var c = document.createElement("canvas");
    c.width = img.width; c.height = img.height;
    c.getContext("2d").drawImage(img, 0, 0);
    pixels[n] = c.getContext("2d").getImageData(0, 0, c.width, c.height).data;
    if (pixels[0] && pixels[1]) {
      var same = pixels[0].length === pixels[1].length;
      for (var i = 0; same && i < pixels[0].length; ++i) same = pixels[0][i] === pixels[1][i];
      done(same);
    }
  };
  img.onerror = function () { done(null); };
  img.src = url;
});
"""


def finish_replay(b, name, replay, out, last_picture):
    try:
        text, _ = replay.communicate(timeout=60)
    except subprocess.TimeoutExpired:
        replay.kill()
        raise Failed("cairnfall-replay took more than 60 s on " + name)
    if replay.returncode != 0 or "made again to the end" not in text:
        raise Failed("cairnfall-replay exited %d: %s" % (replay.returncode, text.strip()))
    with open(os.path.join(out, "last.png"), "rb") as f:
        native = "data:image/png;base64," + base64.b64encode(f.read()).decode()
    if not b.d.execute_async_script(SAME_PICTURES_JS, native, last_picture):
        raise Failed("the replay's last picture is not the page's last picture")
    return text.strip().splitlines()[-1] + "; its last picture is the page's, pixel for pixel"


def check_second_start(b):
    b.js("window.testBeforeReload = true")
    b.d.find_element(By.ID, "again").click()
    b.wait("the reload after Play again",
           lambda: b.js("return !window.testBeforeReload && !!window.cairnfallFirstPicture"), 30)
    time.sleep(0.3)
    b.click(400, 300)   # a click skips the intro too
    b.wait_screen("high scores")
    return "after a reload a click skips the intro and the high score table shows"


# A game pad the page sees through the Gamepad API, in the standard mapping.
FAKE_PAD_JS = """
window.testPad = {connected: true, mapping: "standard", axes: [0, 0, 0, 0],
  buttons: Array.from({length: 17}, function () { return {pressed: false}; })};
navigator.getGamepads = function () { return [window.testPad]; };
"""


def check_other_inputs(b):
    """A tap, a pad and a hidden tab, the other ways in besides keys and the mouse."""
    px, py = b.js(PAGE_POINT_JS, *OPTIONS_BUTTON)
    b.d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
    b.d.execute_cdp_cmd("Input.dispatchTouchEvent",
                        {"type": "touchStart", "touchPoints": [{"x": px, "y": py}]})
    b.d.execute_cdp_cmd("Input.dispatchTouchEvent", {"type": "touchEnd", "touchPoints": []})
    b.wait_screen("options")
    b.keys("1")
    b.wait_screen("game")
    b.js(FAKE_PAD_JS)
    for pressed in (True, False):  # Start: the pause key
        b.js("window.testPad.buttons[9].pressed = arguments[0]", pressed)
        time.sleep(0.2)
    b.wait_screen("paused")
    b.keys(" ")
    b.wait_screen("game")
    b.js("Object.defineProperty(document, 'visibilityState', {value: 'hidden', configurable: true});"
         "document.dispatchEvent(new Event('visibilitychange'));")
    b.wait_screen("paused")
    return "a tap pressed Options, a pad's Start paused the game, a hidden tab paused it"


def seeded_table():
    """Ten entries below any real score (-1 .. -10), so a game over with 0 points
    goes to name entry."""
    return b"".join(("SEED%d" % i).encode().ljust(12, b"\0") +
                    ((-1 - i) & 0xFFFFFFFF).to_bytes(4, "little") for i in range(10))


def table_names(data):
    return [data[i:i + 12].rstrip(b"\0").decode("latin-1") for i in range(0, len(data), 16)]


def check_two_tabs(b, site):
    seed = seeded_table()
    b.js("CF.storage.put('saves', 'cairnfall.dat', new Uint8Array(arguments[0]))", list(seed))
    b.wait("the seeded table", lambda: b.saved("cairnfall.dat") == seed, 5)
    first = b.d.current_window_handle
    b.d.switch_to.new_window("window")
    second = b.d.current_window_handle
    b.d.get(site.url)
    b.d.switch_to.window(first)
    b.d.refresh()
    tabs = [first, second]
    for tab in tabs:
        b.d.switch_to.window(tab)
        b.first_picture()
        b.keys(Keys.ESCAPE)
        b.wait_screen("high scores")
        b.js(SKEW_JS)
        b.keys("1")
    # Every row runs out of time at once until the board overflows; game over
    # passes its ten seconds the same way.
    left = list(tabs)
    end = time.time() + 60
    while left:
        if time.time() > end:
            raise Failed("no name entry a minute after the new games")
        for tab in list(left):
            b.d.switch_to.window(tab)
            if b.is_screen("name entry"):
                left.remove(tab)
            else:
                b.js("window.testSkew += 60000")
        time.sleep(0.4)
    names = {first: "ALPHA", second: "BRAVO"}
    for tab in tabs:
        b.d.switch_to.window(tab)
        b.keys(names[tab], pause=0.3)
    # The test holds the lock while both tabs press Done: neither may write, and
    # both scores must be there once it is let go.
    b.d.switch_to.window(first)
    b.js("navigator.locks.request('cairnfall-saves', function () {"
         " return new Promise(function (r) { window.testUnlock = r; }); });")
    b.wait("the test's hold of the lock", lambda: b.js("return !!window.testUnlock"), 5)
    for tab in tabs:
        b.d.switch_to.window(tab)
        b.keys(Keys.ENTER, pause=0)
    time.sleep(1.5)
    b.d.switch_to.window(first)
    if b.saved("cairnfall.dat") != seed:
        raise Failed("a tab wrote the high scores while another held the lock")
    b.js("window.testUnlock()")
    want = ["ALPHA", "BRAVO"] + ["SEED%d" % i for i in range(8)]
    b.wait("both names in cairnfall.dat",
           lambda: sorted(table_names(b.saved("cairnfall.dat") or b"")) == sorted(want), 10)
    for tab in tabs:
        b.d.switch_to.window(tab)
        b.wait_screen("high scores")
    b.d.switch_to.window(second)
    b.d.close()
    b.d.switch_to.window(first)
    return "both tabs' scores kept (%s), neither written while the lock was held" % (
        ", ".join(table_names(b.saved("cairnfall.dat"))[:3]))


# The apple-touch-icon's size and whether every pixel is opaque: an iPhone's Home
# Screen shows transparency as black.
TOUCH_ICON_JS = """
var done = arguments[arguments.length - 1];
var link = document.querySelector("link[rel=apple-touch-icon]");
if (!link) { done(null); return; }
var img = new Image();
img.onload = function () {
  var c = document.createElement("canvas");
  c.width = img.naturalWidth; c.height = img.naturalHeight;
  var g = c.getContext("2d");
  g.drawImage(img, 0, 0);
  var d = g.getImageData(0, 0, c.width, c.height).data, opaque = true;
  for (var i = 3; i < d.length; i += 4) if (d[i] !== 255) opaque = false;
  done([link.getAttribute("href"), c.width, c.height, opaque]);
};
img.onerror = function () { done([link.getAttribute("href"), 0, 0, false]); };
img.src = link.href;
"""


def check_installable(b):
    """Chromium's own installability check, and what its install dialog reads."""
    errors = b.d.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
    if errors:
        raise Failed("Chromium will not install the page: %s" % errors)
    got = b.d.execute_cdp_cmd("Page.getAppManifest", {})
    if got.get("errors"):
        raise Failed("the manifest has errors: %s" % got["errors"])
    m = got.get("manifest") or {}
    shots = sorted(s.get("formFactor", "") for s in m.get("screenshots", []))
    icons = sorted(i.get("sizes", "") for i in m.get("icons", []))
    if m.get("orientation") != "DEFAULT" or shots != ["kNarrow", "kWide"] or not m.get("id"):
        raise Failed("the manifest reads as orientation %s, screenshots %s, id %s" % (
            m.get("orientation"), shots, m.get("id")))
    touch = b.d.execute_async_script(TOUCH_ICON_JS)
    if not touch or touch[1:] != [180, 180, True]:
        raise Failed("the apple-touch-icon is not an opaque 180-px picture: %s" % touch)
    return ("installability errors: %s; manifest: id %s, icons %s, screenshots %s, any "
            "orientation; apple-touch-icon %s opaque %dx%d" % (
                errors, m["id"].split("/")[-1], " ".join(icons), " ".join(shots),
                touch[0], touch[1], touch[2]))


def check_offline(b, site):
    if not b.js("return !!navigator.serviceWorker.controller"):
        b.d.execute_async_script("var done = arguments[0];"
                                 "navigator.serviceWorker.ready.then(function () { done(); });")
        b.d.refresh()
        b.wait("the service worker in control",
               lambda: b.js("return !!navigator.serviceWorker.controller"), 10)
    site.stop()
    try:
        socket.create_connection(("127.0.0.1", site.port), timeout=1).close()
        raise Failed("the server still answers")
    except OSError:
        pass
    b.d.refresh()
    ms = b.first_picture()
    if not b.js("return !!navigator.serviceWorker.controller"):
        raise Failed("the page started offline without its service worker")
    return "with the server stopped, a reload shows the first picture after %.0f ms" % ms


def check_missing_data(b, folder):
    """A site without its data file: the page says which file, in the page."""
    partial = tempfile.mkdtemp(prefix="cairnfall-partial-site-")
    try:
        for name in os.listdir(folder):
            if name not in ("cairnfall-data.bin", "cmake"):
                os.symlink(os.path.join(folder, name), os.path.join(partial, name))
        site = Site(partial)
        try:
            b.d.get(site.url)
            text = b.wait("the page's problem panel",
                          lambda: b.d.find_element(By.ID, "problem").is_displayed() and
                          b.d.find_element(By.ID, "problem-text").text, 20)
        finally:
            site.stop()
    finally:
        shutil.rmtree(partial, ignore_errors=True)
    if "cairnfall-data.bin" not in text or "404" not in text:
        raise Failed("the problem does not name the file and the cause: " + text)
    return "without its data the page says: " + text


def test_arguments(script, shots_name):
    """SITE_DIR and NATIVE_BUILD_DIR from a browser test's command line, absolute,
    and the folder for its screenshots; None (after the usage) when they are not
    two."""
    if len(sys.argv) != 3:
        sys.stderr.write("usage: %s SITE_DIR NATIVE_BUILD_DIR\n" % script)
        return None
    folder, native = (os.path.abspath(a) for a in sys.argv[1:])
    shots = (os.environ.get("WEB_TEST_SHOTS") or
             os.path.join(native, "Testing", "Temporary", shots_name))
    return folder, native, shots


def main():
    arguments = test_arguments("browser_test.py", "browser-test")
    if arguments is None:
        return 2
    folder, native, shots = arguments
    for path in (os.path.join(folder, "index.html"), os.path.join(native, "cairnfall-replay")):
        if not os.path.exists(path):
            sys.stderr.write("browser_test.py: %s is missing (make web / make build)\n" % path)
            return 2
    downloads = tempfile.mkdtemp(prefix="cairnfall-downloads-")
    started = time.time()
    site = Site(folder)
    try:
        b = Browser(downloads)
    except WebDriverException as e:
        print("FAIL start: %s could not start %s: %s" % (CHROMEDRIVER, CHROMIUM, str(e).strip()))
        site.stop()
        return 1
    checks = Checks(shots)
    checks.browser = b
    run = checks.run
    replay = None

    try:
        run("intro", check_intro_and_first_run, b, site)
        run("installable", check_installable, b)
        run("game", check_game, b)
        run("profile", check_profile_kept, b)
        replay = run("recording-download", check_recording, b, downloads, native)
        run("second-start", check_second_start, b)
        run("other-inputs", check_other_inputs, b)
        run("two-tabs", check_two_tabs, b, site)
        run("offline", check_offline, b, site)
        run("missing-data", check_missing_data, b, folder)
        if replay:
            run("recording-replay", finish_replay, b, *replay)
    finally:
        if replay:
            if replay[1].poll() is None:
                replay[1].kill()
            shutil.rmtree(replay[2], ignore_errors=True)
        b.quit()
        shutil.rmtree(downloads, ignore_errors=True)
        try:
            site.stop()
        except OSError:
            pass
    print("%s in %.0f s" % ("FAILED" if checks.failed else "all passed", time.time() - started))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
