// Pads through XInput, by the rules every backend shares (pad_rules.h): the D-pad
// and the left stick are the arrow keys, a held direction repeating like a held
// key; A is Enter, B is Esc and Start the pause key. XInput is looked up when the
// window opens (xinput1_4, else the one every Windows since Vista has); without
// it there are no pads. The pads are read when the game looks for events, at
// most every few milliseconds, and a pad that does not answer is looked for
// again only once a second.
#include "platform/common/pad_rules.h"
#include "platform/device.h"
#include "platform/win32/win32_state.h"

namespace {

constexpr DWORD kMaxPads = XUSER_MAX_COUNT;
constexpr uint32_t kReadEveryMs = 8;
constexpr uint32_t kAbsentRetryMs = 1000;

struct Pad {
    bool connected;
    uint32_t next_look;  // when an absent pad is looked for again
    WORD buttons;        // the buttons held at the last reading
    int32_t stick_key;   // the arrow the left stick points, 0 at rest
};

struct Pads {
    WinPadReader get_state;
    Pad pads[kMaxPads];
    uint32_t last_read;
    int32_t held_key;  // the arrow that repeats, 0 for none
    DWORD held_pad;
    bool held_stick;
    uint32_t next_repeat;
    // Presses found at one reading, handed out one per look.
    int32_t pending[16];
    int32_t pending_count;
};

Pads pads = {};

struct ButtonKey {
    WORD button;
    int32_t key;
    bool direction;
};

constexpr ButtonKey kButtons[] = {
    {XINPUT_GAMEPAD_DPAD_UP, KEY_UP, true},     {XINPUT_GAMEPAD_DPAD_DOWN, KEY_DOWN, true},
    {XINPUT_GAMEPAD_DPAD_LEFT, KEY_LEFT, true}, {XINPUT_GAMEPAD_DPAD_RIGHT, KEY_RIGHT, true},
    {XINPUT_GAMEPAD_A, KEY_ENTER, false},       {XINPUT_GAMEPAD_B, KEY_ESCAPE, false},
    {XINPUT_GAMEPAD_START, KEY_PAUSE, false},
};

void press(int32_t key) {
    if (pads.pending_count < 16) pads.pending[pads.pending_count++] = key;
}

void hold(int32_t key, DWORD pad, bool stick, uint32_t now) {
    pads.held_key = key;
    pads.held_pad = pad;
    pads.held_stick = stick;
    pads.next_repeat = now + kPadRepeatDelayMs;
    press(key);
}

void read_pad(DWORD index, uint32_t now) {
    Pad& pad = pads.pads[index];
    if (!pad.connected && static_cast<int32_t>(now - pad.next_look) < 0) return;
    XINPUT_STATE state = {};
    if (pads.get_state(index, &state) != ERROR_SUCCESS) {
        if (pads.held_key != 0 && pads.held_pad == index) pads.held_key = 0;
        pad = {};
        pad.next_look = now + kAbsentRetryMs;
        return;
    }
    WORD held = state.Gamepad.wButtons;
    WORD pressed = pad.connected ? static_cast<WORD>(held & ~pad.buttons) : 0;
    WORD released = static_cast<WORD>(pad.buttons & ~held);
    pad.connected = true;
    pad.buttons = held;
    for (const ButtonKey& button : kButtons) {
        if (button.direction && (released & button.button) && pads.held_key == button.key &&
            pads.held_pad == index && !pads.held_stick) {
            pads.held_key = 0;
        }
        if (!(pressed & button.button)) continue;
        if (button.direction) {
            hold(button.key, index, false, now);
        } else {
            press(button.key);
        }
    }
    // XInput's stick grows upwards; the shared rule's, downwards as on screen.
    int32_t x = state.Gamepad.sThumbLX;
    int32_t y = -1 - static_cast<int32_t>(state.Gamepad.sThumbLY);
    int32_t key = pad_stick_key(pad.stick_key, x, y);
    if (key == pad.stick_key) return;
    pad.stick_key = key;
    if (pads.held_key != 0 && pads.held_pad == index && pads.held_stick) pads.held_key = 0;
    if (key != 0) hold(key, index, true, now);
}

}  // namespace

void win_pads_start() {
    if (pads.get_state != nullptr) return;
    const wchar_t* libraries[] = {L"xinput1_4.dll", L"xinput9_1_0.dll"};
    for (const wchar_t* name : libraries) {
        HMODULE library = LoadLibraryW(name);
        if (library == nullptr) continue;
        pads.get_state = reinterpret_cast<WinPadReader>(
            reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
        if (pads.get_state != nullptr) return;
    }
}

void win_pads_read_with(WinPadReader reader) {
    pads = {};
    pads.get_state = reader;
}

bool win_pad_event(PlatformEvent* event) {
    if (pads.get_state == nullptr) return false;
    uint32_t now = device_ticks_ms();
    if (pads.pending_count == 0 && now - pads.last_read >= kReadEveryMs) {
        pads.last_read = now;
        for (DWORD i = 0; i < kMaxPads; ++i) read_pad(i, now);
    }
    if (pads.pending_count > 0) {
        *event = {PEV_KEY_DOWN, pads.pending[0], 0, 0};
        for (int32_t i = 1; i < pads.pending_count; ++i) pads.pending[i - 1] = pads.pending[i];
        --pads.pending_count;
        return true;
    }
    if (pads.held_key == 0 || static_cast<int32_t>(now - pads.next_repeat) < 0) return false;
    // Late (the game was busy): one repeat, and the next a whole interval on.
    pads.next_repeat = now + kPadRepeatIntervalMs;
    *event = {PEV_KEY_DOWN, pads.held_key, 0, 0};
    return true;
}

uint32_t win_pad_wait_limit(uint32_t timeout_ms) {
    if (pads.get_state == nullptr) return timeout_ms;
    // A connected pad is read every few milliseconds; none, once in a while.
    bool any = false;
    for (const Pad& pad : pads.pads) any = any || pad.connected;
    uint32_t limit = any ? kReadEveryMs : kAbsentRetryMs;
    return limit < timeout_ms ? limit : timeout_ms;
}

void win_pads_let_go() {
    pads.held_key = 0;
    pads.pending_count = 0;
}
