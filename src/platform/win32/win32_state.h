// What the Win32 backend's parts share: the window, the picture it shows, the
// window-sized picture the scaling draws into, and the queue the window
// procedure fills. Only the backend's own files include this header (it brings
// windows.h; the game's headers and the tape's stay out of their way).
#pragma once

#include <windows.h>
// After windows.h, which it builds on.
#include <xinput.h>

#include <cstddef>
#include <cstdint>

#include "platform/common/picture_layout.h"
#include "platform/desktop/display_settings.h"
#include "platform/events.h"
#include "platform/platform.h"

// One output axis of the scaling: for each output pixel the two picture pixels it
// blends and the second one's weight (0..256).
struct WinAxis {
    int32_t* first;
    int32_t* second;
    int32_t* weight;
};

struct WinDisplay {
    HWND window;
    bool fullscreen;
    bool show_pending;    // shown with the next picture
    bool redraw_pending;  // the client area must be drawn again
    bool has_frame;       // picture holds a frame
    RECT windowed_rect;   // the window's place before it went full screen
    uint32_t picture[kPictureWidth * kPictureHeight];  // the last frame, rows top first
    // The client-sized picture drawn from it, and the axes it was laid out with.
    uint32_t* client;
    int32_t client_width;
    int32_t client_height;
    bool client_nearest;
    WinAxis columns;
    WinAxis rows;
};

extern WinDisplay win_display;

// Display choices, made before the window opens.
struct WinChoices {
    bool windowed;         // a window instead of full screen
    bool windowed_chosen;  // chosen for this run: the remembered mode yields
    bool remember;         // the display settings file is read and written
    bool nearest_scaling;  // plain nearest-neighbour scaling
    int32_t window_width;  // the window's client size when not full screen
    int32_t window_height;
    HICON icon;  // the window's icon from a file, or null for the program's
};

extern WinChoices win_choices;

// The display choices kept between runs, in %APPDATA%\Cairnfall\display.conf:
// the file's, or the defaults when it is missing or damaged; saving makes the
// folder and is false (errno says why) on failure.
DisplaySettings win_load_settings();
bool win_save_settings(const DisplaySettings& settings);

// Draws the picture into the client-sized buffer (made anew when the size
// changes): black bars, and the picture scaled crisp or nearest. False when
// memory for it is lacking.
bool win_render(int32_t width, int32_t height, bool nearest);
// Lets go of the client-sized buffer and its axes.
void win_render_release();
// Copies the client-sized buffer to the window 1:1.
void win_blit(HDC dc);
// Maps a client point to picture coordinates, in place (the letterbox maps
// outside 0..799 x 0..599).
void win_client_to_picture(int32_t* x, int32_t* y);

// Switches between borderless full screen on the window's monitor and a window.
void win_toggle_fullscreen();
// The window procedure's queue of the game's events.
void win_push_event(const PlatformEvent& event);
// The window's messages, handled; events for the game go to the queue.
LRESULT CALLBACK win_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
// The virtual-key code the game sees for a key message's code, or 0.
int32_t win_game_key(WPARAM key, LPARAM flags);

// The cursor over the window: the game's inside the picture, the arrow outside.
bool win_set_cursor(int32_t x, int32_t y);
void win_release_cursors();

// Pads through XInput, polled: a button or a direction pressed becomes a key.
void win_pads_start();
// Reads the pads through `reader` (XInputGetState's shape) instead: for tests.
using WinPadReader = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);
void win_pads_read_with(WinPadReader reader);
bool win_pad_event(PlatformEvent* event);
uint32_t win_pad_wait_limit(uint32_t timeout_ms);
void win_pads_let_go();
