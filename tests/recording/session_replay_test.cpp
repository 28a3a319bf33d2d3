// A recorded session played back makes the same game: every frame and every
// saved file; its script form does too; a recording that was cut short plays up
// to the cut and says so.
#include <gtest/gtest.h>

#include <cinttypes>

#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_file.h"
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
    int32_t result = replay_run(script.c_str(), &printed, dir.text().c_str());
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
    EXPECT_EQ(replay_run(part.c_str(), &printed, dir.text().c_str()), 0) << printed;
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
    EXPECT_EQ(replay_run(script.c_str(), &printed, dir.text().c_str()), 1);
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

// Refused up front, naming the file and both sides; --to-script still prints any
// header of a version and data, an older format's too.
TEST_F(RecordedSession, OtherVersionsBuildsAndDataAreRefusedByName) {
    char here[256];
    recording_header(here, sizeof here);
    const std::string build_line = std::string("build ") + BUILD_ID + "\n";
    char data[32];
    std::snprintf(data, sizeof data, "%016" PRIx64, data_checksum());
    auto changed = [&](const std::string& was, const std::string& now) {
        std::string header = here;
        return header.replace(header.find(was), was.size(), now);
    };
    struct Case {
        std::string header;
        uint8_t format;
        std::string message;
        bool printable;
    };
    const Case cases[] = {
        {changed(std::string(" ") + PROGRAM_VERSION + "\n", " 0.9.0\n"), TAPE_FORMAT,
         "was recorded by Cairnfall 0.9.0; this is Cairnfall", true},
        {changed(BUILD_ID, "0123456789abcdef"), TAPE_FORMAT,
         std::string("was recorded by build 0123456789abcdef; this is build ") + BUILD_ID, true},
        {changed(build_line, ""), TAPE_FORMAT, "names no build", true},
        {changed(build_line, ""), 1, "a recording of format 1 (an older game's)", true},
        {changed(data, "0123456789abcdef"), TAPE_FORMAT,
         "was recorded with other data files (data 0123456789abcdef", true},
        {"some other text\n", TAPE_FORMAT, "its header does not name the game's version and data",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        ASSERT_TRUE(platform_record_to(recording.c_str(), c.header.c_str()));
        platform_record_stop();
        std::string bytes = file_bytes(recording);
        bytes[8] = static_cast<char>(c.format);
        write_bytes(recording, bytes);
        EXPECT_EQ(replay(nullptr, recording), 1);
        EXPECT_NE(output.find(c.message), std::string::npos) << output;
        EXPECT_EQ(output.find(recording), 0u) << output;
        std::string script, why;
        EXPECT_EQ(recording_to_script(recording.c_str(), &script, &why), c.printable ? 0 : 1);
        if (c.printable) {
            EXPECT_NE(script.find("\nrecording "), std::string::npos) << script;
        }
    }
}

}  // namespace
