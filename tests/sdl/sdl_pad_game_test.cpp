// A whole first run played with a pad alone on the real backend: SDL's virtual
// joystick stands for the pad, the game runs on SDL's offscreen window.
#include <filesystem>
#include <string>

#include "game/game.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sdl_window_fixture.h"
#include "shell/program.h"

namespace {

class PadGame : public ::testing::Test {
  protected:
    void SetUp() override {
        software_rendering();
        // SDL passes pad events to a focused window only, and an offscreen window
        // never has the focus.
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        std::filesystem::create_directories(saves);
        const char* folder = saves.c_str();
        platform_set_save_folders(&folder, 1);
        reset_program_state();
    }
    void TearDown() override {
        if (main_window) destroy_main_window();
        if (pad) SDL_JoystickClose(pad);
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        SDL_ResetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS);
        std::filesystem::remove_all(saves);
        const char* here = ".";
        platform_set_save_folders(&here, 1);
    }

    void plug_in() {
        index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX,
                                          SDL_CONTROLLER_BUTTON_MAX, 0);
        ASSERT_GE(index, 0) << SDL_GetError();
        pad = SDL_JoystickOpen(index);
        ASSERT_NE(pad, nullptr) << SDL_GetError();
        play(100);
    }
    // Runs the game for ms of its clock.
    void play(int32_t ms) {
        int32_t until = clock_add(clock_now(), ms);
        while (main_window && !clock_passed(until)) main_loop_turn();
    }
    // A press and release of a pad button, as a player's quick tap.
    void tap(SDL_GameControllerButton button) {
        SDL_JoystickSetVirtualButton(pad, button, 1);
        play(40);
        SDL_JoystickSetVirtualButton(pad, button, 0);
        play(40);
    }

    std::string saves = ::testing::TempDir() + "cairnfall_pad_game";
    int index = -1;
    SDL_Joystick* pad = nullptr;
};

TEST_F(PadGame, AFirstRunFromIntroToQuitWithThePadAlone) {
    ASSERT_TRUE(start_program());
    plug_in();
    ASSERT_EQ(current_screen, SCREEN_INTRO);
    tap(SDL_CONTROLLER_BUTTON_B);  // skips the intro as Esc does
    ASSERT_EQ(current_screen, SCREEN_OPTIONS);

    // The difficulty row, one step harder; then down to NEW GAME.
    tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_EQ(profile.difficulty, 2);
    for (int32_t i = 0; i < 3; i++) tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(current_screen, SCREEN_GAME);
    EXPECT_EQ(profile.profile_saved, 1);

    // A move by the D-pad, then a pause and a resume by Start.
    int32_t gap = board.gap;
    tap(board.cells[gap].col + 1 < board.cols ? SDL_CONTROLLER_BUTTON_DPAD_LEFT
                                              : SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    play(100);
    EXPECT_NE(board.gap, gap);
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(current_screen, SCREEN_PAUSE);
    tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(current_screen, SCREEN_GAME);

    // The game ends with a score for the table: a full board whose row runs out.
    game.score = 1234;
    for (; board.rows < MAX_ROWS; board.rows++) {
        for (int32_t c = 0; c < board.cols; c++) {
            board.cells[board.rows * board.cols + c] = Cell{board.rows, c, 0, 1, 0};
        }
    }
    game.deadline = clock_now();
    play(2500);
    ASSERT_EQ(current_screen, SCREEN_GAME_OVER);
    play(800);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(current_screen, SCREEN_NAME_ENTRY);

    // The D-pad outlines A, then B; A presses the outlined key; Start is D O N E.
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    tap(SDL_CONTROLLER_BUTTON_A);
    tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    tap(SDL_CONTROLLER_BUTTON_A);
    tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_EQ(current_screen, SCREEN_HIGH_SCORES);
    EXPECT_STREQ(high_scores[0].name, "AB");
    EXPECT_EQ(high_scores[0].score, 1234);

    // Up from nowhere reaches QUIT; A opens the dialog and A there quits.
    tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(current_screen, SCREEN_QUIT);
    tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(main_window, 0);
}

}  // namespace
