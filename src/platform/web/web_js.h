// The page's half of the web backend: functions of web/ (window.js, events.js,
// cursor.js, pads.js, audio.js, saves.js, recordings.js, touch.js) that the C++
// half calls (EM_JS wrappers defined beside their callers), and what the two
// halves share.
#pragma once

#include <cstdint>

// The game's folder in the page's in-memory file system: data/ is unpacked into
// it before the program starts, and the sounds' stand-ins (below) are written
// there at start.
constexpr const char* kWebGameFolder = "/cairnfall";
// Where the recorder writes a session before the page keeps it in its storage.
constexpr const char* kWebRecordingFolder = "/cairnfall/recordings";

// Keeps the file being recorded in the page's storage when it has grown and at
// least half a second has passed since the last time. (The page keeps it once
// more when the program ends or the tab closes.)
void web_keep_recording();

// In the page the sounds are made by a worker (web/sound-worker.js) once the
// game shows its first picture. Until then data/ holds a stand-in for each: a
// WAV whose samples are the bytes "CFSOUND" and the sound's digit; the audio
// layer plays the real sound in its place once it has come.
constexpr char kStandInMark[] = "CFSOUND";
constexpr uint32_t kStandInBytes = 8;
// Writes the stand-ins data_dir/sound0_ .. sound8_; false when one could not be.
bool web_write_sound_stand_ins(const char* data_dir);
