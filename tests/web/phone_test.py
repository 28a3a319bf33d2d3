#!/usr/bin/python3
"""The page on a phone: Chromium's mobile emulation (390x844, pixel ratio 3) with
real touch events (CDP Input.dispatchTouchEvent), upright and sideways. Upright
the game's parts are laid out for the tall screen: swipes move stones, every
menu button, pause, Resume and both answers of the quit dialog are pressed by
taps 20 CSS px beside their centres, a name is typed through the device
keyboard's path; the sizes a finger meets are measured on three phones and two
tablets (phone_sizes.py); turning the phone mid-slide and on the options keeps
the game's state; the same input upright and sideways gives the same frames and
saved file; a still screen draws nothing; full screen is entered and
left, storage persistence is asked for, and a saved copy of the files loads
into a fresh browser while a damaged one is refused.

phone_test.py SITE_DIR NATIVE_BUILD_DIR

Prints one line per check, with the figures it measured. With PHONE_SHOTS=DIR it
keeps the pictures of the page that the README and docs/web.md show there
(phone_upright.png, phone_sideways.png, tablet_upright.png, tablet_sideways.png),
at the screen's CSS size (ImageMagick's convert).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.by import By

import browser_test as bt
import phone_sizes
import watch_support as ws

UPRIGHT = {"width": 390, "height": 844, "deviceScaleFactor": 3, "mobile": True,
           "screenOrientation": {"type": "portraitPrimary", "angle": 0}}
SIDEWAYS = {"width": 844, "height": 390, "deviceScaleFactor": 3, "mobile": True,
            "screenOrientation": {"type": "landscapePrimary", "angle": 90}}
PHONE_AGENT = ("Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 "
               "(KHTML, like Gecko) Chrome/126.0 Mobile Safari/537.36")

# The picture's box on the page, its scale and the share of the height it takes.
PICTURE_JS = """
var b = document.getElementById("screen").getBoundingClientRect();
var s = Math.min(b.width / 800, b.height / 600);
return {scale: s, height: 600 * s, share: 600 * s / window.innerHeight,
        viewport: [window.innerWidth, window.innerHeight], bar: document.body.className};
"""


class Phone(bt.Browser):
    def __init__(self, downloads):
        super().__init__(downloads)
        self.cdp("Emulation.setUserAgentOverride", {"userAgent": PHONE_AGENT})
        self.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
        self.cdp("Emulation.setEmitTouchEventsForMouse", {"enabled": True})
        self.hold(UPRIGHT)

    def cdp(self, command, args):
        return self.d.execute_cdp_cmd(command, args)

    def hold(self, metrics):
        self.cdp("Emulation.setDeviceMetricsOverride", metrics)
        time.sleep(0.4)

    def touch(self, kind, points):
        self.cdp("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})

    def page_point(self, x, y):
        return self.js(bt.PAGE_POINT_JS, x, y)

    def tap_page(self, px, py):
        self.touch("touchStart", [{"x": px, "y": py}])
        self.touch("touchEnd", [])
        time.sleep(0.2)

    def tap(self, x, y):
        """A finger's tap at a picture point."""
        self.tap_page(*self.page_point(x, y))

    def tap_beside(self, x, y, css_dx, css_dy):
        """A tap missing the picture point by a number of CSS pixels."""
        px, py = self.page_point(x, y)
        self.tap_page(px + css_dx, py + css_dy)

    def swipe(self, x, y, dx, dy, settle=0.2):
        """A quick stroke from a picture point, dx, dy CSS pixels long, made by the
        browser itself in one command (a finger's touch events, in about 10 ms),
        so that a loaded machine's slow round trips never make it a long press."""
        px, py = self.page_point(x, y)
        self.cdp("Input.synthesizeScrollGesture", {
            "x": px, "y": py, "xDistance": dx, "yDistance": dy, "gestureSourceType": "touch",
            "speed": 2000, "preventFling": True})
        time.sleep(settle)

    def long_press(self, x, y):
        px, py = self.page_point(x, y)
        self.touch("touchStart", [{"x": px, "y": py}])
        time.sleep(0.8)
        self.touch("touchEnd", [])
        time.sleep(0.2)

    def tap_element(self, element_id):
        r = self.js("var r = document.getElementById(arguments[0]).getBoundingClientRect();"
                    "return [r.left + r.width / 2, r.top + r.height / 2, r.width, r.height];",
                    element_id)
        self.tap_page(r[0], r[1])
        return r

    def picture(self):
        return self.js(PICTURE_JS)

    def shot(self, name, share=1.0):
        """The page as the phone shows it, into $PHONE_SHOTS at its CSS size (or a
        share of it)."""
        folder = os.environ.get("PHONE_SHOTS")
        if not folder:
            return
        path = os.path.join(folder, name)
        self.d.save_screenshot(path)
        width = round(self.js("return window.innerWidth") * share)
        subprocess.run(["convert", path, "-resize", "%dx" % width, "-strip", path], check=True)


