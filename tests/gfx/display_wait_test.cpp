// The display checks, the colour depth and the blocking waits.
#include "gfx_fixture.h"

namespace {

using DisplayTest = GfxTest;

struct DesktopCase {
    int32_t width, height;
    int32_t expected;
};

TEST_F(DisplayTest, ModeTestAsksForADesktopAtLeastAsLarge) {
    const DesktopCase cases[] = {{1920, 1080, 0}, {800, 600, 0},  {799, 600, -1},
                                 {800, 599, -1},  {640, 480, -1}, {1024, 768, 0}};
    for (const DesktopCase& c : cases) {
        headless_set_desktop(c.width, c.height);
        EXPECT_EQ(gfx_test_mode(800, 600, gfx_color_depth()), c.expected)
            << c.width << "x" << c.height;
    }
}

TEST_F(DisplayTest, ModeTestAndSwitchEachSettleForTwoHundredMs) {
    headless_set_ticks(1000);
    gfx_test_mode(800, 600, 32);
    EXPECT_GE(platform_ticks_ms(), 1200u);
    uint32_t before = platform_ticks_ms();
    EXPECT_EQ(gfx_set_mode(800, 600, 32, 1), DISP_CHANGE_SUCCESSFUL);
    EXPECT_GE(platform_ticks_ms() - before, 200u);
}

TEST_F(DisplayTest, SettleWaitSurvivesTheClockWrapping) {
    headless_set_ticks(0xFFFFFFFFu - 50);
    gfx_test_mode(800, 600, 32);
    EXPECT_EQ(platform_ticks_ms(), 149u);
}

TEST_F(DisplayTest, DepthOfTheDesktop) {
    EXPECT_EQ(gfx_color_depth(), 32);
}

TEST_F(DisplayTest, WindowContextIsAlsoTheTextContext) {
    gfx_set_window_dc(GFX_WINDOW_DC);
    EXPECT_EQ(gfx.text_dc, GFX_WINDOW_DC);
    gfx_set_text_dc(gfx_memory_dc());
    EXPECT_EQ(gfx.text_dc, GFX_MEMORY_DC);
}

using WaitTest = GfxTest;

TEST_F(WaitTest, WaitsWholeTicksOfFiftyFiveMs) {
    const uint32_t counts[] = {0, 1, 10, 1000};
    for (uint32_t n : counts) {
        uint32_t before = platform_ticks_ms();
        EXPECT_EQ(gfx_wait_ticks(n), 0);
        EXPECT_GE(platform_ticks_ms() - before, n * 55) << n;
        EXPECT_LT(platform_ticks_ms() - before, n * 55 + 55) << n;
    }
}

TEST_F(WaitTest, WaitAcrossTheClockWrap) {
    headless_set_ticks(0xFFFFFFF0u);
    gfx_wait_ticks(10);
    EXPECT_EQ(platform_ticks_ms(), 0xFFFFFFF0u + 550u);
}

TEST_F(WaitTest, EventsQueuedDuringTheWaitStayQueued) {
    headless_push_click(10, 10);
    headless_push_key(27);
    gfx_wait_ticks(10);
    EXPECT_EQ(headless_pending_events(), 2u);
}

}  // namespace
