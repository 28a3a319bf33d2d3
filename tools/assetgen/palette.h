// The one 256-colour palette every picture of the game is stored with.
//
// Entries 0..9 and 246..255 are the fixed system colours of the graphics layer;
// 10..245 are ours: a few entries the game's code draws with, and shading ramps
// (dark to light) that the artwork picks from.
#pragma once

#include <cstdint>

// Entries the game's code draws with, or that the colour-key rule fixes.
constexpr uint8_t PAL_BLACK = 0;     // transparent when drawn; shadows of texts
constexpr uint8_t PAL_DARK_RED = 1;  // the time bar's fill
constexpr uint8_t PAL_SILVER = 7;    // game texts
constexpr uint8_t PAL_LABEL = 10;    // face of embossed labels
constexpr uint8_t PAL_BRIGHT = 13;   // highlight of embossed labels
constexpr uint8_t PAL_FRAME = 15;    // gap frame, time bar frame and marker
constexpr uint8_t PAL_OUTLINE = 68;  // what index 0 of a keyed picture shows as
constexpr uint8_t PAL_KEY = 195;     // see-through pixels of keyed pictures
constexpr uint8_t PAL_WHITE = 255;   // the row-push flash

// Shading ramps, each a run of entries from dark to light.
enum Ramp : int32_t {
    RAMP_SLATE,    // blue-grey slate: panels, strips, buttons
    RAMP_GRANITE,  // warm grey-brown granite
    RAMP_MOSS,     // moss and grass greens
    RAMP_GOLD,     // gold and amber highlights
    RAMP_SKY,      // the dawn sky, night blue down to pale gold
    RAMP_EMBER,    // reds and embers
    RAMP_DUSK,     // far mountains: violet greys
    RAMP_PARCH,    // parchment and sand
    RAMP_STONE0,   // first of the 31 stone colours, RAMP_STONE0 + k for kind k
    RAMP_COUNT = RAMP_STONE0 + 31,
};

constexpr int32_t STONE_RAMP_SIZE = 4;

// Red, green, blue of all 256 entries.
extern uint8_t art_palette[256][3];

// Fills art_palette (the fixed entries from the graphics layer's default colours).
void build_art_palette();
// Number of entries of a ramp, and its entry `level` (clamped to the ramp).
int32_t ramp_size(Ramp ramp);
uint8_t ramp_entry(Ramp ramp, int32_t level);
// Entry of the ramp at t in 0..1, mixing neighbouring entries with an ordered
// dither so that gradients look smooth.
uint8_t ramp_shade(Ramp ramp, float t, int32_t x, int32_t y);
// The entry of ours (10..245, never the key) nearest to `over` laid over `under`
// with coverage alpha 0..255, in steps of 1/16: the edge pixels of smooth shapes.
uint8_t blend_entry(uint8_t under, uint8_t over, int32_t alpha);
// Ordered-dither threshold in 0..1 for a pixel (4x4 Bayer matrix).
float dither_threshold(int32_t x, int32_t y);
// The palette as ARGB8888 (for previews).
uint32_t palette_argb(uint8_t index);
