// The options screen: its marks, the edges of its click areas, what a click
// changes, and when the profile is saved.
#include <gtest/gtest.h>

#include "screen_fixture.h"

namespace {

class Options : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        enter_options();
        headless_clear_audio_log();
    }
    int32_t volume_of(int32_t slot) const {
        const SoundClip* clip = sound_slots[slot].clip;
        return clip ? headless_buffer_volume(clip->buffers[0]) : 1;  // 1: no sound loaded
    }
    bool profile_file_exists() const { return !file_bytes("profile.dat").empty(); }
};

constexpr int32_t MARK_X[4] = {443, 466, 497, 537};

TEST_F(Options, MarksShowTheLevelsAndTheDifficulty) {
    struct Case {
        int32_t music, effects, difficulty;
    };
    const Case cases[] = {{0, 3, 1}, {1, 0, 2}, {3, 2, 3}, {2, 1, 1}};
    for (const Case& c : cases) {
        profile.music_level = c.music;
        profile.effects_level = c.effects;
        profile.difficulty = c.difficulty;
        EXPECT_EQ(screen_after_tick(), Drawn::options);
        for (int32_t i = 0; i < 4; i++) {
            EXPECT_EQ(pixel(MARK_X[i], 318), i <= c.music ? 0 : OPTIONS_COLOUR) << i;
            EXPECT_EQ(pixel(MARK_X[i], 437), i <= c.effects ? 0 : OPTIONS_COLOUR) << i;
        }
        const int32_t mark_y[3] = {167, 190, 213};
        for (int32_t d = 1; d <= 3; d++) {
            EXPECT_EQ(pixel(443, mark_y[d - 1]), d == c.difficulty ? 0 : OPTIONS_COLOUR) << d;
        }
    }
    // The marks grow: radius 13 for the loudest level, 4 for the softest.
    profile.music_level = 3;
    tick();
    EXPECT_EQ(pixel(537 + 12, 318), 0);
    EXPECT_EQ(pixel(537 + 15, 318), OPTIONS_COLOUR);
    EXPECT_EQ(pixel(443 + 3, 318), 0);
    EXPECT_EQ(pixel(443 + 6, 318), OPTIONS_COLOUR);
}

TEST_F(Options, DifficultyOutsideTheScaleBecomesOneUnmarkedForAFrame) {
    profile.difficulty = 9;
    tick();
    EXPECT_EQ(profile.difficulty, 1);
    EXPECT_EQ(pixel(443, 167), OPTIONS_COLOUR);
    tick();
    EXPECT_EQ(pixel(443, 167), 0);
}

TEST_F(Options, ClickAreasReactInsideTheirEdgesOnly) {
    struct Case {
        int32_t x, y;
        int32_t music, effects, difficulty;  // the profile after the click, from 1, 3, 1
    };
    const Case cases[] = {
        // music 0..3: corners just inside, edges outside
        {436, 312, 0, 3, 1},
        {449, 325, 0, 3, 1},
        {435, 318, 1, 3, 1},
        {450, 318, 1, 3, 1},
        {440, 311, 1, 3, 1},
        {440, 326, 1, 3, 1},
        {456, 308, 1, 3, 1},
        {476, 329, 1, 3, 1},
        {455, 318, 1, 3, 1},
        {477, 318, 1, 3, 1},
        {483, 305, 2, 3, 1},
        {512, 331, 2, 3, 1},
        {482, 318, 1, 3, 1},
        {513, 318, 1, 3, 1},
        {518, 301, 3, 3, 1},
        {557, 339, 3, 3, 1},
        {517, 318, 1, 3, 1},
        {558, 318, 1, 3, 1},
        {530, 300, 1, 3, 1},
        {530, 340, 1, 3, 1},
        {452, 318, 1, 3, 1},
        {480, 318, 1, 3, 1},
        {515, 318, 1, 3, 1},  // between areas
        // effects
        {436, 431, 1, 0, 1},
        {449, 444, 1, 0, 1},
        {440, 430, 1, 3, 1},
        {440, 445, 1, 3, 1},
        {456, 427, 1, 1, 1},
        {476, 448, 1, 1, 1},
        {483, 424, 1, 2, 1},
        {512, 450, 1, 2, 1},
        {518, 420, 1, 3, 1},
        {557, 458, 1, 3, 1},
        {452, 437, 1, 3, 1},
        // difficulty
        {437, 162, 1, 3, 1},
        {511, 172, 1, 3, 1},
        {512, 167, 1, 3, 1},
        {436, 167, 1, 3, 1},
        {437, 185, 1, 3, 2},
        {548, 195, 1, 3, 2},
        {549, 190, 1, 3, 1},
        {500, 184, 1, 3, 1},
        {437, 207, 1, 3, 3},
        {517, 217, 1, 3, 3},
        {518, 213, 1, 3, 1},
        {500, 218, 1, 3, 1},
        {500, 178, 1, 3, 1},
    };
    for (const Case& c : cases) {
        profile = Profile{1, 3, 1, 0};
        snd_set_effects_volume(3);
        click(c.x, c.y);
        EXPECT_EQ(profile.music_level, c.music) << c.x << "," << c.y;
        EXPECT_EQ(profile.effects_level, c.effects) << c.x << "," << c.y;
        EXPECT_EQ(profile.difficulty, c.difficulty) << c.x << "," << c.y;
    }
    EXPECT_FALSE(profile_file_exists()) << "settings reach the file only on leaving";
}

