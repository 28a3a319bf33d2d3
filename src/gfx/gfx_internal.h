// State and helpers the graphics layer's files share with one another; not for
// callers outside the layer (tests may look).
#pragma once

#include <cstdint>

#include "gfx/gfx.h"

// The palette in the form presentation converts through: 0xAARRGGBB per index.
extern uint32_t gfx_argb_table[256];
// True when a palette entry changed since the last gfx_present: the next one then
// converts the whole window picture again.
extern bool gfx_palette_changed;

// The device contexts as the game handed them over (plain numbers here).
struct GfxContexts {
    int32_t window_dc;  // set by gfx_set_window_dc
    int32_t memory_dc;  // GFX_MEMORY_DC after gfx_init, 0 after gfx_shutdown
    int32_t palette;    // current_palette, last passed to gfx_select_palette
};
extern GfxContexts gfx_contexts;

// Address of pixel (x, y) of the active buffer; the caller has checked the bounds.
inline uint8_t* gfx_pixel_address(int32_t x, int32_t y) {
    return gfx.pixels + static_cast<int64_t>(gfx.height - 1 - y) * gfx.stride + x;
}

// Fills x1..x2 by y1..y2 of the active buffer with the current colour after cutting
// the rectangle to the clip window; an empty or inverted rectangle draws nothing.
void gfx_fill_clipped(int64_t x1, int64_t x2, int64_t y1, int64_t y2);

// Waits until the platform clock has moved on by ms milliseconds, sleeping; wraps
// of the 32-bit clock are harmless. Handles no events.
void gfx_wait_ms(uint32_t ms);

// The built-in fixed font (OEM_FIXED_FONT).
constexpr int32_t FIXED_FONT_CELL_WIDTH = 8;
constexpr int32_t FIXED_FONT_CELL_HEIGHT = 12;
constexpr int32_t FIXED_FONT_EXTERNAL_LEADING = 2;
// Draws length characters with the top-left of the first cell at (x, y) into the
// active buffer; every set glyph pixel takes `colour`, cut at the buffer's edges.
void fixed_font_draw(const char* text, int32_t length, int64_t x, int64_t y, uint8_t colour);
// The glyph rows of a character: FIXED_FONT_CELL_HEIGHT bytes, bit 7 leftmost.
// Characters outside 32..126 show as a box.
const uint8_t* fixed_font_glyph(unsigned char c);

// Cursor planes of at most this many bytes each (a 256 x 256 system cursor).
constexpr int32_t GFX_CURSOR_PLANE_BYTES = 256 / 8 * 256;
// Builds the AND and XOR planes of a width x height cursor ((width / 8) * height
// bytes each) from a pattern of the given side: all transparent, with the pattern
// in the top-left corner. False when the pattern does not fit or the planes would
// exceed GFX_CURSOR_PLANE_BYTES.
bool gfx_build_cursor_planes(const uint32_t* pattern, int32_t side, int32_t width, int32_t height,
                             uint8_t* and_out, uint8_t* xor_out);
