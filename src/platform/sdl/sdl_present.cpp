// Showing a picture: upload it into the streaming texture and render it scaled,
// or skip all of it when nothing changed and the window kept its contents. The
// window itself appears with its first picture.
#include <cstdint>
#include <cstring>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

namespace {

bool upload(const uint32_t* argb) {
    void* memory = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(sdl_display.texture, nullptr, &memory, &pitch) != 0) return false;
    const size_t row_bytes = kPictureWidth * sizeof(uint32_t);
    if (static_cast<size_t>(pitch) == row_bytes) {
        std::memcpy(memory, argb, row_bytes * kPictureHeight);
    } else {
        uint8_t* destination = static_cast<uint8_t*>(memory);
        for (int32_t y = 0; y < kPictureHeight; ++y) {
            std::memcpy(destination + static_cast<size_t>(y) * pitch, argb + y * kPictureWidth,
                        row_bytes);
        }
    }
    SDL_UnlockTexture(sdl_display.texture);
    return true;
}

}  // namespace

void platform_present(const uint32_t* argb, bool changed) {
    if (sdl_display.renderer == nullptr || sdl_display.texture == nullptr) return;
    bool must_upload = argb != nullptr && (changed || !sdl_display.has_frame);
    bool must_show = sdl_display.show_pending && (must_upload || sdl_display.has_frame);
    if (!must_upload && !sdl_display.redraw_pending && !must_show) return;
    if (must_upload && upload(argb)) sdl_display.has_frame = true;
    if (sdl_display.show_pending && sdl_display.has_frame) {
        // Shown only now, so that the first thing seen is the game's picture.
        SDL_ShowWindow(sdl_display.window);
        SDL_RaiseWindow(sdl_display.window);
        sdl_display.show_pending = false;
    }

    if (sdl_display.has_frame) {
        sdl_render_scaled(sdl_display.renderer, sdl_display.texture, &sdl_display.scaler,
                          sdl_choices.nearest_scaling);
    } else {
        SDL_SetRenderDrawColor(sdl_display.renderer, 0, 0, 0, 255);
        SDL_RenderClear(sdl_display.renderer);
    }
    SDL_RenderPresent(sdl_display.renderer);
    sdl_display.redraw_pending = false;
}

void sdl_window_to_picture(int32_t* x, int32_t* y) {
    if (sdl_display.window == nullptr || x == nullptr || y == nullptr) return;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(sdl_display.window, &width, &height);
    composition_to_picture(picture_composition(width, height), x, y);
}
