// A running program on the headless backend, in a folder of the test's own, with
// every picture painted in one flat colour of its own so that a frame shows
// plainly what was drawn where.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/headless/headless.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "sound/sound.h"
#include "support/game_dir.h"

// The flat colours of the pictures.
constexpr uint8_t BOARD_COLOUR = 30;
constexpr uint8_t OPTIONS_COLOUR = 31;
constexpr uint8_t INSTRUCTIONS_COLOUR = 32;
constexpr uint8_t HIGHSCORES_COLOUR = 33;
constexpr uint8_t QUIT_COLOUR = 34;
constexpr uint8_t GAME_OVER_COLOUR = 35;
constexpr uint8_t SPLASH1_COLOUR = 36;
constexpr uint8_t SPLASH2_COLOUR = 37;
constexpr uint8_t SPLASH3_COLOUR = 38;
constexpr uint8_t STONE_COLOUR = 40;   // stone k is 40 + k
constexpr uint8_t MENU_COLOUR = 80;    // menu k is 80 + k
constexpr uint8_t BUTTON_COLOUR = 90;  // button k is 90 + k

// Puts the screens' globals back to their values at program start.
inline void reset_screen_state() {
    std::memset(high_scores, 0, sizeof high_scores);
    profile = Profile{1, 3, 1, 0};
    intro_pos = 59;
    intro_speed = 1;
    std::memset(name_text, 0, sizeof name_text);
    name_length = 0;
    game.game_state = GAME_NONE;
    game.score = 0;
    scores_save_failed = false;
    const char* here[] = {"."};
    platform_set_save_folders(here, 1);
}

inline void paint_images() {
    std::memset(images.board, BOARD_COLOUR, sizeof images.board);
    std::memset(images.options, OPTIONS_COLOUR, sizeof images.options);
    std::memset(images.instructions, INSTRUCTIONS_COLOUR, sizeof images.instructions);
    std::memset(images.highscores, HIGHSCORES_COLOUR, sizeof images.highscores);
    std::memset(images.checker0, BOARD_COLOUR, sizeof images.checker0);
    std::memset(images.checker1, BOARD_COLOUR, sizeof images.checker1);
    std::memset(images.quit, QUIT_COLOUR, sizeof images.quit);
    std::memset(images.game_over, GAME_OVER_COLOUR, sizeof images.game_over);
    std::memset(images.splash1, SPLASH1_COLOUR, sizeof images.splash1);
    std::memset(images.splash2, SPLASH2_COLOUR, sizeof images.splash2);
    std::memset(images.splash3, SPLASH3_COLOUR, sizeof images.splash3);
    for (int32_t k = 0; k < STONE_COUNT; k++) {
        std::memset(images.stone[k], STONE_COLOUR + k, sizeof images.stone[k]);
    }
    for (int32_t k = 0; k < MENU_COUNT; k++) {
        std::memset(images.menu[k], MENU_COLOUR + k, sizeof images.menu[k]);
    }
    for (int32_t k = 0; k < BUTTON_COUNT; k++) {
        std::memset(images.button[k], BUTTON_COLOUR + k, sizeof images.button[k]);
    }
}

// The screens the tests tell apart by what their frame shows.
enum class Drawn { intro, options, instructions, high_scores, name_entry, quit, game_over, other };

inline const char* drawn_name(Drawn s) {
    switch (s) {
        case Drawn::intro:
            return "intro";
        case Drawn::options:
            return "options";
        case Drawn::instructions:
            return "instructions";
        case Drawn::high_scores:
            return "high scores";
        case Drawn::name_entry:
            return "name entry";
        case Drawn::quit:
            return "quit";
        case Drawn::game_over:
            return "game over";
        default:
            return "other";
    }
}

inline std::ostream& operator<<(std::ostream& out, Drawn s) {
    return out << drawn_name(s);
}

// A read or write of whole files in the test's folder.
inline std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

