#!/usr/bin/python3
"""Watching in headless Chromium: a 10-minute session opened by its link plays at
once and takes the keys with no click first; the bar hides while it plays;
jumps forwards and backwards and frame steps show the frames playing straight
there showed (the time of each jump printed); End shows cairnfall-replay's last
frame; Share copies the link, or saves a file too long for one; bad links and
files (dropped, chosen) each get their sentence; a file handed to the installed
app plays; nothing the page stored changes; Esc leads back to the page's own
game, which records again.

watch_test.py SITE_DIR NATIVE_BUILD_DIR

With WATCH_SHOTS=DIR it keeps the documentation's picture of the controls there
(watching.png).
"""

import os
import shutil
import sys
import tempfile
import time

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

import browser_test as bt
import watch_support as ws

# A stored session and saved files for the page to keep untouched.
STORED_NAME = "20260101-120000-0000001.rec"

# Waits a display frame or two until the state has the position asked for and
# the picture no longer changes; the position and the picture.
SETTLED_JS = """
var want = arguments[0], done = arguments[arguments.length - 1], last = null, still = 0;
var t0 = performance.now();
(function look() {
  var s = CF.watchState();
  if (s && (want === null || s.position === want) && !s.playing) {
    var url = CF.pictureDataURL();
    still = url === last ? still + 1 : 0;
    last = url;
    if (still >= 2) { done([s.position, url]); return; }
  }
  if (performance.now() - t0 > 15000) { done(null); return; }
  requestAnimationFrame(look);
})();
"""

# A jump timed in the page: from the request to the first display frame whose
# state is at the time asked for (at or after it: the first frame there).
JUMP_JS = """
var to = arguments[0], done = arguments[arguments.length - 1], t0 = performance.now();
CF.watchCommand("seek", to);
(function look() {
  var s = CF.watchState();
  if (s && s.position >= to && s.position < to + 100) { done(performance.now() - t0); return; }
  if (performance.now() - t0 > 30000) { done(null); return; }
  requestAnimationFrame(look);
})();
"""


# A file dropped on the page.
DROP_JS = """
var dt = new DataTransfer();
dt.items.add(new File([new Uint8Array(arguments[0])], arguments[1]));
document.body.dispatchEvent(new DragEvent("drop", {dataTransfer: dt, bubbles: true, cancelable: true}));
"""


def settled(b, want=None):
    got = b.d.execute_async_script(SETTLED_JS, want)
    if not got:
        raise bt.Failed("the picture did not settle at %s" % want)
    return got


def same(b, first, second):
    return b.d.execute_async_script(bt.SAME_PICTURES_JS, first, second)


def seed(b, site, short):
    """Saved files and a stored session, on a page held by a link without a
    recording (so no game of the page's own starts); what is stored then."""
    b.d.get(site.url + "#watch=-")
    b.wait("the page held", lambda: b.d.find_element(By.ID, "watch-refused").is_displayed(), 20)
    for store, name, data in (("saves", "cairnfall.dat", bt.seeded_table()),
                              ("saves", "profile.dat", bytes([0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0])),
                              ("recordings", STORED_NAME, short)):
        b.d.execute_async_script("var done = arguments[3];"
                                 "CF.storage.put(arguments[0], arguments[1], new Uint8Array(arguments[2]))"
                                 ".then(done);", store, name, list(data))
    return ws.stored(b)


