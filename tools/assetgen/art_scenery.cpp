#include "assetgen/art_scenery.h"

#include <cmath>

#include "assetgen/art_shading.h"
#include "assetgen/canvas.h"

namespace {

constexpr float kSunX = 655.0f, kSunY = 392.0f;

float far_ridge(float x) {
    return 322.0f + 110.0f * (fractal_noise(x / 150.0f, 3.5f, 4, 11u) - 0.5f) -
           62.0f * std::exp(-((x - 560.0f) * (x - 560.0f)) / 4000.0f) -
           38.0f * std::exp(-((x - 250.0f) * (x - 250.0f)) / 2500.0f);
}

float mid_ridge(float x) {
    return 405.0f + 120.0f * (fractal_noise(x / 110.0f, 7.5f, 4, 23u) - 0.5f) +
           14.0f * (fractal_noise(x / 18.0f, 2.5f, 2, 29u) - 0.5f) -
           30.0f * std::exp(-((x - 300.0f) * (x - 300.0f)) / 3000.0f);
}

float near_ground(float x) {
    return 488.0f + 34.0f * fractal_noise(x / 90.0f, 1.5f, 3, 37u);
}

}  // namespace

void draw_landscape(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) {
            float fx = float(x), fy = float(y);
            float dsx = fx - kSunX, dsy = fy - kSunY;
            float sun_d = std::sqrt(dsx * dsx + dsy * dsy * 2.2f);
            uint8_t c;
            float fr = far_ridge(fx), mr = mid_ridge(fx), ng = near_ground(fx);
            if (fy < fr) {
                // Sky: night blue at the top to rose near the peaks, glowing round the sun.
                float t = fy / 470.0f;
                t = t * t * 0.75f + t * 0.25f;
                t += 0.35f * std::exp(-sun_d / 120.0f);
                if (sun_d < 26.0f) t = 1.0f;
                c = ramp_shade(RAMP_SKY, t, x, y);
            } else if (fy < mr) {
                // Far mountains in violet haze: rock facets lit from the sun's side,
                // the crest line catching the light, mist settling at their feet.
                float side = std::fmax(-1.0f, std::fmin(1.0f, (kSunX - fx) / 120.0f));
                float slope = far_ridge(fx + 2.0f) - far_ridge(fx - 2.0f);
                float crest = slope * side * 0.1f * std::exp(-(fy - fr) / 26.0f);
                float facet = (fractal_noise((fx + 2) / 40, fy / 30, 3, 5u) -
                               fractal_noise((fx - 2) / 40, fy / 30, 3, 5u)) *
                              side * 1.6f;
                float depth = (fy - fr) / 120.0f;
                float t = 0.56f - depth * 0.3f + crest + facet +
                          (fractal_noise(fx / 9, fy / 7, 2, 6u) - 0.5f) * 0.08f;
                t += 0.22f * std::exp(-(mr - fy) / 16.0f);
                // Snow on the highest crests.
                float snow = (300.0f - fr) * 0.7f + (hash_noise(x, 0, 3u) - 0.5f) * 4.0f;
                c = fy - fr < snow ? ramp_shade(RAMP_SLATE, 0.74f + crest * 2.0f + facet, x, y)
                                   : ramp_shade(RAMP_DUSK, t, x, y);
            } else if (fy < ng) {
                // Nearer slate ridges: broken facets and layered strata.
                float side = std::fmax(-1.0f, std::fmin(1.0f, (kSunX - fx) / 120.0f));
                float slope = mid_ridge(fx + 2.0f) - mid_ridge(fx - 2.0f);
                float crest = slope * side * 0.05f * std::exp(-(fy - mr) / 18.0f);
                float n = fractal_noise(fx / 16, fy / 18, 3, 9u);
                float facet = (fractal_noise((fx + 2) / 26, fy / 24, 3, 9u) -
                               fractal_noise((fx - 2) / 26, fy / 24, 3, 9u)) *
                              side * 1.2f;
                float depth = (fy - mr) / 100.0f;
                float strata = 0.035f * std::sin(fy * 0.8f + n * 9.0f);
                float t = 0.32f - depth * 0.16f + crest + facet + strata + (n - 0.5f) * 0.1f;
                if (fy - mr < 1.5f) t += 0.18f;
                t += 0.12f * std::exp(-(ng - fy) / 10.0f);
                c = ramp_shade(RAMP_SLATE, t, x, y);
            } else {
                // Moss and heather in the foreground.
                float depth = (fy - ng) / 110.0f;
                float tuft = fractal_noise(fx / 5, fy / 3, 2, 41u);
                float t = 0.42f - depth * 0.22f + (tuft - 0.5f) * 0.3f;
                if (fy - ng < 1.5f) t += 0.25f;
                c = ramp_shade(RAMP_MOSS, t, x, y);
                if (hash_noise(x, y, 43u) > 0.985f) c = ramp_entry(RAMP_GRANITE, 8);
            }
            put_px(x, y, c);
        }
    }
    // Stars in the dark upper sky.
    Lcg lcg{97u};
    for (int32_t i = 0; i < 90; ++i) {
        int32_t sx = 200 + lcg.below(600), sy = lcg.below(230);
        bool big = lcg.below(9) == 0;
        if (sx < x1 || sx > x2 || sy < y1 || sy > y2 || float(sy) > far_ridge(float(sx)) - 20) {
            continue;
        }
        uint8_t c = sy < 130 ? PAL_BRIGHT : ramp_entry(RAMP_SKY, 12);
        put_px(sx, sy, c);
        if (big) {
            uint8_t d = ramp_entry(RAMP_SKY, 9);
            put_px(sx - 1, sy, d);
            put_px(sx + 1, sy, d);
            put_px(sx, sy - 1, d);
            put_px(sx, sy + 1, d);
        }
    }
}

