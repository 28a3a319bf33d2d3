// Shaded rounded shapes lit from the top-left: the game's stones, the pebbles of
// the cairns in the scenery and the intro title.
#pragma once

#include <cstdint>

#include "assetgen/palette.h"

struct BlobStyle {
    Ramp ramp = RAMP_GRANITE;
    float base = 0.55f;   // ramp position of the flat top
    float span = 0.6f;    // how far the lighting moves along the ramp
    float power = 3.0f;   // superellipse exponent: 2 an ellipse, higher squarer
    float bevel = 0.72f;  // where the rounded edge starts (0..1 of the radius)
    float grain = 0.08f;  // fine grain
    float mottle = 0.1f;  // larger blotches
    float wobble = 0.0f;  // irregularity of the outline
    uint32_t seed = 1;
    bool outline = true;  // dark outline round the shape
    bool glint = true;    // a few bright pixels on the lit edge
};

// Draws the shape centred on (cx, cy) with radii rx, ry (pixel units; a pixel's
// centre is at its coordinate + 0.5).
void shade_blob(float cx, float cy, float rx, float ry, const BlobStyle& style);
// True when the pixel (x, y) lies inside that shape.
bool blob_inside(float cx, float cy, float rx, float ry, const BlobStyle& style, int32_t x,
                 int32_t y);
