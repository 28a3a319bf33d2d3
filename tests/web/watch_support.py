"""What the tests of watching share: sessions recorded in seconds by the native
replay tool, their links, cairnfall-replay's last frame of them, recordings
spoiled on purpose, and a look at everything the page has stored."""

import base64
import os
import struct
import subprocess
import zlib

import browser_test as bt

HERE = os.path.dirname(os.path.abspath(__file__))

# The program's watch state while a recording is open, else null.
STATE_JS = "var s = window.CF && CF.watchState && CF.watchState(); return s && s.watching ? s : null;"
# The state once it rests on the last frame.
LAST_FRAME_JS = ("var s = CF.watchState();"
                 "return s && !s.playing && s.position >= s.duration ? s : null;")

# Every file the page keeps, store by store, as lists of bytes.
STORED_JS = """
var done = arguments[arguments.length - 1], out = {};
Promise.all(["saves", "recordings"].map(function (store) {
  return CF.storage.keys(store).then(function (keys) {
    return Promise.all(keys.map(function (k) {
      return CF.storage.get(store, k).then(function (v) { out[store + "/" + k] = v && Array.from(v); });
    }));
  });
})).then(function () { done(out); });
"""


def link_text(data):
    return base64.urlsafe_b64encode(data).decode().rstrip("=")


def record_session(native, folder, minutes, name="session.rec"):
    """A busy session of the native game on the headless clock (long_session.py),
    recorded by cairnfall-replay --record; its path."""
    game = os.path.join(folder, "game-" + name)
    os.makedirs(game, exist_ok=True)
    if not os.path.exists(os.path.join(game, "data")):
        os.symlink(os.path.join(native, "data"), os.path.join(game, "data"))
    script = os.path.join(folder, name + ".replay")
    with open(script, "w") as f:
        subprocess.run(["/usr/bin/python3", os.path.join(HERE, "long_session.py"), str(minutes)],
                       stdout=f, check=True)
    path = os.path.join(folder, name)
    run = subprocess.run([os.path.join(native, "cairnfall-replay"), script, "--dir", game,
                          "--record", path], capture_output=True, text=True, timeout=300)
    if run.returncode != 0 or not os.path.exists(path):
        raise bt.Failed("no session recorded: %s" % (run.stdout + run.stderr).strip())
    return path


def reference(native, path, out):
    """The last frame cairnfall-replay makes of a recording, as a data URL, and
    its summary line."""
    os.makedirs(out, exist_ok=True)
    run = subprocess.run([os.path.join(native, "cairnfall-replay"), "--recording", path,
                          "--out", out], capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        raise bt.Failed("cairnfall-replay refused %s: %s" % (path, (run.stdout + run.stderr).strip()))
    with open(os.path.join(out, "last.png"), "rb") as f:
        png = f.read()
    return "data:image/png;base64," + base64.b64encode(png).decode(), run.stdout.strip().splitlines()[-1]


def chunks(data):
    """The recording's chunks as (offset, payload); the file's first 12 bytes are
    its magic and format."""
    at, out = 12, []
    while at + 8 <= len(data):
        length = struct.unpack_from("<I", data, at)[0]
        out.append((at, data[at + 8:at + 8 + length]))
        at += 8 + length
    return out


def other_version(data, version="0.9.9"):
    """The recording with its header naming another version (its CRC made good)."""
    at, payload = chunks(data)[0]
    text = payload.decode("latin-1")
    old = text.split("\n", 1)[0]
    payload = (("Hgame cairnfall " + version) + text[len(old):]).encode("latin-1")
    return (data[:at] + struct.pack("<II", len(payload), zlib.crc32(payload)) + payload +
            data[at + 8 + len(chunks(data)[0][1]):])


def damaged(data):
    """A byte changed in the middle of the recording's record stream."""
    spoiled = bytearray(data)
    spoiled[len(data) * 2 // 3] ^= 0x5A
    return bytes(spoiled)


def cut(data):
    return data[:len(data) * 2 // 3]


def stored(b):
    return b.d.execute_async_script(STORED_JS)
