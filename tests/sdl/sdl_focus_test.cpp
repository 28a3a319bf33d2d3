// The window losing the keyboard focus or being minimised reaches the game as one
// event, so that a running game can pause.
#include <SDL.h>
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "sdl_window_fixture.h"

namespace {

class SdlFocus : public SdlWindowTest {
  protected:
    void SetUp() override { open_window(false); }

    // The game's event for one window event, or PEV_NONE when it gets none.
    static int32_t through(Uint8 window_event) {
        drain();
        PlatformEvent event;
        SDL_Event e = {};
        e.type = SDL_WINDOWEVENT;
        e.window.event = window_event;
        EXPECT_EQ(SDL_PushEvent(&e), 1);
        event = {};
        return platform_poll_event(&event) ? event.type : PEV_NONE;
    }
};

TEST_F(SdlFocus, LeavingTheWindowArrivesAsAFocusLoss) {
    struct Case {
        Uint8 window_event;
        int32_t type;
    };
    const Case cases[] = {
        {SDL_WINDOWEVENT_FOCUS_LOST, PEV_FOCUS_LOST},
        {SDL_WINDOWEVENT_MINIMIZED, PEV_FOCUS_LOST},
        {SDL_WINDOWEVENT_FOCUS_GAINED, PEV_FOCUS_GAINED},
        {SDL_WINDOWEVENT_RESTORED, PEV_EXPOSE},
        {SDL_WINDOWEVENT_LEAVE, PEV_NONE},  // the pointer leaving is no focus loss
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.window_event));
        EXPECT_EQ(through(c.window_event), c.type);
    }
}

}  // namespace
