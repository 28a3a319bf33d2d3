#include "assetgen/art_shading.h"

#include <cmath>

#include "assetgen/canvas.h"

namespace {

// Normalised distance of a point from the shape's centre: 1 on its outline.
float blob_norm(float dx, float dy, float rx, float ry, const BlobStyle& style) {
    float ax = std::fabs(dx) / rx, ay = std::fabs(dy) / ry;
    float n = std::pow(std::pow(ax, style.power) + std::pow(ay, style.power), 1.0f / style.power);
    if (style.wobble > 0) {
        float a = std::atan2(dy, dx);
        float w = value_noise((a + 3.1416f) * 1.6f, 0.5f, style.seed) - 0.5f;
        n *= 1.0f + w * style.wobble;
    }
    return n;
}

}  // namespace

bool blob_inside(float cx, float cy, float rx, float ry, const BlobStyle& style, int32_t x,
                 int32_t y) {
    return blob_norm(float(x) + 0.5f - cx, float(y) + 0.5f - cy, rx, ry, style) <= 1.0f;
}

void shade_blob(float cx, float cy, float rx, float ry, const BlobStyle& style) {
    const float lx = -0.52f, ly = -0.64f, lz = 0.56f;  // light from the top-left
    int32_t x1 = static_cast<int32_t>(std::floor(cx - rx - 2)),
            x2 = static_cast<int32_t>(cx + rx + 2);
    int32_t y1 = static_cast<int32_t>(std::floor(cy - ry - 2)),
            y2 = static_cast<int32_t>(cy + ry + 2);
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) {
            float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            float n = blob_norm(dx, dy, rx, ry, style);
            if (n > 1.0f) continue;
            bool edge = !blob_inside(cx, cy, rx, ry, style, x - 1, y) ||
                        !blob_inside(cx, cy, rx, ry, style, x + 1, y) ||
                        !blob_inside(cx, cy, rx, ry, style, x, y - 1) ||
                        !blob_inside(cx, cy, rx, ry, style, x, y + 1);
            if (edge && style.outline) {
                put_px(x, y, PAL_OUTLINE);
                continue;
            }
            // Surface normal: flat on top, tilting outward over the rounded edge.
            float gx =
                blob_norm(dx + 0.5f, dy, rx, ry, style) - blob_norm(dx - 0.5f, dy, rx, ry, style);
            float gy =
                blob_norm(dx, dy + 0.5f, rx, ry, style) - blob_norm(dx, dy - 0.5f, rx, ry, style);
            float gl = std::sqrt(gx * gx + gy * gy);
            if (gl > 0) {
                gx /= gl;
                gy /= gl;
            }
            float s = (n - style.bevel) / (1.0f - style.bevel);
            if (s < 0) s = 0;
            s = s * s * (3 - 2 * s) * 1.8f;
            float nx = gx * s, ny = gy * s, nz = 1.0f;
            float nl = std::sqrt(nx * nx + ny * ny + nz * nz);
            float light = (nx * lx + ny * ly + nz * lz) / nl - lz;
            // A gentle dome across the top, and the rock's grain.
            float dome = -(dx / rx * 0.5f + dy / ry * 0.6f) * 0.12f;
            float mottle = (fractal_noise(float(x) / 6.0f, float(y) / 5.0f, 2, style.seed) - 0.5f);
            float grain = hash_noise(x, y, style.seed + 17u) - 0.5f;
            float t = style.base + light * style.span * 1.6f + dome * style.span +
                      mottle * style.mottle + grain * style.grain;
            uint8_t c = ramp_shade(style.ramp, t, x, y);
            if (style.glint && light > 0.26f && hash_noise(x, y, style.seed + 5u) > 0.55f) {
                c = PAL_BRIGHT;
            }
            put_px(x, y, c);
        }
    }
}
