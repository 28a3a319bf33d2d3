#!/usr/bin/python3
"""The page on a phone: Chromium's mobile emulation (390x844, pixel ratio 3) with
real touch events (CDP Input.dispatchTouchEvent), upright and sideways. Swipes
move stones, every action is done by a finger, a name is typed through the
device keyboard's path, the picture's share of the height is measured, full
screen is entered and left, storage persistence is asked for, and a saved copy
of the files loads into a fresh browser while a damaged one is refused.

phone_test.py SITE_DIR NATIVE_BUILD_DIR

Prints one line per check, with the figures it measured. With PHONE_SHOTS=DIR it
keeps the pictures of the page that the README and docs/web.md show there
(phone_upright.png, phone_sideways.png), at the phone's CSS size (ImageMagick's convert).
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


# The game's tap targets (strict areas x1, x2, y1, y2) on three screens: the menu
# bar, then each screen's own; the board and the options' rows are fields.
MENU = [(10, 190, 296 + 42 * i, 338 + 42 * i) for i in range(5)]
TARGETS = {
    "game": MENU + [(10, 190, 506, 548), (27, 62, 10, 54), (374, 625, 223, 575)],
    "options": MENU + [(410, 590, 518, 560), (430, 556, 155, 224), (429, 564, 294, 346),
                       (429, 564, 413, 465)],
    "quit": [(359, 434, 196, 236), (545, 620, 196, 236)],
}
SHOWN = {"game": {5: "pause", 1: "menu button", 7: "board"},
         "options": {5: "Resume", 7: "music row", 6: "difficulty row"}, "quit": {0: "quit answer"}}


def lands(targets, x, y, reach):
    """The target a tap lands on by the game's rule: inside, else the nearest within reach."""
    best, best_miss = -1, reach * reach
    for i, (x1, x2, y1, y2) in enumerate(targets):
        dx = x1 + 1 - x if x <= x1 else x - x2 + 1 if x >= x2 else 0
        dy = y1 + 1 - y if y <= y1 else y - y2 + 1 if y >= y2 else 0
        miss = dx * dx + dy * dy
        if miss == 0:
            return i
        if miss <= best_miss and (best < 0 or miss < best_miss):
            best, best_miss = i, miss
    return best


def tap_areas(scale, reach_css):
    """Where a tap lands on each shown target, in CSS pixels: the width through its
    centre row by the height through its centre column."""
    reach = round(reach_css / scale)
    out = []
    for screen, shown in SHOWN.items():
        targets = TARGETS[screen]
        for i, name in shown.items():
            x1, x2, y1, y2 = targets[i]
            cx, cy = (x1 + x2) // 2, (y1 + y2) // 2
            w = sum(lands(targets, x, cy, reach) == i for x in range(800))
            h = sum(lands(targets, cx, y, reach) == i for y in range(600))
            out.append("%s %.0fx%.0f" % (name, w * scale, h * scale))
    return ", ".join(out)


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

    def swipe(self, x, y, dx, dy, steps=2):
        """A quick stroke from a picture point, dx, dy CSS pixels long."""
        px, py = self.page_point(x, y)
        self.touch("touchStart", [{"x": px, "y": py}])
        for i in range(1, steps + 1):
            self.touch("touchMove", [{"x": px + dx * i / steps, "y": py + dy * i / steps}])
        self.touch("touchEnd", [])
        time.sleep(0.2)

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

    def shot(self, name):
        """The page as the phone shows it, into $PHONE_SHOTS at its CSS size."""
        folder = os.environ.get("PHONE_SHOTS")
        if not folder:
            return
        path = os.path.join(folder, name)
        self.d.save_screenshot(path)
        width = self.js("return window.innerWidth")
        subprocess.run(["convert", path, "-resize", "%dx" % width, "-strip", path], check=True)


def profile_bytes(music, effects, difficulty, saved=1):
    return b"".join(v.to_bytes(4, "little") for v in (music, effects, difficulty, saved))