def check_link(b, site, data):
    b.d.get("about:blank")
    t = time.time()
    b.d.get(site.url + "#watch=" + ws.link_text(data))
    state = b.wait("watching the link", lambda: b.js(ws.STATE_JS), 30)
    # The keys work at once: faster, no click first.
    b.keys(">", ">", ">", pause=0.05)
    speed = b.wait("8x", lambda: b.js("var s = CF.watchState(); return s.speed === 8 && s;"), 5)
    if not speed["playing"]:
        raise bt.Failed("the link's recording does not play by itself")
    # The bar hides while it plays, and comes back when the mouse moves.
    b.wait("the bar hidden while playing",
           lambda: b.js("return document.getElementById('watch').classList.contains('quiet')"), 5)
    ActionChains(b.d).move_to_element_with_offset(b.d.find_element(By.ID, "watch"), 10, 10).perform()
    b.wait("the bar back on a mouse move",
           lambda: b.js("return !document.getElementById('watch').classList.contains('quiet')"), 2)
    return "a %.1f-minute session (%d bytes, a link of %d characters) plays %.1f s after " \
        "navigation; > > > made it 8x; the bar hid while playing and came back on a mouse " \
        "move" % (state["duration"] / 60000, len(data),
                                          len(ws.link_text(data)) + 7, time.time() - t)


def check_seeking(b):
    """Points reached by playing straight there, then jumps back and forth to them
    and frame steps: the same frames."""
    points = []
    for _ in range(2):
        time.sleep(1.5)
        b.keys(" ")
        points.append(settled(b))
        b.keys(" ")
    b.keys(" ")
    first = settled(b)
    b.keys(".", ".", ".", pause=0.1)
    stepped = settled(b)
    if not stepped[0] > first[0]:
        raise bt.Failed("three frame steps did not go forward from %d ms" % first[0])
    points.append(stepped)
    times = []
    # The first jump to 90 % may have to play the session that far first.
    times.append(b.d.execute_async_script(JUMP_JS, 540000))
    for (at, picture) in [points[0], points[2], points[1], points[0]]:
        b.js("CF.watchCommand('seek', arguments[0])", at)
        got = settled(b, at)
        if not same(b, got[1], picture):
            raise bt.Failed("the jump to %d ms shows another frame than playing there did" % at)
    b.keys(",", ",", ",", pause=0.1)  # from points[0]: before it, then forward again
    b.keys(".", ".", ".", pause=0.1)
    back = settled(b, points[0][0])
    if not same(b, back[1], points[0][1]):
        raise bt.Failed("three steps back and three forward do not return to the frame")
    for to in (60000, 300000, 570000, 30000):
        times.append(b.d.execute_async_script(JUMP_JS, to))
    if None in times:
        raise bt.Failed("a jump did not arrive within 30 s")
    # Keys keep playing or paused as they found it.
    b.keys(" ")
    b.keys("5")
    playing = b.wait("50 % while playing", lambda: b.js(
        "var s = CF.watchState(), half = Math.floor(s.duration / 2);"
        "return s.position >= half && s.position < half + 10000 && s;"), 10)
    if not playing["playing"]:
        raise bt.Failed("a jump while playing paused the recording")
    b.keys(" ")
    return ("3 points played to, jumped to back and forth: the same frames; 3 steps each way; "
            "jumps in the 10-minute session took %s ms (the first: the session played to 9:00 "
            "first)" % ", ".join("%.0f" % t for t in times))


def check_end(b, want):
    b.keys(Keys.END)
    b.wait("End on the last frame", lambda: b.js(ws.LAST_FRAME_JS), 20)
    got = settled(b)
    if not same(b, got[1], want):
        raise bt.Failed("the last frame is not cairnfall-replay's")
    bar = b.js("return !document.getElementById('watch').hidden")
    if not bar:
        raise bt.Failed("the controls are gone at the end")
    shots = os.environ.get("WATCH_SHOTS")
    if shots:  # the documentation's picture of the controls (docs/recordings.md)
        b.js("CF.watchCommand('speed', 2)")
        b.js("CF.watchCommand('seek', 200000)")
        b.wait("the jump for the picture", lambda: b.js("return CF.watchState().position >= 200000"), 10)
        settled(b)
        b.d.save_screenshot(os.path.join(shots, "watching.png"))
    return "End rests at %.1f s on cairnfall-replay's last frame, pixel for pixel, the " \
        "controls shown" % (got[0] / 1000)


