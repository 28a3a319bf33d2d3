// Text for the artwork, in the game's font family.
//
// A text is rendered into a mask of its ink's coverage, anti-aliased: drawn four
// times larger and averaged down. The mask is then placed on the picture with
// fills, outlines and shadows, its edges blended into the palette.
#pragma once

#include <cstdint>
#include <vector>

#include "assetgen/palette.h"

struct TextMask {
    int32_t width = 0, height = 0;  // of the ink's bounding box (0 when no ink)
    // The ink box's top-left relative to the print position: the text's start on
    // the bottom of its line (as gfx_print is given it).
    int32_t left = 0, top = 0;
    int32_t advance = 0;            // how far the text moves the pen
    std::vector<uint8_t> coverage;  // width * height, 0..255 ink, rows top first
    uint8_t cover(int32_t x, int32_t y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? coverage[y * width + x] : 0;
    }
    bool ink(int32_t x, int32_t y) const { return cover(x, y) >= 128; }
};

// The faces of the pictures' texts: the game's heavy italic for titles, labels
// and short captions, and an upright one for running text.
enum Face : int32_t { FACE_TITLE, FACE_BODY };
struct Type {
    int32_t cell;  // cell height in pixels, as art_font takes it
    Face face;
};
constexpr Type title_type(int32_t cell) {
    return {cell, FACE_TITLE};
}
constexpr Type body_type(int32_t cell) {
    return {cell, FACE_BODY};
}

// The anti-aliased ink of a text. In running text the words are set a quarter of
// a space further apart than the face's own space, so that they read as words at
// small sizes.
TextMask text_mask(Type type, const char* text);
// The ink exactly as the game's gfx_print draws it with `font` (coverage 0 or
// 255): for art that must fit around the game's own run-time texts.
TextMask print_mask(int32_t font, const char* text);

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

// Draws the mask with its ink box's top-left at (x, y). Partly covered pixels
// take the palette entry nearest to the blend of the text over what lies below.
void draw_text_mask(const TextMask& mask, int32_t x, int32_t y, const TextStyle& style);
// Draws text with its ink box centred on (cx, cy); returns the mask used.
TextMask draw_text_centred(Type type, const char* text, int32_t cx, int32_t cy,
                           const TextStyle& style);
// The largest cell height between min_cell and max_cell at which every text fits
// max_width pixels of ink.
int32_t fit_font_cell(const char* const* texts, int32_t count, int32_t max_width, int32_t min_cell,
                      int32_t max_cell, Face face = FACE_TITLE);
