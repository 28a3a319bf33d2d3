// The window procedure and the main loop: events go straight to the current
// screen's handlers; between events the loop sleeps until the next 16 ms tick.
#include "runtime/main_loop.h"

#include "gfx/gfx.h"
#include "platform/platform.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/screen_slots.h"

int32_t main_window = 0;
int32_t tap_reach = 0;

namespace {
constexpr int32_t kTickMs = 16;
}

void present_frame() {
    gfx_present(0, 799, 0, 599, 0, 599);
}

void reset_tap_reach() {
    tap_reach = 0;
}

void destroy_main_window() {
    if (!main_window) return;
    shutdown();
    platform_close_window();
    main_window = 0;
}

namespace {

// The player closes the game (F12, the window's close button, Alt+F4): the
// screen has its say first (the options screen keeps the choices made there).
void close_by_player() {
    if (screen_hooks.on_close) screen_hooks.on_close();
    destroy_main_window();
}

}  // namespace

void dispatch_event(int32_t type, int32_t key, int32_t x, int32_t y) {
    const ScreenHandlers& h = screen_handlers;
    switch (type) {
        case PEV_KEY_DOWN:
            // F12 quits at once, whichever screen shows.
            if (key == KEY_F12) {
                close_by_player();
            } else if (h.on_key) {
                h.on_key(key);
            }
            break;
        case PEV_MOUSE_MOVE:
            if (h.on_mouse_move) h.on_mouse_move(x, y);
            break;
        case PEV_LBUTTON_UP:
            // A finger's release carries its reach (picture pixels) in the key field.
            tap_reach = key;
            if (h.on_click) h.on_click(x, y);
            tap_reach = 0;
            break;
        case PEV_EXPOSE:
            present_frame();
            break;
        case PEV_FOCUS_GAINED:
            // Colours and cursor again, then the whole picture.
            gfx_select_palette(game_palette);
            gfx_set_cursor(game_cursor);
            present_frame();
            break;
        case PEV_FOCUS_LOST:
            // The player left the window: a running game pauses.
            if (screen_hooks.on_focus_lost) screen_hooks.on_focus_lost();
            break;
        case PEV_CLOSE:
            close_by_player();
            break;
        default:
            break;
    }
}

bool main_loop_turn() {
    PlatformEvent event;
    while (main_window && platform_poll_event(&event)) {
        dispatch_event(event.type, event.key, event.x, event.y);
    }
    if (!main_window) return false;
    if (tick_due()) {
        if (screen_handlers.on_tick) screen_handlers.on_tick();
        arm_tick(kTickMs);
        return main_window != 0;
    }
    // Sleep until the first clock value past the deadline, or the next event.
    int32_t wait = clock_diff(tick_deadline, clock_now()) + 1;
    if (wait < 1) wait = 1;
    if (platform_wait_event(&event, static_cast<uint32_t>(wait))) {
        dispatch_event(event.type, event.key, event.x, event.y);
    }
    return main_window != 0;
}

int32_t run_main_loop() {
    while (main_loop_turn()) {
    }
    return 0;
}
