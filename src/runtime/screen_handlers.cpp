// The four handler slots that make up the current screen, and its name.
#include "runtime/screen_slots.h"

ScreenHandlers screen_handlers = {nullptr, nullptr, nullptr, nullptr};
ScreenHooks screen_hooks = {nullptr, nullptr};
int32_t current_screen = SCREEN_NONE;

namespace {

constexpr const char* kScreenNames[SCREEN_KINDS] = {
    "none", "intro",      "options",   "instructions", "high_scores",
    "quit", "name_entry", "game_over", "game",         "pause",
};

}  // namespace

const char* screen_name(int32_t screen) {
    if (screen < 0 || screen >= SCREEN_KINDS) return "unknown";
    return kScreenNames[screen];
}

void install_screen(Screen screen, TickHandler tick, PointHandler move, PointHandler click,
                    KeyHandler key) {
    current_screen = screen;
    screen_handlers.on_tick = tick;
    screen_handlers.on_mouse_move = move;
    screen_handlers.on_click = click;
    screen_handlers.on_key = key;
    screen_hooks = {nullptr, nullptr};
}

void ignore_tick() {}
void ignore_point(int32_t, int32_t) {}
void ignore_key(int32_t) {}
