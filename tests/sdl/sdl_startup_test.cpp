// Start-up of the SDL2 backend: no display fails at once with the cause named,
// the window appears with its first picture, starts windowed on request and
// takes its icon from a BMP file.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"
#include "sdl_window_fixture.h"

namespace {

// Sets environment variables for one test and puts the old values back after it.
class Environment {
  public:
    Environment() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved_.push_back(value != nullptr ? std::string(value) : std::string());
            had_.push_back(value != nullptr);
        }
    }
    ~Environment() {
        for (size_t i = 0; i < saved_.size(); ++i) {
            if (had_[i]) {
                setenv(kNames[i], saved_[i].c_str(), 1);
            } else {
                unsetenv(kNames[i]);
            }
        }
    }
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;

  private:
    static constexpr const char* kNames[] = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER",
                                             "DBUS_SESSION_BUS_ADDRESS", "XDG_CONFIG_HOME"};
    std::vector<std::string> saved_;
    std::vector<bool> had_;
};

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(SdlStartup, NoDisplayFailsAtOnceNamingTheCause) {
    platform_close_window();
    Environment environment;
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform_open_window("Cairnfall"));
    EXPECT_STREQ(platform_display_error(),
                 "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    int32_t width = 0, height = 0;
    EXPECT_FALSE(platform_desktop_size(&width, &height));
    // The message goes to the terminal: a message box would need the display.
    testing::internal::CaptureStderr();
    platform_message_box("Missing game file data/intro.bmp", "Error");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "cairnfall: Missing game file data/intro.bmp\n");
    EXPECT_LT(seconds_since(start), 1.0);
    // An empty variable is no display either.
    setenv("DISPLAY", "", 1);
    EXPECT_FALSE(platform_open_window("Cairnfall"));
    EXPECT_STREQ(platform_display_error(),
                 "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
}

// SDL falls back on its offscreen driver when the display named cannot be opened:
// refused unless SDL_VIDEODRIVER asked for it.
TEST(SdlStartup, ADriverThatShowsNothingIsRefusedUnlessAsked) {
    platform_close_window();
    Environment environment;
    setenv("DISPLAY", ":97", 1);  // no server there
    // No session bus either: D-Bus would try to start one through that display,
    // and its failure keeps memory the leak checker reports.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/cairnfall-test-bus", 1);
    unsetenv("WAYLAND_DISPLAY");
    unsetenv("SDL_VIDEODRIVER");
    // SDL's own order, cut to a display that fails and the fallback (a hint, not
    // the variable, so the backend takes it as not asked for).
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11,offscreen");
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(platform_open_window("Cairnfall"));
    std::string error = platform_display_error();
    EXPECT_EQ(error.rfind("cannot open the display (DISPLAY=:97): ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(sdl_display.window, nullptr);
    EXPECT_LT(seconds_since(start), 1.0);
    SDL_ResetHint(SDL_HINT_VIDEODRIVER);

    // Asked for by name, the same driver is taken (as the tests here do).
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    software_rendering();
    EXPECT_TRUE(platform_open_window("Cairnfall")) << platform_display_error();
    platform_close_window();
}

TEST(SdlStartup, TheWindowAppearsWithItsFirstPicture) {
    software_rendering();
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_HIDDEN);
    platform_show_window();
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_HIDDEN);
    // A presentation without a picture (an expose before the first frame) keeps
    // the window hidden.
    platform_present(nullptr, false);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_HIDDEN);

    std::vector<uint32_t> picture(800 * 600, 0xFF204080u);
    platform_present(picture.data(), true);
    Uint32 flags = SDL_GetWindowFlags(sdl_display.window);
    EXPECT_FALSE(flags & SDL_WINDOW_HIDDEN);
    EXPECT_TRUE(flags & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(sdl_display.show_pending);
    // What was rendered on showing is the picture.
    int w = 0, h = 0;
    SDL_GetRendererOutputSize(sdl_display.renderer, &w, &h);
    uint32_t centre = 0;
    SDL_Rect point = {w / 2, h / 2, 1, 1};
    ASSERT_EQ(
        SDL_RenderReadPixels(sdl_display.renderer, &point, SDL_PIXELFORMAT_ARGB8888, &centre, 4),
        0);
    EXPECT_EQ(centre, 0xFF204080u);
    platform_close_window();
}

TEST(SdlStartup, WindowedStartsAsAPictureSizedWindow) {
    software_rendering();
    platform_set_windowed(true);
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_FALSE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_RESIZABLE);
    int w = 0, h = 0;
    SDL_GetWindowSize(sdl_display.window, &w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    // Changed while open: full screen, and a repeated choice changes nothing.
    platform_set_windowed(false);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    platform_set_windowed(false);
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    platform_set_windowed(true);
    EXPECT_FALSE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    platform_close_window();
    // The choice outlives the window.
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_FALSE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    platform_close_window();
    platform_set_windowed(false);
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN);
    platform_close_window();
}

