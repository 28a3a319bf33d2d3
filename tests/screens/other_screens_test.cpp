// The quit confirmation, the game-over screen and the instructions screen.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

class OtherScreens : public ScreenTest {
  protected:
    // A game under way, suspended as a menu button or the pause button leaves it.
    void paused_game() {
        start_game();
        pause_game();
        ASSERT_EQ(game.game_state, GAME_PAUSED);
    }
};

// ---------------------------------------------------------------- quit

TEST_F(OtherScreens, QuitPictureAloneWithItsClick) {
    enter_quit_confirm();
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_EQ(screen_after_tick(), Drawn::quit);
    expect_picture_at(259, 324, QUIT_W, QUIT_H, QUIT_COLOUR);
}

TEST_F(OtherScreens, QuitButtonsReactInsideTheirEdgesOnly) {
    struct Case {
        int32_t x, y;
        bool back, quit;
    };
    const Case cases[] = {
        {360, 197, true, false},  {433, 235, true, false},  {359, 216, false, false},
        {434, 216, false, false}, {400, 196, false, false}, {400, 236, false, false},
        {546, 197, false, true},  {619, 235, false, true},  {545, 216, false, false},
        {620, 216, false, false}, {580, 196, false, false}, {580, 236, false, false},
        {490, 216, false, false},
    };
    for (const Case& c : cases) {
        destroy_main_window();
        start();
        profile.profile_saved = 1;
        enter_quit_confirm();
        click(c.x, c.y);
        EXPECT_EQ(main_window == 0, c.quit) << c.x << "," << c.y;
        if (c.quit) continue;
        EXPECT_EQ(screen_after_tick(), c.back ? Drawn::high_scores : Drawn::quit)
            << c.x << "," << c.y;
    }
}

TEST_F(OtherScreens, GoingBackResumesAPausedGameOrOpensTheFirstMenuScreen) {
    enter_quit_confirm();
    click(400, 216);
    EXPECT_EQ(screen_after_tick(), Drawn::options) << "profile never saved";

    profile.profile_saved = 1;
    enter_quit_confirm();
    key(KEY_ESCAPE);
    EXPECT_EQ(screen_after_tick(), Drawn::high_scores);

    paused_game();
    enter_quit_confirm();
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);

    paused_game();
    enter_quit_confirm();
    click(400, 216);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
}

TEST_F(OtherScreens, QuitKeysOtherThanTheDialogsOwnDoNothing) {
    enter_quit_confirm();
    move(400, 216);
    key('Q');
    key(' ');
    key(KEY_LEFT);
    EXPECT_EQ(screen_after_tick(), Drawn::quit);
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

// ---------------------------------------------------------------- game over

TEST_F(OtherScreens, GameOverLastsTenSecondsThenChoosesByTheScore) {
    struct Case {
        int32_t score;
        int32_t tenth;
        Drawn next;
    };
    const Case cases[] = {{1, 0, Drawn::name_entry},
                          {0, 0, Drawn::high_scores},
                          {500, 500, Drawn::high_scores},
                          {501, 500, Drawn::name_entry}};
    for (const Case& c : cases) {
        destroy_main_window();
        start();
        high_scores[9].score = c.tenth;
        game.score = c.score;
        game.game_state = GAME_PAUSED;
        enter_game_over();
        EXPECT_EQ(plays(SND_CLICK), 1);
        EXPECT_EQ(clock_diff(screen_timer, clock_now()), 10000);
        advance_to(screen_timer);
        EXPECT_EQ(screen_after_tick(), Drawn::game_over) << c.score;
        EXPECT_EQ(game.game_state, GAME_NONE);
        EXPECT_EQ(pixel(275, 200), GAME_OVER_COLOUR);
        EXPECT_EQ(pixel(744, 141), GAME_OVER_COLOUR);
        EXPECT_NE(pixel(274, 170), GAME_OVER_COLOUR);
        EXPECT_NE(pixel(745, 170), GAME_OVER_COLOUR);
        EXPECT_NE(pixel(500, 140), GAME_OVER_COLOUR);
        EXPECT_NE(pixel(500, 201), GAME_OVER_COLOUR);
        advance_past(screen_timer);
        EXPECT_EQ(screen_after_tick(), Drawn::other) << "the leaving tick draws nothing";
        EXPECT_EQ(screen_after_tick(), c.next) << c.score;
    }
}

TEST_F(OtherScreens, GameOverIsCutShortByEscEnterOrAClick) {
    high_scores[9].score = 10;
    game.score = 20;
    enter_game_over();
    game.game_state = GAME_PAUSED;
    move(100, 317);
    key('A');
    key(KEY_SPACE);
    key('1');  // the menu bar does not react here
    EXPECT_EQ(screen_after_tick(), Drawn::game_over);
    for (int32_t how = 0; how < 3; how++) {
        SCOPED_TRACE(how);
        enter_game_over();
        game.game_state = GAME_PAUSED;
        if (how > 0) {
            // Enter and clicks queued while the last row flashed do not count yet.
            key(KEY_ENTER);
            click(100, 317);
            EXPECT_EQ(screen_after_tick(), Drawn::game_over);
            advance_past(clock_add(screen_timer, 600 - 10000));
        }
        if (how == 0) key(KEY_ESCAPE);  // at once
        if (how == 1) key(KEY_ENTER);
        if (how == 2) click(100, 317);  // anywhere, the new game button too
        EXPECT_EQ(game.game_state, GAME_NONE);
        EXPECT_EQ(screen_after_tick(), Drawn::name_entry);
    }
}

TEST_F(OtherScreens, GameOverF12Quits) {
    enter_game_over();
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

TEST_F(OtherScreens, AfterGameOverMenuScreensOfferNoResume) {
    paused_game();
    enter_game_over();
    tick();
    enter_instructions();
    tick();
    EXPECT_EQ(pixel(300, 540), INSTRUCTIONS_COLOUR) << "no resume button";
    click(300, 540);
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_NONE);
}

// ---------------------------------------------------------------- instructions

TEST_F(OtherScreens, InstructionsPictureWithItsClick) {
    enter_instructions();
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_EQ(screen_after_tick(), Drawn::instructions);
    expect_picture_at(228, 577, INSTRUCTIONS_W, INSTRUCTIONS_H, INSTRUCTIONS_COLOUR);
}

TEST_F(OtherScreens, InstructionsResumeButtonOnlyWhilePaused) {
    paused_game();
    enter_instructions();
    tick();
    EXPECT_EQ(pixel(240, 560), BUTTON_COLOUR + 0) << "the resume button over the picture";
    EXPECT_EQ(pixel(419, 519), BUTTON_COLOUR + 0);
    struct Case {
        int32_t x, y;
        bool resumes;
    };
    const Case cases[] = {{241, 519, true},  {419, 559, true},  {240, 540, false},
                          {420, 540, false}, {300, 518, false}, {300, 560, false}};
    for (const Case& c : cases) {
        click(c.x, c.y);
        EXPECT_EQ(game.game_state == GAME_PLAYING, c.resumes) << c.x << "," << c.y;
        if (c.resumes) {
            pause_game();
            enter_instructions();
        }
    }
    move(300, 540);
    tick();
    EXPECT_EQ(pixel(241, 561 - 41), BUTTON_COLOUR + 1) << "the highlight, one pixel right and down";
    EXPECT_EQ(pixel(420, 540), BUTTON_COLOUR + 1);
    EXPECT_EQ(pixel(241, 519), BUTTON_COLOUR + 0) << "the button's top row stays uncovered";
}

TEST_F(OtherScreens, InstructionsEscResumesOnlyAPausedGame) {
    enter_instructions();
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_NONE);
    EXPECT_EQ(screen_after_tick(), Drawn::instructions);
    paused_game();
    enter_instructions();
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
}

