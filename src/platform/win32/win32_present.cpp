// Showing a picture: keep it, draw it scaled into the client-sized picture and
// copy that to the window; or skip all of it when nothing changed and the window
// kept its contents. The window itself appears with its first picture.
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/win32_state.h"

void platform_present(const uint32_t* argb, bool changed) {
    WinDisplay& d = win_display;
    if (d.window == nullptr) return;
    bool must_upload = argb != nullptr && (changed || !d.has_frame);
    bool must_show = d.show_pending && (must_upload || d.has_frame);
    if (!must_upload && !d.redraw_pending && !must_show) return;
    if (must_upload) {
        std::memcpy(d.picture, argb, sizeof d.picture);
        d.has_frame = true;
    }
    if (d.show_pending && d.has_frame) {
        // Shown only now, so that the first thing seen is the game's picture.
        ShowWindow(d.window, SW_SHOW);
        SetForegroundWindow(d.window);
        d.show_pending = false;
    }
    if (!d.has_frame) std::memset(d.picture, 0, sizeof d.picture);
    RECT client;
    if (!GetClientRect(d.window, &client) || IsIconic(d.window)) return;
    if (!win_render(client.right, client.bottom, win_choices.nearest_scaling)) return;
    HDC dc = GetDC(d.window);
    if (dc == nullptr) return;
    win_blit(dc);
    ReleaseDC(d.window, dc);
    ValidateRect(d.window, nullptr);
    d.redraw_pending = false;
}
