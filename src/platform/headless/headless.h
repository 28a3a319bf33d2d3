// Controls of the headless backend, for tests and the replay tool.
//
// The headless backend has no window and no sound device. Its clock is manual:
// it moves only when a test advances it or when the game sleeps or waits (sleeping
// and waiting advance it to the end of the wait at once). Events come from a queue
// that tests fill. Presentation keeps a copy of the last picture; audio calls are
// recorded so that tests can check them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// Puts the backend back into its start state: clock at 0 ms, calendar base 0, no
// queued events, no presentation, default display, empty audio log.
void headless_reset();

// Clock: platform_ticks_ms() returns the manual milliseconds (wrapping as a 32-bit
// count), and platform_calendar_seconds() returns the calendar base plus whole
// seconds elapsed, counted in 64 bits so that it keeps growing across that wrap.
void headless_set_calendar_base(int64_t seconds);
void headless_set_ticks(uint32_t ms);
void headless_advance(uint32_t ms);

// Events handed out by platform_poll_event / platform_wait_event in order.
void headless_push_event(const PlatformEvent& event);
void headless_push_key(int32_t key);
void headless_push_mouse_move(int32_t x, int32_t y);
void headless_push_click(int32_t x, int32_t y);  // a left-button release
size_t headless_pending_events();

// Display: the desktop size platform_desktop_size reports (default 1920x1080), and
// whether platform_open_window succeeds (default true).
void headless_set_desktop(int32_t width, int32_t height);
void headless_set_window_fails(bool fails);
bool headless_window_open();
// The display choices last made: platform_set_windowed, platform_set_nearest_scaling
// and the path given to platform_set_window_icon when it was taken (empty: none).
bool headless_windowed();
bool headless_nearest_scaling();
const std::string& headless_window_icon();

// Presentation: how often platform_present was called, how often with `changed`,
// and the last picture (800 * 600 ARGB, rows top first).
int32_t headless_present_count();
int32_t headless_changed_present_count();
const uint32_t* headless_last_frame();
// Calls hook(argb, context) with every picture presented, as it is presented
// (null: none); kept across headless_reset. The replay tool hashes and saves
// frames through it.
using HeadlessPresentHook = void (*)(const uint32_t* argb, void* context);
void headless_on_present(HeadlessPresentHook hook, void* context);

// Message boxes shown, as "caption: text".
const std::vector<std::string>& headless_messages();
// Whether text entry is on (platform_set_text_entry), as a phone's keyboard would show.
bool headless_text_entry();

// Cursor: the state platform_cursor_* left behind; mouse presence (default true).
void headless_set_mouse_present(bool present);
int32_t headless_current_cursor();
bool headless_cursor_visible();
int32_t headless_cursor_show_calls();
// The planes, size and hot spot of the last cursor created.
const std::vector<uint8_t>& headless_cursor_and_plane();
const std::vector<uint8_t>& headless_cursor_xor_plane();
void headless_cursor_shape(int32_t* width, int32_t* height, int32_t* hot_x, int32_t* hot_y);

// Audio. With the device refused, platform_audio_open fails (default: it opens).
void headless_set_audio_device(bool available);
// Every audio call in order, as text: "open", "create 1 22050x1x16 1234",
// "fill 1 1234", "play 1 loop", "play 1 once", "volume 1 -500", "restore 1",
// "release 1", "close".
const std::vector<std::string>& headless_audio_log();
void headless_clear_audio_log();
// Marks a buffer as lost, as another program taking the sound device would.
void headless_lose_buffer(int32_t buffer);
// The bytes last filled into a buffer, and its last volume (hundredths of dB).
const std::vector<uint8_t>& headless_buffer_bytes(int32_t buffer);
int32_t headless_buffer_volume(int32_t buffer);
// Makes the next platform_audio_create fail (an odd format the device refuses).
void headless_fail_next_create();
