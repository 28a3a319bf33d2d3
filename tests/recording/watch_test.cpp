// Watching a recording: the same frames at the session's own pace, no saved file
// touched, and the window's Esc or F12 stops it.
#include "shell/watch.h"

#include <gtest/gtest.h>

#include <functional>

#include "gfx/gfx.h"
#include "platform/common/tape/tape.h"
#include "recording/recording_support.h"
#include "shell/recording_link.h"
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

// Input that cannot be watched changes nothing and says why in one sentence; a
// cut recording plays up to the cut and then says where it stopped.
TEST_F(Watching, BadInputExplainsItselfInOneSentence) {
    std::string whole = file_bytes(path);
    std::string other_version = dir.file("other.rec");
    platform_record_to(other_version.c_str(), "game cairnfall 0.9.1\nbuild 1234\ndata 0\n");
    platform_record_stop();
    std::string link = recording_link_text(reinterpret_cast<const uint8_t*>(whole.data()), 64);
    struct Case {
        const char* what;
        std::string bytes;  // the file's, or the link's text
        bool is_link;
        const char* said;
    } cases[] = {
        {"another version", file_bytes(other_version), false,
         "was recorded by Cairnfall 0.9.1; this is Cairnfall 1.0.0."},
        {"no recording", "GIF89a and so on", false, "not a Cairnfall recording."},
        {"a link that is no base64", "%%not*base64", true, "The link holds no recording"},
        {"a link to something else", "aGVsbG8gd29ybGQ", true, "not a Cairnfall recording."},
        {"a link cut inside the header", link, true, "not a Cairnfall recording"},
        {"too large", std::string(WATCH_FILE_MAX + 1, 'x'), false, "too large to watch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        bool opened = c.is_link ? watch_open_link(c.bytes.c_str())
                                : watch_open(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                             c.bytes.size(), "x.rec");
        EXPECT_FALSE(opened);
        EXPECT_FALSE(watch_state().watching);
        std::string problem = watch_state().problem;
        EXPECT_NE(problem.find(c.said), std::string::npos) << problem;
        EXPECT_EQ(problem.find('\n'), std::string::npos) << problem;
        EXPECT_EQ(problem.back(), '.') << problem;
    }
    // Cut in its middle: it plays to the cut, stays on the frame before it and
    // says where it stopped.
    std::string cut = whole.substr(0, whole.size() * 2 / 3);
    headless_reset();
    ASSERT_TRUE(watch_open(reinterpret_cast<const uint8_t*>(cut.data()), cut.size(), "cut.rec"));
    ASSERT_TRUE(watch_begin());
    watch_command(WATCH_END, 0);
    watch_turn();
    WatchState s = watch_state();
    EXPECT_TRUE(s.ended);
    EXPECT_GT(s.position_ms, 1000);
    std::string problem = s.problem;
    EXPECT_NE(problem.find("cut.rec: cut short at byte"), std::string::npos) << problem;
    EXPECT_NE(problem.find("played up to there"), std::string::npos) << problem;
    watch_leave();
    watch_turn();
    watch_end();
}

// The window's keys drive the controls (the desktop's --watch): each event, as
// the platform delivers it, and what it does.
TEST_F(Watching, TheWindowsKeysDriveTheControls) {
    headless_reset();
    ASSERT_TRUE(watch_open_file(path.c_str()));
    ASSERT_TRUE(watch_begin());
    for (int32_t i = 0; i < 50; ++i) watch_turn();
    int64_t length = watch_state().duration_ms;
    struct Case {
        PlatformEvent event;
        bool (*holds)(const WatchState& s, int64_t length);
    } cases[] = {
        {{PEV_KEY_DOWN, KEY_SPACE, ' ', 0},
         [](const WatchState& s, int64_t) { return !s.playing; }},
        {{PEV_KEY_DOWN, '5', '5', 0},
         [](const WatchState& s, int64_t l) {
             return s.position_ms >= l / 2 && s.position_ms < l / 2 + 100 && !s.playing;
         }},
        {{PEV_KEY_DOWN, 190, 0, 0},
         [](const WatchState& s, int64_t l) { return s.position_ms > l / 2; }},
        {{PEV_KEY_DOWN, 39, 0, 0},
         [](const WatchState& s, int64_t l) { return s.position_ms >= l / 2 + 5000; }},
        {{PEV_KEY_DOWN, 37, 0, 0},
         [](const WatchState& s, int64_t l) { return s.position_ms < l / 2 + 100; }},
        {{PEV_KEY_DOWN, 190, '>', 0}, [](const WatchState& s, int64_t) { return s.speed == 2; }},
        {{PEV_KEY_DOWN, 188, '<', 0}, [](const WatchState& s, int64_t) { return s.speed == 1; }},
        {{PEV_KEY_DOWN, 226, '<', 0}, [](const WatchState& s, int64_t) { return s.speed == 0.5; }},
        {{PEV_KEY_DOWN, 35, 0, 0}, [](const WatchState& s, int64_t) { return s.ended; }},
        {{PEV_KEY_DOWN, 36, 0, 0},
         [](const WatchState& s, int64_t) { return s.position_ms == 0 && !s.ended; }},
        {{PEV_KEY_DOWN, 'P', 'p', 0},
         [](const WatchState& s, int64_t) { return s.position_ms == 0; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.event.key << " " << c.event.x);
        headless_push_event(c.event);
        watch_turn();
        watch_turn();
        EXPECT_TRUE(c.holds(watch_state(), length)) << watch_state_json();
    }
    headless_push_event({PEV_KEY_DOWN, KEY_ESCAPE, 0, 0});
    EXPECT_FALSE(watch_turn() && watch_turn());
    watch_end();
    EXPECT_FALSE(watch_state().watching);
}

// Links: written as base64url without padding, read with padding and with + and / too.
TEST(RecordingLink, ReadsEveryCommonFormOfBase64) {
    const uint8_t bytes[] = {0xfb, 0xff, 0x00, 0x3e, 0x3f};
    EXPECT_EQ(recording_link_text(bytes, sizeof bytes), "-_8APj8");
    for (const char* text : {"-_8APj8", "+/8APj8=", "-_8APj8="}) {
        std::vector<uint8_t> read;
        ASSERT_TRUE(recording_link_bytes(text, &read)) << text;
        EXPECT_EQ(read, std::vector<uint8_t>(bytes, bytes + sizeof bytes)) << text;
    }
    std::vector<uint8_t> read;
    for (const char* text : {"", "abc!", "ab=c", "a"})
        EXPECT_FALSE(recording_link_bytes(text, &read)) << text;
}

}  // namespace
