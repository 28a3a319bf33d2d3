// Watching a recording: the same frames at the session's own pace, no saved file
// touched, and the window's Esc or F12 stops it.
#include "shell/watch.h"

#include <gtest/gtest.h>

#include <functional>

#include "gfx/gfx.h"
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

// Watching with the controls: the frame after a jump or a step, forwards or
// backwards, is the frame playing straight there reaches.
TEST_F(Watching, JumpsAndStepsShowTheFramesOfPlayingStraightThere) {
    std::string saves = dir.file("watched");
    fs::create_directories(saves);
    const char* folder = saves.c_str();
    platform_set_save_folders(&folder, 1);
    headless_reset();
    ASSERT_TRUE(watch_open_file(path.c_str())) << watch_state().problem;
    ASSERT_TRUE(watch_begin()) << (headless_messages().empty() ? "" : headless_messages().back())
                               << platform_tape_error();
    // Straight through, as fast as the headless clock goes.
    watch_set_speed(WATCH_SPEED_MAX);
    std::vector<uint64_t> straight = {frame_hash(headless_last_frame())};
    std::vector<int64_t> at_ms = {0};
    while (!watch_state().ended && watch_turn()) {
        if (watch_frame() < static_cast<int64_t>(straight.size())) continue;
        ASSERT_EQ(watch_frame(), static_cast<int64_t>(straight.size()));
        straight.push_back(frame_hash(headless_last_frame()));
        at_ms.push_back(watch_state().position_ms);
    }
    int64_t last = static_cast<int64_t>(straight.size()) - 1;
    ASSERT_GT(last, 200);
    EXPECT_EQ(straight.back(), live.back());
    // Then jumps by time, each to the first frame at or after it.
    int64_t length = at_ms.back();
    for (int64_t ms : {length / 2, length / 5, length - 1, 3 * length / 4, int64_t{0}, length / 3,
                       int64_t{17}, length}) {
        SCOPED_TRACE(ms);
        watch_seek(ms);
        watch_turn();
        int64_t want = std::lower_bound(at_ms.begin(), at_ms.end(), ms) - at_ms.begin();
        ASSERT_EQ(watch_frame(), want);
        EXPECT_EQ(frame_hash(headless_last_frame()), straight[want]);
    }
    // And frame steps, forwards and back, from the middle.
    watch_command(WATCH_PERCENT, 50);
    watch_turn();
    for (int32_t step : {1, 1, -1, -1, -1, 1, -1}) {
        int64_t want = watch_frame() + step;
        watch_command(WATCH_FRAME, step);
        watch_turn();
        ASSERT_EQ(watch_frame(), want);
        EXPECT_EQ(frame_hash(headless_last_frame()), straight[want]);
        EXPECT_FALSE(watch_state().playing);
    }
    watch_command(WATCH_END, 0);
    watch_turn();
    EXPECT_EQ(watch_frame(), last);
    EXPECT_EQ(frame_hash(headless_last_frame()), straight[last]);
    watch_command(WATCH_LEAVE, 0);
    EXPECT_FALSE(watch_turn());
    watch_end();
    EXPECT_TRUE(fs::is_empty(dir.file("watched")));
}

}  // namespace
