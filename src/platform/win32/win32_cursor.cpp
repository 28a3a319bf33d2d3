// The game's own mouse cursor: Windows takes the monochrome AND/XOR planes as the
// game makes them. Over the letterbox the system's arrow shows.
#include "platform/desktop/cursor_rules.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/win32/win32_state.h"

namespace {

HCURSOR cursors[kCursorSlots];
HCURSOR current;                  // the cursor the game made current
bool game_cursor_visible = true;  // whether the game wants its cursor shown

void apply_now() {
    if (win_display.window == nullptr) return;
    POINT point;
    if (!GetCursorPos(&point) || WindowFromPoint(point) != win_display.window) return;
    ScreenToClient(win_display.window, &point);
    int32_t x = point.x, y = point.y;
    win_client_to_picture(&x, &y);
    win_set_cursor(x, y);
}

}  // namespace

bool device_mouse_present() {
    return GetSystemMetrics(SM_MOUSEPRESENT) != 0;
}

void platform_cursor_size(int32_t* width, int32_t* height) {
    int32_t w = GetSystemMetrics(SM_CXCURSOR);
    int32_t h = GetSystemMetrics(SM_CYCURSOR);
    if (width != nullptr) *width = w < 32 ? 32 : w;
    if (height != nullptr) *height = h < 32 ? 32 : h;
}

int32_t platform_cursor_create(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width,
                               int32_t height, int32_t hot_x, int32_t hot_y) {
    if (and_plane == nullptr || xor_plane == nullptr) return 0;
    if (!cursor_shape_allowed(width, height, hot_x, hot_y)) return 0;
    int32_t slot = 0;
    while (slot < kCursorSlots && cursors[slot] != nullptr) ++slot;
    if (slot == kCursorSlots) return 0;
    // Windows wants rows of whole 16-bit words: the game's widths are multiples of
    // 16 (32 here), which are those already.
    if (width % 16 != 0) return 0;
    HCURSOR cursor =
        CreateCursor(GetModuleHandleW(nullptr), hot_x, hot_y, width, height, and_plane, xor_plane);
    if (cursor == nullptr) return 0;
    cursors[slot] = cursor;
    return slot + 1;
}

void platform_cursor_set(int32_t cursor) {
    HCURSOR wanted = cursor >= 1 && cursor <= kCursorSlots ? cursors[cursor - 1] : nullptr;
    if (wanted == current) return;
    current = wanted;
    apply_now();
}

void platform_cursor_show(bool visible) {
    game_cursor_visible = visible;
    apply_now();
}

bool win_set_cursor(int32_t x, int32_t y) {
    bool inside = x >= 0 && x < kPictureWidth && y >= 0 && y < kPictureHeight;
    if (!inside) {
        SetCursor(LoadCursorW(nullptr, IDC_ARROW));
    } else if (!game_cursor_visible) {
        SetCursor(nullptr);
    } else {
        SetCursor(current != nullptr ? current : LoadCursorW(nullptr, IDC_ARROW));
    }
    return true;
}

void win_release_cursors() {
    current = nullptr;
    game_cursor_visible = true;
    for (HCURSOR& cursor : cursors) {
        if (cursor != nullptr) DestroyCursor(cursor);
        cursor = nullptr;
    }
}
