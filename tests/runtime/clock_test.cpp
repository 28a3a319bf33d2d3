// The program clock and its deadlines, including runs where the clock wraps.
#include "runtime/clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "platform/headless/headless.h"

namespace {

class ClockTest : public ::testing::Test {
  protected:
    void SetUp() override { headless_reset(); }
};

TEST_F(ClockTest, CountsCalendarSecondsPlusMilliseconds) {
    headless_set_calendar_base(1000);
    headless_set_ticks(0);
    EXPECT_EQ(clock_now(), 1000);
    headless_advance(999);
    EXPECT_EQ(clock_now(), 1999);
    headless_advance(1);  // the calendar second changes too
    EXPECT_EQ(clock_now(), 2001);
}

TEST_F(ClockTest, ArithmeticWrapsWithoutOverflow) {
    struct Case {
        int32_t a, ms, sum;
    };
    const Case cases[] = {
        {0, 16, 16},
        {std::numeric_limits<int32_t>::max(), 1, std::numeric_limits<int32_t>::min()},
        {std::numeric_limits<int32_t>::max() - 5, 10, std::numeric_limits<int32_t>::min() + 4},
        {-10, 30000, 29990},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(clock_add(c.a, c.ms), c.sum) << c.a << " + " << c.ms;
        EXPECT_EQ(clock_diff(c.sum, c.a), c.ms) << c.sum << " - " << c.a;
    }
}

// A deadline set just before the 32-bit clock wraps still expires after it: the
// game keeps running past four days of uptime and past 2038.
TEST_F(ClockTest, DeadlinesExpireAcrossTheWrap) {
    const int64_t near_wrap = std::numeric_limits<int32_t>::max() - 20;
    headless_set_calendar_base(near_wrap);
    arm_tick(16);
    EXPECT_FALSE(tick_due());
    headless_advance(16);
    EXPECT_FALSE(tick_due()) << "a deadline passes only when the clock is strictly beyond it";
    headless_advance(1);
    EXPECT_TRUE(tick_due());

    int32_t timer = set_screen_timer(10000);
    EXPECT_LT(timer, 0) << "the deadline lies past the wrap";
    headless_advance(5000);
    EXPECT_FALSE(clock_passed(screen_timer));
    headless_advance(5001);
    EXPECT_TRUE(clock_passed(screen_timer));
}

TEST_F(ClockTest, CalendarAfter2038StillTicks) {
    headless_set_calendar_base(int64_t{1} << 32 | 5);  // 2106 and beyond wraps to 5
    arm_tick(16);
    headless_advance(17);
    EXPECT_TRUE(tick_due());
}

TEST_F(ClockTest, WaitForTickSleepsUntilDue) {
    arm_tick(16);
    uint32_t before = platform_ticks_ms();
    wait_for_tick();
    EXPECT_TRUE(tick_due());
    EXPECT_GE(platform_ticks_ms() - before, 16u);
    EXPECT_LE(platform_ticks_ms() - before, 18u);
}

}  // namespace
