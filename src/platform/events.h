// The events the platform delivers to the game, and the key codes they carry.
#pragma once

#include <cstdint>

// Window events, as the game's window procedure knows them.
enum PlatformEventType : int32_t {
    PEV_NONE = 0,
    PEV_KEY_DOWN,      // key: Windows virtual-key code (Esc 27, F12 123, 'A'..'Z' 65..90)
    PEV_MOUSE_MOVE,    // x, y: picture coordinates, may lie outside 0..799 x 0..599
    PEV_LBUTTON_UP,    // x, y: as for mouse move; key: a finger's reach, 0 for a mouse
    PEV_EXPOSE,        // the window needs its picture again
    PEV_FOCUS_GAINED,  // the window got the keyboard focus
    PEV_FOCUS_LOST,    // the window lost the keyboard focus or was minimised
    PEV_CLOSE,         // the window's close button or Alt+F4
};

struct PlatformEvent {
    int32_t type;  // PlatformEventType
    int32_t key;   // virtual-key code for PEV_KEY_DOWN; a tap's reach for PEV_LBUTTON_UP
    // Picture coordinates for the mouse events. PEV_KEY_DOWN: the printable
    // character the key types where the backend tells it, else 0 (for watching's
    // keys, "<" and ">" among them; the game and recordings go by `key` only).
    int32_t x;
    int32_t y;
};

// Windows virtual-key codes of the keys the game and its tools name.
constexpr int32_t KEY_BACKSPACE = 8;
constexpr int32_t KEY_TAB = 9;
constexpr int32_t KEY_ENTER = 13;
constexpr int32_t KEY_PAUSE = 19;  // the Pause key, and a pad's Start button
constexpr int32_t KEY_ESCAPE = 27;
constexpr int32_t KEY_SPACE = 32;
constexpr int32_t KEY_LEFT = 37;
constexpr int32_t KEY_UP = 38;
constexpr int32_t KEY_RIGHT = 39;
constexpr int32_t KEY_DOWN = 40;
constexpr int32_t KEY_0 = '0';  // '0'..'9' are 48..57
constexpr int32_t KEY_A = 'A';  // 'A'..'Z' are 65..90
constexpr int32_t KEY_D = 'D';
constexpr int32_t KEY_N = 'N';
constexpr int32_t KEY_P = 'P';
constexpr int32_t KEY_S = 'S';
constexpr int32_t KEY_W = 'W';
constexpr int32_t KEY_Y = 'Y';
constexpr int32_t KEY_Z = 'Z';
constexpr int32_t KEY_F1 = 112;  // F1..F12 are 112..123
constexpr int32_t KEY_F12 = 123;