struct SettingsCase {
    const char* text;
    bool read;
    DisplaySettings settings;
};

TEST(DisplaySettingsFile, OnlyAWholeFileIsTaken) {
    const SettingsCase cases[] = {
        {"mode window\nsize 1280x960\n", true, {true, 1280, 960}},
        {"mode fullscreen\nsize 800x600\n", true, {false, 800, 600}},
        {"mode fullscreen\nsize 400x300\n", true, {false, 400, 300}},
        {"mode window\nsize 16384x16384\n", true, {true, 16384, 16384}},
        {"", false, {}},
        {"mode window\n", false, {}},
        {"mode window\nsize 1280x960", false, {}},
        {"mode window\nsize 1280x960\nmore\n", false, {}},
        {"mode maximised\nsize 1280x960\n", false, {}},
        {"mode window\nsize 399x300\n", false, {}},
        {"mode window\nsize 16385x960\n", false, {}},
        {"mode window\nsize 800x16385\n", false, {}},
        {"mode window\r\nsize 800x600\r\n", false, {}},
        {"mode window\nsize 999999x960\n", false, {}},
        {"mode window\nsize -800x600\n", false, {}},
        {"mode window\nsize 1280 x 960\n", false, {}},
    };
    for (const SettingsCase& c : cases) {
        DisplaySettings settings = {true, 1, 2};
        EXPECT_EQ(parse_display_settings(c.text, std::strlen(c.text), &settings), c.read) << c.text;
        DisplaySettings want = c.read ? c.settings : DisplaySettings{true, 1, 2};
        EXPECT_EQ(settings.windowed, want.windowed) << c.text;
        EXPECT_EQ(settings.width, want.width) << c.text;
        EXPECT_EQ(settings.height, want.height) << c.text;
        if (!c.read) continue;
        char text[64];
        ASSERT_GT(format_display_settings(settings, text, sizeof text), 0);
        EXPECT_STREQ(text, c.text);
    }
    const char nul[] = "mode window\nsize 1280x960\n\0";
    DisplaySettings settings = {};
    EXPECT_FALSE(parse_display_settings(nul, sizeof nul, &settings));
}

std::string read_text(const std::string& path) {
    std::string text;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return "(missing)";
    char buffer[256];
    size_t n = std::fread(buffer, 1, sizeof buffer, file);
    std::fclose(file);
    return std::string(buffer, n);
}

// The program's window opens as it was left: full screen or a window of the
// size it had; --window and --fullscreen choose for one run; a damaged file
// gives the defaults.
TEST(SdlStartup, TheWindowIsRememberedBetweenRuns) {
    Environment environment;
    std::string config = testing::TempDir() + "cairnfall_config_" + std::to_string(getpid());
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    const std::string file = config + "/cairnfall/display.conf";
    std::remove(file.c_str());
    software_rendering();
    sdl_choices.windowed = false;
    sdl_choices.windowed_chosen = false;
    platform_remember_display();
    auto size = [](int* w, int* h) { SDL_GetWindowSize(sdl_display.window, w, h); };
    auto fullscreen = [] {
        return (SDL_GetWindowFlags(sdl_display.window) & SDL_WINDOW_FULLSCREEN) != 0;
    };

    // The first run: full screen; Alt+Enter gives a window that is then resized.
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(fullscreen());
    sdl_toggle_fullscreen();
    SDL_SetWindowSize(sdl_display.window, 1000, 700);
    platform_close_window();
    EXPECT_EQ(read_text(file), "mode window\nsize 1000x700\n");

    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_FALSE(fullscreen());
    int w = 0, h = 0;
    size(&w, &h);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 700);
    // Full screen when it closes: so it opens, and its window keeps the size.
    sdl_toggle_fullscreen();
    platform_close_window();
    EXPECT_EQ(read_text(file), "mode fullscreen\nsize 1000x700\n");
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(fullscreen());
    sdl_toggle_fullscreen();
    size(&w, &h);
    EXPECT_EQ(w, 1000);
    EXPECT_EQ(h, 700);
    platform_close_window();

    // --fullscreen wins over the remembered window.
    platform_set_windowed(false);
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(fullscreen());
    platform_close_window();
    EXPECT_EQ(read_text(file), "mode fullscreen\nsize 1000x700\n");

    // A damaged file: full screen, and a window of the picture's size.
    std::FILE* damaged = std::fopen(file.c_str(), "wb");
    ASSERT_NE(damaged, nullptr);
    std::fputs("mode window\nsize 1000x7", damaged);
    std::fclose(damaged);
    sdl_choices.windowed_chosen = false;
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(fullscreen());
    sdl_toggle_fullscreen();
    size(&w, &h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    sdl_choices.remember = false;
    platform_close_window();
    sdl_choices = {};
    std::remove(file.c_str());
}

