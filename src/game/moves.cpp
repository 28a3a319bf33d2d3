// Moves: the stone under a click, the adjacency test, and the two-frame slide that
// ends with the stone landing in the gap.
#include "game/game.h"
#include "runtime/screen_slots.h"
#include "sound/sound.h"

namespace {

constexpr int32_t SLIDE_FRAMES = 2;
constexpr int32_t SLIDE_STEP_PX = 20;  // how far the first frame shows the stone

}  // namespace

int32_t cell_at(int32_t x, int32_t y) {
    int32_t count = board_cell_count();
    for (int32_t i = 0; i < count; i++) {
        const Cell& cell = board.cells[i];
        if (cell.kind == NO_STONE) continue;
        int32_t y0 = board.bottom_y - CELL_SIZE * cell.row;
        int32_t x0 = board.left_x + CELL_SIZE * cell.col;
        // Strict on all four sides: the lines between cells belong to none.
        if (y0 - CELL_SIZE < y && y < y0 && x0 < x && x < x0 + CELL_SIZE) return i;
    }
    return -1;
}

void try_move(int32_t index) {
    if (index < 0 || index >= board_cell_count()) return;
    if (board.gap < 0 || board.gap >= board_cell_count()) return;
    const Cell& cell = board.cells[index];
    const Cell& gap = board.cells[board.gap];
    int32_t dx = 0;
    int32_t dy = 0;
    if (cell.row == gap.row && cell.col + 1 == gap.col) {
        dx = 1;
    } else if (cell.row == gap.row && cell.col - 1 == gap.col) {
        dx = -1;
    } else if (cell.col == gap.col && cell.row - 1 == gap.row) {
        dy = 1;  // the gap is in the row below: downwards on screen
    } else if (cell.col == gap.col && cell.row + 1 == gap.row) {
        dy = -1;
    } else {
        return;
    }
    board.slide_dx = dx;
    board.slide_dy = dy;
    snd_play_slot(SND_SLIDE);
    board.cells[index].slide_ticks = SLIDE_FRAMES;
    // Show the first frame now rather than on the next tick.
    if (screen_handlers.on_tick) screen_handlers.on_tick();
}

int32_t stone_toward_gap(int32_t dx, int32_t dy) {
    if (board.gap < 0 || board.gap >= board_cell_count()) return -1;
    const Cell& gap = board.cells[board.gap];
    // The stone stands on the side the move comes from; screen y grows downwards
    // while board rows count upwards, so a move up comes from the row below.
    int32_t col = gap.col - dx;
    int32_t row = gap.row + dy;
    if (col < 0 || col >= board.cols || row < 0 || row >= board.rows) return -1;
    int32_t index = row * board.cols + col;
    if (index >= board_cell_count() || board.cells[index].kind == NO_STONE) return -1;
    return index;
}

bool slide_step(int32_t index) {
    Cell& cell = board.cells[index];
    game.busy = BUSY_SLIDING;
    cell.slide_ticks--;
    int32_t x = board.left_x + CELL_SIZE * cell.col;
    int32_t y = board.bottom_y - CELL_SIZE * cell.row;
    if (cell.slide_ticks > 0) {
        draw_stone(cell.kind, x + SLIDE_STEP_PX * board.slide_dx,
                   y + SLIDE_STEP_PX * board.slide_dy);
        return true;
    }
    draw_stone(cell.kind, x + CELL_SIZE * board.slide_dx, y + CELL_SIZE * board.slide_dy);
    int32_t kind = cell.kind;
    cell.kind = NO_STONE;
    game.busy = BUSY_MATCHING;
    board.cells[board.gap].kind = kind;
    board.gap = index;
    settle_matches();
    game.busy = BUSY_IDLE;
    return false;
}
