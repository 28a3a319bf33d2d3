#include "assetgen/text.h"

#include <cstring>

#include "assetgen/art_context.h"
#include "assetgen/canvas.h"
#include "gfx/gfx.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kPenX = 16;
constexpr int32_t kPenY = 400;
// The largest cell the supersampled face is opened at (see art_font_styled).
constexpr int32_t kLargestCell = 256;
// Word spaces in running text are this many of the face's own spaces.
constexpr int32_t kBodySpaceNum = 5, kBodySpaceDen = 4;

// How many times larger a text is drawn before it is averaged down.
int32_t supersampling(int32_t cell) {
    if (cell * 4 <= kLargestCell) return 4;
    return cell * 2 <= kLargestCell ? 2 : 1;
}

}  // namespace

TextMask text_mask(Type type, const char* text) {
    TextMask mask;
    const int32_t length = static_cast<int32_t>(std::strlen(text));
    if (length == 0 || type.cell < 1) return mask;
    const int32_t s = supersampling(type.cell);
    const bool body = type.face == FACE_BODY;
    const int32_t font = art_font_styled(type.cell * s, true, !body);
    if (font == 0) return mask;

    // The words' pen positions in the large drawing.
    const int32_t space = platform_font_text_width(font, " ", 1);
    const int32_t word_space = body ? space * kBodySpaceNum / kBodySpaceDen : space;
    struct Run {
        int32_t start, length, pen;
    };
    std::vector<Run> runs;
    int32_t pen = 0;
    for (int32_t i = 0; i < length;) {
        if (text[i] == ' ') {
            pen += word_space;
            ++i;
            continue;
        }
        int32_t j = i;
        while (j < length && text[j] != ' ') ++j;
        runs.push_back({i, j - i, pen});
        pen += platform_font_text_width(font, text + i, j - i);
        i = j;
    }
    mask.advance = (pen + s / 2) / s;

    // Room round the line for slanted and overhanging glyphs, in whole pixels of
    // the small picture so that the pen lands on one.
    const int32_t pad_x = type.cell * s, pad_y = (type.cell / 2 + 1) * s;
    const int32_t big_w = (pen + 2 * pad_x + s - 1) / s * s;
    const int32_t big_h = type.cell * s + 2 * pad_y;
    std::vector<uint8_t> big(static_cast<size_t>(big_w) * big_h, 0);
    for (const Run& run : runs) {
        platform_font_draw(font, text + run.start, run.length, pad_x + run.pen, pad_y, 1,
                           big.data(), big_w, big_w, big_h);
    }

    // Averaged down; rows of the drawing are stored bottom row first.
    const int32_t w = big_w / s, h = big_h / s;
    std::vector<uint8_t> small(static_cast<size_t>(w) * h, 0);
    int32_t x1 = w, y1 = h, x2 = -1, y2 = -1;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            int32_t sum = 0;
            for (int32_t by = y * s; by < y * s + s; ++by) {
                const uint8_t* row = big.data() + static_cast<size_t>(big_h - 1 - by) * big_w;
                for (int32_t bx = x * s; bx < x * s + s; ++bx) sum += row[bx];
            }
            if (sum == 0) continue;
            small[y * w + x] = static_cast<uint8_t>((sum * 255 + s * s / 2) / (s * s));
            if (x < x1) x1 = x;
            if (x > x2) x2 = x;
            if (y < y1) y1 = y;
            if (y > y2) y2 = y;
        }
    }
    if (x2 < 0) return mask;
    mask.width = x2 - x1 + 1;
    mask.height = y2 - y1 + 1;
    mask.left = x1 - pad_x / s;
    mask.top = y1 - (pad_y / s + type.cell);
    mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0);
    for (int32_t y = 0; y < mask.height; ++y) {
        for (int32_t x = 0; x < mask.width; ++x) {
            mask.coverage[y * mask.width + x] = small[(y1 + y) * w + x1 + x];
        }
    }
    return mask;
}

