// The XDG base folders of the Linux desktop.
#pragma once

#include <cstddef>

// An XDG base folder's path for the game: $<variable>/cairnfall/<name> when the
// variable holds an absolute path, else $HOME/<fallback>/cairnfall/<name> (the
// account's home when HOME is not absolute); "name" may be empty. False when
// neither is known or the path does not fit.
bool xdg_game_path(const char* variable, const char* fallback, const char* name, char* out,
                   size_t size);
