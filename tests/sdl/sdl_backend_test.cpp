// The SDL2 backend on SDL's offscreen video driver: the window, presentation,
// events in the game's terms, the cursor and closing.
#include <SDL.h>
#include <gtest/gtest.h>

#include <ctime>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "sdl_window_fixture.h"

namespace {

class SdlBackend : public SdlWindowTest {
  protected:
    void SetUp() override { open_window(false); }

    // Pushes an SDL event and returns what the backend makes of it.
    static bool through(SDL_Event e, PlatformEvent* event) {
        drain();
        EXPECT_EQ(SDL_PushEvent(&e), 1);
        *event = {};
        return platform_poll_event(event);
    }

    static SDL_Event key(SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
        SDL_Event e = {};
        e.type = SDL_KEYDOWN;
        e.key.state = SDL_PRESSED;
        e.key.repeat = repeat;
        e.key.keysym.sym = sym;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(sym);
        e.key.keysym.mod = mod;
        return e;
    }
};

TEST_F(SdlBackend, WindowIsTitledAndTheDesktopIsDescribed) {
    ASSERT_NE(sdl_display.window, nullptr);
    EXPECT_STREQ(SDL_GetWindowTitle(sdl_display.window), "Cairnfall");
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    int32_t width = 0, height = 0;
    ASSERT_TRUE(platform_desktop_size(&width, &height));
    EXPECT_GT(width, 0);
    EXPECT_GT(height, 0);
    EXPECT_GE(platform_display_depth(), 8);
    EXPECT_TRUE(platform_open_window("Cairnfall"));  // a second open keeps the window
}

TEST_F(SdlBackend, UnchangedPictureIsRenderedOnlyAfterAnExpose) {
    std::vector<uint32_t> picture(800 * 600);
    for (size_t i = 0; i < picture.size(); ++i) picture[i] = 0xFF000000u | static_cast<uint32_t>(i);
    platform_present(picture.data(), true);
    EXPECT_TRUE(sdl_display.has_frame);
    EXPECT_FALSE(sdl_display.redraw_pending);
    platform_present(picture.data(), false);

    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    PlatformEvent event;
    ASSERT_TRUE(through(e, &event));
    EXPECT_EQ(event.type, PEV_EXPOSE);
    EXPECT_TRUE(sdl_display.redraw_pending);
    platform_present(picture.data(), false);
    EXPECT_FALSE(sdl_display.redraw_pending);
}

struct KeyCase {
    SDL_Keycode sym;
    int32_t virtual_key;
};

TEST_F(SdlBackend, KeysArriveAsVirtualKeyCodes) {
    const KeyCase cases[] = {
        {SDLK_ESCAPE, 27}, {SDLK_F12, 123},     {SDLK_F1, 112}, {SDLK_a, 65},
        {SDLK_z, 90},      {SDLK_0, 48},        {SDLK_9, 57},   {SDLK_RETURN, 13},
        {SDLK_SPACE, 32},  {SDLK_LEFT, 37},     {SDLK_UP, 38},  {SDLK_RIGHT, 39},
        {SDLK_DOWN, 40},   {SDLK_BACKSPACE, 8}, {SDLK_TAB, 9},
    };
    for (const KeyCase& c : cases) {
        PlatformEvent event;
        ASSERT_TRUE(through(key(c.sym), &event)) << c.sym;
        EXPECT_EQ(event.type, PEV_KEY_DOWN);
        EXPECT_EQ(event.key, c.virtual_key) << c.sym;
    }
    // A held key repeats.
    PlatformEvent event;
    ASSERT_TRUE(through(key(SDLK_ESCAPE, KMOD_NONE, 1), &event));
    EXPECT_EQ(event.key, 27);
    // During text entry SDL's text input runs (a device's own keyboard may show),
    // and keys still arrive as keys.
    platform_set_text_entry(true);
    EXPECT_TRUE(SDL_IsTextInputActive());
    ASSERT_TRUE(through(key(SDLK_a), &event));
    EXPECT_EQ(event.key, 65);
    platform_set_text_entry(false);
    EXPECT_FALSE(SDL_IsTextInputActive());
}

TEST_F(SdlBackend, AltCombinationsStayWithThePlatform) {
    PlatformEvent event;
    EXPECT_FALSE(through(key(SDLK_ESCAPE, KMOD_LALT), &event));
    EXPECT_FALSE(through(key(SDLK_x, KMOD_RALT), &event));
    EXPECT_FALSE(through(key(SDLK_LALT), &event));

    ASSERT_TRUE(through(key(SDLK_F4, KMOD_LALT), &event));
    EXPECT_EQ(event.type, PEV_CLOSE);

    // Alt+Enter switches to a window of the picture's size and back.
    EXPECT_FALSE(through(key(SDLK_RETURN, KMOD_LALT), &event));
    EXPECT_FALSE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdl_display.window, &width, &height);
    EXPECT_EQ(width, 800);
    EXPECT_EQ(height, 600);
    drain();
    EXPECT_FALSE(through(key(SDLK_RETURN, KMOD_LALT), &event));
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
}

