// A started program on the headless backend, in a folder of the test's own, with
// the game's records as at program start and every picture painted one flat colour
// of its own, so that a frame shows plainly what was drawn where.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/headless/headless.h"
#include "replay/replay_state.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "sound/sound.h"
#include "support/game_dir.h"

constexpr uint8_t BOARD_PAINT = 30;
constexpr uint8_t CHECKER_PAINT = 31;
constexpr uint8_t STONE_PAINT = 40;   // stone k is 40 + k
constexpr uint8_t MENU_PAINT = 80;    // menu k is 80 + k
constexpr uint8_t BUTTON_PAINT = 90;  // button k is 90 + k

inline void paint_game_images() {
    std::memset(images.board, BOARD_PAINT, sizeof images.board);
    std::memset(images.checker0, CHECKER_PAINT, sizeof images.checker0);
    std::memset(images.checker1, CHECKER_PAINT, sizeof images.checker1);
    for (int32_t k = 0; k < STONE_COUNT; k++) {
        std::memset(images.stone[k], STONE_PAINT + k, sizeof images.stone[k]);
    }
    for (int32_t k = 0; k < MENU_COUNT; k++) {
        std::memset(images.menu[k], MENU_PAINT + k, sizeof images.menu[k]);
    }
    for (int32_t k = 0; k < BUTTON_COUNT; k++) {
        std::memset(images.button[k], BUTTON_PAINT + k, sizeof images.button[k]);
    }
}

// The records of the game and the screens as they are when the program starts.
inline void reset_fixture_records() {
    game = {};
    game.kind_count = 3;
    board = {};
    profile = {1, 3, 1, 0};
    std::memset(high_scores, 0, sizeof high_scores);
    clock_last_seconds = 0;
    paused_button_picture = 4;
    paused_button_second = 0;
    game_srand(1);
}

class GameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        reset_fixture_records();
        headless_reset();
        headless_set_calendar_base(CALENDAR_BASE);
        ASSERT_TRUE(start_program());
        paint_game_images();
        headless_clear_audio_log();
    }
    void TearDown() override { destroy_main_window(); }

    static constexpr int64_t CALENDAR_BASE = 1000000;

    // A new game at a difficulty, from the menu's new game action.
    void new_game(int32_t difficulty = 3) {
        profile.difficulty = difficulty;
        start_game();
        headless_clear_audio_log();
    }

    // Fills the board by rows, bottom row first; '.' is the gap. Each string holds
    // one row's kinds as digits or letters a.. for 10.. (e.g. "01.23").
    void set_board(const std::vector<std::string>& rows) {
        board.rows = static_cast<int32_t>(rows.size());
        board.cols = static_cast<int32_t>(rows[0].size());
        board.left_x = ((MAX_COLS - board.cols) / 2) * CELL_SIZE + 225;
        board.bottom_y = 574;
        for (int32_t r = 0; r < board.rows; r++) {
            for (int32_t c = 0; c < board.cols; c++) {
                Cell& cell = board.cells[r * board.cols + c];
                char ch = rows[r][c];
                cell = {r, c, ch == '.' ? NO_STONE : kind_of(ch), 1, 0};
                if (ch == '.') board.gap = r * board.cols + c;
            }
        }
    }
    void set_preview(const std::string& kinds) {
        for (size_t c = 0; c < kinds.size(); c++) board.preview[c] = kind_of(kinds[c]);
    }
    // One board row as the string set_board takes.
    std::string row_text(int32_t r) const {
        std::string text;
        for (int32_t c = 0; c < board.cols; c++) {
            int32_t kind = board.cells[r * board.cols + c].kind;
            text += kind == NO_STONE ? '.' : (kind < 10 ? char('0' + kind) : char('a' + kind - 10));
        }
        return text;
    }
    static int32_t kind_of(char ch) { return ch >= 'a' ? 10 + (ch - 'a') : ch - '0'; }

    // Screen centre of a cell.
    int32_t cell_x(int32_t c) const { return board.left_x + CELL_SIZE * c + CELL_SIZE / 2; }
    int32_t cell_y(int32_t r) const { return board.bottom_y - CELL_SIZE * r - CELL_SIZE / 2; }

    void tick() { screen_handlers.on_tick(); }
    void click(int32_t x, int32_t y) { screen_handlers.on_click(x, y); }
    void click_cell(int32_t r, int32_t c) { click(cell_x(c), cell_y(r)); }
    void move(int32_t x, int32_t y) { screen_handlers.on_mouse_move(x, y); }
    void key(int32_t k) { dispatch_event(PEV_KEY_DOWN, k, 0, 0); }
    // A whole move: the click with its first frame, then the landing tick.
    void slide(int32_t r, int32_t c) {
        click_cell(r, c);
        tick();
    }

    // Palette index of the last presented picture at (x, y), y downwards.
    uint8_t pixel(int32_t x, int32_t y) const { return gfx_window_indices()[y * 800 + x]; }

    int32_t remaining() const { return clock_diff(game.deadline, clock_now()); }

    // How often a sound slot was started once since the log was last cleared.
    int32_t plays(int32_t slot) const {
        const SoundClip* clip = sound_slots[slot].clip;
        if (!clip) return -1;
        std::string line = "play " + std::to_string(clip->buffers[0]) + " once";
        int32_t count = 0;
        for (const std::string& entry : headless_audio_log()) count += entry == line;
        return count;
    }

    GameDir dir;
};
