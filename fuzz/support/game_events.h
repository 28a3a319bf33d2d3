// Drives the whole game on the headless backend from a stream of bytes: clicks,
// mouse moves, keys, focus changes and clock steps through every screen, with the
// board's rules checked after every event. The whole-game fuzzer reads the bytes
// from its input, the soak test from a seeded random generator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/screen_slots.h"

// Bytes handed out one at a time; 0 once they ran out.
struct EventBytes {
    const uint8_t* data;
    size_t size;
    size_t pos;
};

struct GameEventTally {
    int64_t events;                       // events run
    int64_t starts;                       // program start-ups (the first, then after F12/quit)
    int64_t screen_events[SCREEN_KINDS];  // events that ended on each Screen
};

extern GameEventTally game_event_tally;

// A fuzzer's start: game_events_open on the game's data/ of the working folder,
// else of the fuzzer's own folder (the build folder); when neither has one, a
// line naming `fuzzer` and an abort.
void game_events_open_for_fuzzer(const char* fuzzer);
// A fuzzer's start, once set up: leaves the driver's folder until the first
// input, and removes it when the process exits.
void game_events_await_inputs();

// Once per process: makes a folder of the driver's own (under /dev/shm or the
// temporary folder) that links data_dir's data/ folder, makes it the working
// folder and the only save folder, and points HOME and XDG_DATA_HOME into it, so
// no saved file of the player is read or written. False when that failed.
bool game_events_open(const char* data_dir);
// Goes back to the working folder of before game_events_open, and into the
// driver's folder again: a fuzzer leaves the folder between inputs, as libFuzzer
// names its corpus and artifacts relative to its own working folder.
void game_events_leave_folder();
void game_events_enter_folder();
// Ends the program, goes back to the working folder of before, removes the
// folder and puts HOME and XDG_DATA_HOME back.
void game_events_close();
// The folder made by game_events_open ("" before).
const std::string& game_events_folder();

// Puts the program into the state a run begins with, cheaply when it still runs:
// the records as at start-up, no saved files, the clock where start-up left it,
// then the screen the setup byte asks for (the intro, the first-run choice, or a
// new game at a difficulty). Starts the program again when it had ended.
// False when the program cannot start.
bool game_events_begin(uint8_t setup);

// Runs one event taken from the bytes and one main loop turn after it. Returns
// what is wrong with the game afterwards, or "" when every rule holds.
std::string game_events_step(EventBytes& bytes);

// A whole run: game_events_begin with the first byte, then events until the bytes
// run out or the program ends. Drawing is most of a run's time, so only about one
// run in 64 (chosen by a hash of the bytes) draws and presents its frames; the
// others run with no buffer active, so nothing is drawn into it or presented.
// The first broken rule, or "".
std::string game_events_run(const uint8_t* data, size_t size);

// What is wrong with the game's records now, or "" when every rule holds: while a
// game is in play (playing or paused, not on the game-over screen with its
// overflowed board) the board keeps the replay tool's rules; on the game and pause
// screens the game is playing or paused accordingly and at most one stone slides.
std::string game_rules_problem();
