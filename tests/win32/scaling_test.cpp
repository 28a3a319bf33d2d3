// The Windows backend's own scaling and display settings: the picture's place in
// a client area, the crisp rule (nearest to the next whole multiple, then linear
// down: an edge blends over less than one screen pixel beside it, and a line
// keeps its light within a quarter of a pixel's), and the settings file's lines.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32/win32_state.h"

namespace {

TEST(WindowsScaling, ThePictureKeepsItsProportionsInTheMiddle) {
    struct Case {
        int32_t width, height;
        WinLayout expected;
    };
    const Case cases[] = {
        {800, 600, {0, 0, 800, 600, 1, true}},        {1600, 1200, {0, 0, 1600, 1200, 2, true}},
        {1920, 1080, {240, 0, 1440, 1080, 2, false}}, {1024, 768, {0, 0, 1024, 768, 2, false}},
        {792, 573, {14, 0, 764, 573, 1, false}},      {600, 800, {0, 175, 600, 450, 1, false}},
    };
    for (const Case& c : cases) {
        WinLayout l = win_layout(c.width, c.height);
        const WinLayout& e = c.expected;
        EXPECT_EQ(std::to_string(l.x) + "," + std::to_string(l.y) + " " + std::to_string(l.width) +
                      "x" + std::to_string(l.height) + " m" + std::to_string(l.multiple) +
                      (l.exact ? " exact" : ""),
                  std::to_string(e.x) + "," + std::to_string(e.y) + " " + std::to_string(e.width) +
                      "x" + std::to_string(e.height) + " m" + std::to_string(e.multiple) +
                      (e.exact ? " exact" : ""))
            << c.width << "x" << c.height;
    }
}

// A white column one picture pixel wide (x = 401) on black, drawn at several
// sizes: its light in an output row, and how many output pixels it touches.
TEST(WindowsScaling, AnEdgeStaysSharp) {
    struct Case {
        int32_t width, height;
        bool nearest;
        int32_t most_touched;  // output pixels the column may spread over
    };
    const Case cases[] = {
        {800, 600, false, 1},  {1600, 1200, false, 2}, {1200, 900, false, 3},
        {1024, 768, false, 3}, {1200, 900, true, 2},
    };
    for (const Case& c : cases) {
        std::memset(win_display.picture, 0, sizeof win_display.picture);
        for (int32_t y = 0; y < kPictureHeight; ++y) {
            win_display.picture[y * kPictureWidth + 401] = 0xFFFFFFFF;
        }
        ASSERT_TRUE(win_render(c.width, c.height, c.nearest));
        const WinLayout layout = win_layout(c.width, c.height);
        const uint32_t* row = win_display.client + static_cast<size_t>(c.height / 2) * c.width;
        int32_t light = 0, touched = 0;
        for (int32_t x = 0; x < c.width; ++x) {
            int32_t green = static_cast<int32_t>((row[x] >> 8) & 0xFF);
            light += green;
            touched += green > 0 ? 1 : 0;
        }
        // The column's width on screen is layout.width / 800 pixels of full light.
        double expected = 255.0 * layout.width / kPictureWidth;
        EXPECT_NEAR(light, expected, c.nearest ? 255.0 : 64.0) << c.width << "x" << c.height;
        EXPECT_LE(touched, c.most_touched) << c.width << "x" << c.height;
        EXPECT_GE(touched, 1) << c.width << "x" << c.height;
    }
    win_render_release();
}

TEST(WindowsSettings, OnlyAWholeWellFormedFileCounts) {
    struct Case {
        const char* text;
        bool taken;
        WinSettings expected;
    };
    const Case cases[] = {
        {"mode window\nsize 1280x960\n", true, {true, 1280, 960}},
        {"mode fullscreen\nsize 800x600\n", true, {false, 800, 600}},
        {"mode window\nsize 399x300\n", false, {}},    // smaller than the smallest window
        {"mode window\nsize 800x16385\n", false, {}},  // larger than any screen
        {"mode window\r\nsize 800x600\r\n", false, {}},
        {"mode window\nsize 800x600\nmore\n", false, {}},
        {"mode window\nsize 800x600", false, {}},
        {"", false, {}},
    };
    for (const Case& c : cases) {
        WinSettings settings = win_default_settings();
        EXPECT_EQ(win_parse_settings(c.text, std::strlen(c.text), &settings), c.taken) << c.text;
        if (!c.taken) continue;
        EXPECT_EQ(settings.windowed, c.expected.windowed) << c.text;
        EXPECT_EQ(settings.width, c.expected.width) << c.text;
        EXPECT_EQ(settings.height, c.expected.height) << c.text;
        char text[64];
        int32_t length = win_format_settings(settings, text, sizeof text);
        EXPECT_EQ(std::string(text, length > 0 ? length : 0), c.text);
    }
}

}  // namespace