def check_share(b, site, data, work):
    """Share on a computer copies the link and says so; a recording too long for a
    link is saved as a file instead."""
    b.d.execute_cdp_cmd("Browser.grantPermissions", {
        "origin": site.url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})
    b.d.find_element(By.ID, "watch-share").click()
    notice = b.wait("the page saying the link is copied", lambda: "copied" in b.js(
        "return document.getElementById('notice').textContent") and b.js(
        "return document.getElementById('notice').textContent"), 5)
    copied = b.d.execute_async_script("var done = arguments[0];"
                                      "navigator.clipboard.readText().then(done, function () { done(null); });")
    if copied != site.url + "#watch=" + ws.link_text(data):
        raise bt.Failed("the clipboard holds %r, not the recording's link" % (copied or "")[:80])
    long_one = bytes(range(256)) * 1200  # 307,200 bytes: a link of 400 K characters
    done = b.d.execute_async_script("var done = arguments[1];"
                                    "CF.shareRecording(new Uint8Array(arguments[0]), 'long.rec').then(done);",
                                    list(long_one))
    path = os.path.join(work, "long.rec")
    b.wait("the long recording saved as a file", lambda: done == "downloaded" and os.path.exists(path)
           and os.path.getsize(path) == len(long_one), 10)
    return "Share copied the link (%d characters) and said: %s; a %d-byte recording was saved " \
        "as a file instead" % (len(copied), notice.splitlines()[0], len(long_one))


def refusal(b):
    return b.wait("a sentence", lambda: b.d.find_element(By.ID, "watch-refused").is_displayed() and
                  b.d.find_element(By.ID, "watch-refused-text").text, 10)


def check_bad_input(b, site, data, work):
    said = []
    for what, fragment, words in (("a link that is not base64", "not*a*recording", ["no recording"]),
                                  ("a link of other bytes", ws.link_text(b"<html>hello</html>"),
                                   ["no recording"]),
                                  ("another version", ws.link_text(ws.other_version(data)),
                                   ["0.9.9", "1.0.0"])):
        b.js("document.getElementById('watch-refused').hidden = true")
        b.js("location.hash = arguments[0]", "#watch=" + fragment)
        text = refusal(b)
        if not all(w in text for w in words):
            raise bt.Failed("%s: %r does not say %s" % (what, text, " and ".join(words)))
        said.append(text)
    # Too large, by the file picker.
    big = os.path.join(work, "big.rec")
    with open(big, "wb") as f:
        f.write(data[:12] + bytes(17 << 20))
    b.js("document.getElementById('watch-refused').hidden = true;"
         "document.getElementById('watch-file').hidden = false;")
    b.d.find_element(By.ID, "watch-file").send_keys(big)
    text = refusal(b)
    if "too large" not in text:
        raise bt.Failed("a 17 MB file: %r" % text)
    said.append(text)
    b.js("document.getElementById('watch-refused').hidden = true;"
         "document.getElementById('watch-file').hidden = true;")
    # Damaged and cut: played up to the damage, then where it stopped.
    # (The damaged one dropped on the page as a file, the cut one by a link.)
    for what, spoiled in (("damaged", ws.damaged(data)), ("cut", ws.cut(data))):
        if what == "damaged":
            b.js(DROP_JS, list(spoiled), "damaged.rec")
        else:
            b.js("location.hash = arguments[0]", "#watch=" + ws.link_text(spoiled))
        b.wait("the %s recording open" % what,
               lambda: b.js("var s = CF.watchState(); return s && s.watching && s.position < 5000;"), 10)
        b.keys(Keys.END)
        state = b.wait("the %s recording's end" % what, lambda: b.js(
            "var s = CF.watchState(); return s && s.ended && s.problem ? s : null;"), 60)
        shown = b.wait("the sentence in the page", lambda: b.d.find_element(By.ID, "watch-problem")
                       .is_displayed() and b.d.find_element(By.ID, "watch-problem").text, 5)
        said.append("%s (at %.1f s)" % (shown, state["position"] / 1000))
    return " | ".join(said)


