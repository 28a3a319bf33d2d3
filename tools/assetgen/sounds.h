// The game's sounds, synthesised in code: nine PCM WAV files, sound0_ (the
// looping music) to sound8_ (short effects), written byte-for-byte the same on
// every run.
#pragma once

// Writes data_dir/sound0_ .. data_dir/sound8_ (no extension; data_dir must exist).
// Returns false if a file could not be written.
bool write_game_sounds(const char* data_dir);
