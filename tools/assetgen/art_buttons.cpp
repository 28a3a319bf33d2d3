#include "assetgen/art_buttons.h"

#include <cmath>
#include <cstdlib>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

const char* const MENU_LABELS[5] = {"NEW GAME", "INSTRUCTIONS", "OPTIONS", "HIGH SCORES", "QUIT"};

namespace {

const char* const kAllLabels[] = {"NEW GAME", "INSTRUCTIONS", "OPTIONS", "HIGH SCORES",
                                  "QUIT",     "PAUSE",        "PAUSED",  "RESUME"};

// Inside the rounded outline (corner radius r) of the w x h rectangle.
bool in_rounded(int32_t px, int32_t py, int32_t w, int32_t h, float r) {
    float cx = px < r ? r : (px > w - 1 - r ? w - 1 - r : float(px));
    float cy = py < r ? r : (py > h - 1 - r ? h - 1 - r : float(py));
    float dx = float(px) - cx, dy = float(py) - cy;
    return dx * dx + dy * dy <= r * r + 0.6f;
}

void draw_icon(ButtonIcon icon, int32_t cx, int32_t cy, uint8_t face, uint8_t dark) {
    if (icon == ICON_PAUSE) {
        for (int32_t k = 0; k < 2; ++k) {
            int32_t x = cx - 6 + k * 8;
            fill_rect(x - 1, cy - 9, x + 5, cy + 9, dark);
            fill_rect(x, cy - 8, x + 3, cy + 7, face);
        }
    } else if (icon == ICON_PLAY) {
        for (int32_t pass = 0; pass < 2; ++pass) {
            uint8_t c = pass == 0 ? dark : face;
            float grow = pass == 0 ? 1.2f : 0.0f;
            for (int32_t y = cy - 11; y <= cy + 11; ++y) {
                for (int32_t x = cx - 8; x <= cx + 10; ++x) {
                    float u = float(x - cx + 5), v = float(y - cy);
                    bool in = u >= -grow && std::fabs(v) <= (13.0f - u) * 0.62f + grow * 0.6f &&
                              u <= 13.0f + grow;
                    if (in) put_px(x, y, c);
                }
            }
        }
    }
}

}  // namespace

int32_t button_font_cell() {
    static int32_t cell = 0;
    if (cell == 0) cell = fit_font_cell(kAllLabels, 8, 134, 16, GAME_FONT_CELL);
    return cell;
}

void draw_button_face(int32_t x, int32_t y, int32_t w, int32_t h, ButtonLook look,
                      const char* label, ButtonIcon icon, int32_t font_cell) {
    const float radius = 5.0f;
    Ramp ramp = look == LOOK_LIT ? RAMP_GOLD : (look == LOOK_ALERT ? RAMP_EMBER : RAMP_SLATE);
    float top = look == LOOK_LIT ? 0.72f : (look == LOOK_ALERT ? 0.62f : 0.42f);
    float bottom = look == LOOK_LIT ? 0.45f : (look == LOOK_ALERT ? 0.36f : 0.26f);
    uint32_t seed = 300u + static_cast<uint32_t>(look) * 7u + static_cast<uint32_t>(y);
    for (int32_t py = 0; py < h; ++py) {
        for (int32_t px = 0; px < w; ++px) {
            if (!in_rounded(px, py, w, h, radius)) continue;
            bool edge =
                !in_rounded(px - 1, py, w, h, radius) || !in_rounded(px + 1, py, w, h, radius) ||
                !in_rounded(px, py - 1, w, h, radius) || !in_rounded(px, py + 1, w, h, radius);
            uint8_t c;
            if (edge) {
                c = PAL_OUTLINE;
            } else {
                float t = top + (bottom - top) * float(py) / float(h - 1);
                // A soft glow in the middle of a lit face.
                if (look == LOOK_LIT) {
                    float dx = (float(px) - w * 0.5f) / (w * 0.5f),
                          dy = (float(py) - h * 0.45f) / (h * 0.5f);
                    t += 0.2f * (1.0f - std::fmin(1.0f, dx * dx + dy * dy));
                }
                t += (hash_noise(x + px, y + py, seed) - 0.5f) * 0.06f +
                     (fractal_noise((x + px) / 11.0f, (y + py) / 5.0f, 2, seed) - 0.5f) * 0.08f;
                c = ramp_shade(ramp, t, x + px, y + py);
                // Bevel: two light rows at the top and left, two dark at the bottom and right.
                int32_t d_tl = py < px ? py : px;
                int32_t d_br = h - 1 - py < w - 1 - px ? h - 1 - py : w - 1 - px;
                if (d_br <= 2 && d_br <= d_tl) {
                    c = ramp_entry(ramp, d_br == 1 ? 0 : 2);
                } else if (d_tl <= 2) {
                    c = ramp_entry(ramp, ramp_size(ramp) - (d_tl == 1 ? 2 : 4));
                }
            }
            put_px(x + px, y + py, c);
        }
    }
    // Studs at both ends of the wide buttons.
    for (int32_t side = 0; side < 2 && w >= 120; ++side) {
        float sx = side == 0 ? float(x) + 10.5f : float(x + w) - 10.5f;
        float sy = float(y) + float(h) * 0.5f;
        fill_disc(sx, sy, 3.2f, PAL_OUTLINE);
        fill_disc(sx, sy, 2.3f, look == LOOK_LIT ? PAL_BRIGHT : ramp_entry(RAMP_GOLD, 6));
        put_px(static_cast<int32_t>(sx) - 1, static_cast<int32_t>(sy) - 1,
               look == LOOK_LIT ? PAL_BRIGHT : ramp_entry(RAMP_GOLD, 11));
    }
    if (label == nullptr) return;
    TextMask mask = text_mask(title_type(font_cell), label);
    int32_t icon_w = icon == ICON_NONE ? 0 : 24;
    int32_t total = mask.width + icon_w;
    int32_t left = x + (w - total) / 2;
    int32_t ty = y + (h - mask.height) / 2;
    TextStyle style;
    if (look == LOOK_LIT) {
        style.colour = PAL_BRIGHT;
        style.outline = 1;
        style.outline_colour = ramp_entry(RAMP_GOLD, 1);
        style.shadow = 1;
        style.shadow_colour = PAL_OUTLINE;
    } else {
        style.colour = PAL_LABEL;
        style.shadow = 2;
        style.shadow_colour = ramp_entry(ramp, 0);
        style.highlight = true;
        style.highlight_colour = PAL_BRIGHT;
    }
    if (icon != ICON_NONE) {
        draw_icon(icon, left + 8, y + h / 2, style.colour,
                  look == LOOK_LIT ? ramp_entry(RAMP_GOLD, 1) : ramp_entry(ramp, 0));
    }
    draw_text_mask(mask, left + icon_w, ty, style);
}

