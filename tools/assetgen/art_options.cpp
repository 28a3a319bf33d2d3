// The options tablet: difficulty choices with their sockets, and the music and
// effects scales whose sockets hold the marks the screen draws (black filled
// circles of radius 4, 7, 10 and 13): every socket is a light hollow in a paper
// plate that the black mark fills in, and the hint below shows that a filled dot
// is the choice.
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

// The paper a socket is cut in: light, so that the screen's black mark reads as
// a dot filled in, as on a form, and never as a hole.
uint8_t paper() {
    return ramp_entry(RAMP_PARCH, 6);
}

// A socket for a mark of radius `mark`, read like a box on a form: a shallow
// hollow in the paper with a dark ring a little outside the mark. The screen's
// black mark fills the hollow and leaves a thin light margin inside the ring, so
// a chosen socket shows a filled dot and every other one an empty ring.
void socket(float cx, float cy, float mark) {
    const float inside = mark + 1.4f;
    for (int32_t y = static_cast<int32_t>(cy - inside - 1); y <= cy + inside + 1; ++y) {
        for (int32_t x = static_cast<int32_t>(cx - inside - 1); x <= cx + inside + 1; ++x) {
            float dx = float(x) - cx, dy = float(y) - cy;
            float d = std::sqrt(dx * dx + dy * dy);
            if (d > inside) continue;
            // Lit from the top-left, the hollow's near rim lies in shadow.
            bool shade = d > inside - 1.6f && dx + dy < -0.5f * d;
            put_px(x, y, ramp_entry(RAMP_PARCH, shade ? 4 : 5));
        }
    }
    soft_ring(cx, cy, mark + 1.4f, mark + 2.6f, PAL_OUTLINE);
}

// A plate of paper shaped like the volume it sets: a wedge from a round end of
// radius r1 at x1 to one of radius r2 at x2, with a dark edge and a shadow under
// its upper rim, as if set into the slate.
void plate(float x1, float r1, float x2, float r2, float cy) {
    for (int32_t y = static_cast<int32_t>(cy - r2 - 2); y <= cy + r2 + 2; ++y) {
        for (int32_t x = static_cast<int32_t>(x1 - r1 - 2); x <= x2 + r2 + 2; ++x) {
            // Depth inside the wedge: the most any of its circles holds the pixel.
            float depth = -1e9f;
            for (int32_t k = 0; k <= 64; ++k) {
                float t = float(k) / 64.0f;
                float dx = float(x) - (x1 + (x2 - x1) * t), dy = float(y) - cy;
                float inside = r1 + (r2 - r1) * t - std::sqrt(dx * dx + dy * dy);
                if (inside > depth) depth = inside;
            }
            if (depth < -0.5f) continue;
            uint8_t c = paper();
            if (depth < 2.0f && float(y) < cy) c = ramp_entry(RAMP_PARCH, 4);
            // A dark edge one pixel wide, smooth on its outer side.
            int32_t edge = static_cast<int32_t>(std::fmin(1.0f, depth + 0.5f) * 255.0f);
            if (depth < 1.0f) c = blend_entry(get_px(x, y), PAL_OUTLINE, edge);
            put_px(x, y, c);
        }
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
    plate(float(kScaleX[0] - kLeft), float(kScaleR[0] + 6), float(kScaleX[3] - kLeft),
          float(kScaleR[3] + 6), float(y));
    for (int32_t i = 0; i < 4; ++i) {
        socket(float(kScaleX[i] - kLeft), float(y), float(kScaleR[i]));
    }
    scale_caption("OFF", kScaleX[0] - kLeft, y + 15);
    scale_caption("FULL", kScaleX[3] - kLeft, y + 24);
}

// The hint's sample of a socket, chosen (with the mark the screen would draw) or not.
void sample_socket(int32_t cx, int32_t cy, bool chosen) {
    fill_disc(float(cx), float(cy), 7.5f, PAL_OUTLINE);
    fill_disc(float(cx), float(cy), 6.5f, paper());
    socket(float(cx), float(cy), 3.0f);
    if (chosen) fill_disc(float(cx), float(cy), 3.0f, PAL_OUTLINE);
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
        plate(float(kChoiceX - kLeft), 8.0f, float(kChoiceX - kLeft), 8.0f,
              float(kChoiceY[i] - kTop));
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

    // The hint: what a filled dot means, with a sample of each, and how to choose.
    TextStyle hint;
    hint.colour = PAL_LABEL;
    hint.shadow = 1;
    hint.shadow_colour = PAL_OUTLINE;
    TextMask chosen = text_mask(body_type(16), "chosen");
    TextMask other = text_mask(body_type(16), "not chosen");
    constexpr int32_t kSample = 19, kGap = 22;
    const int32_t width = kSample + chosen.width + kGap + kSample + other.width;
    int32_t x = 155 - width / 2;
    const int32_t cy = 447;
    sample_socket(x + 7, cy, true);
    draw_text_mask(chosen, x + kSample, cy - 7, hint);
    x += kSample + chosen.width + kGap;
    sample_socket(x + 7, cy, false);
    draw_text_mask(other, x + kSample, cy - 7, hint);
    hint.colour = ramp_entry(RAMP_SLATE, 14);
    draw_text_centred(body_type(15), "click a dot, or use the arrow keys", 155, 466, hint);
}
