#include "assetgen/text.h"

#include <cstring>

#include "assetgen/art_context.h"
#include "assetgen/canvas.h"
#include "gfx/gfx.h"

namespace {

constexpr int32_t kPenX = 16;
constexpr int32_t kPenY = 400;

}  // namespace

TextMask text_mask(int32_t font, const char* text) {
    TextMask mask;
    int32_t length = static_cast<int32_t>(std::strlen(text));
    if (font == 0 || length == 0) return mask;
    int32_t canvas = gfx.active;
    gfx_set_buffer(art_scratch_buffer());
    gfx_erase();
    gfx_set_font(font);
    mask.advance = gfx_text_width(text, length);
    gfx_set_color(1);
    gfx_move(kPenX, kPenY);
    gfx_print(text, length);
    int32_t x1 = gfx.width, y1 = gfx.height, x2 = -1, y2 = -1;
    for (int32_t y = 0; y < gfx.height; ++y) {
        const uint8_t* row = gfx.pixels + (gfx.height - 1 - y) * gfx.stride;
        for (int32_t x = 0; x < gfx.width; ++x) {
            if (row[x] == 0) continue;
            if (x < x1) x1 = x;
            if (x > x2) x2 = x;
            if (y < y1) y1 = y;
            if (y > y2) y2 = y;
        }
    }
    if (x2 >= 0) {
        mask.width = x2 - x1 + 1;
        mask.height = y2 - y1 + 1;
        mask.left = x1 - kPenX;
        mask.top = y1 - kPenY;
        mask.bits.assign(static_cast<size_t>(mask.width) * mask.height, 0);
        for (int32_t y = 0; y < mask.height; ++y) {
            const uint8_t* row = gfx.pixels + (gfx.height - 1 - (y1 + y)) * gfx.stride;
            for (int32_t x = 0; x < mask.width; ++x) {
                mask.bits[y * mask.width + x] = row[x1 + x] != 0 ? 1 : 0;
            }
        }
    }
    gfx_set_buffer(canvas);
    return mask;
}

TextStyle ramp_style(Ramp ramp, float top, float bottom, int32_t outline, int32_t shadow) {
    TextStyle style;
    style.ramp_fill = true;
    style.ramp = ramp;
    style.ramp_top = top;
    style.ramp_bottom = bottom;
    style.outline = outline;
    style.shadow = shadow;
    return style;
}

TextStyle heading_style() {
    return ramp_style(RAMP_GOLD, 0.95f, 0.55f, 1, 2);
}

void draw_text_mask(const TextMask& mask, int32_t x, int32_t y, const TextStyle& style) {
    if (mask.width == 0) return;
    if (style.shadow > 0) {
        int32_t reach = style.outline;
        for (int32_t my = -reach; my < mask.height + reach; ++my) {
            for (int32_t mx = -reach; mx < mask.width + reach; ++mx) {
                bool near = false;
                for (int32_t dy = -reach; dy <= reach && !near; ++dy) {
                    for (int32_t dx = -reach; dx <= reach && !near; ++dx) {
                        near = mask.ink(mx + dx, my + dy);
                    }
                }
                if (near) put_px(x + mx + style.shadow, y + my + style.shadow, style.shadow_colour);
            }
        }
    }
    if (style.outline > 0) {
        int32_t r = style.outline;
        for (int32_t my = -r; my < mask.height + r; ++my) {
            for (int32_t mx = -r; mx < mask.width + r; ++mx) {
                if (mask.ink(mx, my)) continue;
                bool near = false;
                for (int32_t dy = -r; dy <= r && !near; ++dy) {
                    for (int32_t dx = -r; dx <= r && !near; ++dx) {
                        // Round the outline's corners when it is thick.
                        if (r > 1 && dx * dx + dy * dy > r * r + 1) continue;
                        near = mask.ink(mx + dx, my + dy);
                    }
                }
                if (near) put_px(x + mx, y + my, style.outline_colour);
            }
        }
    }
    for (int32_t my = 0; my < mask.height; ++my) {
        for (int32_t mx = 0; mx < mask.width; ++mx) {
            if (!mask.ink(mx, my)) continue;
            uint8_t c = style.colour;
            if (style.ramp_fill) {
                float t = mask.height > 1 ? float(my) / float(mask.height - 1) : 0.0f;
                float v = style.ramp_top + (style.ramp_bottom - style.ramp_top) * t;
                c = ramp_shade(style.ramp, v, x + mx, y + my);
            }
            if (style.highlight && (!mask.ink(mx - 1, my) || !mask.ink(mx, my - 1))) {
                c = style.highlight_colour;
            }
            put_px(x + mx, y + my, c);
        }
    }
}

TextMask draw_text_centred(int32_t font, const char* text, int32_t cx, int32_t cy,
                           const TextStyle& style) {
    TextMask mask = text_mask(font, text);
    draw_text_mask(mask, cx - mask.width / 2, cy - mask.height / 2, style);
    return mask;
}

int32_t fit_font_cell(const char* const* texts, int32_t count, int32_t max_width, int32_t min_cell,
                      int32_t max_cell) {
    for (int32_t cell = max_cell; cell > min_cell; --cell) {
        bool fits = true;
        for (int32_t i = 0; i < count && fits; ++i) {
            fits = text_mask(art_font(cell), texts[i]).width <= max_width;
        }
        if (fits) return cell;
    }
    return min_cell;
}
