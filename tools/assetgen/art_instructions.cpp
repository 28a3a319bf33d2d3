// The instructions tablet: an example of a target row and a board row that
// completes it, the keys beside it, and the rules in short lines. Its lower-left
// corner stays plain, since the resume button is drawn there while a game is
// paused.
#include <cstring>
#include <string>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

constexpr int32_t kWidth = 547, kHeight = 550;
constexpr int32_t kBodyCell = 19;
constexpr int32_t kLineStep = 21;

TextStyle body_style() {
    TextStyle style;
    style.colour = PAL_LABEL;
    style.shadow = 1;
    style.shadow_colour = PAL_OUTLINE;
    return style;
}

// Prints a paragraph from (x, y) (the first line's print position), wrapped to
// max_width; returns the print position below its last line.
int32_t paragraph(const char* text, int32_t x, int32_t y, int32_t max_width) {
    const Type font = title_type(kBodyCell);
    std::vector<std::string> words;
    std::string word;
    for (const char* p = text;; ++p) {
        if (*p == ' ' || *p == '\0') {
            if (!word.empty()) words.push_back(word);
            word.clear();
            if (*p == '\0') break;
        } else {
            word += *p;
        }
    }
    std::string line;
    auto flush = [&](const std::string& out) {
        TextMask mask = text_mask(font, out.c_str());
        draw_text_mask(mask, x + mask.left, y + mask.top, body_style());
        y += kLineStep;
    };
    for (const std::string& w : words) {
        std::string trial = line.empty() ? w : line + " " + w;
        if (!line.empty() && text_mask(font, trial.c_str()).advance > max_width) {
            flush(line);
            line = w;
        } else {
            line = trial;
        }
    }
    if (!line.empty()) flush(line);
    return y;
}

void bullet(int32_t x, int32_t y) {
    // A small gold stone as the bullet, centred on the line's letters.
    fill_disc(float(x), float(y), 4.5f, PAL_OUTLINE);
    fill_disc(float(x), float(y), 3.5f, ramp_entry(RAMP_GOLD, 6));
    put_px(x - 1, y - 2, ramp_entry(RAMP_GOLD, 12));
    put_px(x - 2, y - 1, ramp_entry(RAMP_GOLD, 10));
}

void rule(const char* text, int32_t* y, int32_t x = 44, int32_t width = 474) {
    bullet(x - 16, *y - 8);
    *y = paragraph(text, x, *y, width) + 4;
}

void check_mark(int32_t x, int32_t y) {
    for (int32_t pass = 0; pass < 2; ++pass) {
        uint8_t c = pass == 0 ? PAL_OUTLINE : ramp_entry(RAMP_MOSS, 10);
        float w = pass == 0 ? 8.0f : 5.0f;
        draw_line(float(x), float(y), float(x + 8), float(y + 9), w, c);
        draw_line(float(x + 8), float(y + 9), float(x + 24), float(y - 12), w, c);
    }
}

// The keys beside the example: each key in gold, what it does after it, in a
// type size at which the longest line fits the column.
void key_table(int32_t x, int32_t y, int32_t right, int32_t step) {
    static const char* const kKeys[][2] = {
        {"Arrows, WASD", "slide a stone into the gap"},
        {"Space, P", "pause and resume"},
        {"Esc", "pause; skip the intro or game over"},
        {"1 to 5", "the menu buttons"},
        {"A to Z", "type a name; Backspace, Enter"},
        {"Alt+Enter", "full screen or window"},
        {"F12", "quit at once"},
    };
    constexpr int32_t kCount = sizeof kKeys / sizeof kKeys[0];
    const char* keys[kCount];
    const char* actions[kCount];
    for (int32_t i = 0; i < kCount; ++i) {
        keys[i] = kKeys[i][0];
        actions[i] = kKeys[i][1];
    }
    int32_t key_cell = fit_font_cell(keys, kCount, 100, 12, 17);
    int32_t key_width = 0;
    for (int32_t i = 0; i < kCount; ++i) {
        int32_t w = text_mask(title_type(key_cell), keys[i]).width;
        if (w > key_width) key_width = w;
    }
    int32_t action_x = x + key_width + 8;
    int32_t action_cell = fit_font_cell(actions, kCount, right - action_x, 12, key_cell);
    TextStyle key_style = ramp_style(RAMP_GOLD, 1.0f, 0.6f, 0, 1);
    for (int32_t i = 0; i < kCount; ++i) {
        int32_t line = y + step * i;
        TextMask key = text_mask(title_type(key_cell), keys[i]);
        draw_text_mask(key, x + key.left, line + key.top, key_style);
        TextMask action = text_mask(title_type(action_cell), actions[i]);
        draw_text_mask(action, action_x + action.left, line + action.top, body_style());
    }
}

}  // namespace

void draw_instructions(int32_t) {
    canvas_begin(kWidth, kHeight, ramp_entry(RAMP_SLATE, 4));
    draw_tablet(0, 0, kWidth - 1, kHeight - 1, 4201u);
    draw_text_centred(title_type(32), "HOW TO PLAY", kWidth / 2, 36, heading_style());

    // The example: a target row above, a board row that completes it below.
    const int32_t ex = 30, ey = 66;
    static const int32_t target[3] = {0, 2, 1};
    static const int32_t built[3] = {0, 3, 1};
    fill_rect(ex - 3, ey - 3, ex + 152, ey + 52, PAL_OUTLINE);
    fill_rect(ex - 2, ey - 2, ex + 151, ey + 51, PAL_FRAME);
    fill_rect(ex, ey, ex + 149, ey + 49, ramp_entry(RAMP_SLATE, 6));
    for (int32_t i = 0; i < 3; ++i) draw_stone_at(target[i], ex + 50 * i, ey);
    fill_rect(ex - 3, ey + 62, ex + 152, ey + 115, PAL_OUTLINE);
    fill_rect(ex - 2, ey + 63, ex + 151, ey + 114, ramp_entry(RAMP_SLATE, 5));
    for (int32_t i = 0; i < 3; ++i) draw_stone_at(built[i], ex + 50 * i, ey + 64);
    check_mark(ex + 162, ey + 96);

    // The keys, right of the example.
    key_table(226, ey + 13, kWidth - 18, 19);

    int32_t y = ey + 160;
    rule(
        "The row above the board is the target: build the same stones, column by column, "
        "in any row of the board, and that row crumbles away.",
        &y);
    rule("Click a stone next to the gap, in its row or column, to slide it into the gap.", &y);
    rule(
        "The golden sun stands for any stone, and two suns side by side complete a row. A row "
        "is checked after each move, so a pushed row with two suns clears on the next slide.",
        &y);
    rule("Each row cleared scores 100 points, plus a bonus for the time left.", &y);
    rule(
        "When the time bar runs out, the target row drops onto the board and every later "
        "row gets less time.",
        &y);
    rule(
        "Clear the board down to one row to climb to the next level; the arrows in the top "
        "corner skip there at once. Eleven rows, and the cairn falls: game over.",
        &y);
}
