#!/usr/bin/python3
"""Recordings made on other systems, watched in the page by a link in Chromium,
WebKitGTK and Firefox: End shows the last frame, and it is the one
`cairnfall-replay --recording` makes, pixel for pixel.

watch_across.py SITE_DIR NATIVE_BUILD_DIR [--linux] [RECORDING...]

--linux first records a short session of the native Linux game (the SDL window
under the current X display, driven by xdotool). Each RECORDING is a file made
elsewhere (the Windows build under Wine: tests/win32/smoke_test.sh keeps one).
Run under xvfb-run: WebKitGTK and the Linux game need a display. Firefox runs
through tests/web/firefox/watch_link.mjs (npm ci there first).
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time

from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.keys import Keys

import browser_test as bt
from watch_support import LAST_FRAME_JS, STATE_JS, link_text, reference

HERE = os.path.dirname(os.path.abspath(__file__))

def record_linux_session(native, folder):
    """A short game of the SDL build under the X display, recorded: the intro
    skipped, a new game by the key 1, arrow moves, F12."""
    game = os.path.join(folder, "linux-game")
    os.makedirs(game, exist_ok=True)
    shutil.copy(os.path.join(native, "cairnfall"), game)
    os.symlink(os.path.join(native, "data"), os.path.join(game, "data"))
    open(os.path.join(game, "portable"), "w").close()
    path = os.path.join(folder, "linux.rec")
    env = dict(os.environ, SDL_AUDIODRIVER="dummy", HOME=folder, XDG_DATA_HOME=folder,
               XDG_CONFIG_HOME=folder)
    game_run = subprocess.Popen([os.path.join(game, "cairnfall"), "--record", path],
                                env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    try:
        subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--pid",
                        str(game_run.pid)], timeout=20, capture_output=True)
        time.sleep(0.8)
        for key, pause in (("Escape", 0.5), ("1", 1.0), ("Left", 0.4), ("Up", 0.4),
                           ("Right", 0.4), ("Left", 0.4), ("Down", 0.6), ("Right", 0.6),
                           ("F12", 0)):
            subprocess.run(["xdotool", "key", key], check=True)
            time.sleep(pause)
        _, err = game_run.communicate(timeout=20)
    except (subprocess.TimeoutExpired, subprocess.CalledProcessError) as e:
        game_run.kill()
        raise bt.Failed("the Linux game did not record a session: %s" % e)
    if game_run.returncode != 0 or not os.path.getsize(path):
        raise bt.Failed("the Linux game ended with %d: %s" % (game_run.returncode, err.decode()))
    return path


def watch_to_end(b, url, data, want):
    """Opens the recording by its link, presses End at once, and compares the last
    frame with `want`; returns the state at the end."""
    b.d.get("about:blank")
    b.d.get(url + "#watch=" + link_text(data))
    b.wait("watching the link", lambda: b.js(STATE_JS), 30)
    b.keys(Keys.END)
    state = b.wait("End on the last frame", lambda: b.js(LAST_FRAME_JS), 30)
    time.sleep(0.3)
    got = b.js("return CF.pictureDataURL()")
    if not b.d.execute_async_script(bt.SAME_PICTURES_JS, want, got):
        raise bt.Failed("the last frame is not cairnfall-replay's")
    return state


def firefox(site, pairs):
    """The same in Firefox, by watch_link.mjs: one line per recording."""
    folder = os.path.join(HERE, "firefox")
    if not os.path.isdir(os.path.join(folder, "node_modules", "puppeteer-core")):
        raise bt.Failed("tests/web/firefox: run npm ci there first")
    args = ["node", "watch_link.mjs", site]
    for rec, png in pairs:
        args += [rec, png]
    run = subprocess.run(args, cwd=folder, capture_output=True, text=True, timeout=240)
    if run.returncode != 0:
        raise bt.Failed((run.stdout + run.stderr).strip().replace("\n", "; "))
    return run.stdout.strip().replace("\n", "; ")


def main():
    args = sys.argv[1:]
    linux = "--linux" in args
    args = [a for a in args if a != "--linux"]
    if len(args) < 2:
        sys.stderr.write(__doc__)
        return 2
    site, native = os.path.abspath(args[0]), os.path.abspath(args[1])
    if not os.path.exists(os.path.join(site, "index.html")):
        print("SKIP: no page in %s (make web)" % site)
        return 77
    recordings = [os.path.abspath(a) for a in args[2:]]
    work = tempfile.mkdtemp(prefix="cairnfall-watch-across-")
    started = time.time()
    failed = False

    def say(ok, name, text):
        print("%s %s: %s" % ("ok  " if ok else "FAIL", name, text), flush=True)

    server = bt.Site(site)
    try:
        try:
            if linux:
                recordings.insert(0, record_linux_session(native, work))
            refs = []
            for i, rec in enumerate(recordings):
                png_dir = os.path.join(work, "ref%d" % i)
                url, line = reference(native, rec, png_dir)
                refs.append((rec, url, os.path.join(png_dir, "last.png")))
                say(True, "reference", line)
        except bt.Failed as e:
            say(False, "recordings", str(e))
            return 1
        engines = [("chromium", lambda: bt.Browser(work))]
        sys.path.insert(0, HERE)
        import webkit_test
        engines.append(("webkit", webkit_test.WebKit))
        for name, make in engines:
            try:
                b = make()
            except WebDriverException as e:
                failed = True
                say(False, name, "the browser did not start: %s" % str(e).strip().splitlines()[0])
                continue
            try:
                for rec, want, _ in refs:
                    with open(rec, "rb") as f:
                        data = f.read()
                    t = time.time()
                    state = watch_to_end(b, server.url, data, want)
                    say(True, name, "%s (%d bytes, a link of %d characters): End shows "
                        "cairnfall-replay's last frame at %.1f s, pixel for pixel (%.1f s)" % (
                            os.path.basename(rec), len(data), len(link_text(data)) + 7,
                            state["position"] / 1000, time.time() - t))
            except (bt.Failed, WebDriverException) as e:
                failed = True
                say(False, name, str(e).strip().splitlines()[0])
            finally:
                b.quit()
        try:
            say(True, "firefox", firefox(server.url, [(r[0], r[2]) for r in refs]))
        except (bt.Failed, subprocess.TimeoutExpired) as e:
            failed = True
            say(False, "firefox", str(e))
    finally:
        server.stop()
        shutil.rmtree(work, ignore_errors=True)
    print("%s in %.0f s" % ("FAILED" if failed else "all passed", time.time() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
