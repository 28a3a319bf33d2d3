// Pads on Windows, through a stand-in for XInput (no pad can be plugged in
// here): buttons and directions become the keys of the shared pad rules, a held
// direction repeats, and a stick resting near its threshold does not flutter.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/win32/win32_state.h"

namespace {

XINPUT_STATE pad_state = {};

DWORD WINAPI read_pad(DWORD index, XINPUT_STATE* state) {
    if (index != 0) return ERROR_DEVICE_NOT_CONNECTED;
    *state = pad_state;
    return ERROR_SUCCESS;
}

// The keys the pads give once the pad is in this state, after a reading.
std::string keys_after(WORD buttons, SHORT x, SHORT y, int wait_ms = 12) {
    pad_state.Gamepad.wButtons = buttons;
    pad_state.Gamepad.sThumbLX = x;
    pad_state.Gamepad.sThumbLY = y;
    std::this_thread::sleep_for(std::chrono::milliseconds(wait_ms));
    std::string keys;
    PlatformEvent event;
    while (win_pad_event(&event)) {
        if (!keys.empty()) keys += " ";
        keys += std::to_string(event.key);
    }
    return keys;
}

TEST(WindowsPads, ButtonsAndDirectionsAreKeys) {
    win_pads_read_with(read_pad);
    pad_state = {};
    struct Step {
        WORD buttons;
        SHORT x, y;  // the left stick, up positive as XInput gives it
        int wait_ms;
        const char* keys;
    };
    const Step steps[] = {
        {XINPUT_GAMEPAD_A, 0, 0, 12, ""},  // held when first seen: no press
        {0, 0, 0, 12, ""},
        {XINPUT_GAMEPAD_A, 0, 0, 12, "13"},
        {XINPUT_GAMEPAD_B, 0, 0, 12, "27"},
        {XINPUT_GAMEPAD_START | XINPUT_GAMEPAD_X, 0, 0, 12, "19"},
        {0, 0, 0, 12, ""},
        {XINPUT_GAMEPAD_DPAD_UP, 0, 0, 12, "38"},
        {XINPUT_GAMEPAD_DPAD_UP, 0, 0, 450, "38"},  // repeats once held long enough
        {0, 0, 0, 450, ""},                         // let go: no more repeats
        {0, 30000, 0, 12, "39"},                    // the stick pushed right
        {0, 10000, 0, 12, ""},                      // back, still past the release line
        {0, 20000, 0, 12, ""},
        {0, 0, 0, 12, ""},
        {0, 0, 30000, 12, "38"},   // up
        {0, 0, -32768, 12, "40"},  // straight down
    };
    for (const Step& s : steps) {
        EXPECT_EQ(keys_after(s.buttons, s.x, s.y, s.wait_ms), s.keys)
            << s.buttons << " " << s.x << "," << s.y;
    }
    win_pads_let_go();
}

}  // namespace
