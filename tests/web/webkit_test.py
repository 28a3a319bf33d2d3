#!/usr/bin/python3
"""The page in WebKitGTK (the engine of Safari and of every iPhone browser),
through WebKitWebDriver: the intro and the first run, the options by keys, a
game by keys and clicks, the settings across a reload, and the page started
again with the server stopped (an iPhone's Home Screen app offline). Runs
under Xvfb (xvfb-run), as WebKitGTK needs a display. Sound is not required to
play.

webkit_test.py SITE_DIR
"""

import os
import sys
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.common.keys import Keys

import browser_test as bt

WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
MINI_BROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"


class WebKit(bt.Browser):
    def __init__(self):
        options = webdriver.WebKitGTKOptions()
        options.binary_location = MINI_BROWSER
        options.add_argument("--automation")
        self.profile = None
        self.d = webdriver.WebKitGTK(executable_path=WEBKIT_DRIVER, options=options)
        self.d.set_window_size(1024, 768)
        self.d.set_script_timeout(20)

    def quit(self):
        self.d.quit()


def check_game(b):
    b.keys(Keys.DOWN, Keys.RIGHT, Keys.RIGHT, Keys.DOWN, Keys.LEFT, Keys.LEFT, Keys.DOWN, Keys.LEFT)
    b.click(*bt.NEW_GAME_BUTTON)
    b.wait_screen("game")
    bt.play_moves(b)
    b.keys(" ")
    b.wait_screen("paused")
    return "4 arrow moves and 2 clicks moved the gap; Space paused; audio %s" % (
        b.js("return CF.audioState().context"))


def check_reload(b):
    b.d.refresh()
    b.first_picture()
    time.sleep(0.3)
    b.keys(Keys.ESCAPE)
    b.wait_screen("high scores")
    return bt.check_profile_kept(b) + ", and after a reload the intro leads to the high scores"


def main():
    if len(sys.argv) != 2:
        sys.stderr.write("usage: webkit_test.py SITE_DIR\n")
        return 2
    folder = os.path.abspath(sys.argv[1])
    started = time.time()
    site = bt.Site(folder)
    try:
        b = WebKit()
    except WebDriverException as e:
        print("FAIL start: %s could not start %s: %s" % (WEBKIT_DRIVER, MINI_BROWSER, str(e).strip()))
        site.stop()
        return 1
    failed = False
    try:
        for name, check, args in (("intro", bt.check_intro_and_first_run, (b, site)),
                                  ("game", check_game, (b,)),
                                  ("reload", check_reload, (b,)),
                                  ("offline", bt.check_offline, (b, site))):
            t = time.time()
            try:
                text = check(*args)
            except (bt.Failed, WebDriverException) as e:
                failed = True
                print("FAIL %s: %s" % (name, str(e).strip().splitlines()[0]), flush=True)
                break
            print("ok   %s: %s (%.1f s)" % (name, text, time.time() - t), flush=True)
    finally:
        b.quit()
        try:
            site.stop()  # the offline check stopped it already
        except OSError:
            pass
    print("%s in %.0f s" % ("FAILED" if failed else "all passed", time.time() - started))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
