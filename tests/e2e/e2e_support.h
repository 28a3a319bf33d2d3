// Whole runs of the program driven by replay scripts, each in a folder of its own
// that links the generated data/ and keeps the run's saved files.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx/gfx.h"
#include "platform/headless/headless.h"
#include "replay/replay.h"
#include "support/game_dir.h"

// Places on the picture a player clicks.
namespace at {
constexpr const char* NEW_GAME = "100 317";
constexpr const char* INSTRUCTIONS = "100 359";
constexpr const char* OPTIONS = "100 401";
constexpr const char* HIGH_SCORES = "100 443";
constexpr const char* QUIT = "100 485";
}  // namespace at

class EndToEnd : public ::testing::Test {
  protected:
    // Runs a script; a failure shows the script's output.
    void run(const std::string& script) {
        std::string output;
        int32_t result = replay_run(script.c_str(), &output);
        EXPECT_EQ(result, 0) << output;
    }

    std::vector<uint8_t> file(const char* name) const {
        std::ifstream in(dir.file(name), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
    void write(const char* name, const std::vector<uint8_t>& bytes) const {
        std::ofstream out(dir.file(name), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    bool exists(const char* name) const { return std::ifstream(dir.file(name)).good(); }

    // The last picture the run presented, as colours (ARGB), y downwards.
    uint32_t frame(int32_t x, int32_t y) const { return headless_last_frame()[y * 800 + x]; }
    // The colour a palette index is shown in.
    static uint32_t colour(uint8_t index) {
        uint32_t argb = 0;
        gfx_convert_row(&index, &argb, 1);
        return argb;
    }

    GameDir dir;
};

// The steps that reach a screen from the start of a first run (no saved files).
namespace reach {
inline std::string click(const char* where) {
    return std::string("move ") + where + "\nclick " + where + "\nwait 50\n";
}
const std::string OPTIONS = "start\nkey esc\nwait 50\nexpect screen options\n";
const std::string GAME = OPTIONS + click(at::NEW_GAME) + "expect screen game\n";
// Four time-outs in a row fill the board up to its eleventh row.
const std::string GAME_OVER = GAME +
                              "set game.score 1234\n"
                              "set game.deadline 0\nwait 2000\n"
                              "set game.deadline 0\nwait 2000\n"
                              "set game.deadline 0\nwait 2000\n"
                              "set game.deadline 0\nwait 2000\n"
                              "expect screen game_over\n"
                              "wait 700\n";  // past the moment clicks and Enter wait out
}  // namespace reach
