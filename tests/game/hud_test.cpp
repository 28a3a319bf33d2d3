// The game screen's texts and bar: thousands separators, the clock with its
// countdown ticks, the time bar's clamping and the gap frame's blinking.
#include "game/game_fixture.h"

namespace {

struct Thousands {
    const char* in;
    const char* out;
};

const Thousands THOUSANDS[] = {
    {"0", "0"},
    {"100", "100"},
    {"999", "999"},
    {"1000", "1,000"},
    {"2500", "2,500"},
    {"99999", "99,999"},
    {"100000", "100,000"},
    {"1234567", "1,234,567"},
    {"2147483647", "2,147,483,647"},
    {"-1", "-1"},
    {"-100", "-100"},
    {"-1000", "-1,000"},
    {"-1234567", "-1,234,567"},
    {"-2147483648", "-2,147,483,648"},
    {"", ""},
};

struct ClockText {
    int32_t remaining;
    const char* text;
    int32_t seconds;
};

const ClockText CLOCKS[] = {
    {61000, "1:02", 2}, {60000, "1:01", 1},  {59999, "1:00", 0},  {59000, "1:00", 0},
    {1000, "0:02", 2},  {999, "0:01", 1},    {1, "0:01", 1},      {0, "0:01", 1},
    {-1, "0:00", 0},    {-60000, "0:00", 0}, {75000, "1:16", 16}, {INT32_MAX, "35791:24", 24},
};

struct BarCase {
    int32_t remaining, limit, width, elapsed;
};

const BarCase BARS[] = {
    {15000, 30000, 250, 125},     {30000, 30000, 250, 0},
    {0, 30000, 250, 250},         {-1, 30000, 250, 250},
    {29999, 30000, 250, 1},       {1, 30000, 550, 550},
    {-40000, 30000, 250, 250},    {40000, 30000, 250, 250},  // more left than the row had
    {100, 0, 250, 250},           {0, 0, 250, 250},
    {-5000, -5000, 250, 250},     {INT32_MAX, INT32_MAX, 550, 0},
    {INT32_MIN, 30000, 550, 550},
};

}  // namespace

TEST(FormatThousands, GroupsOfThreeWithTheSignInFront) {
    for (const Thousands& t : THOUSANDS) {
        char text[32];
        std::snprintf(text, sizeof text, "%s", t.in);
        format_thousands(text);
        EXPECT_STREQ(text, t.out) << "from " << t.in;
    }
}

TEST(FormatClock, ShowsTheSecondUnderWay) {
    for (const ClockText& c : CLOCKS) {
        char text[16];
        int32_t minutes = -1;
        EXPECT_EQ(format_clock(c.remaining, text, &minutes), c.seconds) << c.remaining;
        EXPECT_STREQ(text, c.text) << c.remaining;
    }
}

TEST(TimeBar, ElapsedWidthIsClampedAndNeverDividesByZero) {
    for (const BarCase& b : BARS) {
        EXPECT_EQ(time_bar_elapsed(b.remaining, b.limit, b.width), b.elapsed)
            << b.remaining << " of " << b.limit;
    }
}

class Hud : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        new_game(3);
        set_board({"01201", "12.01", "20120"});
        // See-through preview stones, so that the bar behind them shows.
        std::memset(images.stone[9], 0, sizeof images.stone[9]);
        set_preview("99999");
    }
    int32_t bar_top() const { return board.bottom_y - 50 * board.rows - 50; }
    int32_t bar_bottom() const { return board.bottom_y - 50 * board.rows; }
    // The gap frame's left side, in the gap cell's middle row.
    bool gap_frame_shown() const {
        int32_t c = board.gap % board.cols;
        int32_t r = board.gap / board.cols;
        return pixel(board.left_x + 50 * c, board.bottom_y - 50 * r - 25) == 15;
    }
};

