// Window events in the game's terms. Alt combinations stay with the platform:
// Alt+Enter switches full screen, Alt+F4 closes, the rest never reach the game.
#include <climits>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

namespace {

// The character a key types, for watching's keys ("<" and ">" among them): a
// printable key's own, and the shifted comma, period and less-than key's.
int32_t typed_character(const SDL_Keysym& key) {
    bool shift = (key.mod & KMOD_SHIFT) != 0;
    if (key.sym == SDLK_LESS) return shift ? '>' : '<';
    if (shift && key.sym == SDLK_COMMA) return '<';
    if (shift && key.sym == SDLK_PERIOD) return '>';
    if (shift || key.sym <= 32 || key.sym >= 127) return 0;
    return static_cast<int32_t>(key.sym);
}

bool key_event(const SDL_KeyboardEvent& key, PlatformEvent* event) {
    if (key.keysym.mod & KMOD_ALT) {
        if (key.repeat) return false;
        if (key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER) {
            sdl_toggle_fullscreen();
            return false;
        }
        if (key.keysym.sym == SDLK_F4) {
            *event = {PEV_CLOSE, 0, 0, 0};
            return true;
        }
        return false;
    }
    if (key.keysym.sym == SDLK_LALT || key.keysym.sym == SDLK_RALT) return false;
    int32_t code = sdl_virtual_key(key.keysym.sym, key.keysym.scancode);
    if (code == 0) return false;
    *event = {PEV_KEY_DOWN, code, typed_character(key.keysym), 0};
    return true;
}

// The window's contents are gone or its size changed: the next presentation must
// render even when the picture is the same.
bool expose_event(PlatformEvent* event) {
    sdl_display.redraw_pending = true;
    *event = {PEV_EXPOSE, 0, 0, 0};
    return true;
}

bool window_event(const SDL_WindowEvent& window, PlatformEvent* event) {
    switch (window.event) {
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            return expose_event(event);
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            *event = {PEV_FOCUS_GAINED, 0, 0, 0};
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
        case SDL_WINDOWEVENT_MINIMIZED:
            sdl_pads_let_go();
            *event = {PEV_FOCUS_LOST, 0, 0, 0};
            return true;
        default:
            return false;
    }
}

// True when the next queued event is another mouse move.
bool motion_follows() {
    SDL_Event next;
    return SDL_PeepEvents(&next, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
           next.type == SDL_MOUSEMOTION;
}

// Turns one SDL event into the game's; false for events the game does not see.
bool translate(const SDL_Event& e, PlatformEvent* event) {
    switch (e.type) {
        case SDL_KEYDOWN:
            return key_event(e.key, event);
        case SDL_MOUSEMOTION:
            // A fast mouse reports up to a thousand times a second: a move with
            // another straight behind it is passed over, so the game (and a
            // session's recording) sees where the pointer went, once per look.
            if (motion_follows()) return false;
            // In picture pixels; letterbox points lie outside the picture.
            *event = {PEV_MOUSE_MOVE, 0, e.motion.x, e.motion.y};
            sdl_window_to_picture(&event->x, &event->y);
            sdl_pointer_moved(event->x, event->y);
            return true;
        case SDL_MOUSEBUTTONUP:
            if (e.button.button != SDL_BUTTON_LEFT) return false;
            *event = {PEV_LBUTTON_UP, 0, e.button.x, e.button.y};
            sdl_window_to_picture(&event->x, &event->y);
            return true;
        case SDL_WINDOWEVENT:
            return window_event(e.window, event);
        case SDL_RENDER_DEVICE_RESET:
            sdl_create_texture();
            return expose_event(event);
        case SDL_RENDER_TARGETS_RESET:
            return expose_event(event);
        case SDL_QUIT:
            *event = {PEV_CLOSE, 0, 0, 0};
            return true;
        default:
            return sdl_pad_event(e, event);
    }
}

}  // namespace

bool device_poll_event(PlatformEvent* event) {
    if (!sdl_display.video_started || event == nullptr) return false;
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        if (translate(e, event)) return true;
    }
    // After the queue, which may hold the release of the direction.
    return sdl_pad_repeat(event);
}

bool device_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    if (!sdl_display.video_started || event == nullptr) {
        device_sleep_ms(timeout_ms);
        return false;
    }
    const uint32_t start = device_ticks_ms();
    for (;;) {
        uint32_t elapsed = device_ticks_ms() - start;
        if (elapsed >= timeout_ms) return device_poll_event(event);
        uint32_t remaining = sdl_pad_wait_limit(timeout_ms - elapsed);
        SDL_Event e;
        // SDL sleeps in the display connection until an event or the time is up.
        if (SDL_WaitEventTimeout(&e, remaining > INT_MAX ? INT_MAX : static_cast<int>(remaining)) &&
            translate(e, event)) {
            return true;
        }
        if (sdl_pad_repeat(event)) return true;
    }
}
