// Lines: the exact pixels Bresenham's steps give, clipping, and the position.
#include "gfx_fixture.h"

namespace {

using LineTest = GfxTest;

struct LineCase {
    const char* name;
    int32_t x0, y0, x1, y1;
    Pixels expected;
};

Pixels run_x(int32_t x1, int32_t x2, int32_t y) {
    Pixels p;
    for (int32_t x = x1; x <= x2; ++x) p.push_back({x, y});
    return p;
}

TEST_F(LineTest, PixelLists) {
    const LineCase cases[] = {
        {"single point", 3, 4, 3, 4, {{3, 4}}},
        {"shallow, err 0 steps", 0, 0, 4, 2, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {"same reversed", 4, 2, 0, 0, {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 2}}},
        {"steep", 0, 0, 2, 4, {{0, 0}, {1, 1}, {1, 2}, {2, 3}, {2, 4}}},
        {"steep leftward", 2, 0, 0, 4, {{2, 0}, {1, 1}, {1, 2}, {0, 3}, {0, 4}}},
        {"diagonal", 5, 5, 8, 8, {{5, 5}, {6, 6}, {7, 7}, {8, 8}}},
        {"horizontal", 7, 3, 2, 3, run_x(2, 7, 3)},
        {"vertical", 9, 4, 9, 1, {{9, 1}, {9, 2}, {9, 3}, {9, 4}}},
        {"shallow leftward",
         6,
         10,
         0,
         12,
         {{6, 10}, {5, 10}, {4, 11}, {3, 11}, {2, 11}, {1, 12}, {0, 12}}},
        {"cut at the left edge", -10, 5, 10, 5, run_x(0, 10, 5)},
        {"wholly left", -10, 5, -1, 9, {}},
        {"wholly below", 3, 600, 30, 900, {}},
        {"cut at the right edge", 795, 0, 805, 0, run_x(795, 799, 0)},
        {"cut at the bottom", 0, 597, 0, 1000, {{0, 597}, {0, 598}, {0, 599}}},
        {"crossing a corner", -2, 2, 2, -2, {{0, 0}}},
    };
    for (const LineCase& c : cases) {
        gfx_erase();
        gfx_set_color(1);
        gfx_move(c.x0, c.y0);
        gfx_line_to(c.x1, c.y1);
        EXPECT_EQ(painted(), sorted(c.expected)) << c.name;
        EXPECT_EQ(gfx.pos_x, c.x1) << c.name;
        EXPECT_EQ(gfx.pos_y, c.y1) << c.name;
    }
}

TEST_F(LineTest, ClippedDiagonalFollowsTheTruncatedEdgePoint) {
    // From (-3, 0) to (7, 5): the cut gives y = 0 + 5 * 3 / 10 = 1 at x = 0.
    gfx_set_color(1);
    gfx_move(-3, 0);
    gfx_line_to(7, 5);
    Pixels p = painted();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.front(), (Pixel{0, 1}));
    EXPECT_EQ(p.back(), (Pixel{7, 5}));
}

TEST_F(LineTest, ExtremeCoordinatesStayInside) {
    gfx_set_color(1);
    gfx_move(INT32_MIN, INT32_MIN);
    gfx_line_to(INT32_MAX, INT32_MAX);
    gfx_move(INT32_MAX, INT32_MIN);
    gfx_line_to(INT32_MIN, INT32_MAX);
    Pixels p = painted();
    EXPECT_FALSE(p.empty());
    EXPECT_EQ(gfx.pos_x, INT32_MIN);
}

TEST_F(LineTest, NoActiveBufferStillMovesThePosition) {
    gfx_unselect_buffer();
    gfx_line_to(7, 8);
    EXPECT_EQ(gfx.pos_x, 7);
    EXPECT_EQ(gfx.pos_y, 8);
    gfx_set_buffer(buffer);
    EXPECT_TRUE(painted().empty());
}

}  // namespace
