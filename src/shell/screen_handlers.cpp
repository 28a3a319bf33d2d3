// The four handler slots that make up the current screen.
#include "shell/shell.h"

ScreenHandlers screen_handlers = {nullptr, nullptr, nullptr, nullptr};

void install_screen(TickHandler tick, PointHandler move, PointHandler click, KeyHandler key) {
    screen_handlers.on_tick = tick;
    screen_handlers.on_mouse_move = move;
    screen_handlers.on_click = click;
    screen_handlers.on_key = key;
}

void ignore_tick() {}
void ignore_point(int32_t, int32_t) {}
void ignore_key(int32_t) {}
