// The two saved files: their exact bytes, short and missing files, out-of-range
// levels, and writes that fail.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "screen_fixture.h"

namespace {

class SavedFiles : public ::testing::Test {
  protected:
    void SetUp() override { reset_screen_state(); }
    std::vector<uint8_t> bytes(const char* name) const { return read_file(dir.file(name)); }
    // The names in the folder besides the linked data/.
    std::vector<std::string> folder() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            std::string name = e.path().filename().string();
            if (name != "data") names.push_back(name);
        }
        return names;
    }
    GameDir dir;
};

TEST_F(SavedFiles, HighScoreFileHoldsTheTableBytesExactly) {
    insert_high_score("ZOE", 1234567);
    insert_high_score("AL", -1);  // does not enter a table of zeros
    insert_high_score("MAX", 70000);
    save_high_scores();
    std::vector<uint8_t> expected(160, 0);
    std::memcpy(expected.data(), "ZOE", 3);
    expected[12] = 0x87, expected[13] = 0xD6, expected[14] = 0x12;  // 1234567
    std::memcpy(expected.data() + 16, "MAX", 3);
    expected[28] = 0x70, expected[29] = 0x11, expected[30] = 0x01;  // 70000
    EXPECT_EQ(bytes("cairnfall.dat"), expected);
    EXPECT_EQ(folder(), std::vector<std::string>{"cairnfall.dat"}) << "no temporary file is left";

    std::memset(high_scores, 0, sizeof high_scores);
    load_high_scores();
    EXPECT_STREQ(high_scores[0].name, "ZOE");
    EXPECT_EQ(high_scores[0].score, 1234567);
    EXPECT_EQ(high_scores[1].score, 70000);
}

TEST_F(SavedFiles, MissingOrShortHighScoreFileKeepsTheRest) {
    high_scores[3].score = 77;
    load_high_scores();
    EXPECT_EQ(high_scores[3].score, 77) << "no file: nothing changes";

    std::vector<uint8_t> short_file(18, 0);
    std::memcpy(short_file.data(), "KIM", 3);
    short_file[12] = 9;
    short_file[16] = 'Q';
    short_file[17] = 'R';
    write_file(dir.file("cairnfall.dat"), short_file);
    std::memset(high_scores, 0, sizeof high_scores);
    high_scores[1].score = 55;
    std::memcpy(high_scores[1].name, "ABCDE", 6);
    load_high_scores();
    EXPECT_STREQ(high_scores[0].name, "KIM");
    EXPECT_EQ(high_scores[0].score, 9);
    EXPECT_STREQ(high_scores[1].name, "QRCDE") << "only the two covered bytes change";
    EXPECT_EQ(high_scores[1].score, 55);
}

TEST_F(SavedFiles, LongerHighScoreFileIsReadOnlyFor160Bytes) {
    std::vector<uint8_t> long_file(400, 0x22);
    write_file(dir.file("cairnfall.dat"), long_file);
    load_high_scores();
    EXPECT_EQ(high_scores[9].score, 0x22222222);
}

