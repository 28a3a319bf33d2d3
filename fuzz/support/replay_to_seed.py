#!/usr/bin/env python3
"""Turns replay scripts into seed inputs of the whole-game fuzzer.

    replay_to_seed.py OUT_DIR SCRIPT_OR_TEST...

A `.replay` file gives one seed; a C++ test file of replay scripts
(tests/replay/replay_test.cpp) gives one seed per test, made of the raw-string
scripts the test runs in order. Input, clock and turn commands become events of
fuzz/support/game_events.cpp (keep the two in step); checks, `set`, `row` and
pictures have no event and are left out.
"""
import hashlib
import math
import os
import re
import sys

# game_events.cpp's key table.
KEYS = [8, 13, 27, 27, 27, 27, 32, 37, 38, 39, 40] + list(range(48, 58)) + list(range(65, 91)) + [0, 112, 200]
NAMED_KEYS = {"esc": 27, "enter": 13, "space": 32, "backspace": 8,
              "left": 37, "up": 38, "right": 39, "down": 40}
BUTTON_Y = [317, 359, 401, 443, 485, 527]

OP_CLICK_CELL, OP_CLICK, OP_BUTTON, OP_MOVE, OP_KEY = 5, 6, 9, 11, 13
OP_STEP, OP_BIG_STEP, OP_TURNS, OP_WAIT = 19, 22, 23, 25


def nearest(value, decode):
    return min(range(256), key=lambda b: abs(decode(b) - value))


def coord_x(x):
    return nearest(x, lambda b: b * 840 // 256 - 20)


def coord_y(y):
    return nearest(y, lambda b: b * 640 // 256 - 20)


def key_byte(word):
    if word == "f12":
        return 255
    if word in NAMED_KEYS:
        code = NAMED_KEYS[word]
    elif len(word) == 1 and word.isalnum():
        code = ord(word.upper())
    else:
        code = int(word, 0)
    return KEYS.index(code) if code in KEYS else KEYS.index(0)


def events(script):
    out = bytearray([0])  # the intro, no saved profile, an empty table
    for line in script.splitlines():
        words = line.split("#")[0].split()
        if not words:
            continue
        cmd, args = words[0], words[1:]
        if cmd == "click" and len(args) == 2:
            x, y = int(args[0], 0), int(args[1], 0)
            if 10 < x < 190 and y in BUTTON_Y:
                out += bytes([OP_BUTTON, BUTTON_Y.index(y)])
            else:
                out += bytes([OP_CLICK, coord_x(x), coord_y(y)])
        elif cmd == "move" and len(args) == 2:
            out += bytes([OP_MOVE, coord_x(int(args[0], 0)), coord_y(int(args[1], 0))])
        elif cmd in ("clickcell", "movecell") and len(args) == 2:
            out += bytes([OP_CLICK_CELL, int(args[0], 0), int(args[1], 0)])
        elif cmd == "key" and len(args) == 1:
            out += bytes([OP_KEY, key_byte(args[0])])
        elif cmd in ("wait", "advance") and len(args) == 1:
            # A wait is a clock step and a few turns: the driver draws few frames.
            ms = int(args[0], 0)
            while ms >= 400:
                step = min(255, ms // 400)
                out += bytes([OP_BIG_STEP, step])
                ms -= step * 400
            if ms > 0:
                out += bytes([OP_STEP, min(255, math.ceil(ms / 4))])
            if cmd == "wait":
                out += bytes([OP_WAIT, 12])
        elif cmd == "turn":
            left = int(args[0], 0) if args else 1
            while left > 0:
                step = min(4, left)
                out += bytes([OP_TURNS, step - 1])
                left -= step
    return bytes(out)


def test_scripts(source):
    """One script per TEST_F: the named scripts and raw strings it runs, in order."""
    named = dict(re.findall(r'const std::string (\w+) = R"\((.*?)\)";', source, re.S))
    scripts = []
    for body in source.split("TEST_F(")[1:]:
        parts = re.findall(r'R"\((.*?)\)"|\b(' + "|".join(named) + r')\b', body, re.S)
        text = "".join(raw if raw else named[name] for raw, name in parts)
        if text.strip():
            scripts.append(text)
    return scripts


def main():
    out_dir, inputs = sys.argv[1], sys.argv[2:]
    os.makedirs(out_dir, exist_ok=True)
    for path in inputs:
        with open(path) as f:
            source = f.read()
        scripts = test_scripts(source) if path.endswith(".cpp") else [source]
        for script in scripts:
            data = events(script)
            name = "replay_" + hashlib.sha1(data).hexdigest()[:16]
            with open(os.path.join(out_dir, name), "wb") as f:
                f.write(data)
            print(f"{path}: {name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
