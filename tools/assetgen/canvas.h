// Pixel helpers for drawing the artwork into the graphics layer's active buffer.
//
// Every picture is drawn with its top-left pixel at (0, 0) of the 800x600 active
// buffer, in screen coordinates (y downward); the helpers translate to the
// buffer's bottom-up rows and ignore pixels outside the current picture.
#pragma once

#include <cstdint>

#include "assetgen/palette.h"

// Makes the drawing canvas active, limits drawing to a width x height picture at
// the top-left and fills it with one colour.
void canvas_begin(int32_t width, int32_t height, uint8_t fill);

void put_px(int32_t x, int32_t y, uint8_t colour);
uint8_t get_px(int32_t x, int32_t y);
bool in_canvas(int32_t x, int32_t y);
// Inclusive rectangle, clipped to the picture.
void fill_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);
// One-pixel outline of an inclusive rectangle.
void frame_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour);

// Deterministic noise: a hash of integer coordinates, smooth value noise and a
// sum of octaves, all in 0..1.
float hash_noise(int32_t x, int32_t y, uint32_t seed);
float value_noise(float x, float y, uint32_t seed);
float fractal_noise(float x, float y, int32_t octaves, uint32_t seed);

// A small linear congruential generator for scattering details.
struct Lcg {
    uint32_t state;
    uint32_t next();
    // 0 .. n - 1 (n >= 1)
    int32_t below(int32_t n);
    float unit();  // 0 .. 1
};

// A textured rock surface over a rectangle: ramp shade around `base` (0..1), with
// `grain` of fine noise and a little mottling.
void stone_texture(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Ramp ramp, float base,
                   float grain, uint32_t seed);
// A raised (or, with raised false, sunken) bevel `width` pixels wide along the
// inside of a rectangle: light top and left, dark bottom and right.
void bevel_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, Ramp ramp,
                int32_t light_level, int32_t dark_level, bool raised);
// A sunken well: dark textured inside, dark top/left inner edge, light
// bottom/right lip, and a one-pixel outline.
void draw_well(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed);
// A framed slate tablet for dialogs: outline, gold trim, raised bevel, textured face.
void draw_tablet(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed);
// Filled circle of radius r (pixel centres within r + 0.5 of (cx, cy)).
void fill_disc(float cx, float cy, float r, uint8_t colour);
// Ring between radii inner and outer.
void fill_ring(float cx, float cy, float inner, float outer, uint8_t colour);
// The same with smooth edges: pixels the ring's edge crosses are blended into
// the palette by how much of them it covers.
void soft_ring(float cx, float cy, float inner, float outer, uint8_t colour);
// Straight line of a given thickness between two points.
void draw_line(float x1, float y1, float x2, float y2, float thickness, uint8_t colour);