void draw_band(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t point, int32_t trim,
               uint32_t seed) {
    const int32_t mid2 = y1 + y2;  // twice the middle row
    const int32_t half2 = y2 - y1;
    auto inside = [&](int32_t x, int32_t y) {
        if (y < y1 || y > y2) return false;
        int32_t inset = std::abs(2 * y - mid2) * point / (half2 > 0 ? half2 : 1);
        return x >= x1 + inset && x <= x2 - inset;
    };
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) {
            if (!inside(x, y)) continue;
            float t = 0.3f - float(y - y1) / float(y2 - y1) * 0.14f +
                      (hash_noise(x, y, seed) - 0.5f) * 0.06f +
                      (fractal_noise(x / 15.0f, y / 7.0f, 2, seed) - 0.5f) * 0.1f;
            uint8_t c = ramp_shade(RAMP_SLATE, t, x, y);
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1)) {
                c = PAL_OUTLINE;
            } else if (y == y1 + 1 || (y == y1 + 2 && inside(x, y - 2))) {
                c = ramp_entry(RAMP_SLATE, 11);
            } else if (y == y2 - 1) {
                c = ramp_entry(RAMP_SLATE, 1);
            } else if (y == y1 + trim || y == y2 - trim) {
                c = ramp_entry(RAMP_GOLD, y == y1 + trim ? 9 : 5);
            }
            put_px(x, y, c);
        }
    }
}

void draw_menu_highlight(int32_t index) {
    canvas_begin(180, 42, PAL_KEY);
    draw_button_face(0, 0, 180, 42, LOOK_LIT, MENU_LABELS[index], ICON_NONE, button_font_cell());
}

void draw_button(int32_t index) {
    canvas_begin(180, 42, PAL_KEY);
    switch (index) {
        case 0:
            draw_button_face(0, 0, 180, 42, LOOK_NORMAL, "RESUME", ICON_PLAY, button_font_cell());
            break;
        case 1:
            draw_button_face(0, 0, 180, 42, LOOK_LIT, "RESUME", ICON_PLAY, button_font_cell());
            break;
        case 2:
            draw_button_face(0, 0, 180, 42, LOOK_NORMAL, "PAUSE", ICON_PAUSE, button_font_cell());
            break;
        case 3:
            draw_button_face(0, 0, 180, 42, LOOK_LIT, "PAUSE", ICON_PAUSE, button_font_cell());
            break;
        case 4:
            draw_button_face(0, 0, 180, 42, LOOK_ALERT, "PAUSED", ICON_PAUSE, button_font_cell());
            break;
        default:
            draw_button_face(0, 0, 180, 42, LOOK_LIT, "RESUME", ICON_PLAY, button_font_cell());
            break;
    }
}
