// Filled ellipses: the half-width of each row's run.
#include <map>

#include "gfx_fixture.h"

namespace {

using EllipseTest = GfxTest;

// Half-width of the run on each row offset from the centre, checking that every
// run is centred on cx.
std::map<int32_t, int32_t> half_widths(int32_t cx, int32_t cy) {
    std::map<int32_t, int32_t> rows;
    std::map<int32_t, std::pair<int32_t, int32_t>> ends;
    std::map<int32_t, int32_t> counts;
    for (const Pixel& p : GfxTest::painted()) {
        auto it = ends.find(p.second);
        if (it == ends.end()) {
            ends[p.second] = {p.first, p.first};
        } else {
            it->second.second = p.first;
        }
        ++counts[p.second];
    }
    for (const auto& [y, e] : ends) {
        EXPECT_EQ(cx - e.first, e.second - cx) << "row " << y;
        EXPECT_EQ(e.second - e.first + 1, counts[y]) << "row " << y << " has a hole";
        rows[y - cy] = e.second - cx;
    }
    return rows;
}

struct EllipseCase {
    int32_t rx, ry;
    std::map<int32_t, int32_t> rows;  // row offset -> half-width
};

TEST_F(EllipseTest, RunsPerRow) {
    const EllipseCase cases[] = {
        {4, 4, {{-4, 1}, {-3, 3}, {-2, 3}, {-1, 4}, {0, 4}, {1, 4}, {2, 3}, {3, 3}, {4, 1}}},
        {1, 1, {{-1, 0}, {0, 1}, {1, 0}}},
        {6, 3, {{-3, 3}, {-2, 5}, {-1, 6}, {0, 6}, {1, 6}, {2, 5}, {3, 3}}},
    };
    for (const EllipseCase& c : cases) {
        gfx_erase();
        gfx_set_color(2);
        gfx_move(100, 100);
        gfx_fill_ellipse(c.rx, c.ry);
        EXPECT_EQ(half_widths(100, 100), c.rows) << c.rx << "x" << c.ry;
    }
}

TEST_F(EllipseTest, CircleIsTheEllipseWithEqualRadii) {
    const int32_t radii[] = {4, 7, 10, 13};
    for (int32_t r : radii) {
        gfx_erase();
        gfx_set_color(2);
        gfx_move(50, 50);
        gfx_fill_ellipse(r, r);
        Pixels ellipse = painted();
        gfx_erase();
        gfx_fill_circle(r);
        EXPECT_EQ(painted(), ellipse) << r;
        std::map<int32_t, int32_t> rows = half_widths(50, 50);
        EXPECT_EQ(rows.at(0), r);
        EXPECT_EQ(rows.at(-r), rows.at(r));
    }
}

TEST_F(EllipseTest, DegenerateRadiiDrawNothing) {
    gfx_set_color(2);
    gfx_move(10, 10);
    gfx_fill_ellipse(0, 5);
    gfx_fill_ellipse(5, 0);
    gfx_fill_circle(-1);
    gfx_fill_ellipse(INT32_MIN, 3);
    EXPECT_TRUE(painted().empty());
}

TEST_F(EllipseTest, CutAtTheBufferEdges) {
    gfx_set_color(2);
    gfx_move(0, 0);
    gfx_fill_circle(4);
    Pixels p = painted();
    ASSERT_FALSE(p.empty());
    for (const Pixel& q : p) {
        EXPECT_LE(q.first, 4);
        EXPECT_LE(q.second, 4);
    }
    EXPECT_EQ(at(4, 0), 2);
    EXPECT_EQ(at(0, 4), 2);
    // A circle far larger than the buffer covers it without writing past it.
    gfx_erase();
    gfx_move(400, 300);
    gfx_fill_circle(5000);
    EXPECT_EQ(painted().size(), 800u * 600u);
    gfx_erase();
    gfx_move(INT32_MAX, INT32_MIN);
    gfx_fill_ellipse(60000, 60000);
    EXPECT_TRUE(painted().empty());
}

}  // namespace
