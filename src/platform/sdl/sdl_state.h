// What the SDL2 backend's parts share: the window, its renderer, the one
// streaming texture the 800x600 picture is uploaded into and the scaling that
// brings it to the window.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "platform/common/pad_rules.h"
#include "platform/common/picture_layout.h"
#include "platform/desktop/display_settings.h"
#include "platform/events.h"
#include "platform/platform.h"

// The render target that holds the picture at a whole multiple of its size.
struct SdlScaler {
    SDL_Texture* target;
    int32_t width;
    int32_t height;
};

struct SdlDisplay {
    bool video_started;  // SDL's video subsystem is up (started by us)
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    SdlScaler scaler;     // the whole-multiple target of crisp scaling
    bool has_frame;       // the texture holds a picture
    bool redraw_pending;  // the window lost its contents: render again even if unchanged
    bool show_pending;    // the window is to be shown with the next picture
};

extern SdlDisplay sdl_display;

// Display choices, made before the window opens; they outlive closing it except
// the icon, which is freed with the window.
struct SdlChoices {
    bool windowed;         // a window instead of full screen
    bool windowed_chosen;  // windowed was chosen for this run: the remembered mode yields
    bool remember;         // the display settings file is read and written
    bool nearest_scaling;  // plain nearest-neighbour scaling instead of crisp scaling
    int32_t window_width;  // the window's size when not full screen (0: the picture's)
    int32_t window_height;
    SDL_Surface* icon;  // the window's icon, or null for the system's
};

extern SdlChoices sdl_choices;

// $XDG_CONFIG_HOME/cairnfall/display.conf, or ~/.config/cairnfall/display.conf.
bool sdl_settings_path(char* path, size_t size);
// The settings of the file, or the defaults when it is missing or damaged.
DisplaySettings sdl_load_settings();
// Writes the file atomically, making its folder; false (errno says why) on failure.
bool sdl_save_settings(const DisplaySettings& settings);

// Starts SDL's video subsystem once; false when there is no display to open.
bool sdl_video_start();
// Makes the streaming texture anew (after the renderer lost its textures).
bool sdl_create_texture();
// Switches between full screen on the desktop and a window of the chosen size.
void sdl_toggle_fullscreen();
// Maps a point in window coordinates to picture coordinates, in place. Points on
// the letterbox map outside 0..799 x 0..599. Left as they are without a window.
void sdl_window_to_picture(int32_t* x, int32_t* y);

// The multiple the crisp target is made at: the layout's, cut down to what the
// renderer's largest texture holds (a limit of 0 is none), at least 1.
int32_t sdl_target_multiple(int32_t multiple, int32_t max_width, int32_t max_height);
// Renders the picture texture into the whole output of the renderer, letterboxed:
// nearest-neighbour alone, or (crisp) nearest at the layout's whole multiple into
// the scaler's target, then linear down to the final size. The target is made anew
// only when the size it needs changes. False when a render call failed.
bool sdl_render_scaled(SDL_Renderer* renderer, SDL_Texture* picture, SdlScaler* scaler,
                       bool nearest);
// Lets go of the scaler's target (it is made again when needed).
void sdl_scaler_release(SdlScaler* scaler);
// Turns the Windows AND/XOR planes of a monochrome cursor into SDL's data/mask
// planes, byte for byte.
void sdl_cursor_planes(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t bytes,
                       uint8_t* data, uint8_t* mask);
// Lets go of every cursor made with platform_cursor_create.
void sdl_release_cursors();
// Shows the system pointer over the letterbox and the game's own over the picture.
void sdl_pointer_moved(int32_t x, int32_t y);
// The Windows virtual-key code of a key, or 0 for a key the game never sees.
int32_t sdl_virtual_key(SDL_Keycode key, SDL_Scancode scancode);

// Starts SDL's game controllers (the pads plugged in then arrive as added) and
// stops them with every pad taken.
void sdl_pads_start();
void sdl_pads_stop();
// Turns a game controller event into a key press of the game; false for every
// other event, and for pad events that press nothing (a pad plugged in, a release).
bool sdl_pad_event(const SDL_Event& e, PlatformEvent* event);
// The repeat of a held direction once it is due; false when none is.
bool sdl_pad_repeat(PlatformEvent* event);
// The time to wait for events: timeout_ms, or less when a repeat is due sooner.
uint32_t sdl_pad_wait_limit(uint32_t timeout_ms);
// Stops any repeat (the window lost the focus and will hear no release).
void sdl_pads_let_go();
