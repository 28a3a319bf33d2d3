// The game screen's board: the background and its cached copy, the strips behind
// the columns, the pause button, the stones with the gap frame, the preview row.
#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "screens/screens.h"

namespace {
constexpr int32_t kPausedButtonAtStart = 4;
}

int32_t paused_button_picture = kPausedButtonAtStart;
int32_t paused_button_second = 0;

// Counts the rebuilds of the background, so that a frame can tell when a landing
// has cleared rows and redrawn the active buffer under it.
int32_t backdrop_builds = 0;

void reset_board_drawing() {
    paused_button_picture = kPausedButtonAtStart;
    paused_button_second = 0;
    backdrop_builds = 0;
}

namespace {

constexpr int32_t FRAME_COLOUR = 15;

void draw_gap_frame() {
    if (board.cols <= 0) return;
    int32_t r = board.gap / board.cols;
    int32_t c = board.gap % board.cols;
    int32_t x = board.left_x + CELL_SIZE * c;
    int32_t y = board.bottom_y - CELL_SIZE * r;
    gfx_set_color(FRAME_COLOUR);
    gfx_box(x, x + CELL_SIZE, y - CELL_SIZE, y);
}

}  // namespace

const uint8_t* stone_image(int32_t kind) {
    if (kind < 0 || kind >= STONE_COUNT) return nullptr;
    return images.stone[kind];
}

void draw_stone(int32_t kind, int32_t x, int32_t y) {
    const uint8_t* image = stone_image(kind);
    if (!image) return;
    gfx_move(x, y);
    gfx_put_image_clipped(image, STONE_SIZE, STONE_SIZE);
}

void draw_background() {
    gfx_move(0, 599);
    gfx_put_image(images.board, BOARD_W, BOARD_H);
}

void draw_board_strips() {
    int32_t x = 725 - ((MAX_COLS - board.cols) / 2) * CELL_SIZE;
    gfx_move(x, 599);
    gfx_put_image_clipped(images.checker0, CHECKER0_W, CHECKER_H);
    x -= CHECKER1_W;
    for (int32_t i = 1; i < board.cols; i += 2) {
        gfx_move(x, 599);
        gfx_put_image_clipped(images.checker1, CHECKER1_W, CHECKER_H);
        x -= 100;
    }
}

void draw_pause_button() {
    gfx_move(10, 548);
    gfx_put_image(images.button[2], BUTTON_W, BUTTON_H);
}

void draw_paused_button() {
    // Alternates between two pictures once a second.
    int32_t second = clock_now() / 1000;
    gfx_move(10, 548);
    if (second != paused_button_second) {
        paused_button_picture++;
        if (paused_button_picture > 5) paused_button_picture = 4;
    }
    if (paused_button_picture < 4 || paused_button_picture > 5) paused_button_picture = 4;
    gfx_put_image(images.button[paused_button_picture], BUTTON_W, BUTTON_H);
    paused_button_second = second;
}

void rebuild_backdrop() {
    draw_background();
    draw_board_strips();
    draw_pause_button();
    gfx_copy_buffer(active_buffer, backdrop_buffer);
    backdrop_builds++;
}

void draw_frame_base() {
    gfx_copy_buffer(backdrop_buffer, active_buffer);
    draw_hover();
    draw_stones();
    draw_hud_numbers();
}

void draw_stones() {
    bool in_motion = false;
    // The count is read again on every step: a landing may clear rows or start a
    // new level, and the visit then covers the board as it stands.
    for (int32_t i = 0; i < board_cell_count(); i++) {
        const Cell& cell = board.cells[i];
        if (cell.slide_ticks > 0) {
            int32_t builds = backdrop_builds;
            if (slide_step(i)) in_motion = true;
            if (builds != backdrop_builds) {
                // Rows were cleared: the active buffer now holds the bare
                // background, so the board is drawn again from its first cell
                // rather than leaving the cells visited so far blank.
                draw_hover();
                i = -1;
            }
            continue;
        }
        if (cell.kind > NO_STONE) {
            draw_stone(cell.kind, board.left_x + CELL_SIZE * cell.col,
                       board.bottom_y - CELL_SIZE * cell.row);
        }
    }
    if (in_motion) {
        // No frame while a stone moves, and none for about a second after it lands.
        game.blink = 0;
        return;
    }
    if (game.blink >= BLINK_SHOW_FIRST && game.blink <= BLINK_SHOW_LAST) draw_gap_frame();
    game.blink++;
    if (game.blink > 65) game.blink = 55;
}

void draw_preview_row() {
    int32_t y = board.bottom_y - CELL_SIZE * board.rows;
    for (int32_t i = 0; i < board.cols && i < MAX_COLS; i++) {
        draw_stone(board.preview[i], board.left_x + CELL_SIZE * i, y);
    }
}
