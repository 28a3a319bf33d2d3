#include "assetgen/canvas.h"

#include <cmath>

#include "assetgen/art_context.h"
#include "gfx/gfx.h"

namespace {

int32_t g_width = 0;
int32_t g_height = 0;

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

}  // namespace

void canvas_begin(int32_t width, int32_t height, uint8_t fill) {
    art_setup();
    gfx_set_buffer(art_canvas_buffer());
    g_width = width < gfx.width ? width : gfx.width;
    g_height = height < gfx.height ? height : gfx.height;
    fill_rect(0, 0, g_width - 1, g_height - 1, fill);
}

bool in_canvas(int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < g_width && y < g_height;
}

void put_px(int32_t x, int32_t y, uint8_t colour) {
    if (!in_canvas(x, y)) return;
    gfx.pixels[(gfx.height - 1 - y) * gfx.stride + x] = colour;
}

uint8_t get_px(int32_t x, int32_t y) {
    if (!in_canvas(x, y)) return 0;
    return gfx.pixels[(gfx.height - 1 - y) * gfx.stride + x];
}

void fill_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) put_px(x, y, colour);
    }
}

void frame_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint8_t colour) {
    for (int32_t x = x1; x <= x2; ++x) {
        put_px(x, y1, colour);
        put_px(x, y2, colour);
    }
    for (int32_t y = y1; y <= y2; ++y) {
        put_px(x1, y, colour);
        put_px(x2, y, colour);
    }
}

float hash_noise(int32_t x, int32_t y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u +
                 seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return float(h & 0xFFFFFF) / float(0xFFFFFF);
}

float value_noise(float x, float y, uint32_t seed) {
    float fx = std::floor(x), fy = std::floor(y);
    int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    float tx = smooth(x - fx), ty = smooth(y - fy);
    float a = hash_noise(ix, iy, seed), b = hash_noise(ix + 1, iy, seed);
    float c = hash_noise(ix, iy + 1, seed), d = hash_noise(ix + 1, iy + 1, seed);
    float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float fractal_noise(float x, float y, int32_t octaves, uint32_t seed) {
    float sum = 0, amp = 1, total = 0;
    for (int32_t o = 0; o < octaves; ++o) {
        sum += value_noise(x, y, seed + 101u * static_cast<uint32_t>(o)) * amp;
        total += amp;
        amp *= 0.5f;
        x *= 2.0f;
        y *= 2.0f;
    }
    return sum / total;
}

uint32_t Lcg::next() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

int32_t Lcg::below(int32_t n) {
    return static_cast<int32_t>(next() % static_cast<uint32_t>(n));
}

float Lcg::unit() {
    return float(next() & 0xFFFF) / 65535.0f;
}

void stone_texture(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Ramp ramp, float base,
                   float grain, uint32_t seed) {
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) {
            float mottle = fractal_noise(x / 23.0f, y / 17.0f, 3, seed) - 0.5f;
            float fine = hash_noise(x, y, seed + 7u) - 0.5f;
            put_px(x, y, ramp_shade(ramp, base + mottle * 0.12f + fine * grain, x, y));
        }
    }
}

void bevel_rect(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width, Ramp ramp,
                int32_t light_level, int32_t dark_level, bool raised) {
    uint8_t light = ramp_entry(ramp, light_level);
    uint8_t dark = ramp_entry(ramp, dark_level);
    uint8_t top_left = raised ? light : dark;
    uint8_t bottom_right = raised ? dark : light;
    for (int32_t i = 0; i < width; ++i) {
        for (int32_t x = x1 + i; x <= x2 - i; ++x) {
            put_px(x, y1 + i, top_left);
            put_px(x, y2 - i, bottom_right);
        }
        for (int32_t y = y1 + i; y <= y2 - i; ++y) {
            put_px(x1 + i, y, top_left);
            put_px(x2 - i, y, bottom_right);
        }
        // The corners where light meets dark are split on the diagonal.
        put_px(x2 - i, y1 + i, ramp_entry(ramp, (light_level + dark_level) / 2));
        put_px(x1 + i, y2 - i, ramp_entry(ramp, (light_level + dark_level) / 2));
    }
}

void draw_well(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed) {
    stone_texture(x1, y1, x2, y2, RAMP_SLATE, 0.11f, 0.05f, seed);
    // Inner shadow under the top and left edges, lit lip below and right.
    for (int32_t x = x1; x <= x2; ++x) {
        put_px(x, y1 + 1, ramp_entry(RAMP_SLATE, 0));
        put_px(x, y1 + 2, ramp_entry(RAMP_SLATE, 1));
    }
    for (int32_t y = y1; y <= y2; ++y) {
        put_px(x1 + 1, y, ramp_entry(RAMP_SLATE, 0));
        put_px(x1 + 2, y, ramp_entry(RAMP_SLATE, 1));
    }
    for (int32_t x = x1 + 1; x <= x2; ++x) put_px(x, y2, ramp_entry(RAMP_SLATE, 11));
    for (int32_t y = y1 + 1; y <= y2; ++y) put_px(x2, y, ramp_entry(RAMP_SLATE, 11));
    for (int32_t x = x1 + 2; x < x2; ++x) put_px(x, y2 - 1, ramp_entry(RAMP_SLATE, 7));
    for (int32_t y = y1 + 2; y < y2; ++y) put_px(x2 - 1, y, ramp_entry(RAMP_SLATE, 7));
    frame_rect(x1, y1, x2, y2, PAL_OUTLINE);
    put_px(x2, y2, ramp_entry(RAMP_SLATE, 12));
}

