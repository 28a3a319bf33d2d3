// The high score screen: its pictures, the rows of names and scores, and the
// resume button.
#include <gtest/gtest.h>

#include <cstring>

#include "screen_fixture.h"

namespace {

class HighScoreScreen : public ScreenTest {
  protected:
    // Pixels of the colour inside the rectangle (inclusive).
    int32_t count(uint8_t colour, int32_t x1, int32_t x2, int32_t y1, int32_t y2) const {
        int32_t n = 0;
        for (int32_t y = y1; y <= y2; y++) {
            for (int32_t x = x1; x <= x2; x++) n += pixel(x, y) == colour;
        }
        return n;
    }
};

TEST_F(HighScoreScreen, TitleAndStoneBordersInPlace) {
    enter_high_scores();
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_EQ(screen_after_tick(), Drawn::high_scores);
    expect_picture_at(381, 66, HIGHSCORES_W, HIGHSCORES_H, HIGHSCORES_COLOUR);
    for (int32_t y : {76, 125, 375, 424}) {
        EXPECT_EQ(pixel(275, y), STONE_COLOUR) << y;
        EXPECT_EQ(pixel(724, y), STONE_COLOUR) << y;
        EXPECT_EQ(pixel(274, y), BOARD_COLOUR) << y;
        EXPECT_EQ(pixel(725, y), BOARD_COLOUR) << y;
    }
    EXPECT_EQ(pixel(500, 75), BOARD_COLOUR);
    EXPECT_EQ(pixel(500, 126), BOARD_COLOUR);
    EXPECT_EQ(pixel(500, 374), BOARD_COLOUR);
    EXPECT_EQ(pixel(500, 425), BOARD_COLOUR);
}

TEST_F(HighScoreScreen, NamesOnTheLeftScoresRightAlignedAt673) {
    std::memcpy(high_scores[0].name, "WWWWWWWWWWWW", 12);  // no terminator
    high_scores[0].score = 0x7FFFFFFF;
    high_scores[1].score = 5;
    enter_high_scores();
    tick();
    for (int32_t i = 0; i < 10; i++) {
        int32_t y = 151 + 25 * i;
        // Every row has a score; its face colour ends near x 673, never far past it.
        EXPECT_GT(count(10, 600, 673, y - 24, y), 0) << i;
        EXPECT_EQ(count(10, 680, 760, y - 24, y), 0) << i;
        EXPECT_EQ(count(10, 200, 318, y - 24, y), 0) << i;
    }
    EXPECT_GT(count(10, 325, 500, 151 - 24, 151), 0) << "the twelve-letter name";
    EXPECT_EQ(count(10, 325, 500, 176 - 24, 176), 0) << "an empty name draws nothing";
}

TEST_F(HighScoreScreen, ResumeButtonWhilePaused) {
    start_game();
    pause_game();
    enter_high_scores();
    tick();
    EXPECT_EQ(pixel(410, 520), BUTTON_COLOUR);
    EXPECT_EQ(pixel(589, 479), BUTTON_COLOUR);
    click(410, 500);
    click(500, 478);
    click(500, 520);
    click(590, 500);
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    move(500, 500);
    tick();
    EXPECT_EQ(pixel(411, 521), BUTTON_COLOUR + 1);
    click(589, 519);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
}

TEST_F(HighScoreScreen, MenuButtonsLeadOnAndEscResumesOnlyAPausedGame) {
    enter_high_scores();
    key(KEY_ESCAPE);
    EXPECT_EQ(screen_after_tick(), Drawn::high_scores);
    move(100, 401);
    click(100, 401);  // options, the third button
    EXPECT_EQ(screen_after_tick(), Drawn::options);
    EXPECT_EQ(pixel(10, 337 + 84), MENU_COLOUR + 2) << "the clicked button stays highlighted";
    enter_high_scores();
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

}  // namespace

namespace {

// A table that could not be saved says so in one line under the lower border,
// between the stones and the resume button; nothing is drawn there otherwise.
TEST_F(HighScoreScreen, FailedSaveIsShownUnderTheTable) {
    for (bool failed : {false, true}) {
        scores_save_failed = failed;
        enter_high_scores();
        tick();
        int32_t text = count(10, 275, 725, 430, 476);
        if (failed) {
            EXPECT_GT(text, 100) << "\"Scores could not be saved\"";
        } else {
            EXPECT_EQ(text, 0);
        }
        EXPECT_EQ(count(10, 0, 274, 430, 476) + count(10, 726, 799, 430, 476), 0)
            << "the line stays within the table's width";
    }
    scores_save_failed = false;
}

}  // namespace