TEST_F(SavedFiles, ProfileFileHoldsTheRecordLittleEndianAndMarksItSaved) {
    profile = Profile{2, 0, 3, 0};
    save_profile();
    EXPECT_EQ(profile.profile_saved, 1);
    const std::vector<uint8_t> expected = {2, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(bytes("profile.dat"), expected);
    EXPECT_EQ(folder(), std::vector<std::string>{"profile.dat"});

    profile = Profile{1, 3, 1, 0};
    load_profile();
    EXPECT_EQ(profile.music_level, 2);
    EXPECT_EQ(profile.effects_level, 0);
    EXPECT_EQ(profile.difficulty, 3);
    EXPECT_EQ(profile.profile_saved, 1);
}

TEST_F(SavedFiles, ProfileReadKeepsStartValuesWhereTheFileEnds) {
    struct Case {
        std::vector<uint8_t> file;
        Profile expected;
    };
    const Case cases[] = {
        {{}, {1, 3, 1, 0}},
        {{0}, {0, 3, 1, 0}},
        {{2, 0, 0, 0, 0}, {2, 0, 1, 0}},
        {{3, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0}, {3, 2, 2, 0}},
        {{3, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1}, {3, 2, 2, 1}},
        {{0, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 9, 9, 9}, {0, 1, 3, 1}},
    };
    for (const Case& c : cases) {
        write_file(dir.file("profile.dat"), c.file);
        profile = Profile{1, 3, 1, 0};
        load_profile();
        EXPECT_EQ(profile.music_level, c.expected.music_level) << c.file.size();
        EXPECT_EQ(profile.effects_level, c.expected.effects_level) << c.file.size();
        EXPECT_EQ(profile.difficulty, c.expected.difficulty) << c.file.size();
        EXPECT_EQ(profile.profile_saved, c.expected.profile_saved) << c.file.size();
    }
}

TEST_F(SavedFiles, MissingProfileKeepsTheFirstRunValues) {
    load_profile();
    EXPECT_EQ(profile.music_level, 1);
    EXPECT_EQ(profile.effects_level, 3);
    EXPECT_EQ(profile.difficulty, 1);
    EXPECT_EQ(profile.profile_saved, 0);
}

TEST_F(SavedFiles, VolumeLevelsOutsideTheScaleAreBroughtIntoIt) {
    struct Case {
        int32_t music, effects, music_read, effects_read;
    };
    const Case cases[] = {{4, -1, 3, 0},
                          {-2147483647 - 1, 2147483647, 0, 3},
                          {255, 256, 3, 3},
                          {0, 3, 0, 3},
                          {-7, 1, 0, 1}};
    for (const Case& c : cases) {
        Profile stored = {c.music, c.effects, 7, 5};
        uint8_t record[16];
        profile = stored;
        profile_to_bytes(record);
        profile = Profile{1, 3, 1, 0};
        profile_from_bytes(record, 16);
        EXPECT_EQ(profile.music_level, c.music_read) << c.music;
        EXPECT_EQ(profile.effects_level, c.effects_read) << c.effects;
        EXPECT_EQ(profile.difficulty, 7) << "the difficulty is corrected on the options screen";
        EXPECT_EQ(profile.profile_saved, 5);
    }
}

// A write that cannot complete (here the file's name is taken by a folder) keeps
// what was there, leaves no stray file and is reported: the profile does not count
// as saved, so the next run still offers the first-run choice.
TEST_F(SavedFiles, FailedWritesLeaveTheFolderAsItWas) {
    std::filesystem::create_directory(dir.file("profile.dat"));
    std::filesystem::create_directory(dir.file("cairnfall.dat"));
    EXPECT_FALSE(save_profile());
    EXPECT_EQ(profile.profile_saved, 0);
    insert_high_score("X", 5);
    EXPECT_FALSE(save_high_scores());
    EXPECT_TRUE(scores_save_failed);
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("profile.dat")));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("cairnfall.dat")));
    EXPECT_EQ(folder().size(), 2u) << "no temporary file is left";
    load_profile();  // a folder reads as nothing
    load_high_scores();
    EXPECT_EQ(high_scores[0].score, 5);
}

// Saving over an old file replaces it whole.
TEST_F(SavedFiles, SavingReplacesAnOlderLongerFile) {
    write_file(dir.file("profile.dat"), std::vector<uint8_t>(100, 0xAA));
    save_profile();
    EXPECT_EQ(bytes("profile.dat").size(), 16u);
    write_file(dir.file("cairnfall.dat"), std::vector<uint8_t>(300, 0xAA));
    save_high_scores();
    EXPECT_EQ(bytes("cairnfall.dat"), std::vector<uint8_t>(160, 0));
}

}  // namespace
