// A recorded session played back makes the same game: every frame and every
// saved file; its script form does too; a recording that was cut short plays up
// to the cut and says so.
#include <gtest/gtest.h>

#include "platform/tape/tape.h"
#include "recording/recording_support.h"
#include "replay/recording.h"
#include "support/game_dir.h"

namespace {

namespace fs = std::filesystem;

class RecordedSession : public ::testing::Test {
  protected:
    std::vector<uint64_t> record(uint32_t seed, int32_t inputs) {
        return record_random_session(seed, inputs, recording, dir.file("live"));
    }
    int32_t replay(std::vector<uint64_t>* frames, const std::string& path) {
        RecordingOptions options;
        options.out_dir = dir.file("replayed");
        options.frame_hashes = frames;
        output.clear();
        return replay_recording(path.c_str(), options, &output);
    }
    GameDir dir;
    std::string recording = dir.file("session.rec");
    std::string output;
};

TEST_F(RecordedSession, PlaysBackFrameForFrameWithTheSameSavedFiles) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        fs::remove_all(dir.file("live"));
        fs::remove_all(dir.file("replayed"));
        std::vector<uint64_t> live = record(seed, 250);
        ASSERT_GT(live.size(), 100u);
        std::vector<uint64_t> replayed;
        ASSERT_EQ(replay(&replayed, recording), 0) << output;
        EXPECT_EQ(replayed, live);
        EXPECT_NE(output.find("made again to the end"), std::string::npos) << output;
        int32_t saved = 0;
        for (const char* name : {"cairnfall.dat", "profile.dat"}) {
            fs::path was = fs::path(dir.file("live")) / name;
            if (!fs::exists(was)) continue;
            ++saved;
            EXPECT_EQ(file_bytes((fs::path(dir.file("replayed")) / name).string()),
                      file_bytes(was.string()))
                << name;
        }
        EXPECT_GT(saved, 0) << "the session saved nothing to compare";
    }
}

TEST_F(RecordedSession, ItsScriptFormPlaysTheSameFrames) {
    std::vector<uint64_t> live = record(7, 150);
    std::string script, why;
    ASSERT_EQ(recording_to_script(recording.c_str(), &script, &why), 0) << why;
    std::vector<uint64_t> scripted;
    headless_on_present(collect_frame, &scripted);
    std::string printed;
    int32_t result = replay_run(script.c_str(), &printed, dir.path().c_str());
    headless_on_present(nullptr, nullptr);
    ASSERT_EQ(result, 0) << printed;
    EXPECT_EQ(scripted, live);
}

TEST_F(RecordedSession, AScriptCutAfterSomeLinesEndsOnItsOwn) {
    record(8, 60);
    std::string script, why;
    ASSERT_EQ(recording_to_script(recording.c_str(), &script, &why), 0) << why;
    // The first lines up to the third after `start`, then a check of the screen.
    size_t at = script.find("\nstart\n");
    ASSERT_NE(at, std::string::npos);
    for (int32_t i = 0; i < 4; ++i) at = script.find('\n', at + 1);
    std::string part = script.substr(0, at + 1) + "expect window 1\n";
    std::string printed;
    EXPECT_EQ(replay_run(part.c_str(), &printed, dir.path().c_str()), 0) << printed;
}

TEST_F(RecordedSession, AMissingRecordIsNamedWhereTheGameGoesItsOwnWay) {
    record(9, 60);
    std::string script, why;
    ASSERT_EQ(recording_to_script(recording.c_str(), &script, &why), 0) << why;
    // The first timed-out wait after start-up becomes an empty event check.
    size_t start = script.find("\nstart\n");
    size_t wait = script.find(" ~ ", start);
    ASSERT_NE(wait, std::string::npos);
    script[wait + 1] = '.';
    std::string printed;
    EXPECT_EQ(replay_run(script.c_str(), &printed, dir.path().c_str()), 1);
    EXPECT_NE(printed.find("went its own way"), std::string::npos) << printed;
}

TEST_F(RecordedSession, ACutShortRecordingPlaysUpToTheCutAndFails) {
    std::vector<uint64_t> live = record(5, 200);
    std::string bytes = file_bytes(recording);
    std::string cut = dir.file("cut.rec");
    write_bytes(cut, bytes.substr(0, bytes.size() / 2));
    std::vector<uint64_t> replayed;
    EXPECT_EQ(replay(&replayed, cut), 1);
    EXPECT_NE(output.find("cut.rec: cut short at byte"), std::string::npos) << output;
    EXPECT_NE(output.find("played up to there"), std::string::npos) << output;
    // Every frame up to the cut is the session's own.
    ASSERT_GT(replayed.size(), 10u);
    ASSERT_LE(replayed.size(), live.size());
    size_t same = 0;
    while (same < replayed.size() && replayed[same] == live[same]) ++same;
    EXPECT_GE(same + 2, replayed.size()) << "frames part before the cut";
}

TEST_F(RecordedSession, OtherVersionsAndDataAreRefusedByName) {
    struct Case {
        const char* header;
        const char* message;
    };
    const Case cases[] = {
        {"game cairnfall 0.9.0\ndata 0123456789abcdef\n",
         "was recorded by Cairnfall 0.9.0; this is Cairnfall"},
        {"game cairnfall 1.0.0\ndata 0123456789abcdef\n",
         "was recorded with other data files (data 0123456789abcdef"},
        {"some other text\n", "its header does not name the game's version and data"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        std::string header = c.header;
        if (header.find("1.0.0") != std::string::npos) {
            header.replace(header.find("1.0.0"), 5, PROGRAM_VERSION);
        }
        ASSERT_TRUE(platform_record_to(recording.c_str(), header.c_str()));
        platform_record_stop();
        EXPECT_EQ(replay(nullptr, recording), 1);
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
        EXPECT_EQ(output.find(recording), 0u) << output;
    }
}

}  // namespace
