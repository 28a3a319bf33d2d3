// The options tablet: difficulty choices with their sockets, and the music and
// effects scales whose sockets hold the marks the screen draws (black filled
// circles of radius 4, 7, 10 and 13) with a pale margin round each mark.
#include <cmath>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_scenery.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

// The picture's top-left corner on the screen.
constexpr int32_t kLeft = 349, kTop = 36;

constexpr int32_t kScaleX[4] = {443, 466, 497, 537};
constexpr int32_t kScaleR[4] = {4, 7, 10, 13};
constexpr int32_t kMusicY = 318, kEffectsY = 437;
constexpr int32_t kChoiceX = 443;
constexpr int32_t kChoiceY[3] = {167, 190, 213};
// Right end of each difficulty choice's click area.
constexpr int32_t kChoiceRight[3] = {512, 549, 518};
const char* const kChoices[3] = {"EASY", "NORMAL", "HARD"};

// A socket for a mark of radius `mark`, read like a ballot's bubble: a pale cup
// in a gold bezel with a thin empty circle where the mark goes. The screen's black
// mark covers that circle exactly, so the chosen socket shows a filled disc with a
// pale margin and every other socket an empty circle.
void socket(float cx, float cy, float mark) {
    const float cup = mark + 3.5f;
    fill_disc(cx, cy, cup + 2.0f, PAL_OUTLINE);
    fill_disc(cx, cy, cup + 1.0f, ramp_entry(RAMP_GOLD, 7));
    fill_disc(cx, cy, cup, PAL_OUTLINE);
    for (int32_t y = static_cast<int32_t>(cy - cup - 1); y <= cy + cup + 1; ++y) {
        for (int32_t x = static_cast<int32_t>(cx - cup - 1); x <= cx + cup + 1; ++x) {
            float dx = float(x) - cx, dy = float(y) - cy;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d > cup - 0.5f) continue;
            // A shallow hollow lit from the top-left: a shadow under the near rim.
            float t = (d > cup - 1.5f && dx + dy < -1.0f) ? 0.5f : 0.8f;
            // The empty circle, drawn just inside the mark's edge.
            if (d > mark - 1.3f && d <= mark - 0.3f) t = 0.2f;
            put_px(x, y, ramp_shade(RAMP_PARCH, t, x, y));
        }
    }
    // The bezel's glint on the upper left.
    for (int32_t k = -3; k <= 3; ++k) {
        float a = 3.92699f + 0.12f * float(k);
        put_px(static_cast<int32_t>(cx + (cup + 0.6f) * std::cos(a) + 0.5f),
               static_cast<int32_t>(cy + (cup + 0.6f) * std::sin(a) + 0.5f),
               ramp_entry(RAMP_GOLD, 12));
    }
}

// A section heading, left-aligned over the section's controls.
void heading(const char* text, int32_t cy) {
    TextMask mask = text_mask(title_type(24), text);
    draw_text_mask(mask, kScaleX[0] - kLeft - 8, cy - mask.height / 2, heading_style());
}

void scale_caption(const char* text, int32_t cx, int32_t y) {
    TextStyle style;
    style.colour = ramp_entry(RAMP_PARCH, 4);
    style.shadow = 1;
    style.shadow_colour = PAL_OUTLINE;
    TextMask mask = text_mask(title_type(15), text);
    draw_text_mask(mask, cx - mask.width / 2, y, style);
}

void scale(int32_t screen_y) {
    const int32_t y = screen_y - kTop;
    // A tapering groove joining the sockets, growing like the volume.
    for (int32_t x = kScaleX[0] - kLeft; x <= kScaleX[3] - kLeft; ++x) {
        float t = float(x - (kScaleX[0] - kLeft)) / float(kScaleX[3] - kScaleX[0]);
        int32_t half = static_cast<int32_t>(2.0f + t * 6.0f);
        for (int32_t k = -half; k <= half; ++k) {
            uint8_t c = k == -half
                            ? PAL_OUTLINE
                            : (k == half ? ramp_entry(RAMP_SLATE, 9) : ramp_entry(RAMP_SLATE, 1));
            put_px(x, y + k, c);
        }
    }
    for (int32_t i = 0; i < 4; ++i) {
        socket(float(kScaleX[i] - kLeft), float(y), float(kScaleR[i]));
    }
    scale_caption("OFF", kScaleX[0] - kLeft, y + 15);
    scale_caption("FULL", kScaleX[3] - kLeft, y + 24);
}

void note_icon(int32_t cx, int32_t cy) {
    uint8_t c = ramp_entry(RAMP_GOLD, 9);
    for (int32_t pass = 0; pass < 2; ++pass) {
        uint8_t col = pass == 0 ? PAL_OUTLINE : c;
        float g = pass == 0 ? 1.2f : 0.0f;
        fill_disc(float(cx - 6), float(cy + 8), 5.0f + g, col);
        fill_disc(float(cx + 10), float(cy + 5), 5.0f + g, col);
        draw_line(float(cx - 2), float(cy + 8), float(cx - 2), float(cy - 12), 2.5f + 2 * g, col);
        draw_line(float(cx + 14), float(cy + 5), float(cx + 14), float(cy - 15), 2.5f + 2 * g, col);
        draw_line(float(cx - 2), float(cy - 12), float(cx + 14), float(cy - 15), 4.0f + 2 * g, col);
    }
}