def profile_bytes(music, effects, difficulty, saved=1):
    return b"".join(v.to_bytes(4, "little") for v in (music, effects, difficulty, saved))


def check_upright(b, site):
    """Seeds a table any score beats, then the intro and the options by touch."""
    b.d.get(site.url)
    b.first_picture()
    b.js("CF.storage.put('saves', 'cairnfall.dat', new Uint8Array(arguments[0]))",
         list(bt.seeded_table()))
    b.wait("the seeded table", lambda: b.saved("cairnfall.dat") == bt.seeded_table(), 5)
    b.d.refresh()
    b.first_picture()
    p = b.picture()
    if p["bar"] != "bar-below":
        raise bt.Failed("upright, the page's controls are %r, not below the game's parts" % p["bar"])
    time.sleep(0.3)
    b.tap(400, 300)  # a tap skips the intro
    b.wait_screen("options")
    return "a tap skipped the intro; the page's controls below the game's parts"


# Each figure's least value upright on the phones: the parts' share of the
# height, a stone (CSS px, by width) and the radius of taps around each target.
def check_sizes(b):
    lines = []
    try:
        for name, width, height, orientation, angle in phone_sizes.SCREENS:
            b.hold(phone_sizes.metrics(width, height, orientation, angle))
            time.sleep(0.3)
            got, line = phone_sizes.measure(b)
            print("     %s: %s" % (name, line), flush=True)
            if name.startswith("tablet"):
                b.shot("tablet_%s.png" % ("upright" if height > width else "sideways"), 0.5)
            lines.append(name)
            if "sideways" in got["notice"] or "Turn your" in got["notice"]:
                raise bt.Failed("%s: the page advises %r" % (name, got["notice"]))
            if got["bar_over_field"]:
                raise bt.Failed("%s: the page's controls lie over the play field" % name)
            if name.startswith("tablet"):
                shorter = got["width"] if height > width else got["coverage"]
                if shorter < 0.9:
                    raise bt.Failed("%s: the parts cover %.1f %% of the shorter side"
                                    % (name, 100 * shorter))
            elif height < width:
                if got["coverage"] < 0.995:
                    raise bt.Failed("%s: the picture takes %.1f %% of the height"
                                    % (name, 100 * got["coverage"]))
            else:
                least_stone = 29.5 if width == 360 else 32
                radius = min(r for _, r in got["targets"].values())
                if got["coverage"] < 0.8 or got["stone"] < least_stone or radius < 22:
                    raise bt.Failed("%s: %s" % (name, line))
    finally:
        b.hold(UPRIGHT)
    return "measured on %s" % ", ".join(lines)


# Counts the game's presents (changed or not) and the page's canvas draws.
COUNT_JS = """
if (!window.testCounts) {
  var c = window.testCounts = {changed: 0, same: 0, draws: 0};
  var show = CF.showPicture;
  CF.showPicture = function (pointer, changed) {
    if (changed) c.changed++; else c.same++;
    return show(pointer, changed);
  };
  var P = CanvasRenderingContext2D.prototype;
  ["drawImage", "putImageData", "fillRect"].forEach(function (name) {
    var f = P[name];
    P[name] = function () { if (this.canvas === CF.canvas()) c.draws++; return f.apply(this, arguments); };
  });
}
return Object.assign({}, window.testCounts);
"""


