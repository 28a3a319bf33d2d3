// A test with the SDL backend's window open on SDL's software renderer: the GL
// drivers behind the offscreen driver keep memory of their own to the end, which
// the leak checker of the sanitizer build would report.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

inline void software_rendering() {
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

class SdlWindowTest : public ::testing::Test {
  protected:
    // windowed: an 800x600 window instead of full screen.
    void open_window(bool windowed) {
        software_rendering();
        platform_set_windowed(windowed);
        ASSERT_TRUE(platform_open_window("Cairnfall")) << SDL_GetError();
        platform_show_window();
        drain();
    }
    void TearDown() override {
        platform_close_window();
        platform_set_windowed(false);
        platform_set_nearest_scaling(false);
        // A window made after this one has the picture's size again.
        sdl_choices.window_width = 0;
        sdl_choices.window_height = 0;
    }

    // Takes every pending event, so that an event pushed next is the next one read.
    static void drain() {
        PlatformEvent event;
        for (int32_t i = 0; i < 1000 && platform_poll_event(&event); ++i) {
        }
    }
};
