#!/usr/bin/python3
"""Writes a replay script of a busy session of MINUTES minutes (seeded, so the
same every time): new games, arrow moves, clicks on the board and the menu, and
whatever screens they lead to. `cairnfall-replay SCRIPT --record FILE` plays it
on the headless clock in seconds and records it as the game records a session.

long_session.py MINUTES > session.replay
"""

import random
import sys


def main():
    minutes = float(sys.argv[1]) if len(sys.argv) > 1 else 10
    r = random.Random(29)
    lines = ["clock 1700000000", "start", "wait 500", "key esc", "wait 300", "click 100 317"]
    ms = 800
    while ms < minutes * 60000:
        step = r.choice((120, 250, 400, 700))
        lines.append("wait %d" % step)
        ms += step
        roll = r.random()
        if roll < 0.55:
            lines.append("key " + r.choice(("left", "right", "up", "down")))
        elif roll < 0.85:
            lines.append("clickcell %d %d" % (r.randrange(7), r.randrange(5)))
            lines.append("move %d %d" % (r.randrange(800), r.randrange(600)))
        elif roll < 0.97:
            lines.append("key enter")
        else:
            lines.append("key 1")
    lines.append("wait 1000")
    lines.append("key f12")
    lines.append("wait 500")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