void draw_tablet(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed) {
    stone_texture(x1, y1, x2, y2, RAMP_SLATE, 0.26f, 0.06f, seed);
    frame_rect(x1, y1, x2, y2, PAL_OUTLINE);
    bevel_rect(x1 + 1, y1 + 1, x2 - 1, y2 - 1, 3, RAMP_SLATE, 9, 2, true);
    // Gold trim line inset from the edge.
    frame_rect(x1 + 6, y1 + 6, x2 - 6, y2 - 6, ramp_entry(RAMP_GOLD, 4));
    frame_rect(x1 + 7, y1 + 7, x2 - 7, y2 - 7, ramp_entry(RAMP_GOLD, 9));
    frame_rect(x1 + 8, y1 + 8, x2 - 8, y2 - 8, ramp_entry(RAMP_SLATE, 1));
    // Gold studs in the corners.
    const int32_t cx[2] = {x1 + 7, x2 - 7};
    const int32_t cy[2] = {y1 + 7, y2 - 7};
    for (int32_t i = 0; i < 2; ++i) {
        for (int32_t j = 0; j < 2; ++j) {
            fill_disc(float(cx[i]), float(cy[j]), 3.2f, PAL_OUTLINE);
            fill_disc(float(cx[i]), float(cy[j]), 2.2f, ramp_entry(RAMP_GOLD, 7));
            put_px(cx[i] - 1, cy[j] - 1, ramp_entry(RAMP_GOLD, 13));
        }
    }
}

namespace {

// Calls pixel(x, y, distance from the centre) for every pixel of the square
// around a circle of radius `outer`, with a pixel's margin.
template <typename Pixel>
void each_pixel_around(float cx, float cy, float outer, Pixel pixel) {
    int32_t x1 = static_cast<int32_t>(std::floor(cx - outer - 1));
    int32_t x2 = static_cast<int32_t>(std::ceil(cx + outer + 1));
    int32_t y1 = static_cast<int32_t>(std::floor(cy - outer - 1));
    int32_t y2 = static_cast<int32_t>(std::ceil(cy + outer + 1));
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) {
            float dx = float(x) - cx, dy = float(y) - cy;
            pixel(x, y, std::sqrt(dx * dx + dy * dy));
        }
    }
}

}  // namespace

void fill_disc(float cx, float cy, float r, uint8_t colour) {
    fill_ring(cx, cy, -1.0f, r, colour);
}

void fill_ring(float cx, float cy, float inner, float outer, uint8_t colour) {
    each_pixel_around(cx, cy, outer, [&](int32_t x, int32_t y, float d) {
        if (d <= outer + 0.5f && d > inner + 0.5f) put_px(x, y, colour);
    });
}

void soft_ring(float cx, float cy, float inner, float outer, uint8_t colour) {
    each_pixel_around(cx, cy, outer, [&](int32_t x, int32_t y, float d) {
        float out = std::fmin(1.0f, std::fmax(0.0f, outer + 0.5f - d));
        float in = inner < 0.0f ? 1.0f : std::fmin(1.0f, std::fmax(0.0f, d - inner + 0.5f));
        int32_t alpha = static_cast<int32_t>(out * in * 255.0f + 0.5f);
        if (alpha > 0 && in_canvas(x, y)) put_px(x, y, blend_entry(get_px(x, y), colour, alpha));
    });
}

void draw_line(float x1, float y1, float x2, float y2, float thickness, uint8_t colour) {
    float dx = x2 - x1, dy = y2 - y1;
    float len2 = dx * dx + dy * dy;
    float half = thickness * 0.5f;
    int32_t bx1 = static_cast<int32_t>(std::floor(std::fmin(x1, x2) - half - 1));
    int32_t bx2 = static_cast<int32_t>(std::ceil(std::fmax(x1, x2) + half + 1));
    int32_t by1 = static_cast<int32_t>(std::floor(std::fmin(y1, y2) - half - 1));
    int32_t by2 = static_cast<int32_t>(std::ceil(std::fmax(y1, y2) + half + 1));
    for (int32_t y = by1; y <= by2; ++y) {
        for (int32_t x = bx1; x <= bx2; ++x) {
            float t = len2 > 0 ? ((x - x1) * dx + (y - y1) * dy) / len2 : 0.0f;
            if (t < 0) t = 0;
            if (t > 1) t = 1;
            float px = x1 + dx * t - x, py = y1 + dy * t - y;
            if (px * px + py * py <= half * half) put_px(x, y, colour);
        }
    }
}