TEST_F(SdlBackend, MouseMovesAndLeftReleasesKeepTheirSignedCoordinates) {
    // In a window of the picture's size a window point is the picture point.
    platform_set_windowed(true);
    drain();
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = -5;
    e.motion.y = 650;
    PlatformEvent event;
    ASSERT_TRUE(through(e, &event));
    EXPECT_EQ(event.type, PEV_MOUSE_MOVE);
    EXPECT_EQ(event.x, -5);
    EXPECT_EQ(event.y, 650);

    e = {};
    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 412;
    e.button.y = -1;
    ASSERT_TRUE(through(e, &event));
    EXPECT_EQ(event.type, PEV_LBUTTON_UP);
    EXPECT_EQ(event.x, 412);
    EXPECT_EQ(event.y, -1);

    e.button.button = SDL_BUTTON_RIGHT;
    EXPECT_FALSE(through(e, &event));
    e.type = SDL_MOUSEBUTTONDOWN;
    e.button.button = SDL_BUTTON_LEFT;
    EXPECT_FALSE(through(e, &event));
}

TEST_F(SdlBackend, MovesInARowArriveAsTheLastOne) {
    platform_set_windowed(true);
    drain();
    SDL_Event e = {};
    e.type = SDL_MOUSEMOTION;
    for (int32_t x : {10, 20, 30}) {
        e.motion.x = x;
        e.motion.y = x + 1;
        SDL_PushEvent(&e);
    }
    e = {};
    e.type = SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.x = 40;
    e.button.y = 41;
    SDL_PushEvent(&e);
    e = {};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = 50;
    e.motion.y = 51;
    SDL_PushEvent(&e);
    // The first two moves are passed over; a move before a click is not.
    const int32_t expected[][3] = {
        {PEV_MOUSE_MOVE, 30, 31}, {PEV_LBUTTON_UP, 40, 41}, {PEV_MOUSE_MOVE, 50, 51}};
    PlatformEvent event;
    for (const auto& want : expected) {
        ASSERT_TRUE(platform_poll_event(&event));
        EXPECT_EQ(event.type, want[0]);
        EXPECT_EQ(event.x, want[1]);
        EXPECT_EQ(event.y, want[2]);
    }
    EXPECT_FALSE(platform_poll_event(&event));
}

TEST_F(SdlBackend, FocusAndQuitArrive) {
    SDL_Event e = {};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    PlatformEvent event;
    ASSERT_TRUE(through(e, &event));
    EXPECT_EQ(event.type, PEV_FOCUS_GAINED);

    e = {};
    e.type = SDL_QUIT;
    ASSERT_TRUE(through(e, &event));
    EXPECT_EQ(event.type, PEV_CLOSE);
}

TEST_F(SdlBackend, WaitingSleepsUntilTheTimeout) {
    drain();
    PlatformEvent event;
    std::clock_t cpu_before = std::clock();
    uint32_t before = platform_ticks_ms();
    bool got = false;
    for (int32_t i = 0; i < 100 && (got = platform_wait_event(&event, 300)); ++i) {
        before = platform_ticks_ms();
    }
    EXPECT_FALSE(got);
    uint32_t waited = platform_ticks_ms() - before;
    EXPECT_GE(waited, 290u);
    EXPECT_LT(waited, 2000u);
    // Waiting must not spin the processor.
    double cpu_ms = 1000.0 * static_cast<double>(std::clock() - cpu_before) / CLOCKS_PER_SEC;
    EXPECT_LT(cpu_ms, 150.0);

    // A queued event ends the wait at once.
    SDL_Event e = {};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    before = platform_ticks_ms();
    ASSERT_TRUE(platform_wait_event(&event, 5000));
    EXPECT_EQ(event.type, PEV_CLOSE);
    EXPECT_LT(platform_ticks_ms() - before, 1000u);
}

struct PadCase {
    SDL_GameControllerButton button;
    int32_t virtual_key;
};

