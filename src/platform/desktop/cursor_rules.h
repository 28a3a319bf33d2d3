// The cursors the game may make, for the desktop backends: monochrome planes whose
// rows are whole bytes, at most kMaxCursorSide pixels a side with the hot spot
// inside, and up to kCursorSlots of them at once.
#pragma once

#include <cstdint>

constexpr int32_t kCursorSlots = 8;
constexpr int32_t kMaxCursorSide = 128;

inline bool cursor_shape_allowed(int32_t width, int32_t height, int32_t hot_x, int32_t hot_y) {
    return width > 0 && width <= kMaxCursorSide && width % 8 == 0 && height > 0 &&
           height <= kMaxCursorSide && hot_x >= 0 && hot_x < width && hot_y >= 0 && hot_y < height;
}