def check_resting(b):
    """On the still options screen, the game presents unchanged pictures and the
    page draws none of them."""
    before = b.js(COUNT_JS)
    time.sleep(2.0)
    after = b.js(COUNT_JS)
    same, changed, draws = (after[k] - before[k] for k in ("same", "changed", "draws"))
    if same < 20 or changed != 0 or draws != 0:
        raise bt.Failed("still options for 2 s: %d unchanged and %d changed presents, %d canvas "
                        "draws" % (same, changed, draws))
    return "2 s of the still options: %d unchanged presents, no canvas draw" % same


def check_turning_on_options(b):
    """Turning the phone on the options screen changes nothing the game holds."""
    picture = b.js("return CF.pictureDataURL()")
    b.hold(SIDEWAYS)
    sideways = b.js("return CF.pictureDataURL()")
    b.hold(UPRIGHT)
    if not b.is_screen("options") or sideways != picture or b.js("return CF.pictureDataURL()") != picture:
        raise bt.Failed("turning the phone on the options changed the game's picture")
    return "turned sideways and back on the options: the same picture, the same screen"


def check_options_and_quit(b):
    # Each row: a tap beside it (10 CSS px below its frame), then swipes as the arrows.
    b.tap_beside(500, 224, 0, 10)           # the difficulty row
    b.swipe(500, 190, 60, 0)
    b.swipe(500, 190, 60, 0)                # Hard
    b.tap_beside(500, 346, 0, 10)           # the music row
    b.swipe(500, 320, -60, 0)               # level 0
    b.tap_beside(500, 465, 0, 10)           # the effects row
    b.swipe(500, 440, -60, 0)               # level 2
    # Down to the menu's Quit (effects row, then buttons 0..4) and a long press.
    for _ in range(5):
        b.swipe(600, 300, 0, 60)
    b.long_press(600, 300)
    b.wait("the quit dialog", lambda: not b.is_screen("options"), 3)
    time.sleep(0.3)
    # Its back button, tapped 15 CSS px beside it, goes back: to the high scores,
    # as pressing Quit saved the options.
    b.tap_beside(360, 216, -15, 0)
    b.wait_screen("high scores")
    # New game by a swipe down (the first button) and a long press.
    b.swipe(600, 300, 0, 60)
    b.long_press(600, 300)
    b.wait_screen("game")
    want = profile_bytes(0, 2, 3)
    try:
        b.wait("profile.dat with the options set by touch", lambda: b.saved("profile.dat") == want, 5)
    except bt.Failed:
        got = b.saved("profile.dat")
        raise bt.Failed("profile.dat holds %s, not %s" % (got and got.hex(), want.hex()))
    return "difficulty, music and effects set by taps beside their rows and swipes; " \
        "the quit dialog's back tapped 15 CSS px beside it; New game by swipes and a long press"


def play_by_swipes(b):
    gap = b.wait("the gap on the board", b.gap, 5)
    for i in range(4):
        row, col = gap
        if col + 1 < bt.COLS and (i % 2 == 0 or col == 0):
            b.swipe(400, 400, -50, 0)  # as Left: the stone right of the gap moves left
            gap = b.expect_gap((row, col + 1), "a swipe left", gap)
        else:
            b.swipe(400, 400, 50, 0)
            gap = b.expect_gap((row, col - 1), "a swipe right", gap)
    row, col = gap
    stone = (row, col - 1) if col > 0 else (row, col + 1)
    b.tap(*bt.cell_centre(*stone))
    gap = b.expect_gap(stone, "a tap on the stone at %s" % (stone,), gap)
    b.shot("phone_upright.png")
    return gap


# The canvas's pixels, then the same after a repaint of the whole.
WHOLE_AGAIN_JS = """
var done = arguments[0], c = CF.canvas(), before = c.toDataURL();
CF.redraw();
requestAnimationFrame(function () {
  requestAnimationFrame(function () { done([before, c.toDataURL()]); });
});
"""


