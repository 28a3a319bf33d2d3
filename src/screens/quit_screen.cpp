// The quit confirmation: a picture with a going-back button and a quit button.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

bool in_back_button(int32_t x, int32_t y) {
    return 359 < x && x < 434 && 196 < y && y < 236;
}
bool in_quit_button(int32_t x, int32_t y) {
    return 545 < x && x < 620 && 196 < y && y < 236;
}

// Going back resumes a paused game, or else opens the first menu screen; it
// never returns to the screen the player came from.
void go_back() {
    // The menu button that opened the dialog is no longer under the mouse.
    clear_hover();
    if (game.game_state == GAME_PAUSED) {
        resume_game();
    } else {
        enter_first_run_choice();
    }
}

void quit_on_tick() {
    draw_background();
    gfx_move(259, 324);
    gfx_put_image(images.quit, QUIT_W, QUIT_H);
    present_frame();
}

void quit_on_click(int32_t x, int32_t y) {
    // The two buttons stand far apart: a finger's tap beside one lands on it.
    constexpr TapTarget BUTTONS[] = {{359, 434, 196, 236, false}, {545, 620, 196, 236, false}};
    land_tap(BUTTONS, 2, &x, &y);
    if (in_back_button(x, y)) {
        go_back();
    } else if (in_quit_button(x, y)) {
        destroy_main_window();
    }
}

// Enter or Y quit as the quit button does; N goes back as Esc does.
void quit_on_key(int32_t key) {
    if (key == KEY_ESCAPE || key == KEY_N) {
        go_back();
    } else if (key == KEY_ENTER || key == KEY_Y) {
        destroy_main_window();
    }
}

}  // namespace

void enter_quit_confirm() {
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_QUIT, quit_on_tick, ignore_point, quit_on_click, quit_on_key);
}
