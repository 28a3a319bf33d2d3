// What the menu screens share: the resume button they show while a game is paused,
// with its hover and its click beside the menu bar's.
#include "game/game.h"
#include "gfx/gfx.h"
#include "screens/screens.h"
#include "shell/catalogue.h"

namespace {

bool in_resume_button(const ResumeButton& button, int32_t x, int32_t y) {
    return button.x < x && x < button.x + BUTTON_W && button.y - BUTTON_H < y && y < button.y;
}

}  // namespace

void menu_screen_mouse_move(const ResumeButton& button, int32_t x, int32_t y) {
    if (menu_hover(x, y) >= 0) return;
    if (game.game_state == GAME_PAUSED && in_resume_button(button, x, y)) {
        hover = {button.x + 1, button.y + 1, BUTTON_W, BUTTON_H, images.button[1]};
    }
}

int32_t menu_screen_click(const ResumeButton& button, int32_t x, int32_t y, bool* resumed) {
    if (resumed) *resumed = false;
    int32_t hit = menu_click(x, y);
    if (hit >= 0) return hit;
    if (game.game_state == GAME_PAUSED && in_resume_button(button, x, y)) {
        if (resumed) *resumed = true;
        resume_game();
    }
    return -1;
}

void draw_resume_if_paused(const ResumeButton& button) {
    if (game.game_state != GAME_PAUSED) return;
    gfx_move(button.x, button.y);
    gfx_put_image(images.button[0], BUTTON_W, BUTTON_H);
    draw_hud_numbers();
}
