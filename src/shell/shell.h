// The application shell: the screen handler slots, the program clock and its
// deadlines, the main loop, start-up with the image catalogue, and shutdown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "platform/events.h"

// ---------------------------------------------------------------- screens

using TickHandler = void (*)();
using PointHandler = void (*)(int32_t x, int32_t y);
using KeyHandler = void (*)(int32_t key);

// The four slots a screen consists of; entering a screen overwrites all four.
struct ScreenHandlers {
    TickHandler on_tick;
    PointHandler on_mouse_move;
    PointHandler on_click;
    KeyHandler on_key;
};

extern ScreenHandlers screen_handlers;

void install_screen(TickHandler tick, PointHandler move, PointHandler click, KeyHandler key);
// Handlers for slots a screen ignores.
void ignore_tick();
void ignore_point(int32_t x, int32_t y);
void ignore_key(int32_t key);

// ---------------------------------------------------------------- clock

// Calendar seconds plus process milliseconds: about one unit per millisecond.
// Only differences mean anything; the value wraps, so sums are formed with
// clock_add and deadlines compared with clock_passed.
int32_t clock_now();
// a + ms without signed overflow (wraps like the 32-bit clock itself).
int32_t clock_add(int32_t a, int32_t ms);
// a - b as a signed difference, wrap-safe.
int32_t clock_diff(int32_t a, int32_t b);
// True when clock_now is strictly past the deadline.
bool clock_passed(int32_t deadline);

// Clock value after which the next tick is due.
extern int32_t tick_deadline;
// One-shot deadline shared by the screens (intro, game over).
extern int32_t screen_timer;

void arm_tick(int32_t ms);
bool tick_due();
int32_t set_screen_timer(int32_t ms);
// Sleeps (without handling events) until tick_due holds.
void wait_for_tick();

// ---------------------------------------------------------------- window and loop

// 1 while the window exists (from start-up to shutdown), 0 otherwise.
extern int32_t main_window;

// Ends the program the way closing the window does: shutdown runs now and the
// main loop returns at its next turn.
void destroy_main_window();
// Shows the whole active buffer in the window.
void present_frame();
// Routes one window event to the handlers (the window procedure).
void dispatch_event(int32_t type, int32_t key, int32_t x, int32_t y);
// One turn of the main loop: every queued event is dispatched; then the tick runs
// when it is due, or else the loop sleeps until the next event or the tick's
// deadline. False once the window has been destroyed.
bool main_loop_turn();
// Runs turns until the window is destroyed; returns the exit code.
int32_t run_main_loop();
// Makes the folder holding the executable the working directory.
void enter_program_directory();
// Opens the window and runs start-up in the current folder (which may end the
// program at once on a display error). True while the window exists. Tests and
// replays use it from a folder of their own that holds (or links) data/.
bool start_program();
// Enters the program's folder, finds the game's data (beside the program or
// installed), then start_program.
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

// ---------------------------------------------------------------- session recording

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
// For --watch: loads the recording to play in place of the machine's inputs.
// False, with a line on standard error, when it cannot be played here.
bool load_watched_recording();
// Starts recording the session as record_choice says (not while watching).
void start_recording();
// Ends the recording, or the playback (a playback that did not reach its end
// says why and makes the exit status 1).
void end_session_tape();

// Checks before the window opens that every picture and sound file of the
// catalogue can be read and every picture has the catalogue's size. False, with a
// message naming the file and the data folder, when one cannot be used. A damaged
// sound only warns on standard error.
bool check_game_data(char* problem, size_t size);

// ---------------------------------------------------------------- start-up

void startup();
void shutdown();

// The images, sizes and counts of the catalogue.
constexpr int32_t BOARD_W = 800, BOARD_H = 600;
constexpr int32_t OPTIONS_W = 310, OPTIONS_H = 484;
constexpr int32_t INSTRUCTIONS_W = 547, INSTRUCTIONS_H = 550;
constexpr int32_t HIGHSCORES_W = 243, HIGHSCORES_H = 31;
constexpr int32_t CHECKER0_W = 75, CHECKER1_W = 125, CHECKER_H = 600;
constexpr int32_t QUIT_W = 485, QUIT_H = 243;
constexpr int32_t GAME_OVER_W = 470, GAME_OVER_H = 60;
constexpr int32_t SPLASH_W = 600, SPLASH_STRIP_H = 60, SPLASH_TITLE_H = 300;
constexpr int32_t STONE_SIZE = 50, STONE_COUNT = 31;
constexpr int32_t BUTTON_W = 180, BUTTON_H = 42;
constexpr int32_t MENU_COUNT = 5, BUTTON_COUNT = 6;

// Every picture of the game, loaded once at start-up into fixed storage.
struct ImageCatalogue {
    uint8_t board[BOARD_W * BOARD_H];
    uint8_t options[OPTIONS_W * OPTIONS_H];
    uint8_t instructions[INSTRUCTIONS_W * INSTRUCTIONS_H];
    uint8_t highscores[HIGHSCORES_W * HIGHSCORES_H];
    uint8_t checker0[CHECKER0_W * CHECKER_H];
    uint8_t checker1[CHECKER1_W * CHECKER_H];
    uint8_t quit[QUIT_W * QUIT_H];
    uint8_t game_over[GAME_OVER_W * GAME_OVER_H];
    uint8_t splash1[SPLASH_W * SPLASH_STRIP_H];
    uint8_t splash2[SPLASH_W * SPLASH_STRIP_H];
    uint8_t splash3[SPLASH_W * SPLASH_TITLE_H];
    uint8_t stone[STONE_COUNT][STONE_SIZE * STONE_SIZE];
    uint8_t menu[MENU_COUNT][BUTTON_W * BUTTON_H];
    uint8_t button[BUTTON_COUNT][BUTTON_W * BUTTON_H];
};

extern ImageCatalogue images;

// One row of the catalogue: what start-up loads, from where, and how.
struct CatalogueEntry {
    const char* name;  // "board", "stone7", ...
    const char* file;  // "data/board_", "data/stone7_", ...
    uint8_t* pixels;   // storage in `images`
    int32_t width;
    int32_t height;
    bool colour_key;  // remap 195 to transparent after loading
};

// The whole catalogue in loading order (board first, button5 last).
int32_t catalogue_size();
const CatalogueEntry& catalogue_entry(int32_t index);

constexpr int32_t COLOUR_KEY = 195;         // see-through index of keyed pictures
constexpr int32_t COLOUR_KEY_OUTLINE = 68;  // what keyed pictures' index 0 becomes

// Loads one picture into its storage; the loader's result.
int32_t load_asset(uint8_t* image, const char* file, int32_t width, int32_t height);
void remap_colour_key(uint8_t* image, int32_t width, int32_t height, int32_t key,
                      int32_t replacement);

// The window's device context, the palette, the font and the cursor of the game.
extern int32_t window_dc;
extern int32_t game_palette;
extern int32_t game_font;
extern int32_t game_cursor;
// The two 800x600 buffers: every screen draws into the first; the second caches
// the game board's background.
extern int32_t active_buffer;
extern int32_t backdrop_buffer;

// Start-up's two display messages.
extern const char* const MSG_CANNOT_SET_DESKTOP;
extern const char* const MSG_CHANGE_DESKTOP;
