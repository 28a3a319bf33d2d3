// Watching a recording: the same frames at the session's own pace, no saved file
// touched, and the window's Esc or F12 stops it.
#include <gtest/gtest.h>

#include <functional>

#include "platform/common/tape/tape.h"
#include "recording/recording_support.h"
#include "support/game_dir.h"

namespace {

namespace fs = std::filesystem;

class Watching : public ::testing::Test {
  protected:
    void SetUp() override { live = record_random_session(21, 120, path, dir.file("live")); }

    // Plays the recording as --watch does; `input(turn)` may queue the window's
    // own input after each turn. Returns the frames shown.
    std::vector<uint64_t> watch(const std::function<void(int32_t)>& input) {
        std::string saves = dir.file("watched");
        fs::create_directories(saves);
        const char* folder = saves.c_str();
        platform_set_save_folders(&folder, 1);
        reset_program_state();
        headless_reset();
        std::vector<uint64_t> frames;
        headless_on_present(collect_frame, &frames);
        char header[256];
        EXPECT_TRUE(platform_play_recording(path.c_str(), true, header, sizeof header));
        if (start_program()) {
            for (int32_t turn = 1; main_loop_turn(); ++turn) {
                input(turn);
            }
        }
        headless_on_present(nullptr, nullptr);
        return frames;
    }

    GameDir dir;
    std::string path = dir.file("session.rec");
    std::vector<uint64_t> live;
};

TEST_F(Watching, ShowsTheSameFramesAtTheSessionsPaceAndSavesNothing) {
    std::vector<uint64_t> shown = watch([](int32_t) {});
    uint32_t session = tape_session_ms();
    EXPECT_TRUE(platform_playback_finished()) << platform_tape_error();
    EXPECT_EQ(shown, live);
    // The machine's clock (the headless one here) went on as far as the session.
    EXPECT_GE(platform_ticks_ms() + 300, session);
    EXPECT_TRUE(fs::is_empty(dir.file("watched")));
}

TEST_F(Watching, EscOrF12InTheWindowStopsIt) {
    for (int32_t key : {27, 123}) {
        SCOPED_TRACE(key);
        std::vector<uint64_t> shown = watch([key](int32_t turn) {
            if (turn == 40) headless_push_key(key);
        });
        EXPECT_TRUE(platform_playback_finished()) << platform_tape_error();
        ASSERT_LT(shown.size(), live.size());
        ASSERT_GT(shown.size(), 2u);
        // Up to the stop (the closing game may draw once more), the session's own.
        EXPECT_TRUE(std::equal(shown.begin(), shown.end() - 1, live.begin()));
        EXPECT_TRUE(fs::is_empty(dir.file("watched")));
    }
}

TEST_F(Watching, OtherInputInTheWindowIsIgnored) {
    std::vector<uint64_t> shown = watch([](int32_t turn) {
        if (turn % 7 == 0) headless_push_click(100, 317);
        if (turn % 11 == 0) headless_push_key('P');
        if (turn % 13 == 0) headless_push_event({PEV_FOCUS_LOST, 0, 0, 0});
    });
    EXPECT_TRUE(platform_playback_finished()) << platform_tape_error();
    EXPECT_EQ(shown, live);
}

}  // namespace
