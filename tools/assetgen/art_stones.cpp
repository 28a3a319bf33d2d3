// The 31 stones: a shaded cushion of the kind's colour with its engraved symbol.
// Kind 3, the wildcard, is a glowing gold stone with a rainbow rim and a sun.
#include <cmath>

#include "assetgen/art_pictures.h"
#include "assetgen/art_shading.h"
#include "assetgen/art_symbols.h"
#include "assetgen/canvas.h"

namespace {

constexpr float kSymbolScale = 13.0f;  // pixels per unit of symbol space

float luma(uint8_t index) {
    return 0.299f * art_palette[index][0] + 0.587f * art_palette[index][1] +
           0.114f * art_palette[index][2];
}

BlobStyle stone_style(int32_t kind) {
    BlobStyle style;
    style.ramp = static_cast<Ramp>(RAMP_STONE0 + kind);
    style.base = 0.64f;
    style.span = 0.62f;
    style.power = 3.4f;
    style.bevel = 0.7f;
    style.grain = 0.1f;
    style.mottle = 0.2f;
    style.wobble = 0.05f;
    style.seed = 1000u + static_cast<uint32_t>(kind) * 31u;
    return style;
}

// The symbol, inlaid in a colour that stands out from the stone: pale on dark and
// middle stones, dark on light ones; a one-pixel engraved edge frames it.
void engrave_symbol(int32_t kind, int32_t ox, int32_t oy, Ramp ramp) {
    bool light_stone = luma(ramp_entry(ramp, 2)) > 130.0f;
    uint8_t fill = light_stone ? ramp_entry(ramp, 0) : ramp_entry(RAMP_PARCH, 7);
    uint8_t groove = light_stone ? PAL_OUTLINE : ramp_entry(ramp, 0);
    uint8_t lip = ramp_entry(ramp, 3);
    bool on[50][50] = {};
    for (int32_t y = 0; y < 50; ++y) {
        for (int32_t x = 0; x < 50; ++x) on[y][x] = stone_symbol_pixel(kind, x, y);
    }
    auto at = [&on](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < 50 && y < 50 && on[y][x];
    };
    for (int32_t y = 0; y < 50; ++y) {
        for (int32_t x = 0; x < 50; ++x) {
            if (at(x, y)) {
                // Top and left edges of the cut lie in shadow.
                bool shadowed = !at(x - 1, y) || !at(x, y - 1);
                put_px(ox + x, oy + y, shadowed ? groove : fill);
            } else if (at(x - 1, y - 1) || (!light_stone && (at(x - 1, y) || at(x, y - 1)))) {
                // The lit lip below and right of the cut.
                if (light_stone) {
                    put_px(ox + x, oy + y, lip);
                } else if (at(x - 1, y - 1)) {
                    put_px(ox + x, oy + y, ramp_entry(ramp, 1));
                }
            }
        }
    }
}

}  // namespace

// The wildcard `scale` times the size of a stone (the icons draw it larger), the
// sun's dark edge `sun_edge` stone pixels wide.
void draw_wildcard_at(int32_t ox, int32_t oy, float scale, float sun_edge) {
    const float radius = 23.8f * scale;
    const int32_t size = static_cast<int32_t>(50.0f * scale + 0.5f);
    BlobStyle style = stone_style(3);
    style.ramp = RAMP_GOLD;
    style.base = 0.68f;
    style.span = 0.42f;
    style.grain = 0.05f;
    style.mottle = 0.06f;
    const float cx = float(ox) + 24.5f * scale, cy = float(oy) + 24.5f * scale;
    shade_blob(cx, cy, radius, radius, style);
    // A glow from the centre, and the rainbow rim.
    static const int32_t rim_kinds[7] = {5, 14, 10, 16, 21, 0, 4};
    for (int32_t y = oy; y < oy + size; ++y) {
        for (int32_t x = ox; x < ox + size; ++x) {
            if (!blob_inside(cx, cy, radius, radius, style, x, y)) continue;
            if (get_px(x, y) == PAL_OUTLINE) continue;
            float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            float ax = std::fabs(dx) / radius, ay = std::fabs(dy) / radius;
            float n = std::pow(std::pow(ax, 3.4f) + std::pow(ay, 3.4f), 1.0f / 3.4f);
            if (n > 0.84f && n < 0.95f) {
                // Red at the top, round through the rainbow.
                float a =
                    std::fmod(std::atan2(dy, dx) + 3.14159265f * 1.5f + 0.45f, 2 * 3.14159265f);
                int32_t seg = static_cast<int32_t>(a / (2 * 3.14159265f) * 7.0f) % 7;
                Ramp r = static_cast<Ramp>(RAMP_STONE0 + rim_kinds[seg]);
                bool lit = (dx + dy) < -20.0f * scale && n > 0.92f;
                put_px(x, y, ramp_entry(r, lit ? 3 : 2));
            } else if (n <= 0.84f) {
                float r = std::sqrt(dx * dx + dy * dy) / (19.0f * scale);
                float t = 0.98f - r * 0.3f + (hash_noise(x, y, 77u) - 0.5f) * 0.06f;
                put_px(x, y, ramp_shade(RAMP_GOLD, t, x, y));
            }
        }
    }
    // Inner ring of darker gold between the glow and the rim.
    for (int32_t y = oy; y < oy + size; ++y) {
        for (int32_t x = ox; x < ox + size; ++x) {
            float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            float ax = std::fabs(dx) / radius, ay = std::fabs(dy) / radius;
            float n = std::pow(std::pow(ax, 3.4f) + std::pow(ay, 3.4f), 1.0f / 3.4f);
            if (n > 0.8f && n <= 0.84f) put_px(x, y, ramp_entry(RAMP_GOLD, 5));
        }
    }
    // The sun: white-hot with a dark gold edge.
    const float px = 1.0f / (12.5f * scale), edge_step = px * scale * sun_edge;
    for (int32_t y = oy; y < oy + size; ++y) {
        for (int32_t x = ox; x < ox + size; ++x) {
            float u = (float(x) + 0.5f - cx) * px, v = (float(y) + 0.5f - cy) * px;
            if (symbol_coverage(3, u, v, px) < 0.5f) continue;
            bool edge = symbol_coverage(3, u - edge_step, v, px) < 0.5f ||
                        symbol_coverage(3, u, v - edge_step, px) < 0.5f ||
                        symbol_coverage(3, u + edge_step, v, px) < 0.5f ||
                        symbol_coverage(3, u, v + edge_step, px) < 0.5f;
            put_px(x, y, edge ? ramp_entry(RAMP_GOLD, 3) : PAL_BRIGHT);
        }
    }
}

bool stone_symbol_pixel(int32_t kind, int32_t x, int32_t y) {
    const float px = 1.0f / kSymbolScale;
    float u = (float(x) + 0.5f - 24.5f) * px, v = (float(y) + 0.5f - 24.0f) * px;
    return symbol_coverage(kind, u, v, px) >= 0.5f;
}

void draw_stone_at(int32_t kind, int32_t ox, int32_t oy) {
    if (kind == 3) {
        draw_wildcard_at(ox, oy, 1.0f, 1.0f);
        return;
    }
    BlobStyle style = stone_style(kind);
    shade_blob(float(ox) + 24.5f, float(oy) + 24.5f, 23.8f, 23.8f, style);
    engrave_symbol(kind, ox, oy, style.ramp);
}

void draw_stone(int32_t kind) {
    canvas_begin(50, 50, PAL_KEY);
    draw_stone_at(kind, 0, 0);
}
