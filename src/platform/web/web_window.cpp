// The window of the web backend is the page's canvas: the 800x600 picture drawn
// into it by the desktop's scaling rule (web/window.js), its parts placed by the
// composition every backend uses, which the page asks for here; full screen on
// request.
#include <emscripten.h>

#include <cstdio>

#include "platform/common/picture_layout.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

bool window_open = false;
// The picture in the canvas's byte order (R, G, B, A), converted from the game's
// ARGB; the page reads it from here when it draws.
uint32_t rgba[800 * 600];

// The composition of the canvas's present size, and what the page reads back.
constexpr int32_t kPartFields = 10;
PictureComposition composition = {};
int32_t parts_out[1 + kPartFields * kMaxPictureParts];
int32_t point_out[3];

}  // namespace

// The page's calls (window.js), in the canvas's own pixels: the composition for
// a canvas of width by height, as its count then, for each part, its source
// rectangle, its place, its whole multiple and whether that is exact.
extern "C" EMSCRIPTEN_KEEPALIVE const int32_t* cf_compose(int32_t width, int32_t height) {
    composition = picture_composition(width, height);
    parts_out[0] = composition.count;
    for (int32_t i = 0; i < composition.count; ++i) {
        const PicturePart& p = composition.parts[i];
        const int32_t fields[kPartFields] = {
            p.source_x, p.source_y, p.source_width, p.source_height, p.x,
            p.y,        p.width,    p.height,       p.multiple,      p.exact ? 1 : 0};
        for (int32_t k = 0; k < kPartFields; ++k) parts_out[1 + kPartFields * i + k] = fields[k];
    }
    return parts_out;
}

// A canvas point as the picture point under it, and a finger's reach in canvas
// pixels as picture pixels of the part the point went through (at least 1; 0
// stays 0, a mouse's).
extern "C" EMSCRIPTEN_KEEPALIVE const int32_t* cf_to_picture(int32_t x, int32_t y, int32_t reach) {
    int32_t part = composition_to_picture(composition, &x, &y);
    if (part >= 0 && reach > 0) {
        const PicturePart& p = composition.parts[part];
        int64_t r = (2 * int64_t{reach} * p.source_width + p.width) / (2 * int64_t{p.width});
        reach = r < 1 ? 1 : r > 800 ? 800 : static_cast<int32_t>(r);
    }
    point_out[0] = x;
    point_out[1] = y;
    point_out[2] = reach;
    return point_out;
}

// The canvas point at the centre of a picture pixel where it is shown; the third
// field is 0 when no part shows it.
extern "C" EMSCRIPTEN_KEEPALIVE const int32_t* cf_to_canvas(int32_t x, int32_t y) {
    bool shown = composition_to_area(composition, &x, &y);
    point_out[0] = x;
    point_out[1] = y;
    point_out[2] = shown ? 1 : 0;
    return point_out;
}

EM_JS(int, cf_open_canvas, (), { return CF.openCanvas() ? 1 : 0; });
EM_JS(void, cf_close_canvas, (), { CF.closeCanvas(); });
EM_JS(void, cf_show_picture,
      (const uint32_t* rgba, int changed, int left, int top, int right, int bottom), {
          CF.showPicture(rgba, changed != 0, [ left, top, right, bottom ]);
      });
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

// The picture converted for the page, and the rectangle of what changed (right
// and bottom exclusive): the page uploads and draws only that.
void platform_present(const uint32_t* argb, bool changed) {
    if (!window_open || argb == nullptr) return;
    int32_t left = kPictureWidth, top = kPictureHeight, right = 0, bottom = 0;
    if (changed) {
        for (int32_t y = 0; y < kPictureHeight; ++y) {
            uint32_t* row = rgba + y * kPictureWidth;
            const uint32_t* from = argb + y * kPictureWidth;
            int32_t first = kPictureWidth, last = -1;
            for (int32_t x = 0; x < kPictureWidth; ++x) {
                // 0xAARRGGBB to the bytes R, G, B, 255: a little-endian 0xFFBBGGRR.
                uint32_t p = from[x];
                uint32_t v =
                    0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
                if (v == row[x]) continue;
                row[x] = v;
                if (first > x) first = x;
                last = x;
            }
            if (last < 0) continue;
            if (left > first) left = first;
            if (right < last + 1) right = last + 1;
            if (top > y) top = y;
            bottom = y + 1;
        }
    }
    cf_show_picture(rgba, right > left ? 1 : 0, left, top, right, bottom);
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
