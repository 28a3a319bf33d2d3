// Filled ellipses by the integer midpoint method: two regions of the quarter
// curve, each step drawing the mirrored spans above and below the centre.
#include "gfx/gfx_internal.h"

namespace {

// Radii up to this keep every term of the midpoint arithmetic well inside 64 bits
// (and the work bounded); anything larger is far beyond any buffer.
constexpr int32_t kMaxRadius = 65535;

// Arithmetic shift right (rounds toward minus infinity) without relying on how
// the compiler shifts negative numbers.
int64_t shift_right(int64_t v, int32_t bits) {
    int64_t divisor = int64_t{1} << bits;
    int64_t q = v / divisor;
    if (v % divisor != 0 && v < 0) --q;
    return q;
}

void span(int64_t cx, int64_t cy, int64_t x, int64_t y) {
    gfx_fill_clipped(cx - x, cx + x, cy - y, cy - y);
    gfx_fill_clipped(cx - x, cx + x, cy + y, cy + y);
}

}  // namespace

int32_t gfx_fill_ellipse(int32_t rx, int32_t ry) {
    if (rx <= 0 || ry <= 0 || gfx.active < 0) return 0;
    if (rx > kMaxRadius || ry > kMaxRadius) return 0;
    const int64_t cx = gfx.pos_x;
    const int64_t cy = gfx.pos_y;
    const int64_t a2 = int64_t{rx} * rx;
    const int64_t b2 = int64_t{ry} * ry;
    int64_t x = 0;
    int64_t y = ry;
    int64_t px = 0;
    int64_t py = 2 * a2 * y;
    int64_t d = b2 - a2 * ry + shift_right(a2, 2);
    while (px < py) {
        span(cx, cy, x, y);
        if (d >= 0) {
            --y;
            py -= 2 * a2;
            d -= py;
        }
        ++x;
        px += 2 * b2;
        d += px + b2;
    }
    const int64_t e = a2 - b2;
    d += shift_right(e + shift_right(e, 1) - px - py, 1);
    do {
        span(cx, cy, x, y);
        if (d < 0) {
            ++x;
            px += 2 * b2;
            d += px;
        }
        --y;
        py -= 2 * a2;
        d += a2 - py;
    } while (y >= 0);
    return 0;
}

int32_t gfx_fill_circle(int32_t r) {
    return gfx_fill_ellipse(r, r);
}
