#include "assetgen/palette.h"

#include <cmath>

#include "gfx/gfx.h"

uint8_t art_palette[256][3];

namespace {

struct Rgb {
    float r, g, b;
};

// A ramp as anchor colours spread evenly from its dark end to its light end.
struct RampDef {
    int32_t size;
    int32_t anchor_count;
    uint32_t anchors[8];  // 0xRRGGBB
};

const RampDef kRamps[RAMP_STONE0] = {
    // slate
    {18, 8, {0x0A0E16, 0x161D2A, 0x243043, 0x34435A, 0x4B5C75, 0x6A7C94, 0x97A6B8, 0xDCE3EA}},
    // granite
    {14, 7, {0x15110E, 0x2C241E, 0x473C33, 0x685B4E, 0x8D7F6F, 0xB4A895, 0xDDD4C3}},
    // moss
    {12, 7, {0x0C170B, 0x1B2E16, 0x2E4823, 0x456431, 0x5F8040, 0x86A657, 0xBCD48A}},
    // gold
    {14, 7, {0x2A1805, 0x57360A, 0x8A5A10, 0xBD8619, 0xE3B02B, 0xF7D564, 0xFFF0B4}},
    // sky
    {20, 8, {0x0E1330, 0x1D1F48, 0x31275B, 0x4B2F68, 0x6E3A70, 0x9A4C70, 0xCE6E64, 0xF6B87A}},
    // ember
    {8, 6, {0x240606, 0x531010, 0x871C15, 0xBC3520, 0xE7672F, 0xFFB062}},
    // dusk
    {10, 6, {0x1A1730, 0x2A2442, 0x3D3455, 0x54476A, 0x70607F, 0x948399}},
    // parchment
    {8, 6, {0x33241A, 0x614A33, 0x9A7E5D, 0xC8AF86, 0xE8D8B2, 0xFAF3DE}},
};

// The base colour of each stone kind: told apart by hue and lightness.
const uint32_t kStoneColours[31] = {
    0x3F72CC,  // 0 sapphire
    0xC0602A,  // 1 terracotta
    0x4C9A36,  // 2 moss green
    0xE9B526,  // 3 the golden wildcard
    0x8C4EC4,  // 4 violet
    0xCC2E3A,  // 5 crimson
    0xE6DEC6,  // 6 ivory
    0x40424C,  // 7 charcoal
    0x23A19B,  // 8 teal
    0xE47CB2,  // 9 pink
    0xD8E040,  // 10 lemon
    0x7C5030,  // 11 brown
    0x6CBCEC,  // 12 sky blue
    0x8C8C2C,  // 13 olive
    0xF28A1E,  // 14 orange
    0x2A3670,  // 15 navy
    0x9FD236,  // 16 lime
    0x7C1C34,  // 17 maroon
    0x94DEB4,  // 18 mint
    0xB7A2E6,  // 19 lavender
    0xD6B47A,  // 20 sand
    0x2ACCD0,  // 21 turquoise
    0xF2927C,  // 22 salmon
    0x808C9C,  // 23 steel grey
    0x216238,  // 24 forest green
    0x6E3266,  // 25 plum
    0x4878A4,  // 26 steel blue
    0xA09060,  // 27 khaki
    0x5CAA7A,  // 28 jade
    0xC8587A,  // 29 rose
    0xF2F4F6,  // 30 snow
};

int32_t g_start[RAMP_COUNT];
int32_t g_size[RAMP_COUNT];
uint8_t g_entries[256];  // ramp entries in allocation order
bool g_built = false;

Rgb rgb_of(uint32_t c) {
    return {float((c >> 16) & 255), float((c >> 8) & 255), float(c & 255)};
}

Rgb mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scale(Rgb a, float s) {
    return {a.r * s, a.g * s, a.b * s};
}

uint8_t clamp_byte(float v) {
    float r = std::floor(v + 0.5f);
    if (r < 0) return 0;
    if (r > 255) return 255;
    return static_cast<uint8_t>(r);
}

bool is_fixed_entry(int32_t i) {
    return i == PAL_LABEL || i == PAL_BRIGHT || i == PAL_FRAME || i == PAL_OUTLINE || i == PAL_KEY;
}

void set_entry(int32_t i, Rgb c) {
    art_palette[i][0] = clamp_byte(c.r);
    art_palette[i][1] = clamp_byte(c.g);
    art_palette[i][2] = clamp_byte(c.b);
}

Rgb ramp_colour(const RampDef& def, int32_t level) {
    float pos =
        def.size > 1 ? float(level) * float(def.anchor_count - 1) / float(def.size - 1) : 0.0f;
    int32_t a = static_cast<int32_t>(pos);
    if (a >= def.anchor_count - 1) return rgb_of(def.anchors[def.anchor_count - 1]);
    return mix(rgb_of(def.anchors[a]), rgb_of(def.anchors[a + 1]), pos - float(a));
}

// Four shades of a stone colour: deep shadow, shade, base, lit.
Rgb stone_shade(uint32_t base_colour, int32_t level) {
    Rgb base = rgb_of(base_colour);
    Rgb night = {16, 14, 34};
    Rgb white = {255, 252, 240};
    switch (level) {
        case 0:
            return mix(scale(base, 0.42f), night, 0.30f);
        case 1:
            return mix(scale(base, 0.70f), night, 0.10f);
        case 2:
            return base;
        default:
            return mix(base, white, 0.45f);
    }
}

}  // namespace

