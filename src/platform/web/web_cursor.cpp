// The game's cursor over the canvas: its monochrome planes become a small
// picture the page uses as the canvas's CSS cursor.
#include <emscripten.h>

#include "platform/platform.h"

namespace {

constexpr int32_t kMaxSide = 64;

}  // namespace

EM_JS(int, cf_cursor_create, (const uint8_t* rgba, int side, int hot_x, int hot_y),
      { return CF.createCursor(rgba, side, hot_x, hot_y); });
EM_JS(void, cf_cursor_set, (int handle), { CF.setCursor(handle); });
EM_JS(void, cf_cursor_show, (int visible), { CF.showCursor(visible != 0); });

void platform_cursor_size(int32_t* width, int32_t* height) {
    if (width != nullptr) *width = 32;
    if (height != nullptr) *height = 32;
}

int32_t platform_cursor_create(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width,
                               int32_t height, int32_t hot_x, int32_t hot_y) {
    if (and_plane == nullptr || xor_plane == nullptr) return 0;
    if (width <= 0 || width > kMaxSide || width % 8 != 0 || width != height) return 0;
    if (hot_x < 0 || hot_x >= width || hot_y < 0 || hot_y >= height) return 0;
    // AND 1 + XOR 0 is see-through, AND 0 black or white by XOR; the inverting
    // pixels (AND 1 + XOR 1), which a picture cannot show, are drawn black.
    static uint8_t rgba[kMaxSide * kMaxSide * 4];
    for (int32_t i = 0; i < width * height; ++i) {
        int32_t byte = i / 8, bit = 7 - i % 8;
        bool and_bit = (and_plane[byte] >> bit) & 1;
        bool xor_bit = (xor_plane[byte] >> bit) & 1;
        uint8_t level = !and_bit && xor_bit ? 255 : 0;
        uint8_t* out = rgba + 4 * i;
        out[0] = out[1] = out[2] = level;
        out[3] = and_bit && !xor_bit ? 0 : 255;
    }
    return cf_cursor_create(rgba, width, hot_x, hot_y);
}

void platform_cursor_set(int32_t cursor) {
    cf_cursor_set(cursor);
}

void platform_cursor_show(bool visible) {
    cf_cursor_show(visible);
}