def check_upright(b, site):
    """Seeds a table any score beats, then the intro and the options by touch."""
    b.d.get(site.url)
    b.first_picture()
    b.wait("the page's notices",
                  lambda: "sideways" in b.js("return document.getElementById('notice').textContent"), 5)
    b.js("CF.storage.put('saves', 'cairnfall.dat', new Uint8Array(arguments[0]))",
         list(bt.seeded_table()))
    b.wait("the seeded table", lambda: b.saved("cairnfall.dat") == bt.seeded_table(), 5)
    b.d.refresh()
    b.first_picture()
    if b.js("return document.getElementById('notice').textContent").find("sideways") >= 0:
        raise bt.Failed("the page said twice that sideways is larger")
    p = b.picture()
    if p["bar"] != "bar-top":
        raise bt.Failed("upright, the page's controls are %r, not over the top letterbox" % p["bar"])
    time.sleep(0.3)
    b.tap(400, 300)  # a tap skips the intro
    b.wait_screen("options")
    reach = b.js("return CF.touchReach")
    return ("picture %.0f CSS px high in %dx%d (%.1f %% of the height, scale %.4f); a tap skipped "
            "the intro; taps land (CSS px): %s" % (
                p["height"], p["viewport"][0], p["viewport"][1], 100 * p["share"], p["scale"],
                tap_areas(p["scale"], reach)))


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


def check_game_by_touch(b):
    gap = play_by_swipes(b)
    # Pause and resume by taps 20 CSS px beside the pause button.
    b.tap_beside(189, 527, 20, 0)
    b.wait_screen("paused")
    b.tap_beside(189, 527, 20, 0)
    b.wait_screen("game")
    if b.gap() != gap:
        raise bt.Failed("the board changed across the pause")
    # Instructions by an aimed tap (pausing the game), then Resume tapped beside it.
    b.tap(100, 359)
    b.wait("the instructions", lambda: not b.is_screen("game"), 3)
    b.tap_beside(330, 560, 0, 15)
    b.wait_screen("game")
    audio = b.js("return CF.audioState()")
    return ("4 swipes and a tap moved 5 stones; pause and resume tapped 20 CSS px beside the "
            "button; Resume tapped beside it; audio %s" % audio["context"])


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
            "the Home Screen; taps land "
            "(CSS px): %s" % (
                p["height"], p["viewport"][0], p["viewport"][1], 100 * p["share"], p["scale"],
                r[2], r[3], tap_areas(p["scale"], b.js("return CF.touchReach"))))


def check_persist(b):
    asked = b.js("return [CF.storage.persistAsked, CF.storage.persisted]")
    if not asked[0]:
        raise bt.Failed("the page never asked to keep its storage")
    return "navigator.storage.persist() asked; the browser answered %s" % asked[1]


def export_copy(b):
    got = b.d.execute_async_script(
        "var done = arguments[0]; CF.exportBytes().then(function (v) { done(Array.from(v)); });")
    return bytes(got)


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
    b.hold(SIDEWAYS)
    b.tap_beside(189, 401, 15, 0)   # Options, beside it
    b.wait_screen("options")
    b.tap_beside(189, 443, 15, 0)   # High scores, beside it
    b.wait_screen("high scores")
    b.tap_beside(189, 485, 15, 0)   # Quit, beside it
    b.wait("the quit dialog", lambda: not b.is_screen("high scores"), 3)
    b.tap_beside(619, 216, 15, 0)   # the dialog's quit, beside it
    b.wait("#ended after quitting", lambda: b.d.find_element(By.ID, "ended").is_displayed(), 5)
    return ("Options, High scores, Quit and the dialog's quit tapped beside them; the game "
            "ended")


def main():
    if len(sys.argv) != 3:
        sys.stderr.write("usage: phone_test.py SITE_DIR NATIVE_BUILD_DIR\n")
        return 2
    folder, native = (os.path.abspath(a) for a in sys.argv[1:])
    shots = (os.environ.get("WEB_TEST_SHOTS") or
             os.path.join(native, "Testing", "Temporary", "phone-test"))
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
        run("options-and-quit", check_options_and_quit, b)
        run("game", check_game_by_touch, b)
        run("name", check_name_by_keyboard, b)
        run("sideways", check_sideways, b)
        run("persist", check_persist, b)
        run("copy", check_copy, b, site, downloads)
        run("menu-and-quit", check_menu_and_quit_by_touch, b)
    finally:
        b.quit()
        shutil.rmtree(downloads, ignore_errors=True)
        site.stop()
    print("%s in %.0f s" % ("FAILED" if failed else "all passed", time.time() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
