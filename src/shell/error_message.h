// Start-up errors as a player reads them: in a message box that fits an
// 800x600 screen, and the same text on standard error.
#pragma once

#include <cstddef>

// Characters a line of a message box holds on an 800-pixel screen.
constexpr size_t kMessageColumns = 64;

// Breaks a message into lines of at most kMessageColumns characters at its
// spaces, keeping the breaks it has. A path (a word that starts with '/' or
// "./") stands on a line of its own, broken after a '/' when it is longer than
// a line. The result is cut short, still terminated, when `out` is too small.
void wrap_message(const char* text, char* out, size_t size);

// Shows a start-up error, wrapped, in the error box and on standard error.
void show_error_message(const char* text);

// What to do about missing or damaged game data.
extern const char* const MSG_REINSTALL;