# The installed app's launch queue, as Chromium hands a file to an app opened
# by its file handler; the test gives the file.
LAUNCH_QUEUE_JS = """
Object.defineProperty(window, "launchQueue", { configurable: true,
  value: { setConsumer: function (consumer) { window.testLaunch = consumer; } } });
"""


def check_app_file(b, site, data):
    """The installed app opened with a recording file (manifest file_handlers,
    action ./?open-file): the page waits for the file and starts by watching it."""
    b.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": LAUNCH_QUEUE_JS})
    b.d.get("about:blank")
    b.d.get(site.url + "?open-file")
    b.wait("the launch queue's consumer", lambda: b.js("return !!window.testLaunch"), 10)
    b.js("var bytes = new Uint8Array(arguments[0]);"
         "window.testLaunch({ files: [{ getFile: function () {"
         " return Promise.resolve(new File([bytes], 'opened.rec')); } }] });", list(data))
    state = b.wait("watching the opened file", lambda: b.js(ws.STATE_JS), 20)
    return "the app opened with opened.rec watches it (%.1f s long)" % (state["duration"] / 1000)


def check_nothing_written(b, before):
    after = ws.stored(b)
    if after != before:
        changed = sorted(k for k in set(before) | set(after) if before.get(k) != after.get(k))
        raise bt.Failed("watching changed the stored %s" % ", ".join(changed))
    return "the %d stored files are byte for byte as before (%s)" % (len(after), ", ".join(sorted(after)))


def check_leave(b, before):
    b.keys(Keys.ESCAPE)
    b.wait("watching left", lambda: b.js("var s = CF.watchState(); return !s || !s.watching;"), 10)
    if b.js("return location.hash"):
        raise bt.Failed("the address still holds the recording after Esc")
    b.wait("the intro of the page's own game",
           lambda: b.shares([[0, 0, 800, 600, "saturated"]])[0] > 1, 10)
    b.keys(Keys.ESCAPE)
    b.wait_screen("high scores")
    recorded = b.wait("a recording of the page's own game", lambda: [
        k for k in ws.stored(b) if k.startswith("recordings/") and k not in before], 10)
    return "Esc left watching; the page's own game shows its high scores and records (%s)" % (
        recorded[0])


def main():
    arguments = bt.test_arguments("watch_test.py", "watch-test")
    if arguments is None:
        return 2
    folder, native, shots = arguments
    work = tempfile.mkdtemp(prefix="cairnfall-watch-")
    started = time.time()
    checks = bt.Checks(shots)
    run = checks.run
    b = None
    site = bt.Site(folder)
    try:
        try:
            long_rec = ws.record_session(native, work, 10, "ten-minutes.rec")
            short_rec = ws.record_session(native, work, 0.5, "half-minute.rec")
            want, line = ws.reference(native, long_rec, os.path.join(work, "reference"))
            print("ok   sessions: %s" % line, flush=True)
        except (bt.Failed, OSError) as e:
            print("FAIL sessions: %s" % e)
            return 1
        with open(long_rec, "rb") as f:
            data = f.read()
        with open(short_rec, "rb") as f:
            short = f.read()
        b = checks.browser = bt.Browser(work)
        before = run("seed", lambda: "%d files stored" % len(seed(b, site, short)))
        before = ws.stored(b) if before else None
        run("link", check_link, b, site, data)
        run("seeking", check_seeking, b)
        run("end", check_end, b, want)
        run("share", check_share, b, site, data, work)
        run("bad-input", check_bad_input, b, site, short, work)
        run("app-file", check_app_file, b, site, short)
        run("nothing-written", check_nothing_written, b, before)
        run("leave", check_leave, b, before)
    finally:
        if b:
            b.quit()
        site.stop()
        shutil.rmtree(work, ignore_errors=True)
    print("%s in %.0f s" % ("FAILED" if checks.failed else "all passed", time.time() - started))
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
