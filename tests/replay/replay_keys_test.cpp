// The replay tool's keys by name and its focus events: what each line queues, and
// the lines it refuses.
#include <gtest/gtest.h>

#include <string>

#include "platform/headless/headless.h"
#include "replay/replay.h"
#include "support/game_dir.h"

namespace {

// Runs "start" and one line, then takes the one event the line queued; the
// program ends with the script before the event is handled.
bool queued_by(const std::string& line, PlatformEvent* event) {
    std::string output;
    std::string script = "start\n" + line + "\n";
    if (replay_run(script.c_str(), &output) != 0) {
        ADD_FAILURE() << output;
        return false;
    }
    bool got = platform_poll_event(event);
    PlatformEvent extra;
    EXPECT_FALSE(platform_poll_event(&extra)) << "one event only";
    return got;
}

TEST(ReplayKeys, NamesQueueTheirVirtualKeyCodes) {
    GameDir dir;
    struct Case {
        const char* line;
        int32_t code;
    };
    const Case cases[] = {
        {"key esc", 27},      {"key f12", 123}, {"key left", 37},  {"key up", 38},
        {"key right", 39},    {"key down", 40}, {"key space", 32}, {"key enter", 13},
        {"key backspace", 8}, {"key a", 'A'},   {"key Z", 'Z'},    {"key 0", '0'},
        {"key 5", '5'},       {"key 9", '9'},   {"key 0x08", 8},   {"key 123", 123},
        {"key 80", 'P'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PlatformEvent event{};
        ASSERT_TRUE(queued_by(c.line, &event));
        EXPECT_EQ(event.type, PEV_KEY_DOWN);
        EXPECT_EQ(event.key, c.code);
    }
}

TEST(ReplayKeys, FocusLinesQueueTheWindowsFocusEvents) {
    GameDir dir;
    struct Case {
        const char* line;
        int32_t type;
    };
    const Case cases[] = {{"blur", PEV_FOCUS_LOST},
                          {"focus lost", PEV_FOCUS_LOST},
                          {"focus gained", PEV_FOCUS_GAINED}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        PlatformEvent event{};
        ASSERT_TRUE(queued_by(c.line, &event));
        EXPECT_EQ(event.type, c.type);
    }
}

TEST(ReplayKeys, WrongLinesFailTheRun) {
    GameDir dir;
    for (const char* line : {"key", "key leftt", "key ab", "key -", "key a b", "focus",
                             "focus away", "focus lost now", "blur now"}) {
        SCOPED_TRACE(line);
        std::string output;
        std::string script = std::string("start\n") + line + "\n";
        EXPECT_EQ(replay_run(script.c_str(), &output), 1);
        EXPECT_NE(output.find("FAILED line 2"), std::string::npos) << output;
    }
}

}  // namespace
