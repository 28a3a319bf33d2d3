// The mouse cursor: the planes built from the pattern, and show/hide counting.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using CursorTest = GfxTest;

TEST_F(CursorTest, InitReadsTheMouseAndStartsAtSixteen) {
    EXPECT_EQ(gfx_init_mouse(), 1);
    EXPECT_EQ(gfx_cursor.mouse_present, 1);
    EXPECT_EQ(gfx_cursor.visible, 1);
    EXPECT_EQ(gfx_cursor.side, 16);
    EXPECT_EQ(gfx_cursor.width, 32);
    EXPECT_EQ(gfx_cursor.height, 32);
}

TEST_F(CursorTest, SideAcceptsOnlySixteenOrThirtyTwo) {
    gfx_init_mouse();
    const int32_t sizes[] = {24, 0, -32, 64, 8};
    for (int32_t s : sizes) {
        gfx_set_cursor_size(s);
        EXPECT_EQ(gfx_cursor.side, 16) << s;
    }
    gfx_set_cursor_size(32);
    EXPECT_EQ(gfx_cursor.side, 32);
    gfx_init_mouse();
    EXPECT_EQ(gfx_cursor.side, 16);
}

TEST_F(CursorTest, PlanesOfTheGameCursor) {
    gfx_init_mouse();
    gfx_set_cursor_size(32);
    int32_t cursor = gfx_create_cursor(cursor_pattern, 0, 0);
    EXPECT_GT(cursor, 0);
    const std::vector<uint8_t>& and_plane = headless_cursor_and_plane();
    const std::vector<uint8_t>& xor_plane = headless_cursor_xor_plane();
    ASSERT_EQ(and_plane.size(), 128u);
    ASSERT_EQ(xor_plane.size(), 128u);
    EXPECT_EQ(std::vector<uint8_t>(and_plane.begin(), and_plane.begin() + 4),
              (std::vector<uint8_t>{0x7F, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(and_plane.end() - 4, and_plane.end()),
              (std::vector<uint8_t>{0xFF, 0xE0, 0x3F, 0xFF}));
    EXPECT_EQ(std::vector<uint8_t>(xor_plane.begin() + 4, xor_plane.begin() + 8),
              (std::vector<uint8_t>{0x40, 0x00, 0x00, 0x00}));
    int32_t w = 0, h = 0, hx = -1, hy = -1;
    headless_cursor_shape(&w, &h, &hx, &hy);
    EXPECT_EQ(w, 32);
    EXPECT_EQ(h, 32);
    EXPECT_EQ(hx, 0);
    EXPECT_EQ(hy, 0);
}

// Pixel (x, y) of planes built for a cursor `width` wide: 'B', 'W', '.' or 'I'.
char look(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width, int32_t x, int32_t y) {
    int32_t at = y * (width / 8) + x / 8;
    int32_t bit = 0x80 >> (x % 8);
    bool a = and_plane[at] & bit;
    bool o = xor_plane[at] & bit;
    return a ? (o ? 'I' : '.') : (o ? 'W' : 'B');
}

TEST_F(CursorTest, TheArrowsOutlineAndBody) {
    uint8_t and_plane[128], xor_plane[128];
    ASSERT_TRUE(gfx_build_cursor_planes(cursor_pattern, 32, 32, 32, and_plane, xor_plane));
    const char* rows[] = {
        "B...............................",  // the tip, the hot spot
        "BWWWWWWWWWWWWWWWWWWWWWB.........",  // row 11: the widest point of the head
        "BWB...BWWWWWWWWWWWWBWWWB........",  // row 24
        "...........BBBBBBB..............",  // row 31: the bottom of the body
    };
    const int32_t at_rows[] = {0, 11, 24, 31};
    for (int32_t i = 0; i < 4; ++i) {
        std::string got;
        for (int32_t x = 0; x < 32; ++x) got += look(and_plane, xor_plane, 32, x, at_rows[i]);
        EXPECT_EQ(got, rows[i]) << "row " << at_rows[i];
    }
    int32_t widest = 0, lowest = 0;
    for (int32_t y = 0; y < 32; ++y)
        for (int32_t x = 0; x < 32; ++x) {
            char c = look(and_plane, xor_plane, 32, x, y);
            EXPECT_NE(c, 'I');
            if (c != '.') {
                widest = std::max(widest, x + 1);
                lowest = std::max(lowest, y + 1);
            }
        }
    EXPECT_EQ(widest, 24);
    EXPECT_EQ(lowest, 32);
}

TEST_F(CursorTest, LargerSystemCursorKeepsThePatternTopLeft) {
    static uint8_t and_plane[512], xor_plane[512];
    ASSERT_TRUE(gfx_build_cursor_planes(cursor_pattern, 32, 64, 64, and_plane, xor_plane));
    uint8_t small_and[128], small_xor[128];
    gfx_build_cursor_planes(cursor_pattern, 32, 32, 32, small_and, small_xor);
    for (int32_t y = 0; y < 64; ++y)
        for (int32_t x = 0; x < 64; ++x) {
            char want = x < 32 && y < 32 ? look(small_and, small_xor, 32, x, y) : '.';
            ASSERT_EQ(look(and_plane, xor_plane, 64, x, y), want) << x << "," << y;
        }
}

TEST_F(CursorTest, SixteenPixelPatternsUseSixteenBitWords) {
    uint16_t words[32];
    for (int32_t i = 0; i < 16; ++i) {
        words[i] = static_cast<uint16_t>(0xFFFF >> i);  // AND: row i has i opaque pixels
        words[16 + i] = 0x8000;                         // XOR: first pixel white
    }
    uint32_t pattern[16];
    std::memcpy(pattern, words, sizeof words);
    uint8_t and_plane[128], xor_plane[128];
    ASSERT_TRUE(gfx_build_cursor_planes(pattern, 16, 32, 32, and_plane, xor_plane));
    EXPECT_EQ(look(and_plane, xor_plane, 32, 0, 0), 'I');
    EXPECT_EQ(look(and_plane, xor_plane, 32, 0, 3), 'W');
    EXPECT_EQ(look(and_plane, xor_plane, 32, 2, 3), 'B');
    EXPECT_EQ(look(and_plane, xor_plane, 32, 3, 3), '.');
    EXPECT_EQ(look(and_plane, xor_plane, 32, 20, 3), '.');
    EXPECT_EQ(look(and_plane, xor_plane, 32, 0, 20), '.');
}

TEST_F(CursorTest, PatternsThatDoNotFitAreRefused) {
    uint8_t and_plane[GFX_CURSOR_PLANE_BYTES], xor_plane[GFX_CURSOR_PLANE_BYTES];
    EXPECT_FALSE(gfx_build_cursor_planes(cursor_pattern, 32, 16, 16, and_plane, xor_plane));
    EXPECT_FALSE(gfx_build_cursor_planes(cursor_pattern, 32, 4096, 4096, and_plane, xor_plane));
    EXPECT_FALSE(gfx_build_cursor_planes(cursor_pattern, 24, 32, 32, and_plane, xor_plane));
}

TEST_F(CursorTest, ShowOnlyPassesChanges) {
    gfx_init_mouse();
    int32_t calls = headless_cursor_show_calls();
    gfx_show_cursor(1);  // already shown
    EXPECT_EQ(headless_cursor_show_calls(), calls);
    gfx_show_cursor(0);
    gfx_show_cursor(0);
    EXPECT_EQ(headless_cursor_show_calls(), calls + 1);
    EXPECT_FALSE(headless_cursor_visible());
    gfx_show_cursor(2);  // the low bit is 0
    EXPECT_EQ(headless_cursor_show_calls(), calls + 1);
    gfx_show_cursor(3);
    EXPECT_EQ(headless_cursor_show_calls(), calls + 2);
    EXPECT_TRUE(headless_cursor_visible());
}

TEST_F(CursorTest, WithoutAMouseNothingHappens) {
    headless_set_mouse_present(false);
    EXPECT_EQ(gfx_init_mouse(), -1);
    gfx_set_cursor_size(32);
    EXPECT_EQ(gfx_create_cursor(cursor_pattern, 0, 0), 0);
    gfx_set_cursor(5);
    EXPECT_EQ(headless_current_cursor(), 0);
    gfx_show_cursor(0);
    gfx_show_cursor(1);
    EXPECT_EQ(headless_cursor_show_calls(), 0);
}

TEST_F(CursorTest, SetCursorMakesItCurrent) {
    gfx_init_mouse();
    gfx_set_cursor_size(32);
    int32_t c = gfx_create_cursor(cursor_pattern, 0, 0);
    gfx_set_cursor(c);
    EXPECT_EQ(headless_current_cursor(), c);
}

}  // namespace
