// The game's sounds, synthesised in code: nine PCM WAV files, sound0_ (the
// looping music) to sound8_ (short effects), written byte-for-byte the same on
// every run.
#pragma once

#include <cstdint>

constexpr int32_t GAME_SOUND_COUNT = 9;

// Writes data_dir/sound0_ .. data_dir/sound8_ (no extension; data_dir must exist).
// Returns false if a file could not be written.
bool write_game_sounds(const char* data_dir);
// Writes sound `index` (0 to 8) into the file `path`; false when it could not.
bool write_game_sound(const char* path, int32_t index);