def check_game_by_touch(b):
    gap = play_by_swipes(b)
    # A swipe, and the phone turned sideways while its stone slides: the slide
    # ends where it would have, and the game goes on.
    row, col = gap
    dx = -50 if col + 1 < bt.COLS else 50
    want = (row, col + 1) if dx < 0 else (row, col - 1)
    b.swipe(400, 400, dx, 0, settle=0)
    b.hold(SIDEWAYS)
    gap = b.expect_gap(want, "a swipe, the phone turned during its slide", gap)
    b.hold(UPRIGHT)
    if not b.is_screen("game"):
        raise bt.Failed("after turning the phone mid-slide the game is not under way")
    # Pause by a tap 20 CSS px below its centre (over the clock), Resume 20 above
    # it (in the gap over the button).
    b.tap_beside(100, 527, 0, 20)
    b.wait_screen("paused")
    time.sleep(0.3)
    # The canvas, drawn piece by piece as the picture changed, is what one
    # drawing of the whole would be.
    drawn = b.d.execute_async_script(WHOLE_AGAIN_JS)
    if drawn[0] != drawn[1]:
        raise bt.Failed("the canvas drawn piecemeal differs from the canvas drawn whole")
    b.tap_beside(100, 527, 0, -20)
    b.wait_screen("game")
    if b.gap() != gap:
        raise bt.Failed("the board changed across the pause")
    # Instructions 20 below its centre (pausing the game), their Resume 20 below its.
    b.tap_beside(100, 359, 0, 20)
    b.wait("the instructions", lambda: not b.is_screen("game"), 3)
    b.tap_beside(330, 539, 0, 20)
    b.wait_screen("game")
    audio = b.js("return CF.audioState()")
    return ("5 swipes and a tap moved 6 stones, one sliding while the phone turned; the canvas "
            "drawn piecemeal the same as drawn whole; pause, "
            "Resume, Instructions and their Resume tapped 20 CSS px beside their centres; "
            "audio %s" % audio["context"])


def check_name_by_keyboard(b):
    b.js(bt.SKEW_JS)
    end = time.time() + 60
    while not b.is_screen("name entry"):
        if time.time() > end:
            raise bt.Failed("no name entry a minute after the skewed clock")
        if b.js("return CF.textEntry().active"):
            break
        b.js("window.testSkew += 60000")
        time.sleep(0.4)
        b.tap(150, 100)  # skips the game over's wait once it shows; nothing elsewhere
    b.wait_screen("name entry")
    if not b.js("return CF.textEntry().active"):
        raise bt.Failed("name entry did not turn text entry on")
    b.tap(400, 150)  # one tap: the device's keyboard
    if not b.js("return CF.textEntry().keyboard"):
        raise bt.Failed("a tap during name entry did not focus the keyboard's input")
    b.cdp("Input.insertText", {"text": "thumb"})
    time.sleep(0.3)
    b.cdp("Input.dispatchKeyEvent", {"type": "keyDown", "key": "Enter", "code": "Enter",
                                     "windowsVirtualKeyCode": 13})
    b.cdp("Input.dispatchKeyEvent", {"type": "keyUp", "key": "Enter", "code": "Enter",
                                     "windowsVirtualKeyCode": 13})
    b.wait_screen("high scores")
    names = bt.table_names(b.saved("cairnfall.dat") or b"")
    if "THUMB" not in names:
        raise bt.Failed("cairnfall.dat holds %s, not THUMB" % names)
    state = b.js("return CF.textEntry()")
    if state["active"] or state["keyboard"]:
        raise bt.Failed("text entry still on after the name: %s" % state)
    return "typed \"thumb\" on the device's keyboard, Enter finished: THUMB in the table"


