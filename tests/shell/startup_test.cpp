// Start-up and shutdown: the display refusal, the catalogue, and a full start on
// the headless backend.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "gfx/gfx.h"
#include "platform/headless/headless.h"
#include "runtime/catalogue.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "sound/sound.h"
#include "support/game_dir.h"

namespace {

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override { headless_reset(); }
    void TearDown() override { destroy_main_window(); }
    GameDir dir;
};

TEST_F(StartupTest, SmallDesktopShowsOnlyTheFirstMessageAndSetsNothingUp) {
    headless_set_desktop(640, 480);
    EXPECT_FALSE(start_program());
    ASSERT_EQ(headless_messages().size(), 1u);
    EXPECT_EQ(headless_messages()[0], "Error: Cannot set 800x600 desktop");
    EXPECT_EQ(main_window, 0);
    EXPECT_EQ(screen_handlers.on_tick, nullptr) << "no screen was entered";
    EXPECT_FALSE(headless_window_open());
    EXPECT_FALSE(sound_device) << "sound is set up only after the display checks";
    EXPECT_EQ(run_main_loop(), 0) << "the loop ends without a tick";
    destroy_main_window();  // a second shutdown of a partly built program is harmless
}

TEST_F(StartupTest, FullStartEntersTheIntroWithEverythingLoaded) {
    ASSERT_TRUE(start_program());
    EXPECT_TRUE(headless_messages().empty());
    EXPECT_NE(screen_handlers.on_tick, nullptr);
    EXPECT_EQ(gfx.active, active_buffer);
    EXPECT_NE(backdrop_buffer, active_buffer);
    EXPECT_NE(game_cursor, 0);
    EXPECT_FALSE(headless_cursor_visible()) << "the intro hides the cursor";
    EXPECT_EQ(line_height > 0, true);
    destroy_main_window();
    EXPECT_EQ(gfx.active, -1);
    EXPECT_FALSE(sound_device);
    EXPECT_FALSE(headless_window_open());
}

TEST_F(StartupTest, CatalogueNamesEveryFileOnceInLoadingOrder) {
    ASSERT_EQ(catalogue_size(), 11 + 31 + 5 + 6);
    EXPECT_STREQ(catalogue_entry(0).file, "data/board_");
    EXPECT_STREQ(catalogue_entry(8).file, "data/splash1_") << "the splash series starts at 1";
    EXPECT_STREQ(catalogue_entry(10).file, "data/splash3_");
    EXPECT_STREQ(catalogue_entry(11).file, "data/stone0_");
    EXPECT_STREQ(catalogue_entry(41).file, "data/stone30_");
    EXPECT_STREQ(catalogue_entry(catalogue_size() - 1).file, "data/button5_");
    std::set<std::string> files;
    for (int32_t i = 0; i < catalogue_size(); ++i) files.insert(catalogue_entry(i).file);
    EXPECT_EQ(files.size(), static_cast<size_t>(catalogue_size()));
}

TEST(RemapColourKey, KeyBecomesTransparentAndZeroBecomesOutline) {
    struct Case {
        uint8_t before, after;
    };
    const Case cases[] = {{195, 0}, {0, 68}, {68, 68}, {7, 7}, {255, 255}};
    uint8_t pixels[5];
    for (size_t i = 0; i < 5; ++i) pixels[i] = cases[i].before;
    remap_colour_key(pixels, 5, 1, COLOUR_KEY, COLOUR_KEY_OUTLINE);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(pixels[i], cases[i].after) << i;

    uint8_t untouched[2] = {195, 0};
    remap_colour_key(untouched, 0, 5, COLOUR_KEY, COLOUR_KEY_OUTLINE);
    remap_colour_key(untouched, 2, -1, COLOUR_KEY, COLOUR_KEY_OUTLINE);
    EXPECT_EQ(untouched[0], 195);
    EXPECT_EQ(untouched[1], 0);
}

}  // namespace
