// The menu bar of five buttons on the left of every menu screen, and the one hover
// highlight drawn over a screen.
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"

namespace {
// No highlight: a one-pixel box in the corner, never drawn over anything.
const HoverHighlight kNoHover = {0, 0, 1, 1, images.menu[0]};
}  // namespace

HoverHighlight hover = kNoHover;

// True while the highlight shows the keyboard's place rather than the mouse's.
bool hover_from_keys = false;

const MenuAction menu_actions[MENU_BUTTONS] = {start_game, enter_instructions, enter_options,
                                               enter_high_scores, enter_quit_confirm};

namespace {

constexpr int32_t MENU_X = 10;
constexpr int32_t MENU_TOP = 296;  // above button 0's first row
constexpr int32_t MENU_PITCH = 42;

// The button under the point, or -1; edges belong to no button.
int32_t menu_button_at(int32_t x, int32_t y) {
    if (!(MENU_X < x && x < MENU_X + BUTTON_W)) return -1;
    for (int32_t i = 0; i < MENU_BUTTONS; i++) {
        int32_t top = MENU_TOP + MENU_PITCH * i;
        if (top < y && y < top + MENU_PITCH) return i;
    }
    return -1;
}

}  // namespace

int32_t menu_hover(int32_t x, int32_t y) {
    hover_from_keys = false;
    int32_t i = menu_button_at(x, y);
    if (i < 0) {
        clear_hover();
        return -1;
    }
    hover = {MENU_X, MENU_TOP + MENU_PITCH * i + 41, BUTTON_W, BUTTON_H, images.menu[i]};
    return i;
}

int32_t menu_click(int32_t x, int32_t y) {
    int32_t i = menu_button_at(x, y);
    if (i < 0) return -1;
    // A running game is paused first; the pause screen itself is not shown.
    if (game.game_state == GAME_PLAYING) suspend_game();
    menu_actions[i]();
    return i;
}

void menu_button_centre(int32_t button, int32_t* x, int32_t* y) {
    *x = MENU_X + BUTTON_W / 2;
    *y = MENU_TOP + MENU_PITCH * button + MENU_PITCH / 2;
}

bool menu_key(int32_t key) {
    int32_t i = key - (KEY_0 + 1);
    if (i < 0 || i >= MENU_BUTTONS) return false;
    // The key presses the button: the current screen's own click at its centre,
    // so every screen keeps its rules for the menu bar (or its lack of one).
    int32_t x;
    int32_t y;
    menu_button_centre(i, &x, &y);
    press_by_keys(x, y);
    return true;
}

void hover_by_keys(int32_t x, int32_t y) {
    if (screen_handlers.on_mouse_move) screen_handlers.on_mouse_move(x, y);
    hover_from_keys = true;
}

void press_by_keys(int32_t x, int32_t y) {
    // The next screen shows no highlight the mouse is not under.
    if (hover_from_keys) clear_hover();
    if (screen_handlers.on_click) screen_handlers.on_click(x, y);
}

void clear_hover() {
    hover_from_keys = false;
    hover = kNoHover;
}

void draw_hover() {
    if (!hover.image) return;
    gfx_move(hover.x, hover.y);
    gfx_put_image_clipped(hover.image, hover.width, hover.height);
}

void draw_embossed_text(const char* text, int32_t x, int32_t y) {
    int32_t length = static_cast<int32_t>(std::strlen(text));
    gfx_move(x - 1, y - 1);
    gfx_set_color(13);
    gfx_print(text, length);
    gfx_move(x + 1, y + 1);
    gfx_set_color(0);
    gfx_print(text, length);
    gfx_move(x, y);
    gfx_set_color(10);
    gfx_print(text, length);
}
