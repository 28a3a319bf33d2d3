// The drawing state and the rectangle primitives: filled rectangles, outlined
// boxes and the erase of the whole active buffer.
#include <cstring>

#include "gfx/gfx_internal.h"

int32_t gfx_move(int32_t x, int32_t y) {
    gfx.pos_x = x;
    gfx.pos_y = y;
    return 0;
}

int32_t gfx_set_color(int32_t index) {
    gfx.colour = static_cast<uint8_t>(index & 0xFF);
    return 0;
}

int32_t gfx_set_box_border(int32_t horizontal, int32_t vertical) {
    gfx.border_h = horizontal;
    gfx.border_v = vertical;
    return 0;
}

void gfx_fill_clipped(int64_t x1, int64_t x2, int64_t y1, int64_t y2) {
    if (gfx.active < 0) return;
    if (x1 > gfx.xmax || x2 < gfx.xmin || y1 > gfx.ymax || y2 < gfx.ymin) return;
    if (x1 < gfx.xmin) x1 = gfx.xmin;
    if (x2 > gfx.xmax) x2 = gfx.xmax;
    if (y1 < gfx.ymin) y1 = gfx.ymin;
    if (y2 > gfx.ymax) y2 = gfx.ymax;
    if (x1 > x2 || y1 > y2) return;
    size_t run = static_cast<size_t>(x2 - x1 + 1);
    // Screen row y2 is the lowest in memory; each row up is one stride further.
    uint8_t* row = gfx_pixel_address(static_cast<int32_t>(x1), static_cast<int32_t>(y2));
    for (int64_t y = y2; y >= y1; --y, row += gfx.stride) std::memset(row, gfx.colour, run);
}

// The game keeps its rectangles inside the buffer; one that strays is cut to the
// buffer rather than written past it (the clip window is the whole buffer).
int32_t gfx_rect(int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
    gfx_fill_clipped(x1, x2, y1, y2);
    return 0;
}

int32_t gfx_rect_clipped(int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
    gfx_fill_clipped(x1, x2, y1, y2);
    return 0;
}

// Four sides growing inward from the rectangle's edges, never outside it.
int32_t gfx_box(int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
    int64_t bx = gfx.border_h;
    int64_t by = gfx.border_v;
    int64_t top_end = int64_t{y1} + by - 1;
    int64_t bottom_start = int64_t{y2} - by + 1;
    int64_t left_end = int64_t{x1} + bx - 1;
    int64_t right_start = int64_t{x2} - bx + 1;
    gfx_fill_clipped(x1, x2, y1, top_end < y2 ? top_end : y2);
    gfx_fill_clipped(x1, x2, bottom_start > y1 ? bottom_start : y1, y2);
    gfx_fill_clipped(x1, left_end < x2 ? left_end : x2, y1, y2);
    gfx_fill_clipped(right_start > x1 ? right_start : x1, x2, y1, y2);
    return 0;
}

int32_t gfx_erase() {
    if (gfx.active < 0) return 0;
    std::memset(gfx.pixels, 0, static_cast<size_t>(gfx.byte_size));
    return 0;
}
