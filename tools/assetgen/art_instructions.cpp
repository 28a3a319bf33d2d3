// The instructions tablet: an example of a target row and a board row that
// completes it, the game's keys beside it, the rules in short lines, and the keys
// of the menus, the dialogs and the gamepad below them. Its lower-left corner
// stays plain, since the resume button is drawn there while a game is paused.
#include <string>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

constexpr int32_t kWidth = 547, kHeight = 550;
constexpr Type kBody = body_type(17);
constexpr int32_t kLineStep = 17;
constexpr Type kKeys = body_type(16);
constexpr int32_t kKeyStep = 16;

TextStyle body_style() {
    TextStyle style;
    style.colour = PAL_LABEL;
    style.shadow = 1;
    style.shadow_colour = PAL_OUTLINE;
    return style;
}

TextStyle key_style() {
    TextStyle style = body_style();
    style.colour = ramp_entry(RAMP_GOLD, 10);
    return style;
}

// Writes a text with its print position at (x, y): the start of the bottom of its line.
void print_at(Type type, const char* text, int32_t x, int32_t y, const TextStyle& style) {
    TextMask mask = text_mask(type, text);
    draw_text_mask(mask, x + mask.left, y + mask.top, style);
}

// Prints a paragraph from (x, y) (the first line's print position), wrapped to
// max_width; returns the print position below its last line.
int32_t paragraph(const char* text, int32_t x, int32_t y, int32_t max_width) {
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
    for (const std::string& w : words) {
        std::string trial = line.empty() ? w : line + " " + w;
        if (!line.empty() && text_mask(kBody, trial.c_str()).advance > max_width) {
            print_at(kBody, line.c_str(), x, y, body_style());
            y += kLineStep;
            line = w;
        } else {
            line = trial;
        }
    }
    if (!line.empty()) {
        print_at(kBody, line.c_str(), x, y, body_style());
        y += kLineStep;
    }
    return y;
}

void bullet(int32_t x, int32_t y) {
    // A small gold stone as the bullet, centred on the line's letters.
    fill_disc(float(x), float(y), 4.0f, PAL_OUTLINE);
    fill_disc(float(x), float(y), 3.0f, ramp_entry(RAMP_GOLD, 6));
    put_px(x - 1, y - 1, ramp_entry(RAMP_GOLD, 12));
}

void rule(const char* text, int32_t* y) {
    constexpr int32_t kX = 40, kRight = kWidth - 24;
    bullet(kX - 12, *y - 6);
    *y = paragraph(text, kX, *y, kRight - kX) + 2;
}

void check_mark(int32_t x, int32_t y) {
    for (int32_t pass = 0; pass < 2; ++pass) {
        uint8_t c = pass == 0 ? PAL_OUTLINE : ramp_entry(RAMP_MOSS, 10);
        float w = pass == 0 ? 8.0f : 5.0f;
        draw_line(float(x), float(y), float(x + 8), float(y + 9), w, c);
        draw_line(float(x + 8), float(y + 9), float(x + 24), float(y - 12), w, c);
    }
}

// A row of a key list: the keys in gold and what they do after them; a row with
// no action is the list's heading.
struct KeyRow {
    const char* keys;
    const char* action;
};

// Writes a list from the print position (x, y), the actions starting key_width
// right of x; returns the print position below it.
int32_t key_list(const KeyRow* rows, int32_t count, int32_t x, int32_t y, int32_t key_width) {
    for (int32_t i = 0; i < count; ++i) {
        if (rows[i].action == nullptr) {
            // A gap above every heading but the first, then the heading in small capitals.
            if (i > 0) y += 5;
            TextMask mask = text_mask(title_type(14), rows[i].keys);
            draw_text_mask(mask, x, y - mask.height - 2, ramp_style(RAMP_GOLD, 0.95f, 0.6f, 0, 1));
        } else {
            print_at(kKeys, rows[i].keys, x, y, key_style());
            print_at(kKeys, rows[i].action, x + key_width, y, body_style());
        }
        y += kKeyStep;
    }
    return y;
}

