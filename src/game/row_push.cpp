// The row timer ran out: the preview row is flashed and pushed onto the board.
#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

constexpr int32_t FLASH_PICTURES = 3;
constexpr uint32_t FLASH_WAIT_TICKS = 10;  // 550 ms a picture
constexpr int32_t FLASH_COLOUR = 255;

void flash_band(int32_t picture) {
    draw_frame_base();
    gfx_set_color(FLASH_COLOUR);
    int32_t bottom = board.bottom_y - CELL_SIZE * board.rows;
    int32_t top = bottom - CELL_SIZE;
    int32_t left = board.left_x;
    int32_t right = board.left_x + CELL_SIZE * board.cols;
    // Filled, outlined, filled.
    if (picture == 1) {
        gfx_box(left, right, top, bottom);
    } else {
        gfx_rect_clipped(left, right, top, bottom);
    }
    draw_preview_row();
    present_frame();
    gfx_wait_ticks(FLASH_WAIT_TICKS);
}

}  // namespace

void push_preview_row() {
    game.busy = BUSY_PUSHING;
    // The new row goes just above the top row; there is room for it while the
    // board has at most ten rows, which is all a game in play ever has.
    int32_t first = board.rows * board.cols;
    if (board.rows >= 0 && board.rows <= MAX_ROWS && board.cols <= MAX_COLS) {
        for (int32_t i = 0; i < board.cols; i++) {
            Cell& cell = board.cells[first + i];
            cell.row = board.rows;
            cell.col = i;
            cell.kind = board.preview[i];
            cell.picked = 1;
        }
    }
    snd_play_slot(SND_PUSH);
    for (int32_t picture = 0; picture < FLASH_PICTURES; picture++) flash_band(picture);
    board.rows++;
    if (board.rows > MAX_ROWS) enter_game_over();
    if (game.penalty < INT32_MAX) game.penalty++;
    generate_preview();
    start_row_timer();
    game.blink = BLINK_SHOW_FIRST;
    game.busy = BUSY_IDLE;
}
