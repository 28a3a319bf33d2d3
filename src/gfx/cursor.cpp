// The mouse cursor: mouse detection, the cursor built from an AND/XOR pattern, and
// showing or hiding it. Without a mouse every operation does nothing.
#include <cstring>

#include "gfx/gfx_internal.h"
#include "platform/platform.h"

CursorState gfx_cursor = {0, 0, 16, 0, 0};

namespace {

uint8_t and_plane[GFX_CURSOR_PLANE_BYTES];
uint8_t xor_plane[GFX_CURSOR_PLANE_BYTES];

// Row k of a pattern of the given side: a 16- or 32-bit word in machine order.
uint32_t pattern_word(const uint32_t* pattern, int32_t side, int32_t k) {
    if (side == 32) return pattern[k];
    uint16_t word;
    std::memcpy(&word, reinterpret_cast<const uint8_t*>(pattern) + 2 * k, sizeof word);
    return word;
}

}  // namespace

bool gfx_build_cursor_planes(const uint32_t* pattern, int32_t side, int32_t width, int32_t height,
                             uint8_t* and_out, uint8_t* xor_out) {
    if (side != 16 && side != 32) return false;
    if (width < side || height < side) return false;
    int64_t row_bytes = width / 8;
    if (row_bytes * height > GFX_CURSOR_PLANE_BYTES) return false;
    std::memset(and_out, 0xFF, static_cast<size_t>(row_bytes * height));
    std::memset(xor_out, 0x00, static_cast<size_t>(row_bytes * height));
    int32_t side_bytes = side / 8;
    for (int32_t r = 0; r < side; ++r) {
        uint32_t a = pattern_word(pattern, side, r);
        uint32_t x = pattern_word(pattern, side, side + r);
        for (int32_t b = 0; b < side_bytes; ++b) {
            int32_t shift = 8 * (side_bytes - 1 - b);  // most significant byte first
            and_out[r * row_bytes + b] = static_cast<uint8_t>(a >> shift);
            xor_out[r * row_bytes + b] = static_cast<uint8_t>(x >> shift);
        }
    }
    return true;
}

int32_t gfx_init_mouse() {
    if (!platform_mouse_present()) {
        gfx_cursor.mouse_present = 0;
        return -1;
    }
    platform_cursor_size(&gfx_cursor.width, &gfx_cursor.height);
    gfx_cursor.mouse_present = 1;
    gfx_cursor.visible = 1;
    gfx_cursor.side = 16;
    return 1;
}

int32_t gfx_set_cursor_size(int32_t side) {
    if (gfx_cursor.mouse_present && (side == 16 || side == 32)) gfx_cursor.side = side;
    return 0;
}

// A cursor size the pattern does not fit is refused like a failed creation: 0.
int32_t gfx_create_cursor(const uint32_t* pattern, int32_t hot_x, int32_t hot_y) {
    if (!gfx_cursor.mouse_present || pattern == nullptr) return 0;
    if (!gfx_build_cursor_planes(pattern, gfx_cursor.side, gfx_cursor.width, gfx_cursor.height,
                                 and_plane, xor_plane)) {
        return 0;
    }
    return platform_cursor_create(and_plane, xor_plane, gfx_cursor.width, gfx_cursor.height, hot_x,
                                  hot_y);
}

int32_t gfx_set_cursor(int32_t cursor) {
    if (gfx_cursor.mouse_present) platform_cursor_set(cursor);
    return 0;
}

// Only a change reaches the platform, so repeated requests never pile up.
int32_t gfx_show_cursor(int32_t flag) {
    if (!gfx_cursor.mouse_present) return 0;
    uint8_t f = static_cast<uint8_t>(flag & 1);
    if (f == gfx_cursor.visible) return 0;
    gfx_cursor.visible = f;
    platform_cursor_show(f != 0);
    return 0;
}