void draw_stone_wall(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t seed, float base) {
    Lcg lcg{seed};
    uint8_t joint = ramp_entry(RAMP_SLATE, 0);
    int32_t y = y1;
    while (y <= y2) {
        int32_t h = 16 + lcg.below(14);
        if (y + h > y2) h = y2 - y + 1;
        int32_t x = x1 - lcg.below(30);
        while (x <= x2) {
            int32_t w = 26 + lcg.below(40);
            float tone = base + (lcg.unit() - 0.5f) * 0.12f;
            Ramp ramp = lcg.below(5) == 0 ? RAMP_GRANITE : RAMP_SLATE;
            uint32_t bseed = lcg.next();
            int32_t bx1 = x < x1 ? x1 : x, bx2 = x + w - 1 > x2 ? x2 : x + w - 1;
            for (int32_t py = y; py < y + h; ++py) {
                for (int32_t px = bx1; px <= bx2; ++px) {
                    float grain = hash_noise(px, py, bseed) - 0.5f;
                    float mottle = fractal_noise(px / 9.0f, py / 6.0f, 2, bseed) - 0.5f;
                    float t = tone + grain * 0.08f + mottle * 0.1f;
                    if (py == y + 1 || px == x + 1) t += 0.1f;           // lit upper edges
                    if (py == y + h - 2 || px == x + w - 2) t -= 0.08f;  // shaded lower edges
                    uint8_t c = ramp_shade(ramp, t, px, py);
                    if (py == y || px == x || py == y + h - 1 || px == x + w - 1) c = joint;
                    put_px(px, py, c);
                }
            }
            x += w;
        }
        y += h;
    }
}

void draw_cairn(float cx, float base_y, float size, int32_t count, uint32_t seed) {
    Lcg lcg{seed};
    float y = base_y;
    float half = size;
    for (int32_t i = 0; i < count; ++i) {
        float rx = half, ry = half * (0.42f + lcg.unit() * 0.12f);
        float sx = cx + (lcg.unit() - 0.5f) * half * 0.3f;
        BlobStyle style;
        style.ramp = (i % 2 == 0) ? RAMP_GRANITE : RAMP_SLATE;
        style.base = 0.5f + lcg.unit() * 0.12f;
        style.span = 0.55f;
        style.power = 2.3f;
        style.bevel = 0.25f;
        style.grain = 0.12f;
        style.mottle = 0.18f;
        style.wobble = 0.12f;
        style.seed = lcg.next();
        shade_blob(sx, y - ry, rx, ry, style);
        y -= ry * 2.0f - 1.5f;
        half *= 0.72f + lcg.unit() * 0.1f;
    }
}
