// The window of the web backend is the page's canvas: the 800x600 picture drawn
// into it by the desktop's scaling rule (web/window.js), full screen on request.
#include <emscripten.h>

#include <cstdio>

#include "platform/device.h"
#include "platform/platform.h"

namespace {

bool window_open = false;
// The picture in the canvas's byte order (R, G, B, A), converted from the game's
// ARGB; the page reads it from here when it draws.
uint32_t rgba[800 * 600];

}  // namespace

EM_JS(int, cf_open_canvas, (), { return CF.openCanvas() ? 1 : 0; });
EM_JS(void, cf_close_canvas, (), { CF.closeCanvas(); });
EM_JS(void, cf_show_picture, (const uint32_t* rgba, int changed),
      { CF.showPicture(rgba, changed != 0); });
EM_JS(void, cf_message, (const char* caption, const char* text),
      { CF.message(UTF8ToString(caption), UTF8ToString(text)); });
EM_JS(int, cf_screen_side, (int vertical), { return CF.screenSide(vertical != 0); });
EM_JS(void, cf_set_text_entry, (int active), { CF.setTextEntry(active != 0); });

bool platform_open_window(const char*) {
    window_open = cf_open_canvas() != 0;
    return window_open;
}

const char* platform_display_error() {
    return "the page has no canvas to draw on";
}

// The page decides how the canvas fills it; the choices of the desktop's command
// line have nothing to change here.
void platform_set_windowed(bool) {}
void platform_set_nearest_scaling(bool) {}
void platform_remember_display() {}

bool platform_set_window_icon(const char*) {
    return false;  // the page's own icons stand for the game
}

void platform_show_window() {}

void platform_close_window() {
    if (!window_open) return;
    window_open = false;
    cf_close_canvas();
}

// The page scales any picture to any screen, so the game is told of a screen at
// least as large as its picture: the device's own pixels when larger.
bool device_desktop_size(int32_t* width, int32_t* height) {
    int32_t w = cf_screen_side(0), h = cf_screen_side(1);
    if (width != nullptr) *width = w < 800 ? 800 : w;
    if (height != nullptr) *height = h < 600 ? 600 : h;
    return true;
}

int32_t device_display_depth() {
    return 32;
}

void platform_present(const uint32_t* argb, bool changed) {
    if (!window_open || argb == nullptr) return;
    if (changed) {
        // 0xAARRGGBB to the bytes R, G, B, 255: a little-endian 0xFFBBGGRR.
        for (int32_t i = 0; i < 800 * 600; ++i) {
            uint32_t p = argb[i];
            rgba[i] = 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
        }
    }
    cf_show_picture(rgba, changed);
}

// The page opens the device's own keyboard at the player's next tap (browsers
// show it only after a gesture); its letters come back as key presses.
void platform_set_text_entry(bool active) {
    cf_set_text_entry(active ? 1 : 0);
}

void platform_message_box(const char* text, const char* caption) {
    std::fprintf(stderr, "cairnfall: %s\n", text != nullptr ? text : "");
    cf_message(caption != nullptr ? caption : "", text != nullptr ? text : "");
}
