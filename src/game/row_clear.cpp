// Clearing a completed row: its bonus, the drop animation in frames of its own, and
// the removal of the row with the rows above it moving down.
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

constexpr int32_t DROP_STEP_PX = 40;
constexpr int32_t FRAME_MS = 16;
constexpr int32_t SCREEN_HEIGHT = 600;

void draw_row(int32_t row, int32_t y) {
    for (int32_t c = 0; c < board.cols; c++) {
        const Cell& cell = board.cells[row * board.cols + c];
        if (cell.kind != NO_STONE) draw_stone(cell.kind, board.left_x + CELL_SIZE * cell.col, y);
    }
}

// The still part of the animation: the board without the completed row, the
// numbers and the bonus where the clock stands.
void draw_animation_backdrop(int32_t row, const char* bonus_text) {
    draw_background();
    draw_board_strips();
    draw_hover();
    int32_t count = board_cell_count();
    for (int32_t i = 0; i < count; i++) {
        const Cell& cell = board.cells[i];
        if (cell.row == row || cell.kind == NO_STONE) continue;
        draw_stone(cell.kind, board.left_x + CELL_SIZE * cell.col,
                   board.bottom_y - CELL_SIZE * cell.row);
    }
    draw_hud_numbers();
    int32_t length = static_cast<int32_t>(std::strlen(bonus_text));
    int32_t w = gfx_text_width(bonus_text, length);
    gfx_move(101 - w / 2, 571);
    gfx_set_color(1);
    gfx_print(bonus_text, length);
    gfx_move(100 - w / 2, 570);
    gfx_set_color(7);
    gfx_print(bonus_text, length);
}

// The preview row falls onto the completed row, which then drops off the bottom
// while the preview row rebounds off the top.
void drop_animation(int32_t row) {
    int32_t p = board.bottom_y - CELL_SIZE * board.rows;
    int32_t step = DROP_STEP_PX;
    int32_t t = board.bottom_y - CELL_SIZE * row;
    int32_t v = 0;
    while (p >= -CELL_SIZE) {
        gfx_copy_buffer(backdrop_buffer, active_buffer);
        for (int32_t i = 0; i < board.cols; i++) {
            draw_stone(board.preview[i], board.left_x + CELL_SIZE * i, p);
        }
        p += step;
        if (p >= t) {
            snd_play_slot(SND_STRIKE);
            v = DROP_STEP_PX;
            step = -DROP_STEP_PX;
            p = t - CELL_SIZE;
        }
        if (t < SCREEN_HEIGHT) draw_row(row, t);
        t += v;
        game.blink = BLINK_SHOW_FIRST;
        present_frame();
        arm_tick(FRAME_MS);
        wait_for_tick();
    }
}

// Removes the row: the rows above move down by one, the gap with them. A row that
// held the gap (only a special run completes one) costs one more stone.
void remove_row(int32_t row) {
    int32_t cols = board.cols;
    if (row + 1 == board.rows) {
        if (board.gap / cols == row && board.gap - cols >= 0) {
            board.gap -= cols;
            board.cells[board.gap].kind = NO_STONE;
        }
        return;
    }
    int32_t count = board_cell_count();
    for (int32_t i = (row + 1) * cols; i < count; i++) {
        int32_t below = i - cols;
        if (i == board.gap) {
            board.cells[below].kind = NO_STONE;
            board.gap = below;
        } else if (below == board.gap) {
            board.cells[i].kind = NO_STONE;  // lost: the gap stays where it is
        } else {
            board.cells[below].kind = board.cells[i].kind;
        }
        board.cells[i].kind = NO_STONE;
    }
}

}  // namespace

void clear_row(int32_t row) {
    if (board.cols <= 0 || row < 0 || row >= board_cell_count() / board.cols) return;
    int32_t remaining = clock_diff(game.deadline, clock_now());
    int32_t bonus = row_bonus(remaining, ROW_TIME_MS[table_index(game.speed_index)]);
    char bonus_text[32];
    std::snprintf(bonus_text, sizeof bonus_text, "BONUS %d", static_cast<int>(bonus));
    snd_play_slot(SND_CLEAR);
    draw_animation_backdrop(row, bonus_text);
    gfx_copy_buffer(active_buffer, backdrop_buffer);
    drop_animation(row);
    add_score(bonus);
    remove_row(row);
    rebuild_backdrop();
    board.rows--;
    if (board.rows == 1) start_level();
}