// A thin gold rule across the tablet between its parts.
void divider(int32_t y) {
    for (int32_t x = 40; x <= kWidth - 41; ++x) {
        put_px(x, y, ramp_entry(RAMP_GOLD, 5));
        put_px(x, y + 1, PAL_OUTLINE);
    }
}

}  // namespace

void draw_instructions(int32_t) {
    canvas_begin(kWidth, kHeight, ramp_entry(RAMP_SLATE, 4));
    draw_tablet(0, 0, kWidth - 1, kHeight - 1, 4201u);
    draw_text_centred(title_type(32), "HOW TO PLAY", kWidth / 2, 33, heading_style());

    // The example: a target row above, a board row that completes it below.
    const int32_t ex = 26, ey = 59;
    static const int32_t target[3] = {0, 2, 1};
    static const int32_t built[3] = {0, 3, 1};
    fill_rect(ex - 3, ey - 3, ex + 152, ey + 52, PAL_OUTLINE);
    fill_rect(ex - 2, ey - 2, ex + 151, ey + 51, PAL_FRAME);
    fill_rect(ex, ey, ex + 149, ey + 49, ramp_entry(RAMP_SLATE, 6));
    for (int32_t i = 0; i < 3; ++i) draw_stone_at(target[i], ex + 50 * i, ey);
    fill_rect(ex - 3, ey + 62, ex + 152, ey + 115, PAL_OUTLINE);
    fill_rect(ex - 2, ey + 63, ex + 151, ey + 114, ramp_entry(RAMP_SLATE, 5));
    for (int32_t i = 0; i < 3; ++i) draw_stone_at(built[i], ex + 50 * i, ey + 64);
    check_mark(ex + 160, ey + 96);

    // The game's keys, right of the example.
    static const KeyRow kGame[] = {
        {"IN A GAME", nullptr},
        {"Arrows, WASD, swipe", "slide a stone into the gap"},
        {"Space, P", "pause"},
        {"Esc", "pause and resume"},
        {"1 to 5", "press the menu buttons"},
        {"Alt+Enter", "full screen or window"},
        {"F12", "quit at once"},
    };
    key_list(kGame, sizeof kGame / sizeof kGame[0], 222, ey + 16, 132);

    int32_t y = ey + 146;
    divider(y - 16);
    rule(
        "Build the target row, the row above the board, stone for stone in any row of "
        "the board, and that row crumbles away.",
        &y);
    rule("Click or tap a stone next to the gap, in its row or column: it slides into the gap.", &y);
    rule(
        "The golden sun stands for any stone, and two suns side by side complete a row. "
        "Rows are checked after each move.",
        &y);
    rule(
        "A row scores 100 points, plus a bonus for the time left. When the time bar runs "
        "out, the target row drops onto the board.",
        &y);
    rule(
        "Clear the board down to one row to reach the next level (the arrows in the top "
        "corner skip there). Eleven rows, and the cairn falls.",
        &y);
    divider(y - 8);

    // The other screens' keys in two columns; the left one ends above the resume
    // button's place (x up to 192, y from 485).
    static const KeyRow kMenus[] = {
        {"MENUS AND OPTIONS: SWIPES ARE ARROWS", nullptr},
        {"Up, Down", "choose a button or row"},
        {"Left, Right", "change the option"},
        {"Enter, hold", "press"},
        {"QUIT DIALOG", nullptr},
        {"Enter, Y", "quit"},
        {"N, Esc", "go back"},
    };
    static const KeyRow kOthers[] = {
        {"NAME ENTRY", nullptr},
        {"A to Z, Space", "type the name"},
        {"Backspace", "rub out a letter"},
        {"D-pad, A", "pick a key, press it"},
        {"Enter, Start", "done"},
        {"GAMEPAD", nullptr},
        {"D-pad, stick", "the arrow keys"},
        {"A, B", "Enter, Esc"},
        {"Start", "pause"},
    };
    const int32_t top = y + 13;
    key_list(kMenus, sizeof kMenus / sizeof kMenus[0], 28, top, 88);
    key_list(kOthers, sizeof kOthers / sizeof kOthers[0], 284, top, 100);
}
