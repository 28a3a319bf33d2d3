// Every place the screens react to a click shows the control that reacts there.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/palette.h"
#include "assets/asset_fixture.h"
#include "gfx/gfx.h"

namespace {

class HitAreas : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new std::string(art_under_test("areas"));
        palette_ = new std::vector<uint8_t>(read_file(*dir_ + "/board_"));
    }
    static void TearDownTestSuite() {
        remove_art(*dir_);
        delete dir_;
        delete palette_;
        dir_ = nullptr;
        palette_ = nullptr;
    }
    static LoadedPicture load(const char* name) {
        return load_picture(*dir_, entry_named(name), true);
    }
    static float lum(uint8_t index) { return luminance(*palette_, index); }
    static std::string* dir_;
    static std::vector<uint8_t>* palette_;
};

std::string* HitAreas::dir_ = nullptr;
std::vector<uint8_t>* HitAreas::palette_ = nullptr;

// Pixels of the inclusive rectangle (picture coordinates, y from the top) that
// satisfy a test.
int32_t count_in(const LoadedPicture& pic, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
                 const std::function<bool(uint8_t)>& test) {
    int32_t n = 0;
    for (int32_t y = y1; y <= y2; ++y) {
        for (int32_t x = x1; x <= x2; ++x) n += test(pic.at(x, y)) ? 1 : 0;
    }
    return n;
}

TEST_F(HitAreas, MenuButtonFacesOnTheBoardCarryTheirLabels) {
    LoadedPicture board = load("board");
    for (int32_t i = 0; i < 5; ++i) {
        int32_t y1 = 297 + 42 * i, y2 = 337 + 42 * i;
        int32_t labels =
            count_in(board, 11, y1, 189, y2 - 1, [](uint8_t p) { return p == PAL_LABEL; });
        EXPECT_GT(labels, 40) << "button " << i;
        // The face's outline runs along the edges of the area.
        int32_t edge =
            count_in(board, 20, y1 - 1, 180, y1 - 1, [](uint8_t p) { return p == PAL_OUTLINE; });
        EXPECT_GT(edge, 150) << "button " << i;
    }
}

TEST_F(HitAreas, MenuHighlightsCoverTheirButtons) {
    for (const char* name : {"menu0", "menu1", "menu2", "menu3", "menu4"}) {
        LoadedPicture pic = load(name);
        // Drawn at (10, 337 + 42i): the area 11..189 by 297..337 is picture 1..179 by 1..41.
        int32_t holes = count_in(pic, 6, 6, 173, 35, [](uint8_t p) { return p == 0; });
        EXPECT_EQ(holes, 0) << name;
        int32_t bright = count_in(pic, 1, 1, 178, 40, [](uint8_t p) { return p == PAL_BRIGHT; });
        EXPECT_GT(bright, 40) << name << " shows its label lit";
    }
}

TEST_F(HitAreas, PauseAndResumeButtonsAreSolidFaces) {
    for (const char* name : {"button0", "button1", "button2", "button3", "button4", "button5"}) {
        LoadedPicture pic = load(name);
        int32_t holes = count_in(pic, 6, 6, 173, 35, [](uint8_t p) { return p == 0; });
        EXPECT_EQ(holes, 0) << name;
        int32_t label = count_in(pic, 1, 1, 178, 40,
                                 [](uint8_t p) { return p == PAL_LABEL || p == PAL_BRIGHT; });
        EXPECT_GT(label, 40) << name;
    }
}

TEST_F(HitAreas, PauseButtonSlotAndClockStayClearOfTheMenu) {
    LoadedPicture board = load("board");
    // Nothing of the menu bar's faces below the last button: no label text in the
    // pause button's place, which button2 covers in the game.
    int32_t labels = count_in(board, 11, 507, 189, 547, [](uint8_t p) { return p == PAL_LABEL; });
    EXPECT_EQ(labels, 0);
}

TEST_F(HitAreas, CornerSquareIsAFramedButton) {
    LoadedPicture board = load("board");
    // Area 27 < x < 62, 10 < y < 54: a frame hugs it and a bright icon sits inside.
    int32_t frame = count_in(board, 27, 10, 62, 10, [](uint8_t p) { return p == PAL_OUTLINE; }) +
                    count_in(board, 27, 54, 62, 54, [](uint8_t p) { return p == PAL_OUTLINE; }) +
                    count_in(board, 27, 10, 27, 54, [](uint8_t p) { return p == PAL_OUTLINE; }) +
                    count_in(board, 62, 10, 62, 54, [](uint8_t p) { return p == PAL_OUTLINE; });
    EXPECT_GT(frame, 140);
    int32_t bright = count_in(board, 28, 11, 61, 53, [](uint8_t p) { return lum(p) > 150.0f; });
    EXPECT_GT(bright, 40);
}

