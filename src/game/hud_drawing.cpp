// The game screen's time bar, remaining-time clock, and the score and level in the
// left panel.
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/clock.h"
#include "sound/sound.h"

int32_t clock_last_seconds = 0;

void reset_hud_drawing() {
    clock_last_seconds = 0;
}

namespace {

constexpr int32_t BAR_FILL_COLOUR = 1;
constexpr int32_t BAR_FRAME_COLOUR = 15;
constexpr int32_t TEXT_COLOUR = 7;
constexpr int32_t PANEL_X = 100;  // the panel's texts are centred on it
constexpr int32_t SCRATCH = 80;   // the longest text format_thousands handles

// Draws text centred on PANEL_X with its line's bottom at y, shadow first.
void print_centred(const char* text, int32_t y, int32_t shadow_colour) {
    int32_t length = static_cast<int32_t>(std::strlen(text));
    int32_t w = gfx_text_width(text, length);
    gfx_move(PANEL_X + 1 - w / 2, y + 1);
    gfx_set_color(shadow_colour);
    gfx_print(text, length);
    gfx_move(PANEL_X - w / 2, y);
    gfx_set_color(TEXT_COLOUR);
    gfx_print(text, length);
}

void draw_bar(int32_t elapsed) {
    int32_t width = CELL_SIZE * board.cols;
    int32_t bottom = board.bottom_y - CELL_SIZE * board.rows;
    int32_t top = bottom - CELL_SIZE;
    int32_t x = board.left_x + elapsed;
    gfx_set_color(BAR_FILL_COLOUR);
    gfx_rect_clipped(x, board.left_x + width, top, bottom);
    gfx_set_color(BAR_FRAME_COLOUR);
    gfx_box(board.left_x - 2, board.left_x + width + 2, top - 1, bottom);
    gfx_move(x, top);
    gfx_line_to(x, bottom);
    gfx_move(x - 1, top);
    gfx_line_to(x - 1, bottom);
}

}  // namespace

int32_t time_bar_elapsed(int32_t remaining, int32_t limit, int32_t width) {
    // Expired, or a limit of 0 or less: fully elapsed (and no division by it).
    if (limit <= 0 || remaining < 0 || remaining > limit) return width;
    double left = static_cast<double>(remaining) / limit * width;
    int32_t elapsed = width - static_cast<int32_t>(left);
    if (elapsed > width || elapsed < 0) return width;
    return elapsed;
}

int32_t format_clock(int32_t remaining, char* text, int32_t* minutes) {
    int32_t m = 0;
    int32_t s = 0;
    if (remaining >= 0) {
        // The second under way is shown: 999 ms reads 0:01, 1000 ms 0:02.
        m = remaining / 60000;
        s = (remaining % 60000) / 1000 + 1;
        if (s == 60) {
            m++;
            s = 0;
        }
    }
    std::snprintf(text, 16, "%0d:%02d", static_cast<int>(m), static_cast<int>(s));
    if (minutes) *minutes = m;
    return s;
}

void draw_time_bar() {
    int32_t width = CELL_SIZE * board.cols;
    draw_bar(time_bar_elapsed(clock_diff(game.deadline, clock_now()), game.time_limit, width));
}

void draw_frozen_time_bar() {
    int32_t width = CELL_SIZE * board.cols;
    int32_t elapsed = game.frozen_bar_x;
    if (elapsed > width) elapsed = width;
    if (elapsed < 0) elapsed = 0;
    draw_bar(elapsed);
}

void draw_clock() {
    char text[16];
    int32_t minutes = 0;
    int32_t seconds = format_clock(clock_diff(game.deadline, clock_now()), text, &minutes);
    print_centred(text, 575, 1);
    if (minutes == 0 && seconds >= 1 && seconds <= 5 && seconds != clock_last_seconds) {
        snd_play_slot(SND_TICK);
    }
    clock_last_seconds = seconds;
}

void draw_hud_numbers() {
    char text[32];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(game.score));
    format_thousands(text);
    print_centred(text, 203, 0);
    std::snprintf(text, sizeof text, "%d", static_cast<int>(game.level));
    print_centred(text, 280, 0);
}

void format_thousands(char* text) {
    // A minus sign stays in front and is not part of the groups.
    char* digits = text[0] == '-' ? text + 1 : text;
    int32_t length = static_cast<int32_t>(std::strlen(digits));
    if (length < 4) return;
    int32_t commas = (length - 1) / 3;
    if (length + commas >= SCRATCH) return;
    char scratch[SCRATCH];
    int32_t out = 0;
    int32_t since_comma = 0;
    for (int32_t i = length - 1; i >= 0; i--) {
        if (since_comma == 3) {
            scratch[out++] = ',';
            since_comma = 0;
        }
        scratch[out++] = digits[i];
        since_comma++;
    }
    for (int32_t i = 0; i < out; i++) digits[i] = scratch[out - 1 - i];
    digits[out] = '\0';
}
