#include "big_board.h"

#include "game/game.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "shell/program.h"

bool start_big_board_game() {
    if (!start_program()) return false;
    profile.difficulty = 3;
    start_game();
    game.size_index = 3;
    game.kind_count = 12;
    generate_board();
    for (int32_t r = board.rows; r < MAX_ROWS; r++) {
        for (int32_t c = 0; c < board.cols; c++) {
            board.cells[r * board.cols + c] = {r, c, (r * 7 + c * 3) % 12, 1, 0};
        }
    }
    board.rows = MAX_ROWS;
    generate_preview();
    rebuild_backdrop();
    return true;
}

void big_board_frame() {
    game.deadline = clock_add(clock_now(), 50000);
    game_on_tick();
}