TEST_F(HitAreas, VolumeMarksSitOnLightSockets) {
    LoadedPicture options = load("options");
    const int32_t cx[4] = {443, 466, 497, 537}, r[4] = {4, 7, 10, 13};
    for (int32_t row : {318, 437}) {
        for (int32_t i = 0; i < 4; ++i) {
            int32_t px = cx[i] - 349, py = row - 36;
            int32_t dark = 0, total = 0;
            // Inside the socket's empty circle (its own dark line is 1.3 px wide).
            float inner = float(r[i]) - 1.5f;
            for (int32_t y = py - r[i]; y <= py + r[i]; ++y) {
                for (int32_t x = px - r[i]; x <= px + r[i]; ++x) {
                    if (float((x - px) * (x - px) + (y - py) * (y - py)) > inner * inner) continue;
                    ++total;
                    dark += lum(options.at(x, y)) < 120.0f ? 1 : 0;
                }
            }
            // The game's marks are black: they must land on a light socket.
            EXPECT_GT(total, 0);
            EXPECT_LE(dark * 10, total) << "row " << row << " level " << i;
            // A dark rim closes the socket a little outside the mark.
            int32_t rim = 0;
            for (int32_t x = px + r[i] + 1; x <= px + r[i] + 5; ++x) {
                rim += lum(options.at(x, py)) < 40.0f ? 1 : 0;
            }
            EXPECT_GT(rim, 0) << "row " << row << " level " << i;
            // One light plate joins the sockets, so the marks read as dots filled in
            // on paper rather than holes in the slate.
            if (i < 3) {
                int32_t gap = (cx[i] + r[i] + cx[i + 1] - r[i + 1]) / 2 - 349;
                EXPECT_GT(lum(options.at(gap, py)), 150.0f) << "row " << row << " after " << i;
            }
        }
    }
}

// The pixels a mark of radius r drawn by the game at (cx, cy) covers, as the
// offsets from its centre.
std::vector<std::pair<int32_t, int32_t>> mark_pixels(int32_t r) {
    art_setup();
    gfx_set_buffer(art_scratch_buffer());
    gfx_set_color(200);
    gfx_rect(0, 99, 0, 99);
    gfx_set_color(0);
    gfx_move(50, 50);
    gfx_fill_circle(r);
    std::vector<uint8_t> pixels(100 * 100);
    gfx_move(0, 99);
    gfx_get_image(pixels.data(), 100, 100);
    gfx_set_buffer(art_canvas_buffer());
    std::vector<std::pair<int32_t, int32_t>> covered;
    for (int32_t row = 0; row < 100; ++row) {
        for (int32_t x = 0; x < 100; ++x) {
            if (pixels[row * 100 + x] == 0) covered.push_back({x - 50, 99 - row - 50});
        }
    }
    return covered;
}

TEST_F(HitAreas, SocketsAreLightHollowsTheMarkFillsInsideADarkRing) {
    // Read like a box on a form: an unchosen socket is a light hollow in a dark ring;
    // the black mark fills the hollow, so it shows as a filled dot, and leaves a
    // light margin inside the ring.
    LoadedPicture options = load("options");
    struct Socket {
        int32_t x, y, r;
    };
    std::vector<Socket> sockets;
    const int32_t cx[4] = {443, 466, 497, 537}, r[4] = {4, 7, 10, 13};
    for (int32_t row : {318, 437}) {
        for (int32_t i = 0; i < 4; ++i) sockets.push_back({cx[i], row, r[i]});
    }
    for (int32_t y : {167, 190, 213}) sockets.push_back({443, y, 4});
    for (const Socket& s : sockets) {
        std::vector<std::pair<int32_t, int32_t>> mark = mark_pixels(s.r);
        auto marked = [&mark](int32_t dx, int32_t dy) {
            for (const auto& m : mark) {
                if (m.first == dx && m.second == dy) return true;
            }
            return false;
        };
        int32_t px = s.x - 349, py = s.y - 36;
        int32_t dark_under_mark = 0, margin = 0, margin_light = 0, ring = 0, ring_dark = 0;
        for (int32_t dy = -s.r - 3; dy <= s.r + 3; ++dy) {
            for (int32_t dx = -s.r - 3; dx <= s.r + 3; ++dx) {
                float d = std::sqrt(float(dx * dx + dy * dy));
                float l = lum(options.at(px + dx, py + dy));
                if (marked(dx, dy)) {
                    dark_under_mark += l > 110.0f ? 0 : 1;
                } else if (d <= float(s.r) + 0.9f) {
                    ++margin;
                    margin_light += l > 110.0f ? 1 : 0;
                } else if (d >= float(s.r) + 1.8f && d <= float(s.r) + 2.3f) {
                    ++ring;
                    ring_dark += l < 60.0f ? 1 : 0;
                }
            }
        }
        EXPECT_EQ(dark_under_mark, 0) << "socket at " << s.x << "," << s.y;
        EXPECT_GE(margin, 2 * s.r) << "socket at " << s.x << "," << s.y;
        EXPECT_EQ(margin_light, margin) << "socket at " << s.x << "," << s.y;
        EXPECT_GT(ring, 4 * s.r) << "socket at " << s.x << "," << s.y;
        EXPECT_GE(ring_dark * 10, ring * 9) << "socket at " << s.x << "," << s.y;
    }
}

