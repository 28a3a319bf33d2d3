// The intro: two banner strips that slide together (splash2 from the top,
// splash1 from the bottom) and the title picture, a cairn against the rising sun
// with the game's name.
#include <cmath>

#include "assetgen/art_buttons.h"
#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_scenery.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

TextStyle gold_text(int32_t outline) {
    TextStyle style = ramp_style(RAMP_GOLD, 1.0f, 0.42f, outline, outline + 1);
    style.highlight = true;
    style.highlight_colour = PAL_BRIGHT;
    return style;
}

// A slate banner with pointed ends, a stone at each end and a motto.
void banner(const char* motto, int32_t kind_left, int32_t kind_right, uint32_t seed) {
    canvas_begin(600, 60, PAL_KEY);
    draw_band(30, 9, 569, 50, 16, 5, seed);
    draw_stone_at(kind_left, 2, 5);
    draw_stone_at(kind_right, 548, 5);
    TextMask mask = text_mask(title_type(28), motto);
    draw_text_mask(mask, 300 - mask.width / 2, 30 - mask.height / 2, gold_text(1));
}

float ridge(float x) {
    return 132.0f + 60.0f * (fractal_noise(x / 60.0f, 2.0f, 3, 515u) - 0.5f) +
           50.0f * std::fabs(x - 300.0f) / 260.0f;
}

}  // namespace

void draw_splash(int32_t number) {
    if (number == 1) {
        banner("BEFORE THE CAIRN FALLS", 2, 4, 5101u);
        return;
    }
    if (number == 2) {
        banner("STACK AND SLIDE THE STONES", 0, 1, 5201u);
        return;
    }
    canvas_begin(600, 300, PAL_KEY);
    // The sun behind the mountains, rays fanning out.
    const float sx = 300.0f, sy = 150.0f;
    for (int32_t y = 0; y < 205; ++y) {
        for (int32_t x = 40; x < 560; ++x) {
            float dx = float(x) + 0.5f - sx, dy = float(y) + 0.5f - sy;
            float d = std::sqrt(dx * dx + dy * dy);
            bool in_sun = d <= 118.0f;
            bool in_hills = float(y) >= ridge(float(x)) && y <= 196;
            if (!in_sun && !in_hills) continue;
            uint8_t c;
            if (in_hills) {
                float depth = (float(y) - ridge(float(x))) / 50.0f;
                float t = 0.45f - depth * 0.3f +
                          (fractal_noise(x / 8.0f, y / 6.0f, 2, 7u) - 0.5f) * 0.15f;
                c = ramp_shade(RAMP_DUSK, t, x, y);
                if (float(y) - ridge(float(x)) < 1.5f) c = ramp_entry(RAMP_GOLD, 9);
            } else {
                float a = std::atan2(dy, dx);
                float ray = std::fabs(std::sin(a * 9.0f)) > 0.55f ? 0.06f : 0.0f;
                float t = 1.0f - d / 118.0f * 0.75f + ray;
                c = d < 60.0f ? ramp_shade(RAMP_GOLD, 0.85f + (60.0f - d) / 200.0f, x, y)
                              : ramp_shade(RAMP_SKY, t, x, y);
            }
            put_px(x, y, c);
        }
    }
    // Outline round the emblem.
    for (int32_t y = 0; y < 206; ++y) {
        for (int32_t x = 38; x < 562; ++x) {
            if (get_px(x, y) != PAL_KEY) continue;
            bool touches = false;
            for (int32_t k = 0; k < 4 && !touches; ++k) {
                static const int32_t dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
                uint8_t n = get_px(x + dx[k], y + dy[k]);
                touches = in_canvas(x + dx[k], y + dy[k]) && n != PAL_KEY && n != PAL_OUTLINE;
            }
            if (touches) put_px(x, y, PAL_OUTLINE);
        }
    }
    // The cairn in front of the sun, game stones resting at its foot.
    draw_cairn(300.0f, 196.0f, 58.0f, 6, 5301u);
    draw_stone_at(0, 136, 150);
    draw_stone_at(3, 186, 146);
    draw_stone_at(5, 364, 146);
    draw_stone_at(2, 414, 150);
    // The name.
    const char* name = "CAIRNFALL";
    int32_t cell = fit_font_cell(&name, 1, 540, 40, 96);
    TextMask mask = text_mask(title_type(cell), name);
    while (mask.height > 72 && cell > 40) mask = text_mask(title_type(--cell), name);
    draw_text_mask(mask, 300 - mask.width / 2, 200, gold_text(2));
    TextStyle sub;
    sub.colour = PAL_LABEL;
    sub.shadow = 1;
    sub.shadow_colour = PAL_OUTLINE;
    sub.outline = 1;
    draw_text_centred(title_type(18), "a puzzle of sliding stones", 300, 289, sub);
}