TextMask print_mask(int32_t font, const char* text) {
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
        mask.coverage.assign(static_cast<size_t>(mask.width) * mask.height, 0);
        for (int32_t y = 0; y < mask.height; ++y) {
            const uint8_t* row = gfx.pixels + (gfx.height - 1 - (y1 + y)) * gfx.stride;
            for (int32_t x = 0; x < mask.width; ++x) {
                mask.coverage[y * mask.width + x] = row[x1 + x] != 0 ? 255 : 0;
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

namespace {

// The coverage of the mask grown by an outline of r pixels (r 0: the mask itself).
uint8_t grown(const TextMask& mask, int32_t x, int32_t y, int32_t r) {
    uint8_t most = mask.cover(x, y);
    for (int32_t dy = -r; dy <= r; ++dy) {
        for (int32_t dx = -r; dx <= r; ++dx) {
            // Round the outline's corners when it is thick.
            if (r > 1 && dx * dx + dy * dy > r * r + 1) continue;
            uint8_t c = mask.cover(x + dx, y + dy);
            if (c > most) most = c;
        }
    }
    return most;
}

// A layer of colour laid over a pixel with some coverage. The see-through key of
// keyed pictures cannot be blended with: any ink there is solid, so that no
// see-through pixel is left inside a text.
uint8_t lay(uint8_t under, uint8_t colour, int32_t alpha) {
    if (alpha <= 0) return under;
    if (under == PAL_KEY) return colour;
    return blend_entry(under, colour, alpha);
}

}  // namespace

void draw_text_mask(const TextMask& mask, int32_t x, int32_t y, const TextStyle& style) {
    if (mask.width == 0) return;
    const int32_t r = style.outline;
    const int32_t reach = r + (style.shadow > 0 ? style.shadow : 0);
    for (int32_t my = -r; my < mask.height + reach; ++my) {
        for (int32_t mx = -r; mx < mask.width + reach; ++mx) {
            const int32_t px = x + mx, py = y + my;
            if (!in_canvas(px, py)) continue;
            const int32_t shadow =
                style.shadow > 0 ? grown(mask, mx - style.shadow, my - style.shadow, r) : 0;
            const int32_t outline = r > 0 ? grown(mask, mx, my, r) : 0;
            const int32_t fill = mask.cover(mx, my);
            if (shadow == 0 && outline == 0 && fill == 0) continue;
            uint8_t c = get_px(px, py);
            c = lay(c, style.shadow_colour, shadow);
            c = lay(c, style.outline_colour, outline);
            if (fill > 0) {
                uint8_t ink = style.colour;
                if (style.ramp_fill) {
                    float t = mask.height > 1 ? float(my) / float(mask.height - 1) : 0.0f;
                    float v = style.ramp_top + (style.ramp_bottom - style.ramp_top) * t;
                    ink = ramp_shade(style.ramp, v, px, py);
                }
                if (style.highlight && mask.ink(mx, my) &&
                    (!mask.ink(mx - 1, my) || !mask.ink(mx, my - 1))) {
                    ink = style.highlight_colour;
                }
                c = lay(c, ink, fill);
            }
            put_px(px, py, c);
        }
    }
}

TextMask draw_text_centred(Type type, const char* text, int32_t cx, int32_t cy,
                           const TextStyle& style) {
    TextMask mask = text_mask(type, text);
    draw_text_mask(mask, cx - mask.width / 2, cy - mask.height / 2, style);
    return mask;
}

int32_t fit_font_cell(const char* const* texts, int32_t count, int32_t max_width, int32_t min_cell,
                      int32_t max_cell, Face face) {
    for (int32_t cell = max_cell; cell > min_cell; --cell) {
        bool fits = true;
        for (int32_t i = 0; i < count && fits; ++i) {
            fits = text_mask({cell, face}, texts[i]).width <= max_width;
        }
        if (fits) return cell;
    }
    return min_cell;
}
