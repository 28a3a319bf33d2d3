// The high score table: where a new score goes, the 160 bytes of its file, and
// names that fill their whole field.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

#include "screens/screens.h"

namespace {

void fill_table(const int32_t (&scores)[HIGH_SCORE_ENTRIES]) {
    std::memset(high_scores, 0, sizeof high_scores);
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
        std::snprintf(high_scores[i].name, sizeof high_scores[i].name, "P%d", i);
        high_scores[i].score = scores[i];
    }
}

std::string name_at(int32_t i) {
    return std::string(high_scores[i].name, name_field_length(high_scores[i].name));
}

TEST(HighScoreTable, NewScoreGoesBelowEqualScoresAndPushesTheLastOut) {
    struct Case {
        int32_t score;
        int32_t place;  // -1: does not enter
    };
    // 900 800 800 700 ... with the two 800s at places 1 and 2.
    const int32_t scores[HIGH_SCORE_ENTRIES] = {900, 800, 800, 700, 600, 500, 400, 300, 200, 100};
    const Case cases[] = {
        {901, 0}, {900, 1}, {850, 1}, {800, 3}, {799, 3}, {101, 9}, {100, -1}, {99, -1}, {-5, -1},
    };
    for (const Case& c : cases) {
        fill_table(scores);
        EXPECT_EQ(score_beats_table(c.score), c.place >= 0) << c.score;
        insert_high_score("NEW", c.score);
        if (c.place < 0) {
            for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
                EXPECT_EQ(high_scores[i].score, scores[i]) << c.score;
                EXPECT_EQ(name_at(i), "P" + std::to_string(i)) << c.score;
            }
            continue;
        }
        EXPECT_EQ(name_at(c.place), "NEW") << c.score;
        EXPECT_EQ(high_scores[c.place].score, c.score);
        for (int32_t i = 0; i < c.place; i++) EXPECT_EQ(name_at(i), "P" + std::to_string(i));
        for (int32_t i = c.place + 1; i < HIGH_SCORE_ENTRIES; i++) {
            EXPECT_EQ(name_at(i), "P" + std::to_string(i - 1)) << c.score;
            EXPECT_EQ(high_scores[i].score, scores[i - 1]);
        }
    }
}

TEST(HighScoreTable, TableOfEqualScoresTakesOnlyAHigherOne) {
    const int32_t scores[HIGH_SCORE_ENTRIES] = {50, 50, 50, 50, 50, 50, 50, 50, 50, 50};
    fill_table(scores);
    EXPECT_FALSE(score_beats_table(50));
    insert_high_score("SAME", 50);
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) EXPECT_EQ(name_at(i), "P" + std::to_string(i));
    insert_high_score("MORE", 51);
    EXPECT_EQ(name_at(0), "MORE");
    EXPECT_EQ(name_at(1), "P0");
    EXPECT_EQ(name_at(9), "P8") << "the old last entry is gone";
}

TEST(HighScoreTable, EmptyTableTakesAnyPositiveScoreButNotZero) {
    std::memset(high_scores, 0, sizeof high_scores);
    EXPECT_FALSE(score_beats_table(0));
    EXPECT_TRUE(score_beats_table(1));
    insert_high_score("", 0);
    EXPECT_EQ(high_scores[0].score, 0);
    insert_high_score("", 10);  // an empty name is stored as it is
    EXPECT_EQ(high_scores[0].score, 10);
    EXPECT_EQ(name_at(0), "");
    insert_high_score("SECOND", 10);
    EXPECT_EQ(name_at(1), "SECOND") << "equal scores keep the order they entered in";
}

TEST(HighScoreTable, NameFillingItsFieldStaysWithinIt) {
    std::memset(high_scores, 0, sizeof high_scores);
    // Twelve name bytes without a terminator, followed in memory by the score.
    std::memcpy(high_scores[0].name, "ABCDEFGHIJKL", 12);
    high_scores[0].score = 0x41414141;  // "AAAA": a copy that ran on would take it
    EXPECT_EQ(name_field_length(high_scores[0].name), 12);
    insert_high_score("TOP", 0x50000000);
    EXPECT_EQ(std::memcmp(high_scores[1].name, "ABCDEFGHIJKL", 12), 0);
    EXPECT_EQ(high_scores[1].score, 0x41414141);
    EXPECT_EQ(high_scores[2].score, 0) << "the copy reached no further";

    char long_name[20] = "MNOPQRSTUVWXYZ";
    insert_high_score(long_name, 0x60000000);
    EXPECT_EQ(std::memcmp(high_scores[0].name, "MNOPQRSTUVWX", 12), 0);
    EXPECT_EQ(high_scores[1].score, 0x50000000);
}

TEST(HighScoreTable, BytesAreTheEntriesLittleEndian) {
    std::memset(high_scores, 0, sizeof high_scores);
    std::memcpy(high_scores[0].name, "ANNA\0xyz", 8);
    high_scores[0].score = 0x01020304;
    high_scores[9].score = -2;
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);
    const uint8_t first[16] = {'A', 'N', 'N', 'A', 0, 'x', 'y', 'z', 0, 0, 0, 0, 4, 3, 2, 1};
    EXPECT_EQ(std::memcmp(bytes, first, 16), 0);
    const uint8_t last_score[4] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::memcmp(bytes + 156, last_score, 4), 0);
}

TEST(HighScoreTable, AnyBytesReadBackExactly) {
    std::mt19937 random(7);
    for (int round = 0; round < 50; round++) {
        uint8_t bytes[HIGH_SCORE_FILE_SIZE];
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        high_scores_from_bytes(bytes, HIGH_SCORE_FILE_SIZE);
        uint8_t again[HIGH_SCORE_FILE_SIZE];
        high_scores_to_bytes(again);
        ASSERT_EQ(std::memcmp(bytes, again, sizeof bytes), 0) << round;
    }
}

TEST(HighScoreTable, ShortInputFillsOnlyWhatItCovers) {
    struct Case {
        int32_t length;
        int32_t covered_scores;  // entries whose score comes whole from the input
        int32_t partial_score;   // value of the next score, 0 if untouched
    };
    // Every input byte is 0x11: a score wholly covered is 0x11111111.
    const Case cases[] = {{0, 0, 0},  {-3, 0, 0},         {5, 0, 0},    {14, 0, 0x1111}, {16, 1, 0},
                          {20, 1, 0}, {159, 9, 0x111111}, {160, 10, 0}, {999, 10, 0}};
    for (const Case& c : cases) {
        std::memset(high_scores, 0, sizeof high_scores);
        uint8_t input[HIGH_SCORE_FILE_SIZE];
        std::memset(input, 0x11, sizeof input);
        high_scores_from_bytes(input, c.length);
        for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
            int32_t expected = i < c.covered_scores ? 0x11111111 : 0;
            if (i == c.covered_scores && c.partial_score) expected = c.partial_score;
            EXPECT_EQ(high_scores[i].score, expected) << "length " << c.length << " entry " << i;
        }
        int32_t name_bytes = 0;
        for (const HighScoreEntry& e : high_scores) {
            for (char ch : e.name) name_bytes += ch == 0x11;
        }
        int32_t covered = c.length < 0 ? 0 : (c.length > 160 ? 160 : c.length);
        int32_t expected_names = 12 * (covered / 16) + (covered % 16 < 12 ? covered % 16 : 12);
        EXPECT_EQ(name_bytes, expected_names) << "length " << c.length;
    }
}

}  // namespace
