// Game controllers as keys: the D-pad and the left stick are the arrow keys, a
// held direction repeating like a held key; A is Enter, B is Esc and Start the
// pause key. The game sees only key presses, so recordings and replays of a
// session played with a pad are those of one played with the keyboard. Pads
// plugged in or pulled out while the game runs are taken or let go.
#include "platform/common/pad_rules.h"
#include "platform/events.h"
#include "platform/sdl/sdl_state.h"

namespace {

constexpr int32_t kMaxPads = 8;

// Where a held direction comes from: a D-pad button, or the stick of a pad.
enum HeldSource : int32_t { HELD_NONE, HELD_DPAD, HELD_STICK };

struct Pad {
    SDL_GameController* controller;
    SDL_JoystickID id;
    int32_t stick_key;  // the arrow the left stick points, 0 at rest
};

struct Pads {
    bool started;
    Pad pads[kMaxPads];
    int32_t held_key;  // the arrow that repeats, 0 for none
    int32_t held_source;
    SDL_JoystickID held_id;
    uint32_t next_repeat;  // clock reading of its next repeat
};

Pads pads = {};

Pad* find_pad(SDL_JoystickID id) {
    for (Pad& pad : pads.pads) {
        if (pad.controller != nullptr && pad.id == id) return &pad;
    }
    return nullptr;
}

void take_pad(int device_index) {
    if (!SDL_IsGameController(device_index)) return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
    if (find_pad(id) != nullptr) return;  // announced twice at start-up
    for (Pad& pad : pads.pads) {
        if (pad.controller != nullptr) continue;
        pad.controller = SDL_GameControllerOpen(device_index);
        if (pad.controller == nullptr) return;
        pad.id = id;
        pad.stick_key = 0;
        return;
    }
}

void stop_holding(SDL_JoystickID id, int32_t source) {
    if (pads.held_key != 0 && pads.held_id == id && pads.held_source == source) pads.held_key = 0;
}

// A direction starts: its press now, repeats after the delay.
bool press_direction(int32_t key, SDL_JoystickID id, int32_t source, PlatformEvent* event) {
    pads.held_key = key;
    pads.held_id = id;
    pads.held_source = source;
    pads.next_repeat = SDL_GetTicks() + kPadRepeatDelayMs;
    *event = {PEV_KEY_DOWN, key, 0, 0};
    return true;
}

int32_t dpad_key(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return KEY_LEFT;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return KEY_RIGHT;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
            return KEY_UP;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
            return KEY_DOWN;
        default:
            return 0;
    }
}

int32_t button_key(Uint8 button) {
    switch (button) {
        case SDL_CONTROLLER_BUTTON_A:
            return KEY_ENTER;
        case SDL_CONTROLLER_BUTTON_B:
            return KEY_ESCAPE;
        case SDL_CONTROLLER_BUTTON_START:
            return KEY_PAUSE;
        default:
            return dpad_key(button);
    }
}

bool stick_moved(const SDL_ControllerAxisEvent& axis, PlatformEvent* event) {
    if (axis.axis != SDL_CONTROLLER_AXIS_LEFTX && axis.axis != SDL_CONTROLLER_AXIS_LEFTY) {
        return false;
    }
    Pad* pad = find_pad(axis.which);
    if (pad == nullptr) return false;
    int32_t x = SDL_GameControllerGetAxis(pad->controller, SDL_CONTROLLER_AXIS_LEFTX);
    int32_t y = SDL_GameControllerGetAxis(pad->controller, SDL_CONTROLLER_AXIS_LEFTY);
    int32_t key = pad_stick_key(pad->stick_key, x, y);
    if (key == pad->stick_key) return false;
    pad->stick_key = key;
    stop_holding(axis.which, HELD_STICK);
    if (key == 0) return false;
    return press_direction(key, axis.which, HELD_STICK, event);
}

}  // namespace

void sdl_pads_start() {
    if (pads.started) return;
    // Without a pad nothing changes: SDL waits for events without polling then.
    pads.started = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    // The pads already plugged in are announced as added, like new ones.
}

void sdl_pads_stop() {
    if (!pads.started) return;
    for (Pad& pad : pads.pads) {
        if (pad.controller != nullptr) SDL_GameControllerClose(pad.controller);
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    pads = {};
}

void sdl_pads_let_go() {
    pads.held_key = 0;
}

bool sdl_pad_event(const SDL_Event& e, PlatformEvent* event) {
    switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            take_pad(e.cdevice.which);
            return false;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (Pad* pad = find_pad(e.cdevice.which)) {
                SDL_GameControllerClose(pad->controller);
                *pad = {};
                if (pads.held_id == e.cdevice.which) pads.held_key = 0;
            }
            return false;
        case SDL_CONTROLLERBUTTONDOWN: {
            if (find_pad(e.cbutton.which) == nullptr) return false;
            int32_t key = button_key(e.cbutton.button);
            if (key == 0) return false;
            if (dpad_key(e.cbutton.button) != 0) {
                return press_direction(key, e.cbutton.which, HELD_DPAD, event);
            }
            *event = {PEV_KEY_DOWN, key, 0, 0};
            return true;
        }
        case SDL_CONTROLLERBUTTONUP:
            if (dpad_key(e.cbutton.button) == pads.held_key && pads.held_key != 0) {
                stop_holding(e.cbutton.which, HELD_DPAD);
            }
            return false;
        case SDL_CONTROLLERAXISMOTION:
            return stick_moved(e.caxis, event);
        default:
            return false;
    }
}

bool sdl_pad_repeat(PlatformEvent* event) {
    if (pads.held_key == 0) return false;
    uint32_t now = SDL_GetTicks();
    if (static_cast<int32_t>(now - pads.next_repeat) < 0) return false;
    // Late (the game was busy): one repeat, and the next a whole interval on.
    pads.next_repeat = now + kPadRepeatIntervalMs;
    *event = {PEV_KEY_DOWN, pads.held_key, 0, 0};
    return true;
}

uint32_t sdl_pad_wait_limit(uint32_t timeout_ms) {
    if (pads.held_key == 0) return timeout_ms;
    int32_t until = static_cast<int32_t>(pads.next_repeat - SDL_GetTicks());
    if (until <= 0) return 0;
    return static_cast<uint32_t>(until) < timeout_ms ? static_cast<uint32_t>(until) : timeout_ms;
}
