// Text views of the game's records, for replay scripts and tests.
#pragma once

#include <cstdint>
#include <string>

// The screen, the Game and Board records and the rows, top row first.
std::string replay_state_text();
// One board row's kinds left to right, "." for the gap: "2 1 . 0 3".
std::string replay_row_text(int32_t row);
// The preview row's kinds: "2 1 4 0 3".
std::string replay_preview_text();
// What is wrong with the board of a game in play, or "" when every rule holds:
// exactly one gap among the first rows x cols cells and `gap` its index, rows
// within 2..10, row and col matching each index, kinds within 0..30.
std::string replay_board_problem();
