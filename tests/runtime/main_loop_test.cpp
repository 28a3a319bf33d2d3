// The main loop: routing of window events to the screen's handlers, the tick
// spacing, and sleeping instead of spinning between ticks.
#include "runtime/main_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/events.h"
#include "platform/headless/headless.h"
#include "runtime/clock.h"
#include "runtime/screen_slots.h"

namespace {

std::vector<std::string> calls;
std::vector<uint32_t> tick_times;
int32_t tick_work_ms = 0;

void record_tick() {
    tick_times.push_back(platform_ticks_ms());
    calls.push_back("tick");
    if (tick_work_ms) platform_sleep_ms(static_cast<uint32_t>(tick_work_ms));
}
void record_move(int32_t x, int32_t y) {
    calls.push_back("move " + std::to_string(x) + " " + std::to_string(y));
}
void record_click(int32_t x, int32_t y) {
    calls.push_back("click " + std::to_string(x) + " " + std::to_string(y));
}
void record_key(int32_t key) {
    calls.push_back("key " + std::to_string(key));
}

class MainLoopTest : public ::testing::Test {
  protected:
    void SetUp() override {
        headless_reset();
        calls.clear();
        tick_times.clear();
        tick_work_ms = 0;
        install_screen(SCREEN_GAME, record_tick, record_move, record_click, record_key);
        main_window = 1;  // a window without start-up: only the loop is under test
        arm_tick(16);
    }
    void TearDown() override {
        main_window = 0;
        install_screen(SCREEN_NONE, nullptr, nullptr, nullptr, nullptr);
    }
};

TEST_F(MainLoopTest, RoutesEventsToTheHandlersBeforeTheTick) {
    headless_push_mouse_move(-1, 650);
    headless_push_click(12, 34);
    headless_push_key(KEY_ESCAPE);
    headless_push_event({PEV_NONE, 0, 0, 0});
    ASSERT_TRUE(main_loop_turn());
    const std::vector<std::string> expected = {"move -1 650", "click 12 34", "key 27"};
    EXPECT_EQ(calls, expected) << "queued input is handled first, the tick waits";
}

TEST_F(MainLoopTest, TicksAreSixteenUnitsApartWithoutCatchUp) {
    for (int i = 0; i < 40 && tick_times.size() < 6; ++i) main_loop_turn();
    ASSERT_GE(tick_times.size(), 3u);
    for (size_t i = 1; i < tick_times.size(); ++i) {
        uint32_t gap = tick_times[i] - tick_times[i - 1];
        EXPECT_GE(gap, 16u);
        EXPECT_LE(gap, 18u);
    }

    // A tick that takes 50 ms is followed by one tick 16 units after it ends,
    // not by a burst of ticks making up for the lost time.
    tick_times.clear();
    tick_work_ms = 50;
    for (int i = 0; i < 40 && tick_times.size() < 3; ++i) main_loop_turn();
    ASSERT_EQ(tick_times.size(), 3u);
    EXPECT_GE(tick_times[1] - tick_times[0], 66u);
    EXPECT_LE(tick_times[1] - tick_times[0], 68u);
}

TEST_F(MainLoopTest, SleepsUntilTheTickInsteadOfSpinning) {
    main_loop_turn();  // the first tick, then the loop waits for the next deadline
    size_t ticks = tick_times.size();
    int turns = 0;
    while (tick_times.size() == ticks && turns < 100) {
        main_loop_turn();
        ++turns;
    }
    EXPECT_LE(turns, 2) << "one wait reaches the deadline; no busy polling";
}

TEST_F(MainLoopTest, CloseRequestEndsTheLoop) {
    headless_push_event({PEV_CLOSE, 0, 0, 0});
    headless_push_key(65);
    EXPECT_FALSE(main_loop_turn());
    EXPECT_EQ(main_window, 0);
    EXPECT_TRUE(calls.empty()) << "nothing after the close reaches a handler";
    EXPECT_EQ(run_main_loop(), 0);
}

TEST_F(MainLoopTest, KeyRepeatsArriveEachTime) {
    for (int i = 0; i < 3; ++i) headless_push_key(KEY_ESCAPE);
    main_loop_turn();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "key 27"), 3);
}

}  // namespace
