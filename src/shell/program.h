// The whole program: finding its data, start-up, the handles it holds, shutdown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Puts every record of the game, the screens and the shell back to its value at
// process start (the platform and its choices stay), so that the next
// start_program in this process runs as a fresh process would. Tests, the replay
// tool and the fuzzers call it before each start.
void reset_program_state();
// Opens the window and runs start-up in the current folder (which may end the
// program at once on a display error). True while the window exists. Tests and
// replays use it from a folder of their own that holds (or links) data/.
bool start_program();
// Finds the game's data (beside the program or installed) and makes the folder
// holding it the working folder, then start_program.
bool open_program();
// open_program, then the main loop. The whole program; returns its exit status.
int32_t run_program();

// The folder holding the game's data/ ("." when the program runs in it, as tests
// do); messages name files by it.
extern char game_folder[4096];
// The program's exit status: 1 once start-up failed, else 0.
extern int32_t exit_status;
// The program's version ("1.0.0").
extern const char* const PROGRAM_VERSION;
// Reads the command line: --window, --fullscreen, --scale=nearest|crisp set the
// display choices; --help and --version print to `out`; an unknown option prints
// the usage to `err`. Returns the exit status when the program should stop now
// (0, or 2 for a bad command line), else -1.
int32_t parse_command_line(int32_t argc, const char* const* argv, std::FILE* out, std::FILE* err);

// Checks before the window opens that every picture and sound file of the
// catalogue can be read and every picture has the catalogue's size. False, with a
// message naming the file and the data folder, when one cannot be used. A damaged
// sound only warns on standard error.
bool check_game_data(char* problem, size_t size);

// A picture file as the data check read it: every byte its loader can use, which
// is the whole file unless more bytes follow them.
struct CheckedPicture {
    const uint8_t* bytes;
    int64_t length;
    bool whole;
};
// The picture of catalogue entry `index` as the last data check read it; false
// when none did. Loading and the recording's data fingerprint take these bytes,
// so that start-up reads each picture file once.
bool checked_picture(int32_t index, CheckedPicture* picture);
// Frees the pictures the data check read (start-up, once it has loaded them).
void reset_checked_pictures();

// Loads the saved files, opens the display, makes the handles
// (runtime/handles.h) and the pictures, and enters the intro. shutdown
// (runtime/handles.h) releases what it made.
void startup();

// Start-up's two display messages.
extern const char* const MSG_CANNOT_SET_DESKTOP;
extern const char* const MSG_CHANGE_DESKTOP;