void bell_icon(int32_t cx, int32_t cy) {
    for (int32_t pass = 0; pass < 2; ++pass) {
        uint8_t col = pass == 0 ? PAL_OUTLINE : ramp_entry(RAMP_GOLD, 9);
        float g = pass == 0 ? 1.2f : 0.0f;
        // A speaker cone and its sound waves.
        for (int32_t y = cy - 12; y <= cy + 12; ++y) {
            for (int32_t x = cx - 16; x <= cx + 2; ++x) {
                float u = float(x - cx), v = float(y - cy);
                bool box = u >= -16 - g && u <= -9 + g && std::fabs(v) <= 5 + g;
                bool cone = u >= -10 - g && u <= 2 + g && std::fabs(v) <= 5 + (u + 10) * 0.6f + g;
                if (box || cone) put_px(x, y, col);
            }
        }
        // Two arcs of sound to the right of the cone.
        for (int32_t y = cy - 15; y <= cy + 15; ++y) {
            for (int32_t x = cx + 2; x <= cx + 18; ++x) {
                float dx = float(x - cx - 2), dy = float(y - cy);
                float d = std::sqrt(dx * dx + dy * dy);
                if (std::fabs(dy) > dx * 1.1f + g) continue;
                if ((d >= 6.0f - g && d <= 8.0f + g) || (d >= 11.0f - g && d <= 13.0f + g)) {
                    put_px(x, y, col);
                }
            }
        }
    }
}

void peak_icon(int32_t cx, int32_t cy) {
    for (int32_t y = cy - 14; y <= cy + 10; ++y) {
        for (int32_t x = cx - 20; x <= cx + 20; ++x) {
            float u = float(x - cx), v = float(y - cy);
            bool big = v <= 10 && v >= -14 + std::fabs(u + 3) * 1.2f;
            bool small = v <= 10 && v >= -2 + std::fabs(u - 11) * 1.1f;
            if (!big && !small) continue;
            bool snow = big && v < -6 + std::fabs(u + 3) * 0.6f;
            bool lit = (big ? u + 3 : u - 11) < 0;
            uint8_t c =
                snow ? PAL_BRIGHT : (lit ? ramp_entry(RAMP_GOLD, 8) : ramp_entry(RAMP_GOLD, 4));
            put_px(x, y, c);
        }
    }
    for (int32_t x = cx - 20; x <= cx + 20; ++x) put_px(x, cy + 11, PAL_OUTLINE);
}

}  // namespace

void draw_options(int32_t) {
    canvas_begin(310, 484, ramp_entry(RAMP_SLATE, 4));
    draw_tablet(0, 0, 309, 483, 4101u);
    draw_text_centred(title_type(34), "OPTIONS", 155, 38, heading_style());
    for (int32_t x = 40; x <= 269; ++x) {
        put_px(x, 62, ramp_entry(RAMP_GOLD, 5));
        put_px(x, 63, PAL_OUTLINE);
    }

    // Difficulty: three choices, each a socket and its name inside its click area.
    heading("DIFFICULTY", 98);
    peak_icon(44, 154);
    draw_cairn(258.0f, 192.0f, 19.0f, 4, 4111u);
    int32_t fits[3];
    for (int32_t i = 0; i < 3; ++i) {
        const char* text = kChoices[i];
        fits[i] = fit_font_cell(&text, 1, kChoiceRight[i] - (kChoiceX + 11) - 2, 12, 22);
    }
    int32_t cell = fits[0] < fits[1] ? fits[0] : fits[1];
    if (fits[2] < cell) cell = fits[2];
    TextStyle choice;
    choice.colour = PAL_LABEL;
    choice.shadow = 1;
    choice.shadow_colour = PAL_OUTLINE;
    for (int32_t i = 0; i < 3; ++i) {
        socket(float(kChoiceX - kLeft), float(kChoiceY[i] - kTop), 4.0f);
        TextMask mask = text_mask(title_type(cell), kChoices[i]);
        draw_text_mask(mask, kChoiceX + 11 - kLeft, kChoiceY[i] - kTop - mask.height / 2, choice);
    }

    heading("MUSIC", 240);
    note_icon(40, kMusicY - kTop);
    scale(kMusicY);
    heading("EFFECTS", 359);
    bell_icon(46, kEffectsY - kTop);
    scale(kEffectsY);

    TextStyle hint;
    hint.colour = ramp_entry(RAMP_SLATE, 11);
    hint.shadow = 1;
    hint.shadow_colour = PAL_OUTLINE;
    draw_text_centred(title_type(16), "click a socket to choose", 155, 452, hint);
}
