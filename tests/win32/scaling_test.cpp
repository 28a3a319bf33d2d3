// The Windows backend's own scaling: the crisp rule (nearest to the next whole
// multiple, then linear down: an edge blends over less than one screen pixel
// beside it, and a line keeps its light within a quarter of a pixel's).
#include <gtest/gtest.h>

#include <cstring>

#include "platform/win32/win32_state.h"

namespace {

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
        const PictureLayout layout = picture_layout(c.width, c.height);
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

// A window taller than wide shows the parts where the shared composition places
// them: by nearest, the pixel at a picture point's place is that point's.
TEST(WindowsScaling, PartsGoWhereTheCompositionPlacesThem) {
    for (int32_t y = 0; y < kPictureHeight; ++y) {
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            win_display.picture[y * kPictureWidth + x] = static_cast<uint32_t>(x << 12 | y);
        }
    }
    const int32_t windows[][2] = {{600, 1104}, {768, 1000}, {1024, 768}, {1200, 2400}};
    const int32_t points[][2] = {{100, 317}, {100, 527}, {45, 32}, {400, 400}, {599, 224}};
    for (const auto& w : windows) {
        ASSERT_TRUE(win_render(w[0], w[1], true));
        const PictureComposition composition = picture_composition(w[0], w[1]);
        for (const auto& point : points) {
            int32_t x = point[0], y = point[1];
            ASSERT_TRUE(composition_to_area(composition, &x, &y));
            EXPECT_EQ(win_display.client[static_cast<size_t>(y) * w[0] + x],
                      static_cast<uint32_t>(point[0] << 12 | point[1]))
                << w[0] << "x" << w[1] << " at " << point[0] << "," << point[1];
        }
    }
    win_render_release();
}

}  // namespace
