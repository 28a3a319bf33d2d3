// The one board and the one game of the program, and the fixed tables.
#include "game/game.h"

namespace {
constexpr Game kGameAtStart = {0, 0, 3, 0, 0, 0, 0, 0, GAME_NONE, 0, BUSY_IDLE, 0, 0};
}

Board board;
Game game = kGameAtStart;

void reset_game_records() {
    board = {};
    game = kGameAtStart;
}

const int32_t ROW_TIME_MS[4] = {30000, 45000, 60000, 75000};
const int32_t BOARD_COLUMNS[4] = {5, 7, 9, 11};

int32_t table_index(int32_t index) {
    if (index < 0) return 0;
    if (index > 3) return 3;
    return index;
}

int32_t board_cell_count() {
    int32_t rows = board.rows < 0 ? 0 : (board.rows > MAX_COLS ? MAX_COLS : board.rows);
    int32_t cols = board.cols < 0 ? 0 : (board.cols > MAX_COLS ? MAX_COLS : board.cols);
    return rows * cols;
}