class ScreenTest : public ::testing::Test {
  protected:
    void SetUp() override { start(); }
    void TearDown() override { destroy_main_window(); }

    // Start-up in the test's folder, with the globals as at program start.
    void start() {
        reset_screen_state();
        headless_reset();
        ASSERT_TRUE(start_program());
        paint_images();
        headless_clear_audio_log();
    }

    // The program clock counts calendar seconds on top of milliseconds, so a
    // deadline is reached by watching clock_now, not by summing milliseconds.
    // advance_to stops at the last moment the deadline has not yet passed.
    void advance_to(int32_t deadline) {
        for (int32_t left = clock_diff(deadline, clock_now()); left > 1;
             left = clock_diff(deadline, clock_now())) {
            headless_advance(static_cast<uint32_t>(left > 2000 ? left - left / 100
                                                   : left > 20 ? left - 10
                                                               : 1));
        }
        ASSERT_FALSE(clock_passed(deadline));
    }
    void advance_past(int32_t deadline) {
        while (!clock_passed(deadline)) headless_advance(1);
    }

    void tick() { screen_handlers.on_tick(); }
    void click(int32_t x, int32_t y) { screen_handlers.on_click(x, y); }
    void move(int32_t x, int32_t y) { screen_handlers.on_mouse_move(x, y); }
    void key(int32_t k) { dispatch_event(PEV_KEY_DOWN, k, 0, 0); }

    // Palette index of the last presented picture at (x, y), y downwards.
    uint8_t pixel(int32_t x, int32_t y) const { return gfx_window_indices()[y * 800 + x]; }

    // A picture drawn with its lower-left corner at (left, bottom): its two opposite
    // corners show it, and the board shows one pixel beyond each of its edges.
    void expect_picture_at(int32_t left, int32_t bottom, int32_t width, int32_t height,
                           uint8_t colour) const {
        const int32_t right = left + width - 1, top = bottom - height + 1;
        const int32_t mid_x = left + width / 2, mid_y = top + height / 2;
        EXPECT_EQ(pixel(left, bottom), colour);
        EXPECT_EQ(pixel(right, top), colour);
        EXPECT_EQ(pixel(left - 1, mid_y), BOARD_COLOUR);
        EXPECT_EQ(pixel(right + 1, mid_y), BOARD_COLOUR);
        EXPECT_EQ(pixel(mid_x, top - 1), BOARD_COLOUR);
        EXPECT_EQ(pixel(mid_x, bottom + 1), BOARD_COLOUR);
    }

    // Runs one tick and tells the screen by the pictures it drew.
    Drawn screen_after_tick() {
        int32_t before = headless_present_count();
        tick();
        if (headless_present_count() == before) return Drawn::other;
        if (pixel(400, 50) == HIGHSCORES_COLOUR) return Drawn::high_scores;
        if (pixel(380, 60) == OPTIONS_COLOUR) return Drawn::options;
        if (pixel(700, 40) == INSTRUCTIONS_COLOUR) return Drawn::instructions;
        if (pixel(300, 100) == QUIT_COLOUR) return Drawn::quit;
        if (pixel(330, 372) == STONE_COLOUR + 1) return Drawn::name_entry;
        if (pixel(300, 160) == GAME_OVER_COLOUR) return Drawn::game_over;
        if (pixel(5, 5) == 0) return Drawn::intro;
        return Drawn::other;
    }

    // How often a sound slot was started, once or looping.
    int32_t plays(int32_t slot, bool looping = false) const {
        const SoundClip* clip = sound_slots[slot].clip;
        if (!clip) return -1;
        std::string line =
            "play " + std::to_string(clip->buffers[0]) + (looping ? " loop" : " once");
        int32_t count = 0;
        for (const std::string& entry : headless_audio_log()) count += entry == line;
        return count;
    }

    // The file's bytes in the test's folder; empty when absent.
    std::vector<uint8_t> file_bytes(const char* name) const { return read_file(dir.file(name)); }

    GameDir dir;
};