def check_sideways(b):
    b.hold(SIDEWAYS)
    p = b.picture()
    if p["share"] < 0.95:
        raise bt.Failed("sideways the picture takes %.1f %% of the height" % (100 * p["share"]))
    if p["bar"] != "bar-side":
        raise bt.Failed("sideways the page's controls are %r, not beside the picture" % p["bar"])
    b.shot("phone_sideways.png")
    # A double tap and a pinch zoom nothing, and nothing scrolls.
    b.tap(700, 100)
    b.tap(700, 100)
    b.cdp("Input.synthesizePinchGesture", {"x": 400, "y": 200, "scaleFactor": 2.0,
                                           "gestureSourceType": "touch"})
    view = b.js("return [visualViewport.scale, window.scrollX, window.scrollY]")
    if view != [1, 0, 0]:
        raise bt.Failed("a double tap and a pinch left the page at scale and scroll %s" % view)
    r = b.tap_element("fullscreen-button")
    b.wait("full screen", lambda: b.js("return !!document.fullscreenElement"), 3)
    label = b.d.find_element(By.ID, "fullscreen-button").text
    if label != "Leave full screen":
        raise bt.Failed("in full screen the button says %r" % label)
    b.tap_element("fullscreen-button")
    b.wait("full screen left", lambda: b.js("return !document.fullscreenElement"), 3)
    # A browser without full screen for a page (an iPhone's) is told of the Home Screen.
    b.js("['fullscreenEnabled', 'webkitFullscreenEnabled'].forEach(function (name) {"
         " Object.defineProperty(document, name, {value: false, configurable: true}); })")
    b.tap_element("fullscreen-button")
    offer = b.wait("the Home Screen offer", lambda: b.d.find_element(By.ID, "home-screen").is_displayed()
                   and b.d.find_element(By.ID, "home-screen").text, 3)
    if "Add to Home Screen" not in offer or b.js("return !!document.fullscreenElement"):
        raise bt.Failed("without full screen the button offers %r" % offer)
    b.tap_element("home-screen-close")
    b.js("delete document.fullscreenEnabled; delete document.webkitFullscreenEnabled")
    # A swipe moves a stone sideways too (any screen takes them; here the table's).
    return ("picture %.0f CSS px high in %dx%d (%.1f %% of the height, scale %.4f); the full "
            "screen button (%.0fx%.0f CSS px) beside it entered and left full screen, or offered "
            "the Home Screen" % (
                p["height"], p["viewport"][0], p["viewport"][1], 100 * p["share"], p["scale"],
                r[2], r[3]))


def check_persist(b):
    asked = b.js("return [CF.storage.persistAsked, CF.storage.persisted]")
    if not asked[0]:
        raise bt.Failed("the page never asked to keep its storage")
    return "navigator.storage.persist() asked; the browser answered %s" % asked[1]


def export_copy(b):
    got = b.d.execute_async_script(
        "var done = arguments[0]; CF.exportBytes().then(function (v) { done(Array.from(v)); });")
    return bytes(got)


def options_held(hold, site, downloads):
    """The first run's options set by the same taps and swipes in a fresh browser
    held one way: the game's picture after each step and the saved profile."""
    p = Phone(downloads)
    try:
        p.hold(hold)
        p.d.get(site.url)
        p.first_picture()
        time.sleep(0.3)
        p.tap(400, 300)
        p.wait_screen("options")
        time.sleep(0.3)
        steps = [lambda: p.tap(443, 213),                # the mark of Hard
                 lambda: p.tap_beside(500, 346, 0, 10),  # the music row, beside it
                 lambda: p.swipe(500, 320, -60, 0),      # its level one down
                 lambda: p.tap_beside(100, 485, 0, 20),  # Quit: the options saved
                 lambda: p.tap_beside(396, 216, 0, 20)]  # its back answer: the high scores
        pictures = []
        for step in steps:
            step()
            time.sleep(0.6)
            pictures.append(p.js("return CF.pictureDataURL()"))
        p.wait_screen("high scores")
        profile = p.wait("profile.dat", lambda: p.saved("profile.dat"), 5)
        return pictures, profile
    finally:
        p.quit()


def check_either_hold(site, downloads):
    """The same input upright and sideways: the same frames, the same saved file."""
    upright = options_held(UPRIGHT, site, downloads)
    sideways = options_held(SIDEWAYS, site, downloads)
    for i, (a, b) in enumerate(zip(upright[0], sideways[0])):
        if a != b:
            raise bt.Failed("after step %d the game's picture upright is not the one sideways" % i)
    if upright[1] != sideways[1]:
        raise bt.Failed("profile.dat upright %s, sideways %s" % (upright[1].hex(), sideways[1].hex()))
    return ("the options set by 5 taps and swipes in a fresh browser upright and another "
            "sideways: the same %d pictures, profile.dat the same (%s)" % (
                len(upright[0]), upright[1].hex()))


