// The game's one window: full screen on the desktop, the 800x600 picture scaled
// into it at the largest size that keeps its proportions, black bars around it.
#include <cstdio>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

SdlDisplay sdl_display = {};

bool sdl_video_start() {
    if (sdl_display.video_started) return true;
    SDL_SetMainReady();
    // Square pixels stay crisp; the game ticks on its own clock, so no vsync.
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Only video: joysticks would make waiting for events poll.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    sdl_display.video_started = true;
    return true;
}

bool sdl_create_texture() {
    if (sdl_display.texture != nullptr) SDL_DestroyTexture(sdl_display.texture);
    sdl_display.texture =
        SDL_CreateTexture(sdl_display.renderer, SDL_PIXELFORMAT_ARGB8888,
                          SDL_TEXTUREACCESS_STREAMING, kPictureWidth, kPictureHeight);
    sdl_display.has_frame = false;
    return sdl_display.texture != nullptr;
}

bool platform_open_window(const char* title) {
    if (sdl_display.window != nullptr) return true;
    if (!sdl_video_start()) return false;
    // Made with the desktop's own size and place as well, so that it covers the
    // screen even where no window manager carries out the full-screen request.
    SDL_Rect desktop = {0, 0, kPictureWidth, kPictureHeight};
    SDL_GetDisplayBounds(0, &desktop);
    sdl_display.window =
        SDL_CreateWindow(title != nullptr ? title : "", desktop.x, desktop.y, desktop.w, desktop.h,
                         SDL_WINDOW_HIDDEN | SDL_WINDOW_FULLSCREEN_DESKTOP);
    if (sdl_display.window != nullptr) {
        sdl_display.renderer = SDL_CreateRenderer(sdl_display.window, -1, 0);
    }
    if (sdl_display.renderer == nullptr ||
        SDL_RenderSetLogicalSize(sdl_display.renderer, kPictureWidth, kPictureHeight) != 0 ||
        !sdl_create_texture()) {
        platform_close_window();
        return false;
    }
    // The game reads keys, not typed text.
    SDL_StopTextInput();
    sdl_display.redraw_pending = true;
    return true;
}

void platform_show_window() {
    if (sdl_display.window == nullptr) return;
    SDL_ShowWindow(sdl_display.window);
    SDL_RaiseWindow(sdl_display.window);
    sdl_display.redraw_pending = true;
}

void platform_close_window() {
    if (sdl_display.video_started) sdl_release_cursors();
    if (sdl_display.texture != nullptr) SDL_DestroyTexture(sdl_display.texture);
    if (sdl_display.renderer != nullptr) SDL_DestroyRenderer(sdl_display.renderer);
    if (sdl_display.window != nullptr) SDL_DestroyWindow(sdl_display.window);
    if (sdl_display.video_started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    sdl_display = {};
}

void sdl_toggle_fullscreen() {
    SDL_Window* window = sdl_display.window;
    if (window == nullptr) return;
    if (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) {
        SDL_SetWindowFullscreen(window, 0);
        SDL_SetWindowSize(window, kPictureWidth, kPictureHeight);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        SDL_Rect desktop;
        int display = SDL_GetWindowDisplayIndex(window);
        if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &desktop) == 0) {
            SDL_SetWindowPosition(window, desktop.x, desktop.y);
            SDL_SetWindowSize(window, desktop.w, desktop.h);
        }
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    sdl_display.redraw_pending = true;
}

namespace {

// The desktop mode of the display the window is on (the first one before it exists).
bool desktop_mode(SDL_DisplayMode* mode) {
    if (!sdl_video_start()) return false;
    int display = sdl_display.window != nullptr ? SDL_GetWindowDisplayIndex(sdl_display.window) : 0;
    if (display < 0) display = 0;
    return SDL_GetDesktopDisplayMode(display, mode) == 0;
}

}  // namespace

bool platform_desktop_size(int32_t* width, int32_t* height) {
    SDL_DisplayMode mode;
    if (!desktop_mode(&mode) || mode.w <= 0 || mode.h <= 0) return false;
    if (width != nullptr) *width = mode.w;
    if (height != nullptr) *height = mode.h;
    return true;
}

int32_t platform_display_depth() {
    SDL_DisplayMode mode;
    if (!desktop_mode(&mode)) return 32;
    // Four bytes a pixel is what Windows calls 32 bits, padding byte included.
    if (SDL_BYTESPERPIXEL(mode.format) == 4) return 32;
    int32_t bits = static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format));
    return bits > 0 ? bits : 32;
}

void platform_message_box(const char* text, const char* caption) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    // Without a display to show it on, the message goes to the terminal instead.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, sdl_display.window) != 0) {
        std::fprintf(stderr, "%s: %s\n", caption, text);
    }
}
