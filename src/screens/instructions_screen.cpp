// The instructions screen: one picture with the rules, as a menu screen.
#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/catalogue.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

// The resume button lies over the lower left of the picture.
constexpr ResumeButton RESUME = {240, 560};

void instructions_on_tick() {
    draw_background();
    gfx_move(228, 577);
    gfx_put_image(images.instructions, INSTRUCTIONS_W, INSTRUCTIONS_H);
    draw_resume_if_paused(RESUME);
    draw_hover();
    present_frame();
}

void instructions_on_mouse_move(int32_t x, int32_t y) {
    menu_screen_mouse_move(RESUME, x, y);
}

void instructions_on_click(int32_t x, int32_t y) {
    menu_screen_click(RESUME, x, y, nullptr);
}

void instructions_on_key(int32_t key) {
    if (!menu_screen_key(RESUME, 0, key)) paused_on_key(key);
}

}  // namespace

void enter_instructions() {
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_INSTRUCTIONS, instructions_on_tick, instructions_on_mouse_move,
                   instructions_on_click, instructions_on_key);
}
