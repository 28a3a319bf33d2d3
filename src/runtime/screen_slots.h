// The four handler slots that make up the current screen, and which screen it is.
#pragma once

#include <cstdint>

using TickHandler = void (*)();
using PointHandler = void (*)(int32_t x, int32_t y);
using KeyHandler = void (*)(int32_t key);

// The four slots a screen consists of; entering a screen overwrites all four.
struct ScreenHandlers {
    TickHandler on_tick;
    PointHandler on_mouse_move;
    PointHandler on_click;
    KeyHandler on_key;
};

extern ScreenHandlers screen_handlers;

// What the current screen does when the player closes the program (F12, the
// window's close button, Alt+F4) and when the window loses focus. Null for a
// screen that does nothing then; install_screen clears both, and the screens
// that care set them right after it.
using ScreenEventHandler = void (*)();
struct ScreenHooks {
    ScreenEventHandler on_close;
    ScreenEventHandler on_focus_lost;
};

extern ScreenHooks screen_hooks;

// Which screen the slots hold: set together with them, read by the focus rule and
// the tools.
enum Screen : int32_t {
    SCREEN_NONE,  // before start-up and after shutdown
    SCREEN_INTRO,
    SCREEN_OPTIONS,
    SCREEN_INSTRUCTIONS,
    SCREEN_HIGH_SCORES,
    SCREEN_QUIT,
    SCREEN_NAME_ENTRY,
    SCREEN_GAME_OVER,
    SCREEN_GAME,
    SCREEN_PAUSE,
    SCREEN_KINDS
};

extern int32_t current_screen;

// A screen's name as the tools write it ("high_scores"), "unknown" out of range.
const char* screen_name(int32_t screen);

// A screen's entry operation: names the screen, fills all four slots and clears
// the hooks.
void install_screen(Screen screen, TickHandler tick, PointHandler move, PointHandler click,
                    KeyHandler key);
// Handlers for slots a screen ignores.
void ignore_tick();
void ignore_point(int32_t x, int32_t y);
void ignore_key(int32_t key);