// A pad plugged in while the game runs (SDL's virtual joystick stands for one):
// its buttons and its left stick arrive as the keys they stand for, a held
// direction repeats until let go, and a pad pulled out stops repeating.
TEST_F(SdlBackend, PadButtonsAndStickArriveAsKeys) {
    // SDL passes pad events to a focused window only, and an offscreen window
    // never has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* pad = SDL_JoystickOpen(index);
    ASSERT_NE(pad, nullptr) << SDL_GetError();
    drain();
    ASSERT_NE(SDL_GameControllerFromInstanceID(SDL_JoystickInstanceID(pad)), nullptr);
    PlatformEvent event;
    // Sets a button or an axis and returns the key it gives, 0 for none.
    auto key_of = [&](bool button, int32_t which, int32_t value) {
        if (button) {
            SDL_JoystickSetVirtualButton(pad, which, static_cast<Uint8>(value));
        } else {
            SDL_JoystickSetVirtualAxis(pad, which, static_cast<Sint16>(value));
        }
        event = {};
        bool got = platform_poll_event(&event);
        EXPECT_TRUE(!got || event.type == PEV_KEY_DOWN);
        int32_t key = got ? event.key : 0;
        drain();
        return key;
    };

    const PadCase buttons[] = {
        {SDL_CONTROLLER_BUTTON_A, KEY_ENTER},          {SDL_CONTROLLER_BUTTON_B, KEY_ESCAPE},
        {SDL_CONTROLLER_BUTTON_START, KEY_PAUSE},      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, KEY_LEFT},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, KEY_RIGHT}, {SDL_CONTROLLER_BUTTON_DPAD_UP, KEY_UP},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, KEY_DOWN},   {SDL_CONTROLLER_BUTTON_X, 0},
    };
    for (const PadCase& c : buttons) {
        EXPECT_EQ(key_of(true, c.button, 1), c.virtual_key) << c.button;
        EXPECT_EQ(key_of(true, c.button, 0), 0) << c.button;
    }
    // The stick past half its travel, the larger axis deciding; it stays pushed
    // down to a quarter.
    const int32_t x = SDL_CONTROLLER_AXIS_LEFTX, y = SDL_CONTROLLER_AXIS_LEFTY;
    EXPECT_EQ(key_of(false, x, -32768), KEY_LEFT);
    EXPECT_EQ(key_of(false, x, -10000), 0);
    EXPECT_EQ(key_of(false, x, 0), 0);
    EXPECT_EQ(key_of(false, x, 12000), 0);
    EXPECT_EQ(key_of(false, y, 30000), KEY_DOWN);
    EXPECT_EQ(key_of(false, x, 20000), 0);
    EXPECT_EQ(key_of(false, y, 0), KEY_RIGHT);
    EXPECT_EQ(key_of(false, x, 0), 0);
    EXPECT_EQ(key_of(false, SDL_CONTROLLER_AXIS_RIGHTX, 32767), 0);

    // Held: the press, a repeat after the delay, then one every interval.
    EXPECT_EQ(key_of(true, SDL_CONTROLLER_BUTTON_DPAD_UP, 1), KEY_UP);
    uint32_t pressed = platform_ticks_ms();
    ASSERT_TRUE(platform_wait_event(&event, 2000));
    EXPECT_EQ(event.key, KEY_UP);
    uint32_t first = platform_ticks_ms() - pressed;
    EXPECT_GE(first, kPadRepeatDelayMs - 20);
    EXPECT_LT(first, kPadRepeatDelayMs + 200);
    ASSERT_TRUE(platform_wait_event(&event, 2000));
    EXPECT_EQ(event.key, KEY_UP);
    EXPECT_GE(platform_ticks_ms() - pressed, first + kPadRepeatIntervalMs - 20);
    EXPECT_EQ(key_of(true, SDL_CONTROLLER_BUTTON_DPAD_UP, 0), 0);
    EXPECT_FALSE(platform_wait_event(&event, kPadRepeatDelayMs + 100));

    // Pulled out while held: no more repeats, and the pad is let go.
    EXPECT_EQ(key_of(true, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1), KEY_LEFT);
    SDL_JoystickID id = SDL_JoystickInstanceID(pad);
    SDL_JoystickClose(pad);
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
    EXPECT_FALSE(platform_wait_event(&event, kPadRepeatDelayMs + 100));
    EXPECT_EQ(SDL_GameControllerFromInstanceID(id), nullptr);
    SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
}