TEST_F(Options, VolumeClicksAreHeardAtOnce) {
    click(440, 318);
    EXPECT_EQ(volume_of(SND_MUSIC), snd_level_volume(0));
    click(540, 318);
    EXPECT_EQ(volume_of(SND_MUSIC), snd_level_volume(3));
    click(460, 437);
    for (int32_t slot = 1; slot < SOUND_SLOTS; slot++) {
        if (sound_slots[slot].clip) {
            EXPECT_EQ(volume_of(slot), snd_level_volume(1)) << slot;
        }
    }
    EXPECT_EQ(volume_of(SND_MUSIC), snd_level_volume(3)) << "the music keeps its own level";
    // The same level again is set again, with no change to be heard.
    headless_clear_audio_log();
    click(540, 318);
    EXPECT_EQ(headless_audio_log().size(), 1u);
    EXPECT_EQ(volume_of(SND_MUSIC), snd_level_volume(3));
}

TEST_F(Options, LeavingThroughAMenuButtonSavesTheProfile) {
    click(495, 318);  // music 2
    click(440, 437);  // effects 0
    click(450, 190);  // difficulty 2
    click(100, 359);  // instructions, the second menu button
    EXPECT_EQ(profile.profile_saved, 1);
    const std::vector<uint8_t> expected = {2, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(file_bytes("profile.dat"), expected);
    EXPECT_EQ(screen_after_tick(), Drawn::instructions);
}

TEST_F(Options, EscSavesNothingClosingTheGameSaves) {
    click(540, 318);
    key(KEY_ESCAPE);
    EXPECT_EQ(screen_after_tick(), Drawn::options) << "no game to resume";
    click(100, 338);  // between two menu buttons
    click(10, 317);   // on a button's edge
    EXPECT_FALSE(profile_file_exists());
    EXPECT_EQ(profile.music_level, 3) << "the level stays in force";
    // F12 ends the game; the choice made is kept as a menu button keeps it.
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
    const std::vector<uint8_t> expected = {3, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    EXPECT_EQ(file_bytes("profile.dat"), expected);
}

TEST_F(Options, ResumeButtonSavesThenResumes) {
    start_game();
    pause_game();
    enter_options();
    tick();
    EXPECT_EQ(pixel(410, 560), BUTTON_COLOUR);
    EXPECT_EQ(pixel(589, 519), BUTTON_COLOUR);
    click(410, 540);
    click(590, 540);
    click(500, 518);
    click(500, 560);
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    EXPECT_FALSE(profile_file_exists());
    click(411, 519);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(file_bytes("profile.dat").size(), 16u);
}

TEST_F(Options, DifficultyChangeDuringAPauseMakesResumeStartANewGame) {
    start_game();
    game.score = 700;
    pause_game();
    enter_options();
    click(450, 190);  // difficulty 2
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(game.start_difficulty, 2);
    EXPECT_EQ(game.score, 0) << "a new game";
    EXPECT_FALSE(profile_file_exists()) << "Esc saves nothing";
}

TEST_F(Options, ResumeButtonDoesNothingWithoutAPausedGame) {
    click(500, 540);
    EXPECT_EQ(game.game_state, GAME_NONE);
    EXPECT_FALSE(profile_file_exists());
    tick();
    EXPECT_EQ(pixel(500, 540), BOARD_COLOUR) << "no resume button drawn";
}

}  // namespace
