// The level progression for each difficulty: kinds in play, columns and row time.
#include <gtest/gtest.h>

#include "game/game.h"
#include "platform/headless/headless.h"
#include "screens/screens.h"

namespace {

struct Step {
    int32_t level;
    int32_t kinds[3];  // difficulty 1, 2, 3
    int32_t cols[3];
    int32_t row_seconds[3];
};

const Step PROGRESSION[] = {
    {1, {2, 3, 5}, {5, 5, 5}, {45, 30, 30}},        {2, {3, 5, 6}, {5, 5, 5}, {45, 30, 30}},
    {3, {5, 6, 7}, {5, 5, 5}, {45, 30, 30}},        {4, {5, 6, 7}, {7, 7, 7}, {45, 30, 30}},
    {5, {6, 7, 8}, {7, 7, 7}, {45, 30, 30}},        {8, {8, 9, 10}, {9, 9, 9}, {60, 45, 45}},
    {12, {11, 12, 13}, {11, 11, 11}, {60, 45, 45}}, {16, {14, 15, 16}, {11, 11, 11}, {75, 60, 60}},
    {24, {20, 21, 22}, {11, 11, 11}, {75, 75, 75}},
};

}  // namespace

class Progression : public ::testing::TestWithParam<int32_t> {};

TEST_P(Progression, FollowsTheTableLevelByLevel) {
    int32_t difficulty = GetParam();
    headless_reset();
    headless_set_ticks(123);
    profile.difficulty = difficulty;
    start_game();
    for (const Step& step : PROGRESSION) {
        while (game.level < step.level) start_level();
        SCOPED_TRACE("level " + std::to_string(step.level));
        EXPECT_EQ(game.kind_count, step.kinds[difficulty - 1]);
        EXPECT_EQ(board.cols, step.cols[difficulty - 1]);
        EXPECT_EQ(ROW_TIME_MS[game.speed_index], step.row_seconds[difficulty - 1] * 1000);
        EXPECT_EQ(board.rows, 7);
        EXPECT_EQ(game.penalty, 0);
    }
    // Levels go on without end; kinds, columns and row time stop at their limits.
    while (game.level < 200) start_level();
    EXPECT_EQ(game.kind_count, 31);
    EXPECT_EQ(board.cols, 11);
    EXPECT_EQ(ROW_TIME_MS[game.speed_index], 75000);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, Progression, ::testing::Values(1, 2, 3));

TEST(ProgressionStart, AnUnknownDifficultyKeepsTheCountersItFinds) {
    headless_reset();
    game.kind_count = 6;
    game.speed_index = 2;
    game.size_index = 1;
    profile.difficulty = 7;
    start_game();
    EXPECT_EQ(game.start_difficulty, 7);
    EXPECT_EQ(game.kind_count, 7);
    EXPECT_EQ(board.cols, 7);
    EXPECT_EQ(game.time_limit, 60000);
    profile.difficulty = 1;
}