// The game's pointer (or none, while the intro hides it) covers the picture only;
// over the letterbox the system pointer shows.
TEST_F(SdlBackend, LetterboxShowsTheSystemPointer) {
    platform_set_windowed(true);
    drain();
    platform_cursor_show(false);
    ASSERT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    struct Case {
        int32_t x, y;
        int shown;
    };
    const Case moves[] = {{400, 300, SDL_DISABLE}, {-5, 300, SDL_ENABLE}, {400, 600, SDL_ENABLE},
                          {799, 599, SDL_DISABLE}, {800, 0, SDL_ENABLE},  {0, 0, SDL_DISABLE}};
    for (const Case& m : moves) {
        SDL_Event e = {};
        e.type = SDL_MOUSEMOTION;
        e.motion.x = m.x;
        e.motion.y = m.y;
        PlatformEvent event;
        ASSERT_TRUE(through(e, &event));
        EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), m.shown) << m.x << "," << m.y;
    }
    platform_cursor_show(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
}

TEST_F(SdlBackend, CursorIsMadeFromItsPlanes) {
    int32_t width = 0, height = 0;
    platform_cursor_size(&width, &height);
    EXPECT_EQ(width, 32);
    EXPECT_EQ(height, 32);
    EXPECT_TRUE(platform_mouse_present());

    uint8_t and_plane[32 * 4], xor_plane[32 * 4];
    for (int32_t i = 0; i < 32 * 4; ++i) {
        and_plane[i] = static_cast<uint8_t>(i * 37);
        xor_plane[i] = static_cast<uint8_t>(i * 11);
    }
    // SDL's offscreen and dummy drivers have no cursors; a real display has.
    int32_t cursor = platform_cursor_create(and_plane, xor_plane, 32, 32, 0, 0);
    const char* driver = SDL_GetCurrentVideoDriver();
    if (SDL_strcmp(driver, "offscreen") != 0 && SDL_strcmp(driver, "dummy") != 0) {
        EXPECT_GT(cursor, 0);
    }
    platform_cursor_set(cursor);
    platform_cursor_show(false);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    platform_cursor_show(true);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    platform_cursor_set(0);

    EXPECT_EQ(platform_cursor_create(nullptr, xor_plane, 32, 32, 0, 0), 0);
    EXPECT_EQ(platform_cursor_create(and_plane, xor_plane, 30, 32, 0, 0), 0);
    EXPECT_EQ(platform_cursor_create(and_plane, xor_plane, 32, 0, 0, 0), 0);
    EXPECT_EQ(platform_cursor_create(and_plane, xor_plane, 32, 32, 32, 0), 0);
    EXPECT_EQ(platform_cursor_create(and_plane, xor_plane, 32, 32, 0, -1), 0);
}

TEST(SdlCursorPlanes, EveryPixelKeepsItsLook) {
    // Bit pairs of the Windows planes and the SDL bits that give the same look.
    struct Look {
        int and_bit, xor_bit, data_bit, mask_bit;
    };
    const Look looks[] = {
        {0, 0, 1, 1},  // black
        {0, 1, 0, 1},  // white
        {1, 0, 0, 0},  // transparent
        {1, 1, 1, 0},  // inverted
    };
    for (const Look& look : looks) {
        for (int32_t bit = 0; bit < 8; ++bit) {
            // One pixel of the look among pixels of the opposite planes.
            uint8_t and_byte = static_cast<uint8_t>(look.and_bit ? 1 << bit : ~(1 << bit));
            uint8_t xor_byte = static_cast<uint8_t>(look.xor_bit ? 1 << bit : ~(1 << bit));
            uint8_t data = 0, mask = 0;
            sdl_cursor_planes(&and_byte, &xor_byte, 1, &data, &mask);
            EXPECT_EQ((data >> bit) & 1, look.data_bit) << look.and_bit << look.xor_bit << bit;
            EXPECT_EQ((mask >> bit) & 1, look.mask_bit) << look.and_bit << look.xor_bit << bit;
        }
    }
}

TEST(SdlBackendClosed, EverythingIsSafeWithoutAWindow) {
    platform_close_window();
    platform_close_window();
    PlatformEvent event;
    EXPECT_FALSE(platform_poll_event(&event));
    std::vector<uint32_t> picture(800 * 600, 0);
    platform_present(picture.data(), true);
    uint8_t plane[32 * 4] = {};
    EXPECT_EQ(platform_cursor_create(plane, plane, 32, 32, 0, 0), 0);
    platform_cursor_set(1);
    platform_cursor_show(true);
    uint32_t before = platform_ticks_ms();
    EXPECT_FALSE(platform_wait_event(&event, 30));
    EXPECT_GE(platform_ticks_ms() - before, 25u);
    EXPECT_GT(platform_calendar_seconds(), 1600000000);

    // The window can be opened again after closing.
    software_rendering();
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    platform_present(picture.data(), true);
    platform_close_window();
}

}  // namespace
