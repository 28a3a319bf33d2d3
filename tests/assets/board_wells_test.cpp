// The panel texts the game prints over the board picture stay inside their wells:
// the clock and, during a row's drop animation, the widest bonus text.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/palette.h"
#include "assets/asset_fixture.h"
#include "gfx/gfx.h"

namespace {

struct Ink {
    int32_t x, y;  // screen coordinates, y from the top
};

// Prints text as the game's panel does (shadow one pixel right and down, then the
// text, both centred on x = 100 with the line's bottom at y) into a blank buffer
// and returns every pixel either print touched.
std::vector<Ink> panel_text_ink(const char* text, int32_t y) {
    begin_ink();
    int32_t length = static_cast<int32_t>(std::strlen(text));
    int32_t w = gfx_text_width(text, length);
    gfx_move(101 - w / 2, y + 1);
    gfx_set_color(PAL_DARK_RED);
    gfx_print(text, length);
    gfx_move(100 - w / 2, y);
    gfx_set_color(PAL_SILVER);
    gfx_print(text, length);
    std::vector<bool> mask = end_ink();
    std::vector<Ink> ink;
    for (int32_t y = 599; y >= 0; --y) {
        for (int32_t x = 0; x < 800; ++x) {
            if (mask[y * 800 + x]) ink.push_back({x, y});
        }
    }
    return ink;
}

// The well's outline round a point: the nearest outline pixels left, right, above
// and below it on the board picture.
struct Box {
    int32_t x1 = -1, y1 = -1, x2 = -1, y2 = -1;
};

Box well_around(const LoadedPicture& board, int32_t x, int32_t y) {
    Box box;
    for (int32_t i = x; i >= 0 && box.x1 < 0; --i) {
        if (board.at(i, y) == PAL_OUTLINE) box.x1 = i;
    }
    for (int32_t i = x; i < board.width && box.x2 < 0; ++i) {
        if (board.at(i, y) == PAL_OUTLINE) box.x2 = i;
    }
    for (int32_t j = y; j >= 0 && box.y1 < 0; --j) {
        if (board.at(x, j) == PAL_OUTLINE) box.y1 = j;
    }
    for (int32_t j = y; j < board.height && box.y2 < 0; ++j) {
        if (board.at(x, j) == PAL_OUTLINE) box.y2 = j;
    }
    return box;
}

struct PanelText {
    const char* text;
    int32_t y;  // line bottom, as the game prints it
};

// The bonus is printed where the clock stands; "BONUS 1000" is the widest a row
// without a time penalty can earn, "1:15" the longest row time.
constexpr PanelText kClockWellTexts[] = {
    {"BONUS 1000", 570}, {"BONUS 999", 570}, {"BONUS 0", 570},
    {"1:15", 575},       {"0:00", 575},      {"0:59", 575},
};

class BoardWells : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { dir_ = new std::string(art_under_test("wells")); }
    static void TearDownTestSuite() {
        remove_art(*dir_);
        delete dir_;
        dir_ = nullptr;
    }
    static std::string* dir_;
};

std::string* BoardWells::dir_ = nullptr;

TEST_F(BoardWells, ClockWellHoldsTheBonusAndTheClockWithAMargin) {
    LoadedPicture board = load_picture(*dir_, entry_named("board"), true);
    std::vector<uint8_t> bmp = read_file(*dir_ + "/board_");
    ASSERT_GE(bmp.size(), 1078u);
    constexpr int32_t kMargin = 2;
    for (const PanelText& t : kClockWellTexts) {
        std::vector<Ink> ink = panel_text_ink(t.text, t.y);
        ASSERT_FALSE(ink.empty()) << t.text;
        Ink lo = ink[0], hi = ink[0];
        for (const Ink& p : ink) {
            lo = {p.x < lo.x ? p.x : lo.x, p.y < lo.y ? p.y : lo.y};
            hi = {p.x > hi.x ? p.x : hi.x, p.y > hi.y ? p.y : hi.y};
        }
        Box well = well_around(board, (lo.x + hi.x) / 2, (lo.y + hi.y) / 2);
        ASSERT_GE(well.x1, 0) << t.text;
        ASSERT_GE(well.y1, 0) << t.text;
        ASSERT_GE(well.x2, 0) << t.text;
        ASSERT_GE(well.y2, 0) << t.text;
        int32_t outside = 0, on_light = 0;
        for (const Ink& p : ink) {
            if (p.x < well.x1 + kMargin || p.x > well.x2 - kMargin || p.y < well.y1 + kMargin ||
                p.y > well.y2 - kMargin) {
                ++outside;
            } else if (luminance(bmp, board.at(p.x, p.y)) > 90.0f) {
                // A decoration in the well (or its lit lip) under the text.
                ++on_light;
            }
        }
        EXPECT_EQ(outside, 0) << t.text << " ink " << lo.x << ".." << hi.x << " x " << lo.y << ".."
                              << hi.y << ", well " << well.x1 << ".." << well.x2 << " x " << well.y1
                              << ".." << well.y2;
        EXPECT_EQ(on_light, 0) << t.text;
    }
}

TEST_F(BoardWells, PauseButtonCoversTheTopOfTheClockWell) {
    // The pause button (10..189 x 507..548) sits in the top of the clock's well:
    // the well's sides run under the button's, and the clock shows below it.
    LoadedPicture board = load_picture(*dir_, entry_named("board"), true);
    Box slot = well_around(board, 100, 530);
    Box clock = well_around(board, 100, 560);
    EXPECT_EQ(slot.x1, 10);
    EXPECT_EQ(slot.x2, 189);
    EXPECT_EQ(slot.y1, 507);
    EXPECT_EQ(clock.x1, slot.x1);
    EXPECT_EQ(clock.x2, slot.x2);
    EXPECT_EQ(clock.y1, slot.y1);
    EXPECT_GT(clock.y2, 575);
    EXPECT_LT(clock.y2, 600);
}

}  // namespace
