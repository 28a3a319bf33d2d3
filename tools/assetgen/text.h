// Text for the artwork, drawn in the game's font through the graphics layer.
//
// A text is first printed into the scratch buffer and cut out as a mask of its
// ink; the mask is then placed on the picture with fills, outlines and shadows.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/palette.h"

struct TextMask {
    int32_t width = 0, height = 0;  // of the ink's bounding box (0 when no ink)
    // The ink box's top-left relative to the print position (the bottom-left of
    // the text line that gfx_print is given).
    int32_t left = 0, top = 0;
    int32_t advance = 0;        // gfx_text_width of the text
    std::vector<uint8_t> bits;  // width * height, 1 where there is ink, rows top first
    bool ink(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height && bits[y * width + x] != 0;
    }
};

TextMask text_mask(int32_t font, const char* text);

// How a text is drawn: a fill (one colour, or a ramp shaded from top to bottom),
// optional outline, drop shadow and a highlight one pixel up-left.
struct TextStyle {
    uint8_t colour = PAL_LABEL;
    bool ramp_fill = false;
    Ramp ramp = RAMP_GOLD;
    float ramp_top = 1.0f, ramp_bottom = 0.5f;
    int32_t outline = 0;  // outline thickness in pixels (0 none)
    uint8_t outline_colour = PAL_OUTLINE;
    int32_t shadow = 0;  // drop shadow offset right and down (0 none)
    uint8_t shadow_colour = PAL_OUTLINE;
    bool highlight = false;  // a one-pixel light edge up-left
    uint8_t highlight_colour = PAL_BRIGHT;
};

// A text filled with a ramp shaded from `top` to `bottom`, with an outline and a
// drop shadow: the look of every title and heading.
TextStyle ramp_style(Ramp ramp, float top, float bottom, int32_t outline, int32_t shadow);
// The gold style of the dialogs' headings.
TextStyle heading_style();

// Draws the mask with its ink box's top-left at (x, y).
void draw_text_mask(const TextMask& mask, int32_t x, int32_t y, const TextStyle& style);
// Draws text with its ink box centred on (cx, cy); returns the mask used.
TextMask draw_text_centred(int32_t font, const char* text, int32_t cx, int32_t cy,
                           const TextStyle& style);
// The largest cell height between min_cell and max_cell at which every text fits
// max_width pixels of ink.
int32_t fit_font_cell(const char* const* texts, int32_t count, int32_t max_width, int32_t min_cell,
                      int32_t max_cell);
