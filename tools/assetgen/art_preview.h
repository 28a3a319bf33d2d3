// Previews of the artwork: the contact sheet of every picture, and mock screens
// that lay the pictures out as the game does.
#pragma once

#include <cstdint>

// Every picture on a neutral background with its name; see-through parts of the
// colour-keyed pictures show the background.
bool write_contact_sheet(const char* png_path);
// Mock screens (game, pause, options, high scores, name entry, instructions,
// quit, game over, intro) and enlarged stones, as PNG files in dir.
bool write_previews(const char* dir);