void build_art_palette() {
    for (int32_t i = 0; i < 256; ++i) {
        for (int32_t k = 0; k < 3; ++k) art_palette[i][k] = default_colors[i][k];
    }
    set_entry(PAL_LABEL, rgb_of(0xF4E2AE));    // warm parchment
    set_entry(PAL_BRIGHT, rgb_of(0xFFFBEC));   // near white
    set_entry(PAL_FRAME, rgb_of(0xFFD23A));    // bright gold
    set_entry(PAL_OUTLINE, rgb_of(0x120E18));  // the dark outline
    set_entry(PAL_KEY, rgb_of(0xFF00FF));      // never shows

    int32_t next = 10;
    auto take = [&next]() {
        while (is_fixed_entry(next)) ++next;
        return next++;
    };
    int32_t used = 0;
    for (int32_t r = 0; r < RAMP_COUNT; ++r) {
        g_start[r] = used;
        if (r < RAMP_STONE0) {
            const RampDef& def = kRamps[r];
            g_size[r] = def.size;
            for (int32_t level = 0; level < def.size; ++level) {
                int32_t index = take();
                set_entry(index, ramp_colour(def, level));
                g_entries[used++] = static_cast<uint8_t>(index);
            }
        } else {
            g_size[r] = STONE_RAMP_SIZE;
            for (int32_t level = 0; level < STONE_RAMP_SIZE; ++level) {
                int32_t index = take();
                set_entry(index, stone_shade(kStoneColours[r - RAMP_STONE0], level));
                g_entries[used++] = static_cast<uint8_t>(index);
            }
        }
    }
    // Entries left over up to 245 repeat the darkest slate (never drawn).
    while (next <= 245) {
        int32_t index = take();
        if (index > 245) break;
        for (int32_t k = 0; k < 3; ++k) art_palette[index][k] = art_palette[g_entries[0]][k];
    }
    g_built = true;
}

int32_t ramp_size(Ramp ramp) {
    if (!g_built) build_art_palette();
    return g_size[ramp];
}

uint8_t ramp_entry(Ramp ramp, int32_t level) {
    if (!g_built) build_art_palette();
    if (level < 0) level = 0;
    if (level >= g_size[ramp]) level = g_size[ramp] - 1;
    return g_entries[g_start[ramp] + level];
}

float dither_threshold(int32_t x, int32_t y) {
    static const int32_t bayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (float(bayer[y & 3][x & 3]) + 0.5f) / 16.0f;
}

uint8_t ramp_shade(Ramp ramp, float t, int32_t x, int32_t y) {
    int32_t n = ramp_size(ramp);
    if (!(t > 0.0f)) t = 0.0f;
    if (t > 1.0f) t = 1.0f;
    float pos = t * float(n - 1);
    int32_t low = static_cast<int32_t>(pos);
    float frac = pos - float(low);
    if (frac > dither_threshold(x, y)) ++low;
    return ramp_entry(ramp, low);
}

namespace {

constexpr int32_t kBlendSteps = 16;

// The entry of ours nearest to a colour, by a distance weighted as the eye weighs
// red, green and blue.
uint8_t nearest_entry(Rgb c) {
    uint8_t best = g_entries[0];
    float best_distance = 1e30f;
    for (int32_t i = 10; i <= 245; ++i) {
        if (i == PAL_KEY) continue;
        float dr = float(art_palette[i][0]) - c.r, dg = float(art_palette[i][1]) - c.g,
              db = float(art_palette[i][2]) - c.b;
        float distance = 3.0f * dr * dr + 4.0f * dg * dg + 2.0f * db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best = static_cast<uint8_t>(i);
        }
    }
    return best;
}

}  // namespace

uint8_t blend_entry(uint8_t under, uint8_t over, int32_t alpha) {
    if (!g_built) build_art_palette();
    int32_t step = (alpha * kBlendSteps + 127) / 255;
    if (step <= 0) return under;
    if (step >= kBlendSteps || under == over) return over;
    // Blends asked for once are kept: texts ask for the same few pairs many times.
    static uint8_t known[256][256][kBlendSteps];
    uint8_t& entry = known[under][over][step];
    if (entry == 0) {
        Rgb a = {float(art_palette[under][0]), float(art_palette[under][1]),
                 float(art_palette[under][2])};
        Rgb b = {float(art_palette[over][0]), float(art_palette[over][1]),
                 float(art_palette[over][2])};
        entry = nearest_entry(mix(a, b, float(step) / float(kBlendSteps)));
    }
    return entry;
}

uint32_t palette_argb(uint8_t index) {
    if (!g_built) build_art_palette();
    return 0xFF000000u | (uint32_t(art_palette[index][0]) << 16) |
           (uint32_t(art_palette[index][1]) << 8) | uint32_t(art_palette[index][2]);
}
