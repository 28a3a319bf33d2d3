// The intro: two strips held still for two seconds, then sliding together with
// growing speed until they meet with a click, then the title until six seconds
// have passed. Its end starts the music and opens the first menu screen.
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {
constexpr int32_t STRIP_START_Y = 59;  // the upper strip's lower edge before the slide
}

int32_t intro_pos = STRIP_START_Y;
int32_t intro_speed = 1;

void reset_intro() {
    intro_pos = STRIP_START_Y;
    intro_speed = 1;
}

namespace {

constexpr int32_t STRIP_X = 100;
constexpr int32_t SLIDE_END = 330;    // the strips have met once intro_pos passes it
constexpr int32_t STRIPS_SPAN = 659;  // upper edge + lower edge of the two strips
constexpr int32_t SPEED_GROWTH = 4;
constexpr int32_t TITLE_Y = 450;
constexpr int32_t SLIDE_MS = 6000;

// The lower strip starts one row below the picture: it is drawn clipped.
void draw_strips(int32_t upper_y) {
    gfx_move(STRIP_X, upper_y);
    gfx_put_image_clipped(images.splash2, SPLASH_W, SPLASH_STRIP_H);
    gfx_move(STRIP_X, STRIPS_SPAN - upper_y);
    gfx_put_image_clipped(images.splash1, SPLASH_W, SPLASH_STRIP_H);
}

void end_intro() {
    if (sound_slots[SND_MUSIC].clip) snd_play(sound_slots[SND_MUSIC].clip, DSBPLAY_LOOPING);
    gfx_show_cursor(1);
    enter_first_run_choice();
}

void intro_slide_tick() {
    if (clock_passed(screen_timer)) {
        end_intro();
        return;
    }
    gfx_erase();
    if (intro_pos <= SLIDE_END) {
        draw_strips(intro_pos);
        intro_speed += SPEED_GROWTH;
        intro_pos += intro_speed;
        if (intro_pos > SLIDE_END) snd_play_slot(SND_CLICK);
    } else {
        gfx_move(STRIP_X, TITLE_Y);
        gfx_put_image(images.splash3, SPLASH_W, SPLASH_TITLE_H);
        intro_pos = SLIDE_END + 1;
    }
    present_frame();
}

// Start-up armed the screen timer for the still phase.
void intro_still_tick() {
    if (clock_passed(screen_timer)) {
        set_screen_timer(SLIDE_MS);
        screen_handlers.on_tick = intro_slide_tick;
        return;
    }
    gfx_erase();
    draw_strips(STRIP_START_Y);
    present_frame();
}

void intro_on_key(int32_t key) {
    if (key == KEY_ESCAPE || key == KEY_SPACE) end_intro();
}

// A click skips the intro as Esc does.
void intro_on_click(int32_t, int32_t) {
    end_intro();
}

}  // namespace

void enter_intro() {
    gfx_show_cursor(0);
    install_screen(SCREEN_INTRO, intro_still_tick, ignore_point, intro_on_click, intro_on_key);
}
