// The game font's size, the rasteriser's sizes and the font table's handles.
#include <gtest/gtest.h>

#include "font_raster/font_raster.h"
#include "platform/platform.h"

namespace {

TEST(FontMetrics, GameFontFillsTheCellAndIsCondensed) {
    int32_t font = platform_font_open("arial", 28, true, true);
    ASSERT_GE(font, 16);
    PlatformFontMetrics m = {};
    platform_font_metrics(font, &m);
    EXPECT_EQ(m.height, 28);
    EXPECT_GE(m.ascent, 20);
    EXPECT_LE(m.ascent, 25);
    EXPECT_GE(m.external_leading, 0);
    EXPECT_LE(m.external_leading, 3);
    EXPECT_GE(m.average_width, 11);
    EXPECT_LE(m.average_width, 13);
    platform_font_close(font);
}

TEST(FontMetrics, CellHeightIsHonouredAtEverySize) {
    for (int32_t cell : {8, 12, 16, 20, 28, 40, 64}) {
        int32_t font = font_raster_open("arial", cell, true, true);
        ASSERT_GT(font, 0) << cell;
        PlatformFontMetrics m = {};
        platform_font_metrics(font, &m);
        EXPECT_EQ(m.height, cell);
        EXPECT_GT(m.ascent, cell / 2) << cell;
        EXPECT_LT(m.ascent, cell) << cell;
        platform_font_close(font);
    }
}

TEST(FontMetrics, AskedAverageWidthScalesTheGlyphs) {
    int32_t natural = font_raster_open_sized("arial", 28, 0, true, true);
    int32_t narrow = font_raster_open_sized("arial", 28, 8, true, true);
    int32_t wide = font_raster_open_sized("arial", 28, 20, true, true);
    ASSERT_GT(natural, 0);
    ASSERT_GT(narrow, 0);
    ASSERT_GT(wide, 0);
    PlatformFontMetrics m = {};
    platform_font_metrics(narrow, &m);
    EXPECT_NEAR(m.average_width, 8, 1);
    platform_font_metrics(wide, &m);
    EXPECT_NEAR(m.average_width, 20, 1);
    const char text[] = "Wide and narrow";
    int32_t length = static_cast<int32_t>(sizeof text - 1);
    EXPECT_LT(platform_font_text_width(narrow, text, length),
              platform_font_text_width(natural, text, length));
    EXPECT_GT(platform_font_text_width(wide, text, length),
              platform_font_text_width(natural, text, length));
    platform_font_close(natural);
    platform_font_close(narrow);
    platform_font_close(wide);
}

TEST(FontMetrics, UnknownFamilyFallsBackToSomeFont) {
    int32_t font = font_raster_open("no such family at all", 20, false, false);
    EXPECT_GT(font, 0);
    platform_font_close(font);
    font = font_raster_open(nullptr, 20, false, false);
    EXPECT_GT(font, 0);
    platform_font_close(font);
}

TEST(FontMetrics, SizesOutsideTheRangeAreRefused) {
    EXPECT_EQ(platform_font_open("arial", 0, true, true), 0);
    EXPECT_EQ(platform_font_open("arial", -28, true, true), 0);
    EXPECT_EQ(platform_font_open("arial", 100000, true, true), 0);
    EXPECT_EQ(platform_font_open_sized("arial", 28, -1, true, true), 0);
    EXPECT_EQ(font_raster_open("arial", 0, true, true), 0);
    EXPECT_EQ(font_raster_open("arial", 100000, true, true), 0);
    EXPECT_EQ(font_raster_open_sized("arial", 28, -1, true, true), 0);
}

TEST(FontTable, EightFontsFitAndAClosedSlotIsReused) {
    int32_t fonts[8];
    for (int32_t i = 0; i < 8; ++i) {
        fonts[i] = font_raster_open("arial", 10 + i, false, false);
        ASSERT_GE(fonts[i], 16) << i;
        for (int32_t j = 0; j < i; ++j) EXPECT_NE(fonts[i], fonts[j]);
    }
    EXPECT_EQ(font_raster_open("arial", 12, false, false), 0);

    platform_font_close(fonts[3]);
    PlatformFontMetrics m = {1, 1, 1, 1};
    platform_font_metrics(fonts[3], &m);
    EXPECT_EQ(m.height, 0);
    int32_t again = font_raster_open("arial", 30, false, false);
    EXPECT_EQ(again, fonts[3]);
    platform_font_metrics(again, &m);
    EXPECT_EQ(m.height, 30);

    fonts[3] = again;
    for (int32_t font : fonts) platform_font_close(font);
}

TEST(FontTable, CallsWithHandlesOfNoFontDoNothing) {
    uint8_t pixels[16 * 16];
    for (int32_t handle : {0, -1, 15, 24, 1000, INT32_MIN, INT32_MAX}) {
        PlatformFontMetrics m = {5, 5, 5, 5};
        platform_font_metrics(handle, &m);
        EXPECT_EQ(m.height, 0);
        EXPECT_EQ(m.ascent, 0);
        EXPECT_EQ(m.external_leading, 0);
        EXPECT_EQ(m.average_width, 0);
        EXPECT_EQ(platform_font_text_width(handle, "abc", 3), 0);
        for (uint8_t& p : pixels) p = 9;
        platform_font_draw(handle, "abc", 3, 0, 0, 1, pixels, 16, 16, 16);
        for (uint8_t p : pixels) ASSERT_EQ(p, 9);
        platform_font_close(handle);
    }
    platform_font_metrics(0, nullptr);
}

}  // namespace
