"""The sizes a player's finger meets on a phone or a tablet, measured in the page
as Chromium's mobile emulation shows it: how much of the screen's height the
game's parts cover, a stone's size, and for each target of the menu bar and the
dialogs the radius around its drawn centre within which every tap lands on it,
by the game's tap rule (phone_test.py and scripts/measure-web print them)."""

import math

# (name, CSS width, CSS height, orientation, angle)
SCREENS = [
    ("phone 390x844", 390, 844, "portraitPrimary", 0),
    ("phone 360x740", 360, 740, "portraitPrimary", 0),
    ("phone 430x932", 430, 932, "portraitPrimary", 0),
    ("phone 844x390", 844, 390, "landscapePrimary", 90),
    ("tablet 768x1024", 768, 1024, "portraitPrimary", 0),
    ("tablet 1024x768", 1024, 768, "landscapePrimary", 90),
]


def metrics(width, height, orientation, angle):
    return {"width": width, "height": height, "deviceScaleFactor": 3, "mobile": True,
            "screenOrientation": {"type": orientation, "angle": angle}}


# The game's tap targets (strict areas x1, x2, y1, y2) of three screens; the board
# is a field.
MENU = [(10, 190, 296 + 42 * i, 338 + 42 * i) for i in range(5)]
GAME = MENU + [(10, 190, 506, 548), (27, 62, 10, 54), (374, 625, 223, 575)]
QUIT = [(359, 434, 196, 236), (545, 620, 196, 236)]
MEASURED = [("new game", GAME, 0), ("instructions", GAME, 1), ("options", GAME, 2),
            ("high scores", GAME, 3), ("quit", GAME, 4), ("pause/resume", GAME, 5),
            ("quit dialog's quit", QUIT, 0), ("quit dialog's back", QUIT, 1)]
CELL = 50  # a stone's side in the picture

# The game's parts on the page in CSS pixels, each {s: [x, y, w, h] in the
# picture, d: [x, y, w, h] on the page}; the page's own controls' rectangle.
PARTS_JS = """
var box = document.getElementById("screen").getBoundingClientRect();
var parts;
if (CF.parts) {
  parts = CF.parts();
} else {
  var s = Math.min(box.width / 800, box.height / 600);
  parts = [{s: [0, 0, 800, 600], d: [box.left + (box.width - 800 * s) / 2,
                                     box.top + (box.height - 600 * s) / 2, 800 * s, 600 * s]}];
}
var bar = document.getElementById("bar").getBoundingClientRect();
return {parts: parts, bar: [bar.left, bar.top, bar.width, bar.height],
        view: [innerWidth, innerHeight],
        notice: document.getElementById("notice").hidden ? "" :
          document.getElementById("notice").textContent};
"""

# Page points as the picture points and reaches (picture pixels) a tap there gives.
TAPS_JS = """
return arguments[0].map(function (p) {
  if (CF.tapPoint) return CF.tapPoint(p[0], p[1]);
  var q = CF.picturePoint(p[0], p[1]);
  return [q[0], q[1], Math.max(1, Math.round(CF.touchReach / Math.max(0.05, CF.pictureScale())))];
});
"""


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


def part_of(parts, x, y):
    for p in parts:
        sx, sy, sw, sh = p["s"]
        if sx <= x < sx + sw and sy <= y < sy + sh:
            return p
    return None


def to_page(part, x, y):
    sx, sy, sw, sh = part["s"]
    dx, dy, dw, dh = part["d"]
    return dx + (x - sx) * dw / sw, dy + (y - sy) * dh / sh


def measure(b):
    """The figures at the browser's present screen: a dict of them and a line."""
    page = b.js(PARTS_JS)
    parts, view = page["parts"], page["view"]
    # The vertical extent the parts cover together.
    spans = sorted((p["d"][1], p["d"][1] + p["d"][3]) for p in parts)
    covered, top, bottom = 0.0, None, None
    for a, z in spans:
        if bottom is None or a > bottom:
            if bottom is not None:
                covered += bottom - top
            top, bottom = a, z
        else:
            bottom = max(bottom, z)
    covered += bottom - top
    left = min(p["d"][0] for p in parts)
    right = max(p["d"][0] + p["d"][2] for p in parts)
    field = part_of(parts, 500, 300)
    stone = CELL * field["d"][2] / field["s"][2]
    out = {"coverage": covered / view[1], "width": (right - left) / view[0], "stone": stone,
           "targets": {}}
    for name, targets, i in MEASURED:
        x1, x2, y1, y2 = targets[i]
        cx, cy = (x1 + x2) / 2, (y1 + y2) / 2
        part = part_of(parts, cx, cy)
        px, py = to_page(part, cx, cy)
        scale = part["d"][2] / part["s"][2]
        size = ((x2 - x1) * scale, (y2 - y1) * scale)
        # Every tap on rings of 16 points around the centre, 1 to 40 CSS px out:
        # the radius up to which all land on the target.
        rings = list(range(1, 41))
        probes = [(px + r * math.cos(a * math.pi / 8), py + r * math.sin(a * math.pi / 8))
                  for r in rings for a in range(16)]
        got = b.js(TAPS_JS, probes)
        radius = 0
        for k, r in enumerate(rings):
            if all(lands(targets, q[0], q[1], q[2]) == i for q in got[16 * k:16 * k + 16]):
                radius = r
            else:
                break
        out["targets"][name] = (size, radius)
    bar = page["bar"]
    field_d = field["d"]
    over = not (bar[0] >= field_d[0] + field_d[2] or bar[0] + bar[2] <= field_d[0] or
                bar[1] >= field_d[1] + field_d[3] or bar[1] + bar[3] <= field_d[1])
    out["bar_over_field"] = over
    out["notice"] = page["notice"]
    least = min(r for _, r in out["targets"].values())
    line = ("parts cover %.1f %% of the height, %.1f %% of the width; a stone %.1f CSS px; every target takes taps "
            "within %d CSS px of its centre at least (%s); the page's controls %s the play "
            "field%s" % (
                100 * out["coverage"], 100 * out["width"], stone, least,
                ", ".join("%s %.0fx%.0f r%d" % (n, s[0], s[1], r)
                          for n, (s, r) in out["targets"].items()),
                "over" if over else "clear of",
                "; the page says %r" % page["notice"] if page["notice"] else ""))
    return out, line
