// Keyboard play driven by replay scripts: a prepared board, the outcome of a run
// (what it printed, its sounds and its last picture) to compare a key with the
// click it stands for.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "e2e_support.h"

// What a run left behind.
struct Outcome {
    int32_t result = -1;
    std::string output;
    std::vector<std::string> audio;
    std::vector<uint32_t> frame;
};

class Keyboard : public EndToEnd {
  protected:
    // Runs a script from a first run (no saved files) and keeps its outcome.
    Outcome play(const std::string& script) {
        std::remove(dir.file("profile.dat").c_str());
        std::remove(dir.file("cairnfall.dat").c_str());
        Outcome outcome;
        outcome.result = replay_run(script.c_str(), &outcome.output);
        outcome.audio = headless_audio_log();
        const uint32_t* picture = headless_last_frame();
        outcome.frame.assign(picture, picture + 800 * 600);
        EXPECT_EQ(outcome.result, 0) << outcome.output;
        return outcome;
    }

    // Runs both scripts and expects the same run from each.
    void expect_same_run(const std::string& a, const std::string& b) {
        Outcome first = play(a);
        Outcome second = play(b);
        EXPECT_EQ(first.output, second.output);
        EXPECT_EQ(first.audio, second.audio);
        EXPECT_TRUE(first.frame == second.frame) << "the last pictures differ";
    }
};

// A three-row, five-column board of distinct kinds (none special) with the gap
// at (gap_row, gap_col), under a preview row that no row matches.
struct TestBoard {
    int32_t kind[3][5];
    int32_t gap_row;
    int32_t gap_col;

    TestBoard(int32_t row, int32_t col) : gap_row(row), gap_col(col) {
        for (int32_t r = 0; r < 3; r++) {
            for (int32_t c = 0; c < 5; c++) {
                int32_t k = r * 5 + c;
                kind[r][c] = k < 3 ? k : k + 1;  // kind 3 is the special stone
            }
        }
        kind[row][col] = -1;
    }

    // The board after the stone on the far side of a move in screen direction
    // (dx, dy) slid into the gap; false when there is no stone there.
    bool move(int32_t dx, int32_t dy) {
        int32_t r = gap_row + dy;  // board rows count upwards
        int32_t c = gap_col - dx;
        if (r < 0 || r >= 3 || c < 0 || c >= 5) return false;
        kind[gap_row][gap_col] = kind[r][c];
        kind[r][c] = -1;
        gap_row = r;
        gap_col = c;
        return true;
    }

    std::string row_text(int32_t r) const {
        std::string text;
        for (int32_t c = 0; c < 5; c++) {
            text += " " + (kind[r][c] < 0 ? std::string(".") : std::to_string(kind[r][c]));
        }
        return text;
    }
    // Lays the board out in a running game.
    std::string setup() const {
        std::string script = "expect board.cols 5\nset board.rows 3\n";
        for (int32_t r = 0; r < 3; r++) script += "row " + std::to_string(r) + row_text(r) + "\n";
        return script + "preview 30 30 30 30 30\ncheck\n";
    }
    // Checks that the game's board is this one.
    std::string expectation() const {
        std::string script = "expect board.rows 3\n";
        for (int32_t r = 0; r < 3; r++) {
            script += "expect row " + std::to_string(r) + row_text(r) + "\n";
        }
        return script;
    }
};
