// Lines: cut to the clip window (Cohen-Sutherland), then drawn with Bresenham's
// integer steps from the end with the smaller y.
#include "gfx/gfx_internal.h"

namespace {

constexpr int32_t kLeft = 1, kAbove = 2, kRight = 4, kBelow = 8;

struct Point {
    int64_t x, y;
};

int32_t outcode(Point p) {
    int32_t code = 0;
    if (p.x < gfx.xmin) code |= kLeft;
    if (p.y < gfx.ymin) code |= kAbove;
    if (p.x > gfx.xmax) code |= kRight;
    if (p.y > gfx.ymax) code |= kBelow;
    return code;
}

// Cuts the segment to the clip window. False when nothing of it is inside.
bool clip(Point& p, Point& q) {
    // Every pass puts one end on a window edge; a handful of passes always suffice,
    // the bound only guards against a window that is not a proper rectangle.
    for (int32_t pass = 0; pass < 16; ++pass) {
        int32_t cp = outcode(p);
        int32_t cq = outcode(q);
        if ((cp | cq) == 0) return true;
        if ((cp & cq) != 0) return false;
        if (cp == 0) {
            Point t = p;
            p = q;
            q = t;
            cp = cq;
        }
        // Products in 64 bits; division truncates toward zero.
        if (cp & kLeft) {
            p.y += (q.y - p.y) * (gfx.xmin - p.x) / (q.x - p.x);
            p.x = gfx.xmin;
        } else if (cp & kAbove) {
            p.x += (q.x - p.x) * (gfx.ymin - p.y) / (q.y - p.y);
            p.y = gfx.ymin;
        } else if (cp & kRight) {
            p.y += (q.y - p.y) * (gfx.xmax - p.x) / (q.x - p.x);
            p.x = gfx.xmax;
        } else {
            p.x += (q.x - p.x) * (gfx.ymax - p.y) / (q.y - p.y);
            p.y = gfx.ymax;
        }
    }
    return false;
}

// Both ends lie inside the buffer. Works on byte addresses: a step in x is one
// byte, a step down the screen one stride back in memory.
void draw(Point a, Point b) {
    if (b.y < a.y) {
        Point t = a;
        a = b;
        b = t;
    }
    int64_t dy = b.y - a.y;
    int64_t dx = b.x >= a.x ? b.x - a.x : a.x - b.x;
    int64_t sx = b.x >= a.x ? 1 : -1;
    int64_t down = -int64_t{gfx.stride};
    uint8_t* p = gfx_pixel_address(static_cast<int32_t>(a.x), static_cast<int32_t>(a.y));
    const uint8_t colour = gfx.colour;
    if (dx >= dy) {
        int64_t err = 2 * dy - dx;
        for (int64_t i = 0; i < dx; ++i) {
            *p = colour;
            if (err >= 0) {
                p += down;
                err += 2 * dy - 2 * dx;
            } else {
                err += 2 * dy;
            }
            p += sx;
        }
        *p = colour;
    } else {
        *p = colour;
        int64_t err = 2 * dx - dy;
        for (int64_t i = 0; i < dy; ++i) {
            if (err >= 0) {
                p += sx;
                err += 2 * dx - 2 * dy;
            } else {
                err += 2 * dx;
            }
            p += down;
            *p = colour;
        }
    }
}

}  // namespace

int32_t gfx_line_to(int32_t x, int32_t y) {
    Point p{gfx.pos_x, gfx.pos_y};
    Point q{x, y};
    gfx.pos_x = x;
    gfx.pos_y = y;
    if (gfx.active < 0) return 0;
    if (clip(p, q)) draw(p, q);
    return 0;
}