// A 32-bit BMP with a BITMAPV4 header and an alpha mask, as the icon file is:
// the top-left quarter transparent, the rest opaque in a colour that tells rows
// and columns apart.
std::vector<uint8_t> icon_bmp(int32_t side) {
    const uint32_t header = 14 + 108;
    const uint32_t size = header + static_cast<uint32_t>(side * side * 4);
    std::vector<uint8_t> bytes(size, 0);
    auto put16 = [&](size_t at, uint32_t v) {
        bytes[at] = static_cast<uint8_t>(v);
        bytes[at + 1] = static_cast<uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, uint32_t v) {
        for (int32_t i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, size);
    put32(10, header);
    put32(14, 108);  // BITMAPV4HEADER
    put32(18, static_cast<uint32_t>(side));
    put32(22, static_cast<uint32_t>(side));  // rows bottom first
    put16(26, 1);
    put16(28, 32);
    put32(30, 3);  // BI_BITFIELDS
    put32(34, static_cast<uint32_t>(side * side * 4));
    put32(54, 0x00FF0000u);
    put32(58, 0x0000FF00u);
    put32(62, 0x000000FFu);
    put32(66, 0xFF000000u);
    put32(70, 0x73524742u);  // 'sRGB'
    for (int32_t row = 0; row < side; ++row) {
        int32_t y = side - 1 - row;
        for (int32_t x = 0; x < side; ++x) {
            bool clear = x < side / 2 && y < side / 2;
            uint32_t argb = clear ? 0
                                  : 0xFF000000u | static_cast<uint32_t>(x * 4) << 16 |
                                        static_cast<uint32_t>(y * 4) << 8 | 0x40u;
            put32(header + static_cast<size_t>(row * side + x) * 4, argb);
        }
    }
    return bytes;
}

std::string write_file(const char* name, const std::vector<uint8_t>& bytes) {
    std::string path = testing::TempDir() + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr);
    if (file == nullptr) return path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return path;
}

// The icon's pixel at (x, y) as ARGB.
uint32_t icon_pixel(int32_t x, int32_t y) {
    SDL_Surface* icon = sdl_choices.icon;
    const uint8_t* row = static_cast<const uint8_t*>(icon->pixels) + y * icon->pitch;
    uint32_t raw = 0;
    SDL_memcpy(&raw, row + x * 4, 4);
    Uint8 r, g, b, a;
    SDL_GetRGBA(raw, icon->format, &r, &g, &b, &a);
    return static_cast<uint32_t>(a) << 24 | static_cast<uint32_t>(r) << 16 |
           static_cast<uint32_t>(g) << 8 | b;
}

TEST(SdlStartup, WindowIconComesFromABmpWithAlpha) {
    std::vector<uint8_t> bmp = icon_bmp(64);
    std::string good = write_file("cairnfall_icon.bmp", bmp);
    ASSERT_TRUE(platform_set_window_icon(good.c_str()));
    ASSERT_NE(sdl_choices.icon, nullptr);
    EXPECT_EQ(sdl_choices.icon->w, 64);
    EXPECT_EQ(sdl_choices.icon->h, 64);
    EXPECT_EQ(icon_pixel(0, 0) >> 24, 0u);  // transparent corner kept
    EXPECT_EQ(icon_pixel(63, 0), 0xFF000000u | (63u * 4) << 16 | 0x40u);
    EXPECT_EQ(icon_pixel(5, 63), 0xFF000000u | (5u * 4) << 16 | (63u * 4) << 8 | 0x40u);

    // Files that cannot be used are refused and the icon taken before stays.
    SDL_Surface* taken = sdl_choices.icon;
    std::vector<uint8_t> truncated(bmp.begin(), bmp.begin() + 14 + 108 + 100);
    const std::string refused[] = {
        testing::TempDir() + "cairnfall_no_such_icon.bmp",
        write_file("cairnfall_truncated_icon.bmp", truncated),
        write_file("cairnfall_text_icon.bmp", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o'}),
        write_file("cairnfall_empty_icon.bmp", std::vector<uint8_t>{}),
    };
    for (const std::string& path : refused) {
        EXPECT_FALSE(platform_set_window_icon(path.c_str())) << path;
        EXPECT_EQ(sdl_choices.icon, taken) << path;
    }
    EXPECT_FALSE(platform_set_window_icon(nullptr));

    // Taken before the window exists, applied when it opens; freed with it.
    software_rendering();
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_EQ(sdl_choices.icon, taken);
    platform_close_window();
    EXPECT_EQ(sdl_choices.icon, nullptr);

    // Taken while the window is open.
    ASSERT_TRUE(platform_open_window("Cairnfall"));
    EXPECT_TRUE(platform_set_window_icon(good.c_str()));
    EXPECT_NE(sdl_choices.icon, nullptr);
    platform_close_window();
    for (const std::string& path : refused) std::remove(path.c_str());
    std::remove(good.c_str());
}

}  // namespace
