// A game from its start: the row timer and the game screen's four handlers.
#include "game/game.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

bool in_pause_button(int32_t x, int32_t y) {
    return 10 < x && x < 190 && 506 < y && y < 548;
}

namespace {

// The corner square that skips to the next level (bounds exclusive).
bool in_corner_square(int32_t x, int32_t y) {
    return 27 < x && x < 62 && 10 < y && y < 54;
}

// Difficulty 1, 2, 3: kinds, speed and size before the first level adds a kind.
struct DifficultyStart {
    int32_t kind_count;
    int32_t speed_index;
    int32_t size_index;
};
constexpr DifficultyStart DIFFICULTY_START[3] = {{1, 1, 0}, {2, 0, 0}, {3, 0, 0}};

// The screen direction of an arrow key or its WASD twin.
bool arrow_direction(int32_t key, int32_t* dx, int32_t* dy) {
    struct Arrow {
        int32_t key;
        int32_t dx;
        int32_t dy;
    };
    constexpr Arrow ARROWS[] = {
        {KEY_LEFT, -1, 0}, {KEY_RIGHT, 1, 0}, {KEY_UP, 0, -1}, {KEY_DOWN, 0, 1},
        {KEY_A, -1, 0},    {KEY_D, 1, 0},     {KEY_W, 0, -1},  {KEY_S, 0, 1},
    };
    for (const Arrow& arrow : ARROWS) {
        if (arrow.key == key) {
            *dx = arrow.dx;
            *dy = arrow.dy;
            return true;
        }
    }
    return false;
}

}  // namespace

TypeAhead type_ahead = {};

namespace {

void keep_press(int32_t dx, int32_t dy) {
    if (type_ahead.count >= TYPE_AHEAD_MAX) return;
    type_ahead.dx[type_ahead.count] = dx;
    type_ahead.dy[type_ahead.count] = dy;
    type_ahead.count++;
}

// One kept press, when the board is still and the game screen shows: it starts
// a slide, or (when no stone stands on that side) nothing, as a press would.
void apply_kept_press() {
    if (type_ahead.count == 0 || game.busy != BUSY_IDLE || current_screen != SCREEN_GAME) return;
    int32_t dx = type_ahead.dx[0];
    int32_t dy = type_ahead.dy[0];
    type_ahead.count--;
    for (int32_t i = 0; i < type_ahead.count; i++) {
        type_ahead.dx[i] = type_ahead.dx[i + 1];
        type_ahead.dy[i] = type_ahead.dy[i + 1];
    }
    try_move(stone_toward_gap(dx, dy));
}

}  // namespace

void reset_type_ahead() {
    type_ahead = {};
}

void start_game() {
    reset_type_ahead();
    clear_cells();
    game.start_difficulty = profile.difficulty;
    if (profile.difficulty >= 1 && profile.difficulty <= 3) {
        const DifficultyStart& start = DIFFICULTY_START[profile.difficulty - 1];
        game.kind_count = start.kind_count;
        game.speed_index = start.speed_index;
        game.size_index = start.size_index;
    }
    game.level = 0;
    start_level();
    snd_play_slot(SND_CLICK);
    install_game_screen();
    game.game_state = GAME_PLAYING;
    game.score = 0;
    start_row_timer();
}

void start_row_timer() {
    int64_t limit = static_cast<int64_t>(ROW_TIME_MS[table_index(game.speed_index)]) -
                    static_cast<int64_t>(PENALTY_MS) * game.penalty;
    if (limit > INT32_MAX) limit = INT32_MAX;
    if (limit < INT32_MIN) limit = INT32_MIN;
    game.time_limit = static_cast<int32_t>(limit);
    game.deadline = clock_add(clock_now(), game.time_limit);
}

bool row_time_up() {
    return clock_passed(game.deadline);
}

void game_on_tick() {
    draw_frame_base();
    draw_clock();
    draw_time_bar();
    draw_preview_row();
    present_frame();
    if (row_time_up() && game.busy == BUSY_IDLE) push_preview_row();
    apply_kept_press();
}

void game_on_mouse_move(int32_t x, int32_t y) {
    if (menu_hover(x, y) >= 0) return;
    if (in_pause_button(x, y)) {
        hover = {11, 549, BUTTON_W, BUTTON_H, images.button[3]};
    }
}

void game_on_click(int32_t x, int32_t y) {
    if (game.busy != BUSY_IDLE) return;
    // A finger's tap near the pause button or the corner square lands on it; one
    // near the board stays for its stones.
    const TapTarget own[] = {
        {10, 190, 506, 548, false},
        {27, 62, 10, 54, false},
        {board.left_x - 1, board.left_x + CELL_SIZE * board.cols,
         board.bottom_y - CELL_SIZE * board.rows - 1, board.bottom_y + 1, true},
    };
    land_menu_tap(nullptr, own, 3, &x, &y);
    if (menu_click(x, y) >= 0) return;
    if (in_pause_button(x, y)) {
        pause_game();
        return;
    }
    if (in_corner_square(x, y)) {
        // The next level at once; the current row keeps its deadline.
        start_level();
        return;
    }
    try_move(cell_at(x, y));
}

void game_on_key(int32_t key) {
    int32_t dx = 0;
    int32_t dy = 0;
    if (key == KEY_ESCAPE) {
        // Not while a stone is on its way: its landing must not happen under the
        // pause screen, where a cleared row would restart a suspended timer.
        if (game.game_state == GAME_PLAYING && game.busy == BUSY_IDLE) pause_game();
    } else if (key == KEY_SPACE || key == KEY_P || key == KEY_PAUSE) {
        // As a click on the pause button, which waits for a move to end.
        if (game.busy == BUSY_IDLE) pause_game();
    } else if (arrow_direction(key, &dx, &dy)) {
        // As a click on the stone that the arrow moves into the gap; while the
        // board moves, kept for when it is still.
        if (game.busy == BUSY_IDLE && type_ahead.count == 0) {
            try_move(stone_toward_gap(dx, dy));
        } else {
            keep_press(dx, dy);
        }
    } else {
        menu_key(key);
    }
}

void install_game_screen() {
    install_screen(SCREEN_GAME, game_on_tick, game_on_mouse_move, game_on_click, game_on_key);
    screen_hooks.on_focus_lost = game_on_focus_lost;
}

void game_on_focus_lost() {
    if (game.game_state == GAME_PLAYING && game.busy == BUSY_IDLE) pause_game();
}