TEST_F(Hud, CountdownTicksOnceForEachOfTheLastFiveSeconds) {
    game.deadline = clock_add(clock_now(), 7000);
    for (int32_t ms = 0; ms < 9000; ms += 16) {
        tick();
        headless_advance(16);
        if (screen_handlers.on_tick != &game_on_tick) break;
    }
    EXPECT_EQ(plays(SND_TICK), 5);
}

TEST_F(Hud, NoTickAboveFiveSecondsNorAtZero) {
    game.deadline = clock_add(clock_now(), 20000);
    for (int32_t i = 0; i < 200; i++) {
        tick();
        headless_advance(50);
    }
    EXPECT_EQ(plays(SND_TICK), 0);
}

TEST_F(Hud, TheBarShowsTheRemainingTimeOnTheRight) {
    game.deadline = clock_add(clock_now(), 15000);
    game.time_limit = 30000;
    tick();
    int32_t y = (bar_top() + bar_bottom()) / 2;
    EXPECT_EQ(pixel(board.left_x - 2, y), 15);  // the frame
    EXPECT_EQ(pixel(board.left_x + 60, y), CHECKER_PAINT);
    EXPECT_EQ(pixel(board.left_x + 123, y), CHECKER_PAINT);
    EXPECT_EQ(pixel(board.left_x + 124, y), 15);  // the 2-pixel marker
    EXPECT_EQ(pixel(board.left_x + 125, y), 15);
    EXPECT_EQ(pixel(board.left_x + 126, y), 1);  // the time left
    EXPECT_EQ(pixel(board.left_x + 249, y), 1);
}

TEST_F(Hud, AnIllDefinedTimerShowsTheBarFullyElapsed) {
    game.penalty = 6;  // 30000 - 6 x 5000 = 0
    start_row_timer();
    EXPECT_EQ(game.time_limit, 0);
    draw_frame_base();
    draw_time_bar();
    present_frame();
    int32_t y = (bar_top() + bar_bottom()) / 2;
    // The marker stands at the right end; no fill is left of it.
    EXPECT_EQ(pixel(board.left_x + 250, y), 15);
    for (int32_t x = board.left_x; x < board.left_x + 249; x++) {
        ASSERT_NE(pixel(x, y), 1) << x;
    }
}

TEST_F(Hud, ScoreAndLevelAreCentredInThePanel) {
    game.score = 2500;
    game.level = 12;
    tick();
    // Some text pixel in colour 7 near x 100 on each line, none far from it.
    auto line_has_text = [&](int32_t y_top, int32_t y_bottom, int32_t x0, int32_t x1) {
        for (int32_t y = y_top; y <= y_bottom; y++) {
            for (int32_t x = x0; x <= x1; x++) {
                if (pixel(x, y) == 7) return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(line_has_text(175, 203, 60, 140));
    EXPECT_TRUE(line_has_text(252, 280, 80, 120));
    EXPECT_FALSE(line_has_text(175, 203, 150, 199));
}

TEST_F(Hud, GapFrameAfterALevelStartShowsForFourTicksThenBlinks) {
    game.blink = BLINK_SHOW_FIRST;
    std::string shown;
    for (int32_t i = 0; i < 26; i++) {
        tick();
        shown += gap_frame_shown() ? '#' : '.';
    }
    // 61..64 shown, 65 hidden, then 55..65 repeating: 4 of every 11 ticks.
    EXPECT_EQ(shown, "####.......####.......####");
}

TEST_F(Hud, GapFrameStaysHiddenForSixtyOneTicksAfterALanding) {
    game.blink = BLINK_SHOW_FIRST;
    click_cell(1, 1);  // the slide's first frame hides the frame
    EXPECT_EQ(game.blink, 0);
    int32_t hidden = 0;
    for (int32_t i = 0; i < 100; i++) {
        tick();  // the first of these is the landing
        if (gap_frame_shown()) break;
        hidden++;
    }
    EXPECT_EQ(hidden, 61);
}
