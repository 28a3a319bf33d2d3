// The game's one window: full screen on the desktop or a window of any size, the
// 800x600 picture scaled into it at the largest size that keeps its proportions,
// black bars around it. Without a display it fails at once with the cause named.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

SdlDisplay sdl_display = {};
SdlChoices sdl_choices = {};

namespace {

char display_error[512];

bool variable_set(const char* name) {
    const char* value = SDL_getenv(name);
    return value != nullptr && value[0] != '\0';
}

// "cannot open the display (DISPLAY=:55): <detail>", naming the displays the
// environment gives, so that a wrong one can be told from one that is down.
void note_display_error(const char* detail) {
    const char* x11 = variable_set("DISPLAY") ? SDL_getenv("DISPLAY") : nullptr;
    const char* wayland = variable_set("WAYLAND_DISPLAY") ? SDL_getenv("WAYLAND_DISPLAY") : nullptr;
    char named[256] = "";
    if (x11 != nullptr && wayland != nullptr) {
        std::snprintf(named, sizeof named, " (DISPLAY=%s, WAYLAND_DISPLAY=%s)", x11, wayland);
    } else if (x11 != nullptr || wayland != nullptr) {
        std::snprintf(named, sizeof named, " (%s=%s)",
                      x11 != nullptr ? "DISPLAY" : "WAYLAND_DISPLAY",
                      x11 != nullptr ? x11 : wayland);
    }
    std::snprintf(display_error, sizeof display_error, "cannot open the display%s: %s", named,
                  detail);
}

// Whether the player (or a test) named SDL's video driver.
bool driver_asked() {
    return variable_set("SDL_VIDEODRIVER");
}

// SDL's drivers that draw into memory only: a window there is never seen.
bool invisible_driver(const char* driver) {
    return driver != nullptr &&
           (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
}

// False when a message box could not be seen: no display named, or SDL's video
// is up on a driver that shows nothing.
bool display_reachable() {
    if (!variable_set("DISPLAY") && !variable_set("WAYLAND_DISPLAY")) return false;
    return !sdl_display.video_started || !invisible_driver(SDL_GetCurrentVideoDriver());
}

// The size of the window when it is not full screen: the one chosen (the
// picture's by default), cut down to the part of the desktop a window may use.
void window_size(int display, int* width, int* height) {
    *width = sdl_choices.window_width > 0 ? sdl_choices.window_width : kPictureWidth;
    *height = sdl_choices.window_height > 0 ? sdl_choices.window_height : kPictureHeight;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(display < 0 ? 0 : display, &usable) == 0 &&
        usable.w >= kSmallestWindowWidth && usable.h >= kSmallestWindowHeight) {
        if (*width > usable.w) *width = usable.w;
        if (*height > usable.h) *height = usable.h;
    }
}

// The window's size and place: the desktop's for full screen, so that it covers
// the screen even where no window manager carries out the full-screen request.
// Resizable either way, so that the window left by Alt+Enter is too.
SDL_Window* create_window(const char* title) {
    const Uint32 flags = SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE;
    SDL_Window* window = nullptr;
    if (sdl_choices.windowed) {
        int width = 0, height = 0;
        window_size(0, &width, &height);
        window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                                  height, flags);
    } else {
        SDL_Rect desktop = {0, 0, kPictureWidth, kPictureHeight};
        SDL_GetDisplayBounds(0, &desktop);
        window = SDL_CreateWindow(title, desktop.x, desktop.y, desktop.w, desktop.h,
                                  flags | SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
    if (window != nullptr) {
        SDL_SetWindowMinimumSize(window, kSmallestWindowWidth, kSmallestWindowHeight);
    }
    return window;
}

// Remembers the window's size while it is a window, for the next time it is one.
void keep_window_size() {
    SDL_Window* window = sdl_display.window;
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN)) return;
    SDL_GetWindowSize(window, &sdl_choices.window_width, &sdl_choices.window_height);
}

// Takes the remembered display choices; a mode chosen for this run stays.
void take_settings() {
    if (!sdl_choices.remember) return;
    DisplaySettings settings = sdl_load_settings();
    if (!sdl_choices.windowed_chosen) sdl_choices.windowed = settings.windowed;
    sdl_choices.window_width = settings.width;
    sdl_choices.window_height = settings.height;
}

