// Scenery shared by several pictures: the dawn mountain landscape, dry-stone
// walls and little cairns.
#pragma once

#include <cstdint>

// The dawn landscape (sky, far peaks, slate ridges, moss) over the rectangle
// x1..x2, y1..y2 of the canvas, in the 800x600 screen's coordinates.
void draw_landscape(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
// A dry-stone wall of irregular slate blocks with dark joints.
void draw_stone_wall(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed, float base);
// A cairn of `count` pebbles whose bottom pebble rests with its base at (cx, base_y),
// `size` the bottom pebble's half-width.
void draw_cairn(float cx, float base_y, float size, int32_t count, uint32_t seed);
