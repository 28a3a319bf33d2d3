// Presentation: where a region lands in the window, the colours it shows and
// whether the platform is told the picture changed.
#include "gfx_fixture.h"

namespace {

using PresentTest = GfxTest;

uint8_t window_at(int32_t x, int32_t y) {
    return gfx_window_indices()[y * 800 + x];
}

TEST_F(PresentTest, WholeBufferLandsTopDown) {
    set(0, 0, 5);
    set(799, 599, 6);
    set(3, 598, 7);
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(window_at(0, 0), 5);
    EXPECT_EQ(window_at(799, 599), 6);
    EXPECT_EQ(window_at(3, 598), 7);
    EXPECT_EQ(headless_last_frame()[0], gfx_argb_table[5]);
    EXPECT_EQ(headless_last_frame()[599 * 800 + 799], gfx_argb_table[6]);
    EXPECT_EQ(headless_last_frame()[1], 0xFF000000u);  // entry 0 is black
}

struct RegionCase {
    const char* name;
    int32_t x1, x2, y1, y2, xd, yd;
};

TEST_F(PresentTest, RegionPlacementByItsBottomLeftCorner) {
    // Every buffer pixel holds a value from its position, so each window pixel
    // tells which buffer pixel it came from.
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x)
            set(x, y, static_cast<uint8_t>(1 + (x * 7 + y * 13) % 255));
    const RegionCase cases[] = {
        {"small region", 0, 99, 0, 49, 10, 200},
        {"offset source", 300, 310, 400, 405, 0, 5},
        {"hanging off the window", 0, 99, 0, 49, 750, 20},
        {"source past the buffer", 790, 850, 590, 650, 100, 300},
        {"negative source", -20, 10, -5, 10, 0, 599},
        {"destination above", 0, 50, 0, 50, 0, -10},
        {"inverted", 50, 10, 0, 10, 0, 100},
    };
    for (const RegionCase& c : cases) {
        // Reset the window picture to a known state: a buffer of all zeros.
        std::vector<uint8_t> saved(gfx.pixels, gfx.pixels + 800 * 600);
        std::fill(gfx.pixels, gfx.pixels + 800 * 600, 0);
        gfx_present(0, 799, 0, 599, 0, 599);
        std::copy(saved.begin(), saved.end(), gfx.pixels);
        gfx_present(c.x1, c.x2, c.y1, c.y2, c.xd, c.yd);
        for (int32_t wy = 0; wy < 600; ++wy) {
            for (int32_t wx = 0; wx < 800; ++wx) {
                int64_t bx = int64_t{c.x1} + (wx - c.xd);
                int64_t by = int64_t{c.y2} - (c.yd - wy);
                bool shown = bx >= c.x1 && bx <= c.x2 && by >= c.y1 && by <= c.y2 && bx >= 0 &&
                             bx < 800 && by >= 0 && by < 600;
                uint8_t want = shown ? at(static_cast<int32_t>(bx), static_cast<int32_t>(by)) : 0;
                if (window_at(wx, wy) != want) {
                    ADD_FAILURE() << c.name << ": window (" << wx << ", " << wy << ")";
                    wy = 600;
                    break;
                }
            }
        }
    }
}

TEST_F(PresentTest, ExampleRegionRowsAndColumns) {
    gfx_set_color(9);
    gfx_rect(0, 99, 0, 49);
    gfx_present(0, 99, 0, 49, 10, 200);
    EXPECT_EQ(window_at(10, 151), 9);
    EXPECT_EQ(window_at(109, 200), 9);
    EXPECT_EQ(window_at(9, 151), 0);
    EXPECT_EQ(window_at(110, 200), 0);
    EXPECT_EQ(window_at(10, 150), 0);
    EXPECT_EQ(window_at(10, 201), 0);
}

TEST_F(PresentTest, ChangedFlagFollowsIndicesAndPalette) {
    gfx_present(0, 799, 0, 599, 0, 599);  // first one: the palette is new
    EXPECT_EQ(headless_changed_present_count(), 1);
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(headless_present_count(), 2);
    EXPECT_EQ(headless_changed_present_count(), 1);
    set(400, 300, 3);
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(headless_changed_present_count(), 2);
    EXPECT_EQ(headless_last_frame()[300 * 800 + 400], gfx_argb_table[3]);
    uint8_t green[3] = {0, 255, 0};
    gfx_set_palette_range(3, 1, green);
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(headless_changed_present_count(), 3);
    EXPECT_EQ(headless_last_frame()[300 * 800 + 400], 0xFF00FF00u);
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(headless_changed_present_count(), 3);
    EXPECT_EQ(headless_present_count(), 5);
}

TEST_F(PresentTest, ArgbMatchesIndicesAfterPartialUpdates) {
    gfx_present(0, 799, 0, 599, 0, 599);
    for (int32_t i = 0; i < 50; ++i) set(i * 13 % 800, i * 7 % 600, static_cast<uint8_t>(i + 20));
    gfx_present(0, 799, 0, 599, 0, 599);
    for (int32_t i = 0; i < 800 * 600; ++i) {
        ASSERT_EQ(gfx_window_argb()[i], gfx_argb_table[gfx_window_indices()[i]]) << i;
    }
}

TEST_F(PresentTest, NoActiveBufferShowsNothing) {
    gfx_unselect_buffer();
    gfx_present(0, 799, 0, 599, 0, 599);
    EXPECT_EQ(headless_present_count(), 0);
}

TEST_F(PresentTest, ConvertRowUsesTheCurrentColours) {
    uint8_t idx[7] = {0, 7, 9, 246, 255, 1, 7};
    uint32_t out[7];
    gfx_convert_row(idx, out, 7);
    EXPECT_EQ(out[0], 0xFF000000u);
    EXPECT_EQ(out[1], 0xFFC0C0C0u);
    EXPECT_EQ(out[2], 0xFFA4C8F0u);
    EXPECT_EQ(out[3], 0xFFFFFBF0u);
    EXPECT_EQ(out[4], 0xFFFFFFFFu);
    EXPECT_EQ(out[5], 0xFF800000u);
    EXPECT_EQ(out[6], 0xFFC0C0C0u);
}

}  // namespace