TEST_F(HitAreas, DifficultyChoicesHaveSocketsAndNames) {
    LoadedPicture options = load("options");
    const int32_t y[3] = {167, 190, 213}, right[3] = {512, 549, 518};
    for (int32_t i = 0; i < 3; ++i) {
        int32_t py = y[i] - 36;
        EXPECT_GT(lum(options.at(443 - 349, py)), 150.0f) << "socket " << i;
        // The choice's name lies inside its click area 436 < x < right, y +- 6.
        int32_t name = count_in(options, 451 - 349, py - 5, right[i] - 1 - 349, py + 5,
                                [](uint8_t p) { return p == PAL_LABEL; });
        EXPECT_GT(name, 25) << "choice " << i;
        int32_t outside = count_in(options, right[i] - 349, py - 5, right[i] + 30 - 349, py + 5,
                                   [](uint8_t p) { return p == PAL_LABEL; });
        EXPECT_EQ(outside, 0) << "choice " << i << " name runs past its area";
    }
}

TEST_F(HitAreas, QuitPictureButtonsFillTheirAreas) {
    LoadedPicture quit = load("quit");
    for (int32_t x1 : {359, 545}) {
        int32_t px1 = x1 - 259, px2 = x1 + 75 - 259, py1 = 196 - 82, py2 = 236 - 82;
        int32_t label = count_in(quit, px1 + 1, py1 + 1, px2 - 1, py2 - 1,
                                 [](uint8_t p) { return p == PAL_LABEL; });
        EXPECT_GT(label, 30) << "button at " << x1;
        // The button's outline follows the area's edges.
        int32_t left =
            count_in(quit, px1, py1 + 6, px1, py2 - 6, [](uint8_t p) { return p == PAL_OUTLINE; });
        int32_t right =
            count_in(quit, px2, py1 + 6, px2, py2 - 6, [](uint8_t p) { return p == PAL_OUTLINE; });
        int32_t top =
            count_in(quit, px1 + 6, py1, px2 - 6, py1, [](uint8_t p) { return p == PAL_OUTLINE; });
        int32_t bottom =
            count_in(quit, px1 + 6, py2, px2 - 6, py2, [](uint8_t p) { return p == PAL_OUTLINE; });
        EXPECT_EQ(left, py2 - py1 - 11) << "button at " << x1;
        EXPECT_EQ(right, py2 - py1 - 11) << "button at " << x1;
        EXPECT_EQ(top, px2 - px1 - 11) << "button at " << x1;
        EXPECT_EQ(bottom, px2 - px1 - 11) << "button at " << x1;
    }
}

TEST_F(HitAreas, InstructionsLeaveTheResumeButtonsCornerPlain) {
    LoadedPicture pic = load("instructions");
    // button0 at screen (240, 560) lower-left, picture top-left at (228, 28).
    int32_t text = count_in(pic, 12, 491 - 6, 192, 532, [](uint8_t p) {
        return p == PAL_LABEL || p == PAL_BRIGHT || p == PAL_OUTLINE;
    });
    EXPECT_EQ(text, 0);
    // Nor the blended edges of a text: the slate there stays dark.
    int32_t light = count_in(pic, 12, 491 - 6, 192, 532, [](uint8_t p) { return lum(p) > 90.0f; });
    EXPECT_EQ(light, 0);
}

TEST_F(HitAreas, FrameColourStandsOutOnTheStrips) {
    // The gap frame and the time bar are drawn in 15 over the column strips, the bar
    // filled with 1: both must read against the strips' cells.
    LoadedPicture strip = load("checker1");
    float sum = 0;
    int32_t n = 0;
    for (int32_t y = 25; y < 575; ++y) {
        for (int32_t x = 25; x < 125; ++x) {
            sum += lum(strip.at(x, y));
            ++n;
        }
    }
    float cells = sum / float(n);
    EXPECT_GT(lum(PAL_FRAME) - cells, 80.0f);
    EXPECT_GT(cells - lum(PAL_DARK_RED), 20.0f);
}

}  // namespace