def check_copy(b, site, downloads):
    copy = export_copy(b)
    scores = b.saved("cairnfall.dat")
    folder = tempfile.mkdtemp(prefix="cairnfall-copy-")
    good = os.path.join(folder, "good.cairnfall")
    bad = os.path.join(folder, "bad.cairnfall")
    with open(good, "wb") as f:
        f.write(copy)
    damaged = bytearray(copy)
    damaged[len(damaged) // 2] ^= 0x40
    with open(bad, "wb") as f:
        f.write(bytes(damaged))
    fresh = Phone(downloads)
    try:
        fresh.hold(SIDEWAYS)
        fresh.d.get(site.url)
        fresh.first_picture()
        before = fresh.saved("cairnfall.dat")
        fresh.tap_element("recordings-button")
        fresh.d.find_element(By.ID, "import-file").send_keys(bad)
        text = fresh.wait("the refusal", lambda: fresh.d.find_element(By.ID, "message").is_displayed()
                          and fresh.d.find_element(By.ID, "message-text").text, 5)
        if "Nothing was changed" not in text or fresh.saved("cairnfall.dat") != before:
            raise bt.Failed("a damaged copy: %r, the table %s" % (text, fresh.saved("cairnfall.dat")))
        fresh.tap_element("message-close")
        fresh.js("window.testBeforeReload = true")
        fresh.d.find_element(By.ID, "import-file").send_keys(good)
        fresh.wait("the loaded copy", lambda: "Copy loaded" in fresh.d.find_element(By.ID, "message-caption").text, 5)
        fresh.tap_element("message-close")
        fresh.wait("the reload after the copy",
                   lambda: fresh.js("return !window.testBeforeReload && !!window.cairnfallFirstPicture"), 30)
        if fresh.saved("cairnfall.dat") != scores:
            raise bt.Failed("the fresh browser's table is not the copy's")
    finally:
        fresh.quit()
        shutil.rmtree(folder, ignore_errors=True)
    return "a copy of %d bytes loaded into a fresh browser with the same scores; a damaged one " \
        "was refused: %s" % (len(copy), text.splitlines()[0])


def check_menu_and_quit_by_touch(b):
    """Upright, each menu button and both answers of the quit dialog by a tap 20
    CSS px above or below its centre."""
    b.hold(UPRIGHT)
    b.tap_beside(100, 401, 0, 20)   # Options
    b.wait_screen("options")
    b.tap_beside(100, 443, 0, -20)  # High scores
    b.wait_screen("high scores")
    b.tap_beside(100, 359, 0, -20)  # Instructions
    b.wait("the instructions", lambda: not b.is_screen("high scores"), 3)
    b.tap_beside(100, 317, 0, 20)   # New game
    b.wait_screen("game")
    b.tap_beside(100, 485, 0, 20)   # Quit
    b.wait("the quit dialog", lambda: not b.is_screen("game"), 3)
    dialog = b.js("return CF.pictureDataURL()")
    b.tap_beside(396, 216, 0, 20)   # its back answer
    b.wait("the way back from the quit dialog",
           lambda: b.js("return CF.pictureDataURL()") != dialog, 3)
    if b.d.find_element(By.ID, "ended").is_displayed():
        raise bt.Failed("the quit dialog's back answer ended the game")
    b.tap_beside(100, 485, 0, -20)  # Quit again
    b.wait("the quit dialog", lambda: b.js("return CF.pictureDataURL()") == dialog, 3)
    b.tap_beside(582, 216, 0, -20)  # its quit answer
    b.wait("#ended after quitting", lambda: b.d.find_element(By.ID, "ended").is_displayed(), 5)
    return ("upright, Options, High scores, Instructions, New game, Quit and both answers of "
            "the quit dialog tapped 20 CSS px beside their centres; the game ended")


# The middle of the first element a CSS selector finds, and its size (scrolled
# into view first, as a finger would).
RECT_JS = """
var e = document.querySelector(arguments[0]);
if (!e || !e.offsetParent) return null;
e.scrollIntoView({block: "nearest"});
var r = e.getBoundingClientRect();
return [r.left + r.width / 2, r.top + r.height / 2, r.width, r.height];
"""


def check_watch_and_share(b, site, native):
    """A stored session shared and watched by touch: the share sheet (stubbed)
    gets its link, a tap on the picture pauses and plays, the controls are
    thumb-sized, Leave goes back to the page's own game."""
    b.hold(UPRIGHT)
    folder = tempfile.mkdtemp(prefix="cairnfall-phone-watch-")
    try:
        with open(ws.record_session(native, folder, 0.5), "rb") as f:
            data = f.read()
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    name = "20260101-120000-0000002.rec"
    b.d.get(site.url)
    b.first_picture()
    b.d.execute_async_script("var done = arguments[2];"
                             "CF.storage.put('recordings', arguments[0], new Uint8Array(arguments[1]))"
                             ".then(done);", name, list(data))
    b.js("navigator.share = function (what) { window.testShared = what; return Promise.resolve(); };")
    b.tap_element("recordings-button")
    item = "#recordings-list li[data-name='%s'] " % name
    r = b.wait("the stored session in the list", lambda: b.js(RECT_JS, item + ".watch-share"), 5)
    b.tap_page(r[0], r[1])
    shared = b.wait("the share sheet", lambda: b.js("return window.testShared || null"), 5)
    link = shared.get("url", "")
    if "#watch=" not in link or ws.link_text(data) != link.split("#watch=", 1)[1]:
        raise bt.Failed("the share sheet got %r, not the session's link" % link[:80])
    r = b.js(RECT_JS, item + ".watch-watch")
    b.tap_page(r[0], r[1])
    b.wait("watching the stored session", lambda: b.js(ws.STATE_JS), 10)
    sizes = {what: b.js(RECT_JS, "#watch-" + what) for what in ("play", "scrub")}
    if min(sizes["play"][2:]) < 44 or sizes["scrub"][3] < 44:
        raise bt.Failed("the controls are not thumb-sized: %s" % sizes)
    centre = b.js(RECT_JS, "#screen")
    taps = []
    for want in (False, True):
        b.tap_page(centre[0], centre[1] - 100)
        taps.append(b.wait("playing %s after a tap" % want, lambda: b.js(
            "var s = CF.watchState(); return s.playing === arguments[0] ? s : null;", want), 5))
    b.shot("phone_watching.png")
    r = b.js(RECT_JS, "#watch-leave")
    b.tap_page(r[0], r[1])
    b.wait("watching left", lambda: b.js("var s = CF.watchState(); return !s || !s.watching;"), 5)
    return ("Share handed the sheet a link of %d characters; Watch played it; taps on the picture "
            "paused at %.1f s and played on; play button %.0fx%.0f, scrubber %.0f CSS px high; "
            "Leave went back to the game" % (len(link), taps[0]["position"] / 1000,
                                             sizes["play"][2], sizes["play"][3], sizes["scrub"][3]))


def main():
    arguments = bt.test_arguments("phone_test.py", "phone-test")
    if arguments is None:
        return 2
    folder, native, shots = arguments
    downloads = tempfile.mkdtemp(prefix="cairnfall-downloads-")
    started = time.time()
    site = bt.Site(folder)
    try:
        b = Phone(downloads)
    except WebDriverException as e:
        print("FAIL start: %s" % str(e).strip())
        site.stop()
        return 1
    failed = False

    def run(name, check, *args):
        nonlocal failed
        if failed:
            print("SKIP %s" % name, flush=True)
            return
        t = time.time()
        try:
            text = check(*args)
        except (bt.Failed, WebDriverException) as e:
            failed = True
            why = str(e).strip().splitlines()[0] if str(e).strip() else type(e).__name__
            print("FAIL %s: %s (pictures in %s)" % (name, why, b.keep_failure(shots, name)),
                  flush=True)
            return
        print("ok   %s: %s (%.1f s)" % (name, text, time.time() - t), flush=True)

    try:
        run("upright", check_upright, b, site)
        run("resting", check_resting, b)
        run("turning-on-options", check_turning_on_options, b)
        run("sizes", check_sizes, b)
        run("options-and-quit", check_options_and_quit, b)
        run("game", check_game_by_touch, b)
        run("name", check_name_by_keyboard, b)
        run("sideways", check_sideways, b)
        run("persist", check_persist, b)
        run("either-hold", check_either_hold, site, downloads)
        run("copy", check_copy, b, site, downloads)
        run("menu-and-quit", check_menu_and_quit_by_touch, b)
        run("watch-and-share", check_watch_and_share, b, site, native)
    finally:
        b.quit()
        shutil.rmtree(downloads, ignore_errors=True)
        site.stop()
    print("%s in %.0f s" % ("FAILED" if failed else "all passed", time.time() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
