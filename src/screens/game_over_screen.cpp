// The game-over screen: the final board with its caption for ten seconds, then
// name entry for a score that enters the table, or the table itself.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

constexpr int32_t GAME_OVER_MS = 10000;
// Clicks and Enter that were made while the last row still flashed wait in the
// queue and would end the screen the moment it appears; they count only after
// this long. Esc acts at once, as it always has.
constexpr int32_t GAME_OVER_GRACE_MS = 600;

bool grace_over() {
    return clock_passed(clock_add(screen_timer, GAME_OVER_GRACE_MS - GAME_OVER_MS));
}

void leave_game_over() {
    if (score_beats_table(game.score)) {
        enter_name_entry();
    } else {
        enter_high_scores();
    }
}

void game_over_on_tick() {
    // Every tick: no game counts as paused any more.
    game.game_state = GAME_NONE;
    if (clock_passed(screen_timer)) {
        leave_game_over();
        return;
    }
    draw_frame_base();
    gfx_move(275, 200);
    gfx_put_image(images.game_over, GAME_OVER_W, GAME_OVER_H);
    present_frame();
}

// Esc, Enter or a click end the wait.
void end_game_over_wait() {
    game.game_state = GAME_NONE;
    leave_game_over();
}

void game_over_on_key(int32_t key) {
    if (key == KEY_ESCAPE || (key == KEY_ENTER && grace_over())) end_game_over_wait();
}

void game_over_on_click(int32_t, int32_t) {
    if (grace_over()) end_game_over_wait();
}

}  // namespace

void enter_game_over() {
    set_screen_timer(GAME_OVER_MS);
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_GAME_OVER, game_over_on_tick, ignore_point, game_over_on_click,
                   game_over_on_key);
}
