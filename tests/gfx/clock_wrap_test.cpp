// The headless clock across the wrap of its 32-bit millisecond count: the ticks
// wrap, but calendar seconds and the game clock built on both keep moving forward,
// so a replay that runs past 49.7 days of test time never stalls.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/events.h"
#include "platform/headless/headless.h"
#include "runtime/clock.h"

namespace {

constexpr uint32_t kMax = 0xFFFFFFFFu;

class ClockWrapTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless_reset();
        headless_set_calendar_base(1700000000);
    }
};

struct StepCase {
    const char* name;
    uint32_t start;  // ticks before the first step
    uint32_t step;   // milliseconds per step
    int32_t steps;
};

// Each way the clock moves (advance, sleep, a wait that times out) moves the game
// clock by the milliseconds passed, plus one for each calendar second begun.
TEST_F(ClockWrapTest, GameClockGrowsByTheTimePassedAcrossTheWrap) {
    const StepCase cases[] = {
        {"frames", kMax - 500, 16, 100},
        {"seconds", kMax - 5000, 1000, 12},
        {"one millisecond", kMax - 3, 1, 10},
        {"long waits", kMax - 100000, 70000, 4},
    };
    for (const StepCase& c : cases) {
        for (int32_t how = 0; how < 3; ++how) {
            headless_reset();
            headless_set_calendar_base(1700000000);
            headless_set_ticks(c.start);
            uint64_t elapsed = c.start;
            int64_t seconds = platform_calendar_seconds();
            int32_t now = clock_now();
            for (int32_t i = 0; i < c.steps; ++i) {
                PlatformEvent event;
                if (how == 0) headless_advance(c.step);
                if (how == 1) platform_sleep_ms(c.step);
                if (how == 2) {
                    ASSERT_FALSE(platform_wait_event(&event, c.step));
                }
                elapsed += c.step;
                ASSERT_EQ(platform_ticks_ms(), static_cast<uint32_t>(elapsed)) << c.name;
                int64_t begun = platform_calendar_seconds() - seconds;
                ASSERT_EQ(begun, static_cast<int64_t>(elapsed / 1000 - c.start / 1000))
                    << c.name << " way " << how << " step " << i;
                int32_t later = clock_now();
                int32_t grew = clock_diff(later, now);
                int64_t second_changes =
                    static_cast<int64_t>(elapsed / 1000 - (elapsed - c.step) / 1000);
                ASSERT_EQ(grew, static_cast<int64_t>(c.step) + second_changes)
                    << c.name << " way " << how << " step " << i;
                now = later;
            }
            EXPECT_LT(platform_ticks_ms(), c.start) << c.name << ": the ticks wrapped";
        }
    }
}

// A whole 2^32 milliseconds (49.7 days) go by: the ticks are back where they were
// and the calendar is 4294967 seconds further on, not back at its start.
TEST_F(ClockWrapTest, CalendarCountsAFullTurnOfTheTicks) {
    headless_set_ticks(1234);
    const int64_t before = platform_calendar_seconds();
    for (int64_t turns = 1; turns <= 2; ++turns) {
        headless_advance(0x80000000u);
        headless_advance(0x80000000u);
        EXPECT_EQ(platform_ticks_ms(), 1234u);
        int64_t elapsed = (turns << 32) + 1234;
        EXPECT_EQ(platform_calendar_seconds() - before, elapsed / 1000 - 1) << turns;
    }
}

// The replay loop: one 16 ms tick after another across the wrap, each one waited
// for by sleeping; no tick sleeps longer than its own length.
TEST_F(ClockWrapTest, TicksKeepTheirPaceThroughTheWrap) {
    headless_set_ticks(kMax - 1000);
    uint32_t start = platform_ticks_ms();
    for (int32_t frame = 0; frame < 200; ++frame) {
        uint32_t before = platform_ticks_ms();
        arm_tick(16);
        wait_for_tick();
        uint32_t slept = platform_ticks_ms() - before;
        ASSERT_GE(slept, 16u) << "frame " << frame;
        ASSERT_LE(slept, 18u) << "frame " << frame;
    }
    uint32_t total = platform_ticks_ms() - start;
    EXPECT_GE(total, 200u * 16);
    EXPECT_LE(total, 200u * 18);
}

}  // namespace
