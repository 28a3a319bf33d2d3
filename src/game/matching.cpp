// Completed rows: a row that reproduces the preview row (the special stone matching
// anything), or that holds two special stones side by side.
#include "game/game.h"

namespace {

int32_t kind_at(int32_t row, int32_t col) {
    return board.cells[row * board.cols + col].kind;
}

// 0: no pair of specials; 2: a pair; 3: a run of three or more (which also lowers
// the penalty). Only the first pair from the left counts.
int32_t special_run(int32_t row) {
    for (int32_t j = 0; j + 1 < board.cols; j++) {
        if (kind_at(row, j) != STONE_SPECIAL || kind_at(row, j + 1) != STONE_SPECIAL) continue;
        if (j + 2 < board.cols && kind_at(row, j + 2) == STONE_SPECIAL) return 3;
        return 2;
    }
    return 0;
}

bool matches_preview(int32_t row) {
    for (int32_t j = 0; j < board.cols; j++) {
        int32_t c = kind_at(row, j);
        int32_t p = board.preview[j];
        if (c == NO_STONE) return false;
        if (c != p && c != STONE_SPECIAL && p != STONE_SPECIAL) return false;
    }
    return true;
}

}  // namespace

int32_t find_matching_row() {
    int32_t rows = board.cols > 0 ? board_cell_count() / board.cols : 0;
    for (int32_t i = 0; i < rows; i++) {
        int32_t run = special_run(i);
        if (run == 3) {
            if (game.penalty > INT32_MIN) game.penalty--;
            return i;
        }
        if (run == 2) return i;
        if (matches_preview(i)) return i;
    }
    return -1;
}

void settle_matches() {
    for (;;) {
        int32_t row = find_matching_row();
        if (row < 0) return;
        clear_row(row);
        add_score(100);
        generate_preview();
        start_row_timer();
    }
}

void add_score(int32_t points) {
    int64_t score = static_cast<int64_t>(game.score) + points;
    if (score > INT32_MAX) score = INT32_MAX;
    if (score < INT32_MIN) score = INT32_MIN;
    game.score = static_cast<int32_t>(score);
}

int32_t row_bonus(int32_t remaining, int32_t row_ms) {
    if (row_ms <= 0) return 0;
    // Division first, then the scale, truncated toward zero; within int32 since
    // |remaining| / row_ms * 1000 is below 2^31 / 30.
    double bonus = static_cast<double>(remaining) / row_ms * 1000.0;
    if (bonus > INT32_MAX) return INT32_MAX;
    if (bonus < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(bonus);
}
