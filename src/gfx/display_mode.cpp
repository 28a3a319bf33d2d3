// The display side: the window's context, the desktop's depth, and the check and
// switch that make the 800x600 picture fill the screen.
#include "gfx/gfx_internal.h"
#include "platform/platform.h"

int32_t gfx_set_window_dc(int32_t dc) {
    gfx_contexts.window_dc = dc;
    gfx.text_dc = dc;
    return 0;
}

int32_t gfx_color_depth() {
    int32_t depth = platform_display_depth();
    return depth == 15 ? 16 : depth;
}

// The picture is scaled to the desktop, so any depth will do; the desktop only has
// to be at least as large as the picture.
int32_t gfx_test_mode(int32_t width, int32_t height, int32_t /*bits*/) {
    gfx_wait_ms(MODE_SETTLE_MS);
    int32_t desktop_width = 0;
    int32_t desktop_height = 0;
    if (!platform_desktop_size(&desktop_width, &desktop_height)) return DISP_CHANGE_FAILED;
    if (desktop_width < width || desktop_height < height) return DISP_CHANGE_FAILED;
    return DISP_CHANGE_SUCCESSFUL;
}

// Full screen is a window covering the desktop with the picture scaled into it; no
// restart is ever needed.
int32_t gfx_set_mode(int32_t /*width*/, int32_t /*height*/, int32_t /*bits*/,
                     int32_t /*full_screen*/) {
    gfx_wait_ms(MODE_SETTLE_MS);
    platform_show_window();
    return DISP_CHANGE_SUCCESSFUL;
}
