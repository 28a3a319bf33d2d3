// Runs the real game on the headless backend from a plain-text script of timed
// input, checks and pictures. The script format is described in README.md beside
// this file.
#pragma once

#include <cstdint>
#include <string>

// Runs a whole script in the current working folder, which must hold (or link) the
// game's data/ folder; saved files are read and written there. Pictures taken with
// `shot` go to shot_dir (the current folder when null or empty). Everything the
// script prints, and the reason of a failure, is appended to *output (may be null).
// Returns 0 when every line ran and every check held, 1 otherwise.
int32_t replay_run(const char* script, std::string* output, const char* shot_dir = nullptr);
