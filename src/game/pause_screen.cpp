// Suspending and resuming a game, and the pause screen's handlers. While a game is
// suspended its `deadline` holds the time already used in the row.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

void suspend_game() {
    // Presses kept for the board do not outlive the game screen.
    reset_type_ahead();
    game.game_state = GAME_PAUSED;
    // used = now + time_limit - deadline, in the clock's wrapping arithmetic.
    game.deadline = clock_add(clock_diff(clock_now(), game.deadline), game.time_limit);
}

void pause_game() {
    clear_hover();
    int32_t width = CELL_SIZE * board.cols;
    game.frozen_bar_x =
        time_bar_elapsed(clock_diff(game.deadline, clock_now()), game.time_limit, width);
    suspend_game();
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_PAUSE, pause_on_tick, pause_on_mouse_move, pause_on_click, pause_on_key);
}

void resume_game() {
    clear_hover();
    // A difficulty changed during the pause means a new game.
    if (game.start_difficulty != profile.difficulty) {
        start_game();
        return;
    }
    int32_t used = game.deadline;
    start_row_timer();
    game.deadline = clock_diff(game.deadline, used);
    snd_play_slot(SND_CLICK);
    install_game_screen();
    game.game_state = GAME_PLAYING;
}

void pause_on_tick() {
    draw_background();
    draw_board_strips();
    draw_paused_button();
    draw_hover();
    draw_stones();
    draw_hud_numbers();
    draw_frozen_time_bar();
    draw_preview_row();
    present_frame();
}

void pause_on_mouse_move(int32_t x, int32_t y) {
    if (in_pause_button(x, y)) {
        hover = {11, 549, BUTTON_W, BUTTON_H, images.button[5]};
    } else {
        clear_hover();
    }
}

void pause_on_click(int32_t x, int32_t y) {
    constexpr TapTarget RESUME[] = {{10, 190, 506, 548, false}};
    land_tap(RESUME, 1, &x, &y);
    if (in_pause_button(x, y)) resume_game();
}

// The menu screens' keys: Esc resumes a paused game, the digits press the menu
// buttons.
void paused_on_key(int32_t key) {
    if (key == KEY_ESCAPE) {
        if (game.game_state == GAME_PAUSED) resume_game();
    } else {
        menu_key(key);
    }
}

// The pause screen's keys: Space and P resume as the pause button does; the menu
// bar does not react here, to its digits either.
void pause_on_key(int32_t key) {
    if (key == KEY_SPACE || key == KEY_P || key == KEY_PAUSE) {
        if (game.game_state == GAME_PAUSED) resume_game();
    } else if (key == KEY_ESCAPE) {
        paused_on_key(key);
    }
}
