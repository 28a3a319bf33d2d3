// Rectangles, outlined boxes, erase and the drawing state.
#include "gfx_fixture.h"

namespace {

using PrimitivesTest = GfxTest;

Pixels block(int32_t x1, int32_t x2, int32_t y1, int32_t y2) {
    Pixels out;
    for (int32_t y = y1; y <= y2; ++y)
        for (int32_t x = x1; x <= x2; ++x) out.push_back({x, y});
    return out;
}

TEST_F(PrimitivesTest, RectOfOnePixel) {
    gfx_set_color(9);
    gfx_rect(5, 5, 7, 7);
    EXPECT_EQ(painted(), (Pixels{{5, 7}}));
    EXPECT_EQ(at(5, 7), 9);
}

TEST_F(PrimitivesTest, ColourTakesTheLowEightBits) {
    gfx_set_color(0x1234);
    EXPECT_EQ(gfx.colour, 0x34);
    gfx_set_color(-1);
    EXPECT_EQ(gfx.colour, 0xFF);
}

struct RectCase {
    const char* name;
    int32_t x1, x2, y1, y2;
    Pixels expected;
};

TEST_F(PrimitivesTest, ClippedRectIsCutToTheBuffer) {
    const RectCase cases[] = {
        {"inside", 10, 12, 20, 21, block(10, 12, 20, 21)},
        {"left edge", -5, 1, 0, 1, block(0, 1, 0, 1)},
        {"bottom right", 798, 900, 598, 700, block(798, 799, 598, 599)},
        {"left of buffer", -20, -1, 10, 20, {}},
        {"below buffer", 10, 20, 600, 700, {}},
        {"inverted", 20, 10, 5, 6, {}},
        {"huge", INT32_MIN, INT32_MAX, 599, INT32_MAX, block(0, 799, 599, 599)},
    };
    for (const RectCase& c : cases) {
        gfx_erase();
        gfx_set_color(3);
        gfx_rect_clipped(c.x1, c.x2, c.y1, c.y2);
        EXPECT_EQ(painted(), c.expected) << c.name;
        // The unclipped rectangle never writes outside the buffer either.
        gfx_erase();
        gfx_rect(c.x1, c.x2, c.y1, c.y2);
        EXPECT_EQ(painted(), c.expected) << c.name;
    }
}

TEST_F(PrimitivesTest, BoxOutlineGrowsInward) {
    gfx_set_box_border(2, 2);
    gfx_set_color(15);
    gfx_box(10, 19, 10, 19);
    Pixels expected;
    for (const Pixel& p : block(10, 19, 10, 19)) {
        bool inner = p.first >= 12 && p.first <= 17 && p.second >= 12 && p.second <= 17;
        if (!inner) expected.push_back(p);
    }
    EXPECT_EQ(painted(), expected);
}

struct BoxCase {
    const char* name;
    int32_t bx, by;
    int32_t x1, x2, y1, y2;
    Pixels expected;
};

TEST_F(PrimitivesTest, BoxCases) {
    Pixels frame_1;  // 1-pixel outline of 0..3 x 0..2
    for (const Pixel& p : block(0, 3, 0, 2))
        if (p.first == 0 || p.first == 3 || p.second == 0 || p.second == 2) frame_1.push_back(p);
    Pixels thick_sides;  // 3 wide sides, 1 high top and bottom, on 0..9 x 0..3
    for (const Pixel& p : block(0, 9, 0, 3))
        if (p.first <= 2 || p.first >= 7 || p.second == 0 || p.second == 3)
            thick_sides.push_back(p);
    const BoxCase cases[] = {
        {"small square is solid", 2, 2, 10, 12, 10, 12, block(10, 12, 10, 12)},
        {"four wide is solid", 2, 2, 0, 3, 0, 3, block(0, 3, 0, 3)},
        {"one pixel border", 1, 1, 0, 3, 0, 2, frame_1},
        {"uneven border", 3, 1, 0, 9, 0, 3, thick_sides},
        {"past the corner", 2, 2, 796, 805, 596, 605,
         [] {
             Pixels p = block(796, 799, 596, 597);
             for (const Pixel& q : block(796, 797, 598, 599)) p.push_back(q);
             return GfxTest::sorted(p);
         }()},
        {"past the top left", 2, 2, -5, 3, -5, 3,
         [] {
             Pixels p;
             for (const Pixel& q : block(0, 3, 0, 3))
                 if (q.first >= 2 || q.second >= 2) p.push_back(q);
             return p;
         }()},
        {"negative border", -4, -4, 5, 8, 5, 8, {}},
        {"huge border", INT32_MAX, INT32_MAX, 5, 8, 5, 8, block(5, 8, 5, 8)},
    };
    for (const BoxCase& c : cases) {
        gfx_erase();
        gfx_set_color(15);
        gfx_set_box_border(c.bx, c.by);
        gfx_box(c.x1, c.x2, c.y1, c.y2);
        EXPECT_EQ(painted(), c.expected) << c.name;
    }
}

TEST_F(PrimitivesTest, EraseClearsEverythingWhateverTheColour) {
    gfx_set_color(9);
    gfx_rect(0, 799, 0, 599);
    gfx_erase();
    EXPECT_TRUE(painted().empty());
    EXPECT_EQ(gfx.colour, 9);
}

TEST_F(PrimitivesTest, InitResetsTheDrawingState) {
    gfx_move(5, 6);
    gfx_set_color(7);
    gfx_set_box_border(4, 5);
    gfx_unselect_buffer();
    gfx_init();
    EXPECT_EQ(gfx.pos_x, 0);
    EXPECT_EQ(gfx.pos_y, 0);
    EXPECT_EQ(gfx.colour, 0);
    EXPECT_EQ(gfx.border_h, 1);
    EXPECT_EQ(gfx.border_v, 1);
    EXPECT_EQ(gfx.active, -1);
    EXPECT_EQ(gfx_create_buffer(800, 600), 0);
}

}  // namespace