// ---------------------------------------------------------------- a finger's taps

// A tap that misses lands on the nearest target within the finger's reach (the
// release's key field); a mouse's click (reach 0) and a tap out of reach stay.
TEST_F(OtherScreens, FingerTapsLandOnTheNearestTargetWithinReach) {
    enum Setup { QUIT, HIGH_SCORES_PAUSED, INSTRUCTIONS, OPTIONS, GAME };
    enum Outcome { STAYED, WENT_BACK, CLOSED, RESUMED, NEW_GAME, MUSIC_ROW, PAUSED };
    struct Case {
        Setup setup;
        int32_t x, y, reach;
        Outcome outcome;
    };
    const Case cases[] = {
        {QUIT, 330, 216, 45, WENT_BACK},
        {QUIT, 330, 216, 0, STAYED},
        {QUIT, 490, 216, 45, STAYED},
        {QUIT, 640, 250, 45, CLOSED},
        {HIGH_SCORES_PAUSED, 500, 540, 45, RESUMED},
        {HIGH_SCORES_PAUSED, 500, 540, 0, STAYED},
        {INSTRUCTIONS, 200, 317, 45, NEW_GAME},
        {INSTRUCTIONS, 200, 317, 0, STAYED},
        {OPTIONS, 500, 360, 45, MUSIC_ROW},
        {OPTIONS, 500, 360, 0, STAYED},
        {GAME, 200, 530, 34, PAUSED},
        {GAME, 200, 530, 0, STAYED},
    };
    for (const Case& c : cases) {
        destroy_main_window();
        start();
        reset_menu_focus();
        profile.profile_saved = 1;
        switch (c.setup) {
            case QUIT:
                enter_quit_confirm();
                break;
            case HIGH_SCORES_PAUSED:
                paused_game();
                enter_high_scores();
                break;
            case INSTRUCTIONS:
                enter_instructions();
                break;
            case OPTIONS:
                enter_options();
                break;
            case GAME:
                start_game();
                break;
        }
        int32_t state = game.game_state;
        Drawn before = screen_after_tick();
        dispatch_event(PEV_LBUTTON_UP, c.reach, c.x, c.y);
        EXPECT_EQ(tap_reach, 0) << "the reach lasts for its click only";
        const char* where = c.setup == QUIT ? "quit" : c.setup == GAME ? "game" : "menu screen";
        switch (c.outcome) {
            case STAYED:
                EXPECT_EQ(game.game_state, state) << where << " " << c.x << "," << c.y;
                EXPECT_EQ(screen_after_tick(), before) << where << " " << c.x << "," << c.y;
                EXPECT_EQ(menu_focus_here(), -1);
                break;
            case WENT_BACK:
                EXPECT_EQ(screen_after_tick(), Drawn::high_scores);
                break;
            case CLOSED:
                EXPECT_EQ(main_window, 0);
                break;
            case RESUMED:
            case NEW_GAME:
                EXPECT_EQ(game.game_state, GAME_PLAYING) << where;
                break;
            case MUSIC_ROW:
                EXPECT_EQ(menu_focus_here(), 1);
                EXPECT_EQ(profile.music_level, 1) << "no mark was tapped";
                break;
            case PAUSED:
                EXPECT_EQ(game.game_state, GAME_PAUSED);
                break;
        }
    }
}

}  // namespace
