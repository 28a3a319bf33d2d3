// What the menu screens share: the resume button they show while a game is paused,
// with its hover and its click beside the menu bar's.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"

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
    land_menu_tap(&button, nullptr, 0, &x, &y);
    int32_t hit = menu_click(x, y);
    if (hit >= 0) return hit;
    if (game.game_state == GAME_PAUSED && in_resume_button(button, x, y)) {
        if (resumed) *resumed = true;
        resume_game();
    }
    return -1;
}

namespace {}  // namespace

int32_t menu_focus = -1;
int32_t focus_screen = SCREEN_NONE;

namespace {

int32_t focus_count(int32_t rows) {
    return rows + MENU_BUTTONS + (game.game_state == GAME_PAUSED ? 1 : 0);
}

void focus_centre(const ResumeButton& button, int32_t rows, int32_t* x, int32_t* y) {
    int32_t i = menu_focus - rows;
    if (i < MENU_BUTTONS) {
        menu_button_centre(i, x, y);
    } else {
        *x = button.x + BUTTON_W / 2;
        *y = button.y - BUTTON_H / 2;
    }
}

}  // namespace

void reset_menu_focus() {
    menu_focus = -1;
    focus_screen = SCREEN_NONE;
}

int32_t menu_focus_here() {
    if (focus_screen != current_screen) reset_menu_focus();
    return menu_focus;
}

void focus_menu_row(int32_t row) {
    menu_focus_here();
    focus_screen = current_screen;
    menu_focus = row;
    clear_hover();
}

bool menu_screen_key(const ResumeButton& button, int32_t rows, int32_t key) {
    menu_focus_here();
    focus_screen = current_screen;
    int32_t count = focus_count(rows);
    int32_t x;
    int32_t y;
    if (key == KEY_UP || key == KEY_DOWN) {
        int32_t step = key == KEY_DOWN ? 1 : count - 1;
        menu_focus =
            menu_focus < 0 ? (key == KEY_DOWN ? 0 : count - 1) : (menu_focus + step) % count;
        if (menu_focus < rows) {
            clear_hover();
        } else {
            // Shown as the mouse would show it: the screen's own highlight.
            focus_centre(button, rows, &x, &y);
            hover_by_keys(x, y);
        }
        return true;
    }
    if (key == KEY_ENTER && menu_focus >= rows && menu_focus < count) {
        focus_centre(button, rows, &x, &y);
        press_by_keys(x, y);
        return true;
    }
    return false;
}

void draw_resume_if_paused(const ResumeButton& button) {
    if (game.game_state != GAME_PAUSED) return;
    gfx_move(button.x, button.y);
    gfx_put_image(images.button[0], BUTTON_W, BUTTON_H);
    draw_hud_numbers();
}
