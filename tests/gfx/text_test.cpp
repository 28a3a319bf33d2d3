// Text with the built-in fixed font: glyph placement, colour, and the position
// rules of gfx_print.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using TextTest = GfxTest;

constexpr int32_t kCellW = FIXED_FONT_CELL_WIDTH;
constexpr int32_t kCellH = FIXED_FONT_CELL_HEIGHT;

// The pixels glyph c would set with its cell's top-left at (x, y).
Pixels glyph_pixels(char c, int32_t x, int32_t y) {
    Pixels p;
    const uint8_t* g = fixed_font_glyph(static_cast<unsigned char>(c));
    for (int32_t r = 0; r < kCellH; ++r)
        for (int32_t b = 0; b < kCellW; ++b)
            if (g[r] & (0x80 >> b)) p.push_back({x + b, y + r});
    return p;
}

TEST_F(TextTest, FixedFontMetrics) {
    EXPECT_EQ(gfx.font, OEM_FIXED_FONT);
    EXPECT_EQ(line_height, kCellH + FIXED_FONT_EXTERNAL_LEADING);
    EXPECT_EQ(gfx_text_width("Hello", 5), 5 * kCellW);
    EXPECT_EQ(gfx_text_width("Hello", 0), 0);
}

TEST_F(TextTest, EveryPrintableCharacterHasAGlyphInsideItsCell) {
    for (int32_t c = 33; c < 127; ++c) {
        const uint8_t* g = fixed_font_glyph(static_cast<unsigned char>(c));
        int32_t bits = 0;
        for (int32_t r = 0; r < kCellH; ++r) bits += __builtin_popcount(g[r]);
        EXPECT_GT(bits, 0) << char(c);
        EXPECT_EQ(g[0], 0) << char(c);  // a free row above keeps lines apart
    }
    for (int32_t r = 0; r < kCellH; ++r) EXPECT_EQ(fixed_font_glyph(' ')[r], 0);
    // Distinct shapes for letters that are easy to confuse.
    EXPECT_NE(std::memcmp(fixed_font_glyph('O'), fixed_font_glyph('0'), kCellH), 0);
    EXPECT_NE(std::memcmp(fixed_font_glyph('l'), fixed_font_glyph('1'), kCellH), 0);
    EXPECT_NE(std::memcmp(fixed_font_glyph('I'), fixed_font_glyph('l'), kCellH), 0);
}

TEST_F(TextTest, PrintDrawsAboveThePositionInTheCurrentColour) {
    gfx_set_color(42);
    gfx_move(100, 200);
    gfx_print("Ag", 2);
    int32_t top = 200 - line_height;
    Pixels expected = glyph_pixels('A', 100, top);
    for (const Pixel& p : glyph_pixels('g', 100 + kCellW, top)) expected.push_back(p);
    EXPECT_EQ(painted(), sorted(expected));
    for (const Pixel& p : expected) EXPECT_EQ(at(p.first, p.second), 42);
    // Row y0 and the leading rows above it are never written.
    for (const Pixel& p : expected) EXPECT_LE(p.second, 200 - FIXED_FONT_EXTERNAL_LEADING - 1);
    EXPECT_EQ(gfx.pos_x, 100 + 2 * kCellW);
    EXPECT_EQ(gfx.pos_y, top);
}

TEST_F(TextTest, BackgroundInsideTheCellsKeepsItsColour) {
    gfx_set_color(3);
    gfx_rect(0, 99, 0, 99);
    gfx_set_color(200);
    gfx_move(10, 50);
    gfx_print("H", 1);
    int32_t top = 50 - line_height;
    Pixels glyph = glyph_pixels('H', 10, top);
    for (int32_t y = top; y < top + kCellH; ++y) {
        for (int32_t x = 10; x < 10 + kCellW; ++x) {
            bool in_glyph = std::find(glyph.begin(), glyph.end(), Pixel{x, y}) != glyph.end();
            EXPECT_EQ(at(x, y), in_glyph ? 200 : 3) << x << "," << y;
        }
    }
}

TEST_F(TextTest, EmptyTextOnlyLowersThePosition) {
    gfx_move(30, 40);
    gfx_print("xyz", 0);
    EXPECT_TRUE(painted().empty());
    EXPECT_EQ(gfx.pos_x, 30);
    EXPECT_EQ(gfx.pos_y, 40 - line_height);
    gfx_print("xyz", -5);
    EXPECT_EQ(gfx.pos_y, 40 - 2 * line_height);
}

TEST_F(TextTest, SecondPrintContinuesOneLineHigher) {
    gfx_set_color(1);
    gfx_move(0, 100);
    gfx_print("ab", 2);
    gfx_print("c", 1);
    EXPECT_EQ(gfx.pos_x, 3 * kCellW);
    EXPECT_EQ(gfx.pos_y, 100 - 2 * line_height);
    Pixels c = glyph_pixels('c', 2 * kCellW, 100 - 2 * line_height);
    for (const Pixel& p : c) EXPECT_EQ(at(p.first, p.second), 1);
}

