// Whole games driven by replay scripts: moves that complete rows, time-outs with
// their penalty, pausing, the game's end and the next level.
#include "replay/replay.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/game_dir.h"

namespace {

// Start-up, the intro skipped with Esc, then NEW GAME on the first menu screen.
const std::string NEW_GAME = R"(
clock 1700000000
start
wait 100
expect screen intro
key esc
wait 50
# options on a first run, the high score table once the profile was saved
click 100 317                # NEW GAME
wait 20
expect screen game
expect game.level 1
expect game.game_state 1
)";

// A three-row board whose bottom row the 1 above the gap completes.
const std::string ROW_READY = R"(
set board.rows 3
row 0 0 1 2 0 .
row 1 5 6 7 8 1
row 2 9 8 7 6 5
preview 0 1 2 0 1
check
)";

class Replay : public ::testing::Test {
  protected:
    // Runs a script; on failure the test shows what the script printed.
    void run(const std::string& script) {
        output.clear();
        ASSERT_EQ(replay_run(script.c_str(), &output), 0) << output;
    }
    GameDir dir;
    std::string output;
};

}  // namespace

TEST_F(Replay, AMoveCompletesARowWithItsBonus) {
    run(NEW_GAME + ROW_READY + R"(
set remaining 22500          # half of the 45 s row of difficulty 1
clickcell 1 4
wait 40
expect game.busy 0
expect game.score 600        # 100 + 500 bonus
expect board.rows 2
expect row 0 5 6 7 8 .
expect row 1 9 8 7 6 5
expect remaining 45000       # a fresh row timer
check
)");
}

TEST_F(Replay, AClickAwayFromTheGapDoesNothing) {
    run(NEW_GAME + ROW_READY + R"(
clickcell 2 4                # two rows above the gap
clickcell 1 3                # diagonal
wait 40
expect row 0 0 1 2 0 .
expect game.score 0
)");
}

TEST_F(Replay, ATimeOutPushesThePreviewRowWithAPenalty) {
    run(NEW_GAME + R"(
preview 1 0 1 0 1
set remaining 100
wait 300
expect board.rows 8
expect row 7 1 0 1 0 1
expect game.penalty 1
expect game.time_limit 40000
expect remaining <= 40000
expect remaining > 39000
check
)");
}

TEST_F(Replay, PauseAndResumeKeepTheTimeLeft) {
    run(NEW_GAME + R"(
set remaining 12000
key esc
wait 60000
expect screen pause
expect game.game_state 2
expect remaining 12000
expect board.rows 7
key esc
wait 20
expect screen game
expect remaining <= 12000
expect remaining >= 11950
)");
}

TEST_F(Replay, AMenuButtonPausesAndTheResumeButtonResumes) {
    run(NEW_GAME + R"(
set remaining 30000
click 100 443                # HIGH SCORES
wait 20
expect screen high_scores
expect game.game_state 2
wait 5000
move 500 500                 # over the resume button
wait 20
expect hover.x 411
click 500 500
wait 20
expect screen game
expect remaining <= 30000
expect remaining >= 29950
)");
}

TEST_F(Replay, TimeOutsEndTheGame) {
    run(NEW_GAME + R"(
wait 160000                  # rows of 45, 40, 35 and 30 s run out
expect board.rows 11
expect screen game_over
wait 11000
expect screen high_scores    # a score of 0 never enters the table
expect game.game_state 0
)");
}

TEST_F(Replay, ClearingARowOfATwoRowBoardStartsTheNextLevel) {
    run(NEW_GAME + R"(
set board.rows 2
row 0 0 1 2 0 .
row 1 5 6 7 8 1
preview 0 1 2 0 1
check
clickcell 1 4
wait 40
expect game.level 2
# The new board is tested at once: with this clock its first preview row
# matches one of its seven rows, which goes too.
expect board.rows 6
expect game.score >= 2100
check
)");
}

TEST_F(Replay, EscapeDuringASlideIsIgnored) {
    run(NEW_GAME + ROW_READY + R"(
set remaining 30000
clickcell 1 4
key esc                      # handled in the same turn, while the stone slides
turn
expect screen game
wait 40
expect screen game
expect board.rows 2
)");
}

TEST_F(Replay, ShotsAndStateArePrinted) {
    run(NEW_GAME + R"(
shot board
state
)");
    EXPECT_TRUE(std::filesystem::exists(dir.file("board.png")));
    EXPECT_NE(output.find("screen game"), std::string::npos);
    EXPECT_NE(output.find("game.level=1"), std::string::npos);
    EXPECT_NE(output.find("row 6"), std::string::npos);
}

TEST_F(Replay, FailuresNameTheLine) {
    std::string out;
    EXPECT_EQ(replay_run("clock 5\nstart\nexpect game.level 4\n", &out), 1);
    EXPECT_NE(out.find("line 3: expected game.level == 4, got 0"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(replay_run("start\nclock 5\n", &out), 1);
    EXPECT_NE(out.find("line 2"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(replay_run("wait 10\n", &out), 1);
    EXPECT_NE(out.find("`start` first"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(replay_run("start\nfly 3\n", &out), 1);
    EXPECT_NE(out.find("unknown command fly"), std::string::npos) << out;
    out.clear();
    EXPECT_EQ(replay_run("# only a comment\n\n", &out), 0) << out;
}

TEST_F(Replay, TheSameScriptGivesTheSameGame) {
    const std::string script = NEW_GAME + R"(
clickcell 0 0
clickcell 1 1
wait 500
state
)";
    run(script);
    std::string first = output;
    run(script);
    // Everything but the clock-derived lines matches.
    EXPECT_EQ(first.substr(first.find("preview")), output.substr(output.find("preview")));
}
