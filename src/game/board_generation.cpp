// A level's board and each preview row, drawn from the game's generator, and the
// progression from one level to the next.
#include "game/game.h"
#include "runtime/clock.h"
#include "sound/sound.h"

namespace {

constexpr int32_t KIND_LIMIT = 31;  // stone pictures 0..30
constexpr int32_t START_ROWS = 7;
constexpr int32_t BOTTOM_Y = 574;
constexpr int32_t SPECIAL_CHANCE = 20;  // one preview column in twenty

void seed_from_clock() {
    game_srand(static_cast<uint32_t>(clock_now()));
}

// Counts the cells a preview column may still be taken from.
int32_t pickable_cells(int32_t count) {
    int32_t found = 0;
    for (int32_t i = 0; i < count; i++) {
        if (board.cells[i].picked == 0 && board.cells[i].kind != NO_STONE) found++;
    }
    return found;
}

}  // namespace

void clear_cells() {
    for (Cell& cell : board.cells) {
        cell.row = -1;
        cell.col = -1;
        cell.kind = NO_STONE;
        cell.picked = 1;
    }
}

void generate_board() {
    // Four kinds would give the special stone no partner kind: play with five.
    if (game.kind_count == 4) game.kind_count = 5;
    int32_t budget = 0;
    if (game.kind_count >= 4) budget = game_rand() % game.kind_count + 1;
    if (game.kind_count > KIND_LIMIT) game.kind_count = KIND_LIMIT;
    int32_t kinds = game.kind_count < 1 ? 1 : game.kind_count;
    seed_from_clock();

    board.rows = START_ROWS;
    board.cols = BOARD_COLUMNS[table_index(game.size_index)];
    board.bottom_y = BOTTOM_Y;
    board.left_x = ((MAX_COLS - board.cols) / 2) * CELL_SIZE + 225;
    board.gap = game_rand() % (board.cols * board.rows);

    int32_t parity = 1;
    for (int32_t r = 0; r < board.rows; r++) {
        for (int32_t c = 0; c < board.cols; c++) {
            int32_t d = game_rand() % kinds;
            if (d == STONE_SPECIAL) {
                if (budget > 0) {
                    budget--;
                } else {
                    d = STONE_SPECIAL + parity;  // 4 on even squares, 2 on odd ones
                }
            }
            Cell& cell = board.cells[r * board.cols + c];
            cell.row = r;
            cell.col = c;
            cell.kind = d;
            cell.picked = 1;
            parity = -parity;
        }
    }
    board.cells[board.gap].kind = NO_STONE;
}

void generate_preview() {
    if (board.rows == 1) return;
    int32_t count = board_cell_count();
    if (count <= 0) return;
    seed_from_clock();
    for (int32_t i = 0; i < count; i++) board.cells[i].picked = 0;
    for (int32_t i = 0; i < board.cols && i < MAX_COLS; i++) {
        if (game_rand() % SPECIAL_CHANCE == 0) {
            board.preview[i] = STONE_SPECIAL;
            continue;
        }
        // A board in play always has more stones than columns; should none be left,
        // the wildcard keeps the row reachable instead of searching for ever.
        if (pickable_cells(count) == 0) {
            board.preview[i] = STONE_SPECIAL;
            continue;
        }
        int32_t k;
        do {
            k = game_rand() % count;
        } while (board.cells[k].picked != 0 || board.cells[k].kind == NO_STONE);
        board.cells[k].picked = 1;
        board.preview[i] = board.cells[k].kind;
    }
}

void start_level() {
    snd_play_slot(SND_LEVEL);
    int32_t previous_kinds = game.kind_count;
    // One past the limit is fine: generate_board draws its budget, then clamps.
    if (game.kind_count < INT32_MAX) game.kind_count++;
    if (game.level < INT32_MAX) game.level++;
    game.penalty = 0;
    game.blink = BLINK_SHOW_FIRST;
    // Every fourth level widens the board instead of adding a kind.
    if (game.level % 4 == 0) {
        game.size_index++;
        game.kind_count = previous_kinds;
    }
    if (game.level % 8 == 0) game.speed_index++;
    game.size_index = table_index(game.size_index);
    game.speed_index = table_index(game.speed_index);
    generate_board();
    generate_preview();
    rebuild_backdrop();
}