struct ClampCase {
    const char* name;
    int32_t x;
    int32_t length;
    int32_t expected_x;
};

TEST_F(TextTest, PositionIsClampedToTheBufferWidthComparedAsUnsigned) {
    const ClampCase cases[] = {
        {"inside", 100, 3, 100 + 3 * kCellW},
        {"ends exactly at the edge", 800 - 2 * kCellW, 2, 800},
        {"past the edge", 790, 3, 800},
        {"negative start", -100, 1, 800},
        {"negative start reaching in", -8, 2, 8},
    };
    for (const ClampCase& c : cases) {
        gfx_move(c.x, 300);
        gfx_print("MMMMMMMMMM", c.length);
        EXPECT_EQ(gfx.pos_x, c.expected_x) << c.name;
    }
}

TEST_F(TextTest, GlyphsAreCutAtTheBufferEdges) {
    gfx_set_color(1);
    gfx_move(795, 5);  // cells from x 795 and y 5 - line_height < 0
    gfx_print("WW", 2);
    Pixels expected;
    for (const Pixel& p : glyph_pixels('W', 795, 5 - line_height))
        if (p.first < 800 && p.second >= 0) expected.push_back(p);
    EXPECT_EQ(painted(), sorted(expected));
    EXPECT_EQ(gfx.pos_x, 800);
}

TEST_F(TextTest, ColourIsTheIndexWhateverThePaletteSays) {
    gfx_set_color(12);
    uint8_t red[3] = {255, 0, 0};
    gfx_set_palette_range(12, 1, red);
    gfx_move(0, 50);
    gfx_print("#", 1);
    Pixels p = painted();
    ASSERT_FALSE(p.empty());
    for (const Pixel& q : p) EXPECT_EQ(at(q.first, q.second), 12);
}

TEST_F(TextTest, WindowContextOrNoBufferDrawsNothingButStillMoves) {
    gfx_set_text_dc(GFX_WINDOW_DC);
    gfx_move(10, 100);
    gfx_print("Hi", 2);
    EXPECT_TRUE(painted().empty());
    EXPECT_EQ(gfx.pos_x, 10 + 2 * kCellW);
    gfx_set_text_dc(gfx_memory_dc());
    gfx_unselect_buffer();
    gfx_move(10, 100);
    gfx_print("Hi", 2);
    gfx_set_buffer(buffer);
    EXPECT_TRUE(painted().empty());
    EXPECT_EQ(gfx.pos_y, 100 - line_height);
}

TEST_F(TextTest, FontChangesAndTextContext) {
    line_height = 99;
    gfx_set_text_dc(GFX_MEMORY_DC);
    EXPECT_EQ(line_height, 99);  // the context alone does not read metrics
    gfx_set_font(OEM_FIXED_FONT);
    EXPECT_EQ(line_height, kCellH + FIXED_FONT_EXTERNAL_LEADING);
    gfx_set_font(0);  // no such font: the fixed font stays
    EXPECT_EQ(gfx.font, OEM_FIXED_FONT);
    gfx_set_stock_font(13);
    EXPECT_EQ(gfx.font, OEM_FIXED_FONT);
}

TEST_F(TextTest, CharactersWithoutAGlyphShowABox) {
    gfx_set_color(1);
    gfx_move(0, 20);
    const char text[] = {'\x01', static_cast<char>(0xE9)};
    gfx_print(text, 2);
    EXPECT_EQ(painted().size(), 2 * glyph_pixels('\x01', 0, 0).size());
    EXPECT_FALSE(painted().empty());
}

TEST_F(TextTest, PlatformFontsDrawWithTheirOwnMetrics) {
    int32_t font = platform_font_open("arial", 28, true, true);
    if (font == 0) GTEST_SKIP() << "no system font to test with";
    EXPECT_GE(font, 16);
    gfx_set_font(font);
    PlatformFontMetrics m{};
    platform_font_metrics(font, &m);
    EXPECT_EQ(line_height, m.height + m.external_leading);
    EXPECT_EQ(gfx_text_width("Score", 5), platform_font_text_width(font, "Score", 5));
    gfx_set_color(3);
    gfx_rect(0, 799, 0, 599);
    gfx_set_color(77);
    gfx_move(100, 300);
    gfx_print("Score", 5);
    EXPECT_EQ(gfx.pos_x, 100 + platform_font_text_width(font, "Score", 5));
    EXPECT_EQ(gfx.pos_y, 300 - line_height);
    int32_t glyph = 0;
    for (int32_t y = 0; y < 600; ++y)
        for (int32_t x = 0; x < 800; ++x) {
            uint8_t v = at(x, y);
            ASSERT_TRUE(v == 3 || v == 77) << x << "," << y;
            if (v == 77) {
                ++glyph;
                EXPECT_GE(y, 300 - line_height);
                EXPECT_LT(y, 300 - m.external_leading);
            }
        }
    EXPECT_GT(glyph, 0);
    gfx_set_font(OEM_FIXED_FONT);
    platform_font_close(font);
}

}  // namespace
