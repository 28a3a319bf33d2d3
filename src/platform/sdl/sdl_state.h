// What the SDL2 backend's parts share: the window, its renderer and the one
// streaming texture the 800x600 picture is uploaded into.
#pragma once

#include <SDL.h>

#include <cstdint>

struct SdlDisplay {
    bool video_started;  // SDL's video subsystem is up (started by us)
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* texture;
    bool has_frame;       // the texture holds a picture
    bool redraw_pending;  // the window lost its contents: render again even if unchanged
};

extern SdlDisplay sdl_display;

constexpr int32_t kPictureWidth = 800;
constexpr int32_t kPictureHeight = 600;

// Starts SDL's video subsystem once; false when there is no display to open.
bool sdl_video_start();
// Makes the streaming texture anew (after the renderer lost its textures).
bool sdl_create_texture();
// Switches between full screen on the desktop and an 800x600 window.
void sdl_toggle_fullscreen();
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
