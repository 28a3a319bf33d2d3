// The page's input as the game's events, and its clock. Keys, pointer, touch,
// focus and full screen are turned into events by web/events.js and web/touch.js
// as they come; pads are read here, each time the game looks for input, by the
// same rules as on the desktop. Waiting hands the tab back to the browser until an event
// arrives or the time is up.
#include <emscripten.h>

#include "platform/common/pad_rules.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/web/web_js.h"

namespace {

constexpr int32_t kMaxPads = 4;
// While a pad is connected the page is looked at this often for its buttons.
constexpr uint32_t kPadPollMs = 16;

// Pad buttons in the browser's standard mapping, as bits of cf_pad_state.
enum PadBit : int32_t {
    PAD_A = 1,
    PAD_B = 2,
    PAD_START = 4,
    PAD_UP = 8,
    PAD_DOWN = 16,
    PAD_LEFT = 32,
    PAD_RIGHT = 64,
};
constexpr int32_t kDpadBits = PAD_UP | PAD_DOWN | PAD_LEFT | PAD_RIGHT;

struct PadState {
    int32_t buttons;    // PadBit set last time
    int32_t stick_key;  // the arrow the left stick points, 0 at rest
};

struct Pads {
    PadState pads[kMaxPads];
    int32_t held_key;  // the arrow that repeats, 0 for none
    int32_t held_pad;
    uint32_t next_repeat;
    int32_t pending[8];  // presses found in one look, handed out in order
    int32_t pending_count;
    int32_t pending_next;
};

Pads pads = {};

EM_JS(int, cf_take_event, (int32_t * out), {
    var e = CF.events.shift();
    if (!e) return 0;
    HEAP32[(out >> 2) + 0] = e[0];
    HEAP32[(out >> 2) + 1] = e[1];
    HEAP32[(out >> 2) + 2] = e[2];
    HEAP32[(out >> 2) + 3] = e[3];
    return 1;
});
EM_ASYNC_JS(void, cf_wait_for_event, (uint32_t timeout_ms), { await CF.waitForEvent(timeout_ms); });
EM_JS(int, cf_pad_state, (int index, int32_t* x, int32_t* y), { return CF.padState(index, x, y); });
EM_JS(double, cf_now_ms, (), { return performance.now(); });
EM_JS(double, cf_calendar_ms, (), { return Date.now(); });
EM_JS(int, cf_pads_connected, (), { return CF.padsConnected() ? 1 : 0; });

int32_t dpad_key(int32_t bit) {
    switch (bit) {
        case PAD_UP:
            return KEY_UP;
        case PAD_DOWN:
            return KEY_DOWN;
        case PAD_LEFT:
            return KEY_LEFT;
        case PAD_RIGHT:
            return KEY_RIGHT;
        default:
            return 0;
    }
}

void push_press(int32_t key) {
    if (pads.pending_count < 8) pads.pending[pads.pending_count++] = key;
}

void hold(int32_t key, int32_t pad) {
    pads.held_key = key;
    pads.held_pad = pad;
    pads.next_repeat = device_ticks_ms() + kPadRepeatDelayMs;
    push_press(key);
}

// Looks at every pad once: new presses are queued, a direction let go stops its
// repeat.
void look_at_pads() {
    for (int32_t i = 0; i < kMaxPads; ++i) {
        PadState& pad = pads.pads[i];
        int32_t x = 0, y = 0;
        int32_t buttons = cf_pad_state(i, &x, &y);
        if (buttons < 0) {  // not connected
            if (pads.held_pad == i) pads.held_key = 0;
            pad = {};
            continue;
        }
        int32_t pressed = buttons & ~pad.buttons;
        int32_t released = pad.buttons & ~buttons;
        pad.buttons = buttons;
        if (pressed & PAD_A) push_press(KEY_ENTER);
        if (pressed & PAD_B) push_press(KEY_ESCAPE);
        if (pressed & PAD_START) push_press(KEY_PAUSE);
        for (int32_t bit = PAD_UP; bit <= PAD_RIGHT; bit <<= 1) {
            if (pressed & bit) hold(dpad_key(bit), i);
            if ((released & bit) && pads.held_pad == i && pads.held_key == dpad_key(bit)) {
                pads.held_key = 0;
            }
        }
        int32_t key = pad_stick_key(pad.stick_key, x, y);
        if (key != pad.stick_key) {
            if (pads.held_pad == i && pads.held_key == pad.stick_key &&
                (buttons & kDpadBits) == 0) {
                pads.held_key = 0;
            }
            pad.stick_key = key;
            if (key != 0) hold(key, i);
        }
    }
}

bool pad_event(PlatformEvent* event) {
    if (pads.pending_next >= pads.pending_count) {
        // With no pad plugged in (the usual case) one question to the page will do.
        if (!cf_pads_connected()) {
            pads = {};
            return false;
        }
        pads.pending_next = pads.pending_count = 0;
        look_at_pads();
        if (pads.pending_count == 0 && pads.held_key != 0 &&
            static_cast<int32_t>(device_ticks_ms() - pads.next_repeat) >= 0) {
            pads.next_repeat = device_ticks_ms() + kPadRepeatIntervalMs;
            push_press(pads.held_key);
        }
    }
    if (pads.pending_next >= pads.pending_count) return false;
    *event = {PEV_KEY_DOWN, pads.pending[pads.pending_next++], 0, 0};
    return true;
}

}  // namespace

uint32_t device_ticks_ms() {
    return static_cast<uint32_t>(static_cast<uint64_t>(cf_now_ms()));
}

int64_t device_calendar_seconds() {
    return static_cast<int64_t>(cf_calendar_ms() / 1000.0);
}

void device_sleep_ms(uint32_t ms) {
    web_keep_recording();
    emscripten_sleep(ms);
}

// A mouse, a pen or a finger: every browser has a pointer.
bool device_mouse_present() {
    return true;
}

bool device_poll_event(PlatformEvent* event) {
    if (event == nullptr) return false;
    int32_t raw[4];
    if (cf_take_event(raw)) {
        *event = {raw[0], raw[1], raw[2], raw[3]};
        if (event->type == PEV_FOCUS_LOST) pads.held_key = 0;
        return true;
    }
    return pad_event(event);
}

bool device_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    web_keep_recording();
    const uint32_t start = device_ticks_ms();
    for (;;) {
        if (device_poll_event(event)) return true;
        uint32_t elapsed = device_ticks_ms() - start;
        if (elapsed >= timeout_ms) return false;
        uint32_t wait = timeout_ms - elapsed;
        // Pads are looked at, not heard: often enough while one is plugged in.
        if (wait > kPadPollMs && cf_pads_connected()) wait = kPadPollMs;
        cf_wait_for_event(wait);
    }
}
