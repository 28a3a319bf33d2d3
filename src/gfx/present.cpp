// Presentation: a region of the active buffer is copied into the window's own
// picture (800x600 indices, rows top first), the rows that changed are converted
// through the palette, and the platform shows the result.
#include <cstring>

#include "gfx/gfx_internal.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kWindowWidth = 800;
constexpr int32_t kWindowHeight = 600;

uint8_t window_indices[kWindowWidth * kWindowHeight];
uint32_t window_argb[kWindowWidth * kWindowHeight];
bool presents_held = false;

int64_t max64(int64_t a, int64_t b) {
    return a > b ? a : b;
}
int64_t min64(int64_t a, int64_t b) {
    return a < b ? a : b;
}

// Copies the visible part of the region into window_indices and converts what
// changed. Returns whether any index changed.
bool copy_region(int64_t x1, int64_t x2, int64_t y1, int64_t y2, int64_t xd, int64_t yd) {
    // Window column of buffer column x: xd + (x - x1); window row of buffer row y:
    // yd - (y2 - y). Cut the source to the buffer, then to what lands in the window.
    int64_t sx1 = max64(max64(x1, 0), x1 - xd);
    int64_t sx2 = min64(min64(x2, gfx.width - 1), x1 - xd + kWindowWidth - 1);
    int64_t sy1 = max64(max64(y1, 0), y2 - yd);
    int64_t sy2 = min64(min64(y2, gfx.height - 1), y2 - yd + kWindowHeight - 1);
    if (sx1 > sx2 || sy1 > sy2) return false;

    size_t run = static_cast<size_t>(sx2 - sx1 + 1);
    int64_t wx = xd + (sx1 - x1);
    bool changed = false;
    for (int64_t y = sy1; y <= sy2; ++y) {
        int64_t wy = yd - (y2 - y);
        const uint8_t* src = gfx_pixel_address(static_cast<int32_t>(sx1), static_cast<int32_t>(y));
        size_t at = static_cast<size_t>(wy * kWindowWidth + wx);
        if (std::memcmp(window_indices + at, src, run) == 0) continue;
        std::memcpy(window_indices + at, src, run);
        changed = true;
        if (!gfx_palette_changed) {
            gfx_convert_row(window_indices + at, window_argb + at, static_cast<int32_t>(run));
        }
    }
    return changed;
}

}  // namespace

int32_t gfx_present(int32_t x1, int32_t x2, int32_t y1, int32_t y2, int32_t xd, int32_t yd) {
    if (gfx.active < 0) return 0;
    bool changed = copy_region(x1, x2, y1, y2, xd, yd);
    if (gfx_palette_changed) {
        gfx_convert_row(window_indices, window_argb, kWindowWidth * kWindowHeight);
        gfx_palette_changed = false;
        changed = true;
    }
    if (!presents_held) platform_present(window_argb, changed);
    return 0;
}

void gfx_hold_presents(bool hold) {
    presents_held = hold;
}

void gfx_show_window() {
    gfx_convert_row(window_indices, window_argb, kWindowWidth * kWindowHeight);
    platform_present(window_argb, true);
}

void gfx_state_regions(void (*keep)(void* address, size_t size, void* context), void* context) {
    keep(&gfx, sizeof gfx, context);
    keep(&gfx_contexts, sizeof gfx_contexts, context);
    keep(&line_height, sizeof line_height, context);
    keep(&gfx_cursor, sizeof gfx_cursor, context);
    keep(palette_entries, sizeof palette_entries, context);
    keep(color_table, sizeof color_table, context);
    keep(gfx_argb_table, sizeof gfx_argb_table, context);
    keep(&gfx_palette_changed, sizeof gfx_palette_changed, context);
    keep(gfx_buffers, sizeof gfx_buffers, context);
    keep(window_indices, sizeof window_indices, context);
}

const uint8_t* gfx_window_indices() {
    return window_indices;
}
uint8_t* gfx_window_picture() {
    return window_indices;
}
const uint32_t* gfx_window_argb() {
    return window_argb;
}

// Four indices per step, looked up in the ARGB table; the table is small enough to
// stay in the first-level cache.
void gfx_convert_row(const uint8_t* indices, uint32_t* argb, int32_t count) {
    const uint32_t* table = gfx_argb_table;
    int32_t i = 0;
    for (; i + 4 <= count; i += 4) {
        uint32_t a = table[indices[i]];
        uint32_t b = table[indices[i + 1]];
        uint32_t c = table[indices[i + 2]];
        uint32_t d = table[indices[i + 3]];
        argb[i] = a;
        argb[i + 1] = b;
        argb[i + 2] = c;
        argb[i + 3] = d;
    }
    for (; i < count; ++i) argb[i] = table[indices[i]];
}
