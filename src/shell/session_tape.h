// The session's recording: what to record, the header that names the game, playing a recording
// back.
#pragma once

#include <cstddef>
#include <cstdint>

// What to record: a new file in recordings/ of the save folder (the program's
// default), the file named by --record, or nothing (--no-record; and for tests
// and tools, which never parse a command line).
enum RecordChoice : int32_t { RECORD_SESSION, RECORD_FILE, RECORD_OFF };
extern int32_t record_choice;
// The file of --record FILE.
extern char record_path[4096];
// The recording --watch FILE plays in the window ("" to play the game).
extern char watch_path[4096];

// A 64-bit fingerprint of every picture and sound file of the game's data.
uint64_t data_checksum();
// This build's identifier: a hash of the sources that decide what the game does
// (cmake/build_id.cmake), generated at build time.
extern const char BUILD_ID[];
// Reads the build a recording's header names into build[size]; false when it
// names none (a recording made before headers named their build).
bool read_recording_build(const char* header, char* build, size_t size);
// The header a recording of this game starts with: its version, build and data.
void recording_header(char* header, size_t size);
// Reads the version (into version[size]) and the data fingerprint a recording's
// header names; false when it names neither.
bool read_recording_header(const char* header, char* version, size_t size, uint64_t* data);
// True when a recording's header names this version, build and data; otherwise
// `problem` says which differs, naming the recording `name`.
bool check_recording_header(const char* header, const char* name, char* problem, size_t size);
// Plays the recording in `path` in place of the machine's inputs (`watch`: at
// its own pace, as --watch does) once its header names this version, build and
// data.
// Otherwise nothing plays and `problem` says why, naming the file.
bool play_recording(const char* path, bool watch, char* problem, size_t size);
// Starts recording the session as record_choice says (not while watching).
void start_recording();
// Ends the recording, or the playback (a playback that did not reach its end
// says why and makes the exit status 1).
void end_session_tape();