// Writes the display choices as they are when the window closes.
void keep_settings() {
    if (!sdl_choices.remember || sdl_display.window == nullptr) return;
    keep_window_size();
    DisplaySettings settings = display_default_settings();
    settings.windowed = (SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN) == 0;
    if (sdl_choices.window_width >= kSmallestWindowWidth &&
        sdl_choices.window_height >= kSmallestWindowHeight) {
        settings.width = sdl_choices.window_width;
        settings.height = sdl_choices.window_height;
    }
    if (!sdl_save_settings(settings)) {
        char path[4096];
        if (!sdl_settings_path(path, sizeof path)) path[0] = '\0';
        std::fprintf(stderr, "cairnfall: warning: display settings not saved: %s: %s\n", path,
                     std::strerror(errno));
    }
}

}  // namespace

bool sdl_video_start() {
    if (sdl_display.video_started) return true;
    if (!driver_asked() && !variable_set("DISPLAY") && !variable_set("WAYLAND_DISPLAY")) {
        std::snprintf(display_error, sizeof display_error,
                      "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
        return false;
    }
    SDL_SetMainReady();
    // The game ticks on its own clock, so no vsync.
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Only the drivers of the displays named: SDL would otherwise go on to the
    // console's and memory-only drivers, and its Wayland probe prints an error
    // line of its own when no Wayland display is named.
    bool chosen_here = !driver_asked() && SDL_GetHint(SDL_HINT_VIDEODRIVER) == nullptr;
    if (chosen_here) {
        bool x11 = variable_set("DISPLAY");
        bool wayland = variable_set("WAYLAND_DISPLAY");
        SDL_SetHint(SDL_HINT_VIDEODRIVER, x11 && wayland ? "x11,wayland" : x11 ? "x11" : "wayland");
    }
    bool started = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
    if (chosen_here) SDL_ResetHint(SDL_HINT_VIDEODRIVER);
    if (!started) {
        note_display_error(SDL_GetError());
        return false;
    }
    // With the display out of reach SDL falls back on a driver that draws into
    // memory: the game would run unseen.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver_asked() && invisible_driver(driver)) {
        char detail[128];
        std::snprintf(detail, sizeof detail, "SDL could only start its video driver %s", driver);
        note_display_error(detail);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    sdl_display.video_started = true;
    sdl_pads_start();
    return true;
}

const char* platform_display_error() {
    return display_error[0] != '\0' ? display_error : "cannot open the display";
}

bool sdl_create_texture() {
    // Whatever made the picture texture go lost the target with it.
    sdl_scaler_release(&sdl_display.scaler);
    if (sdl_display.texture != nullptr) SDL_DestroyTexture(sdl_display.texture);
    sdl_display.texture =
        SDL_CreateTexture(sdl_display.renderer, SDL_PIXELFORMAT_ARGB8888,
                          SDL_TEXTUREACCESS_STREAMING, kPictureWidth, kPictureHeight);
    sdl_display.has_frame = false;
    if (sdl_display.texture == nullptr) return false;
    // Square pixels: the picture is only ever enlarged by nearest; it is opaque.
    SDL_SetTextureScaleMode(sdl_display.texture, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(sdl_display.texture, SDL_BLENDMODE_NONE);
    return true;
}

bool platform_open_window(const char* title) {
    if (sdl_display.window != nullptr) return true;
    display_error[0] = '\0';
    if (!sdl_video_start()) return false;
    take_settings();
    sdl_display.window = create_window(title != nullptr ? title : "");
    if (sdl_display.window != nullptr) {
        sdl_display.renderer = SDL_CreateRenderer(sdl_display.window, -1, 0);
    }
    if (sdl_display.renderer == nullptr || !sdl_create_texture()) {
        note_display_error(SDL_GetError());
        platform_close_window();
        return false;
    }
    if (sdl_choices.icon != nullptr) SDL_SetWindowIcon(sdl_display.window, sdl_choices.icon);
    // The game reads keys, not typed text; name entry asks for the system's
    // keyboard with platform_set_text_entry.
    SDL_StopTextInput();
    sdl_display.redraw_pending = true;
    return true;
}

void platform_show_window() {
    if (sdl_display.window == nullptr) return;
    // Shown by the next presentation that has a picture (platform_present).
    sdl_display.show_pending = true;
    sdl_display.redraw_pending = true;
}

void platform_set_windowed(bool windowed) {
    sdl_choices.windowed = windowed;
    sdl_choices.windowed_chosen = true;
    if (sdl_display.window == nullptr) return;
    bool fullscreen = (SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (fullscreen == windowed) sdl_toggle_fullscreen();
}

void platform_set_nearest_scaling(bool nearest) {
    sdl_choices.nearest_scaling = nearest;
    sdl_display.redraw_pending = true;
}

bool platform_set_window_icon(const char* path) {
    if (path == nullptr) return false;
    SDL_Surface* icon = SDL_LoadBMP(path);
    if (icon == nullptr) return false;
    if (icon->w <= 0 || icon->h <= 0 || icon->w > 1024 || icon->h > 1024) {
        SDL_FreeSurface(icon);
        return false;
    }
    if (sdl_choices.icon != nullptr) SDL_FreeSurface(sdl_choices.icon);
    sdl_choices.icon = icon;
    if (sdl_display.window != nullptr) SDL_SetWindowIcon(sdl_display.window, icon);
    return true;
}

void platform_remember_display() {
    sdl_choices.remember = true;
}

void platform_close_window() {
    keep_settings();
    if (sdl_display.video_started) sdl_release_cursors();
    sdl_scaler_release(&sdl_display.scaler);
    if (sdl_display.texture != nullptr) SDL_DestroyTexture(sdl_display.texture);
    if (sdl_display.renderer != nullptr) SDL_DestroyRenderer(sdl_display.renderer);
    if (sdl_display.window != nullptr) SDL_DestroyWindow(sdl_display.window);
    sdl_pads_stop();
    if (sdl_display.video_started) SDL_QuitSubSystem(SDL_INIT_VIDEO);
    if (sdl_choices.icon != nullptr) SDL_FreeSurface(sdl_choices.icon);
    sdl_choices.icon = nullptr;
    sdl_display = {};
}

void sdl_toggle_fullscreen() {
    SDL_Window* window = sdl_display.window;
    if (window == nullptr) return;
    if (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) {
        SDL_SetWindowFullscreen(window, 0);
        int width = 0, height = 0;
        window_size(SDL_GetWindowDisplayIndex(window), &width, &height);
        SDL_SetWindowSize(window, width, height);
        SDL_SetWindowPosition(window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    } else {
        keep_window_size();
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

bool device_desktop_size(int32_t* width, int32_t* height) {
    SDL_DisplayMode mode;
    if (!desktop_mode(&mode) || mode.w <= 0 || mode.h <= 0) return false;
    if (width != nullptr) *width = mode.w;
    if (height != nullptr) *height = mode.h;
    return true;
}

int32_t device_display_depth() {
    SDL_DisplayMode mode;
    if (!desktop_mode(&mode)) return 32;
    // Four bytes a pixel is what Windows calls 32 bits, padding byte included.
    if (SDL_BYTESPERPIXEL(mode.format) == 4) return 32;
    int32_t bits = static_cast<int32_t>(SDL_BITSPERPIXEL(mode.format));
    return bits > 0 ? bits : 32;
}

// SDL's text input shows the system's on-screen keyboard where there is one (a
// Steam Deck, a tablet); the game still reads the keys it presses, not the text.
void platform_set_text_entry(bool active) {
    if (active) {
        SDL_StartTextInput();
    } else {
        SDL_StopTextInput();
    }
}

void platform_message_box(const char* text, const char* caption) {
    if (text == nullptr) text = "";
    if (caption == nullptr) caption = "";
    // Always on standard error, where a player who started the game from a terminal
    // or a log reader sees it; in a box as well where a display can show one.
    std::fprintf(stderr, "cairnfall: %s\n", text);
    if (display_reachable()) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, sdl_display.window);
    }
}
