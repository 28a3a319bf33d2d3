// The intro: the still strips, the eleven frames of the slide, the click, the
// title, the music at its end, Esc and F12, and where it leads.
#include <gtest/gtest.h>

#include <vector>

#include "screen_fixture.h"

namespace {

class Intro : public ScreenTest {
  protected:
    // The lowest row of the column at x holding the colour, or -1.
    int32_t lowest_row(int32_t x, uint8_t colour) const {
        for (int32_t y = 599; y >= 0; y--) {
            if (pixel(x, y) == colour) return y;
        }
        return -1;
    }
    int32_t rows_of(int32_t x, uint8_t colour) const {
        int32_t count = 0;
        for (int32_t y = 0; y < 600; y++) count += pixel(x, y) == colour;
        return count;
    }
    // Past the still phase: its timer runs out, and the next tick starts the slide.
    void enter_slide() {
        advance_past(screen_timer);
        int32_t presented = headless_present_count();
        tick();
        ASSERT_EQ(headless_present_count(), presented) << "the hand-over tick draws nothing";
    }
};

TEST_F(Intro, StillPhaseShowsBothStripsOnACleanPictureForTwoSeconds) {
    EXPECT_FALSE(headless_cursor_visible());
    advance_to(screen_timer);
    tick();
    EXPECT_EQ(lowest_row(100, SPLASH2_COLOUR), 59);
    EXPECT_EQ(rows_of(100, SPLASH2_COLOUR), 60);
    EXPECT_EQ(lowest_row(699, SPLASH1_COLOUR), 599) << "drawn clipped: its lowest row is off";
    EXPECT_EQ(rows_of(699, SPLASH1_COLOUR), 59);
    EXPECT_EQ(pixel(99, 30), 0);
    EXPECT_EQ(pixel(700, 30), 0);
    EXPECT_EQ(pixel(400, 300), 0);
    EXPECT_EQ(intro_pos, 59);
}

TEST_F(Intro, SlideTakesElevenFramesAndClicksOnTheLast) {
    enter_slide();
    const int32_t expected[] = {59, 64, 73, 86, 103, 124, 149, 178, 211, 248, 289};
    for (int32_t frame = 0; frame < 11; frame++) {
        headless_advance(16);
        tick();
        EXPECT_EQ(lowest_row(400, SPLASH2_COLOUR), expected[frame]) << frame;
        int32_t lower = 659 - expected[frame];
        EXPECT_EQ(lowest_row(400, SPLASH1_COLOUR), lower > 599 ? 599 : lower) << frame;
        EXPECT_EQ(rows_of(400, SPLASH3_COLOUR), 0);
        EXPECT_EQ(plays(SND_CLICK), frame == 10 ? 1 : 0) << frame;
    }
    // Then the title alone, centred, until the timer runs out.
    for (int32_t frame = 0; frame < 3; frame++) {
        headless_advance(16);
        tick();
        EXPECT_EQ(lowest_row(100, SPLASH3_COLOUR), 450);
        EXPECT_EQ(rows_of(699, SPLASH3_COLOUR), 300);
        EXPECT_EQ(pixel(99, 300), 0);
        EXPECT_EQ(pixel(700, 300), 0);
        EXPECT_EQ(rows_of(400, SPLASH1_COLOUR) + rows_of(400, SPLASH2_COLOUR), 0);
        EXPECT_EQ(intro_pos, 331);
    }
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_EQ(plays(SND_MUSIC, true), 0) << "no music before the end";
}

TEST_F(Intro, SlideFrameCountDoesNotDependOnTheTickLength) {
    enter_slide();
    int32_t frames = 0;
    while (intro_pos <= 330 && frames < 50) {
        headless_advance(500);
        tick();
        frames++;
    }
    EXPECT_EQ(frames, 11);
}

TEST_F(Intro, EndsAfterSixSecondsWithMusicCursorAndOptionsOnTheFirstRun) {
    enter_slide();
    advance_to(screen_timer);
    tick();
    EXPECT_EQ(plays(SND_MUSIC, true), 0);
    advance_past(screen_timer);
    int32_t presented = headless_present_count();
    tick();  // past the deadline: the intro ends
    EXPECT_EQ(headless_present_count(), presented);
    EXPECT_EQ(plays(SND_MUSIC, true), 1);
    EXPECT_TRUE(headless_cursor_visible());
    EXPECT_EQ(screen_after_tick(), Drawn::options);
}

TEST_F(Intro, SlowTicksEndTheIntroWithoutTheTitle) {
    enter_slide();
    headless_advance(3000);
    tick();
    advance_past(screen_timer);
    tick();
    EXPECT_LT(intro_pos, 331);
    EXPECT_EQ(plays(SND_MUSIC, true), 1);
    EXPECT_EQ(plays(SND_CLICK), 1) << "only the options screen's own click";
}

TEST_F(Intro, EscEndsEitherPhaseAtOnceAndLeadsByTheSavedFlag) {
    struct Case {
        bool in_slide;
        int32_t saved;
        Drawn next;
    };
    const Case cases[] = {{false, 0, Drawn::options},
                          {false, 1, Drawn::high_scores},
                          {true, 0, Drawn::options},
                          {true, 7, Drawn::high_scores}};
    for (const Case& c : cases) {
        destroy_main_window();
        start();
        if (c.in_slide) {
            enter_slide();
            tick();
        }
        profile.profile_saved = c.saved;
        key(KEY_ESCAPE);
        EXPECT_EQ(plays(SND_MUSIC, true), 1);
        EXPECT_TRUE(headless_cursor_visible());
        EXPECT_EQ(screen_after_tick(), c.next) << c.in_slide << " " << c.saved;
    }
}

TEST_F(Intro, MouseMovesAndOtherKeysDoNothingAndF12Quits) {
    move(400, 300);
    key('A');
    key(KEY_ENTER);
    key(KEY_F12 - 1);
    EXPECT_EQ(screen_after_tick(), Drawn::intro);
    EXPECT_FALSE(headless_cursor_visible());
    EXPECT_TRUE(headless_audio_log().empty());
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

TEST_F(Intro, AClickOrSpaceEndsItAsEsc) {
    for (bool by_click : {false, true}) {
        SCOPED_TRACE(by_click ? "click" : "space");
        enter_intro();
        headless_clear_audio_log();
        if (by_click) {
            click(400, 300);
        } else {
            key(KEY_SPACE);
        }
        EXPECT_EQ(plays(SND_MUSIC, true), 1);
        EXPECT_TRUE(headless_cursor_visible());
        EXPECT_NE(screen_after_tick(), Drawn::intro);
    }
}

}  // namespace
