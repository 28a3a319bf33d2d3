// The headless window: no display, a queue of scripted events, a manual clock and
// a copy of the last presented picture.
#include <cstring>
#include <deque>

#include "platform/device.h"
#include "platform/headless/headless.h"

namespace {

struct HeadlessWindow {
    // Milliseconds since the start, never wrapping: platform_ticks_ms hands out its
    // low 32 bits, and the calendar keeps counting whole seconds across their wrap.
    uint64_t elapsed_ms = 0;
    int64_t calendar_base = 0;
    std::deque<PlatformEvent> events;
    int32_t desktop_width = 1920;
    int32_t desktop_height = 1080;
    bool window_fails = false;
    bool window_open = false;
    int32_t presents = 0;
    int32_t changed_presents = 0;
    HeadlessPresentHook present_hook = nullptr;
    void* present_context = nullptr;
    uint32_t frame[kPictureWidth * kPictureHeight] = {};
    std::vector<std::string> messages;
    bool mouse_present = true;
    bool text_entry = false;
    int32_t cursor = 0;
    bool cursor_visible = true;
    int32_t cursor_show_calls = 0;
    int32_t next_cursor = 1;
    std::vector<uint8_t> and_plane;
    std::vector<uint8_t> xor_plane;
    int32_t cursor_width = 0, cursor_height = 0, hot_x = 0, hot_y = 0;
};

HeadlessWindow& state() {
    static HeadlessWindow window;
    return window;
}

}  // namespace

void headless_reset_audio();
void headless_reset_display();

void headless_reset() {
    HeadlessWindow& s = state();
    s.elapsed_ms = 0;
    s.calendar_base = 0;
    s.events.clear();
    s.desktop_width = 1920;
    s.desktop_height = 1080;
    s.window_fails = false;
    s.window_open = false;
    s.presents = 0;
    s.changed_presents = 0;
    std::memset(s.frame, 0, sizeof s.frame);
    s.messages.clear();
    s.mouse_present = true;
    s.text_entry = false;
    s.cursor = 0;
    s.cursor_visible = true;
    s.cursor_show_calls = 0;
    s.next_cursor = 1;
    s.and_plane.clear();
    s.xor_plane.clear();
    s.cursor_width = s.cursor_height = s.hot_x = s.hot_y = 0;
    headless_reset_audio();
    headless_reset_display();
}

void headless_set_calendar_base(int64_t seconds) {
    state().calendar_base = seconds;
}
void headless_set_ticks(uint32_t ms) {
    state().elapsed_ms = ms;
}
void headless_advance(uint32_t ms) {
    state().elapsed_ms += ms;
}

void headless_push_event(const PlatformEvent& event) {
    state().events.push_back(event);
}
void headless_push_key(int32_t key) {
    headless_push_event({PEV_KEY_DOWN, key, 0, 0});
}
void headless_push_mouse_move(int32_t x, int32_t y) {
    headless_push_event({PEV_MOUSE_MOVE, 0, x, y});
}
void headless_push_click(int32_t x, int32_t y) {
    headless_push_event({PEV_LBUTTON_UP, 0, x, y});
}
size_t headless_pending_events() {
    return state().events.size();
}

void headless_set_desktop(int32_t width, int32_t height) {
    state().desktop_width = width;
    state().desktop_height = height;
}
void headless_set_window_fails(bool fails) {
    state().window_fails = fails;
}
bool headless_window_open() {
    return state().window_open;
}

int32_t headless_present_count() {
    return state().presents;
}
int32_t headless_changed_present_count() {
    return state().changed_presents;
}
const uint32_t* headless_last_frame() {
    return state().frame;
}
void headless_on_present(HeadlessPresentHook hook, void* context) {
    state().present_hook = hook;
    state().present_context = context;
}
const std::vector<std::string>& headless_messages() {
    return state().messages;
}

void headless_set_mouse_present(bool present) {
    state().mouse_present = present;
}
int32_t headless_current_cursor() {
    return state().cursor;
}
bool headless_cursor_visible() {
    return state().cursor_visible;
}
int32_t headless_cursor_show_calls() {
    return state().cursor_show_calls;
}

// ---------------------------------------------------------------- platform.h

bool platform_open_window(const char*) {
    if (state().window_fails) return false;
    state().window_open = true;
    return true;
}

void platform_show_window() {}

void platform_close_window() {
    state().window_open = false;
}

bool device_desktop_size(int32_t* width, int32_t* height) {
    *width = state().desktop_width;
    *height = state().desktop_height;
    return true;
}

int32_t device_display_depth() {
    return 32;
}

bool device_poll_event(PlatformEvent* event) {
    HeadlessWindow& s = state();
    if (s.events.empty()) return false;
    *event = s.events.front();
    s.events.pop_front();
    return true;
}

// A queued event is handed out at once; otherwise the whole wait passes at once.
bool device_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    if (device_poll_event(event)) return true;
    state().elapsed_ms += timeout_ms;
    return false;
}

void platform_present(const uint32_t* argb, bool changed) {
    HeadlessWindow& s = state();
    ++s.presents;
    if (changed) ++s.changed_presents;
    std::memcpy(s.frame, argb, sizeof s.frame);
    if (s.present_hook) s.present_hook(s.frame, s.present_context);
}

void platform_message_box(const char* text, const char* caption) {
    state().messages.push_back(std::string(caption) + ": " + text);
}

void platform_set_text_entry(bool active) {
    state().text_entry = active;
}
bool headless_text_entry() {
    return state().text_entry;
}

uint32_t device_ticks_ms() {
    return static_cast<uint32_t>(state().elapsed_ms);
}

int64_t device_calendar_seconds() {
    return state().calendar_base + static_cast<int64_t>(state().elapsed_ms / 1000);
}

void device_sleep_ms(uint32_t ms) {
    state().elapsed_ms += ms;
}

bool device_mouse_present() {
    return state().mouse_present;
}

void platform_cursor_size(int32_t* width, int32_t* height) {
    *width = 32;
    *height = 32;
}

int32_t platform_cursor_create(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width,
                               int32_t height, int32_t hot_x, int32_t hot_y) {
    HeadlessWindow& s = state();
    size_t bytes = width > 0 && height > 0 ? static_cast<size_t>(width / 8) * height : 0;
    s.and_plane.assign(and_plane, and_plane + bytes);
    s.xor_plane.assign(xor_plane, xor_plane + bytes);
    s.cursor_width = width;
    s.cursor_height = height;
    s.hot_x = hot_x;
    s.hot_y = hot_y;
    return s.next_cursor++;
}

const std::vector<uint8_t>& headless_cursor_and_plane() {
    return state().and_plane;
}
const std::vector<uint8_t>& headless_cursor_xor_plane() {
    return state().xor_plane;
}
void headless_cursor_shape(int32_t* width, int32_t* height, int32_t* hot_x, int32_t* hot_y) {
    *width = state().cursor_width;
    *height = state().cursor_height;
    *hot_x = state().hot_x;
    *hot_y = state().hot_y;
}

void platform_cursor_set(int32_t cursor) {
    state().cursor = cursor;
}

void platform_cursor_show(bool visible) {
    ++state().cursor_show_calls;
    state().cursor_visible = visible;
}
