// Fuzzes the whole game: the input's bytes become clicks, mouse moves, keys, focus
// changes and clock steps through every screen on the headless backend (see
// support/game_events.h for the encoding), and the board's rules are checked after
// every event; only a small share of the inputs draws its frames (see
// game_events_run). The program starts once per process; each input begins from
// the records as at start-up, and only an input that ended the program (F12, quit)
// costs a new start-up. The game runs in a folder of the fuzzer's own, entered
// for each input only, so libFuzzer's relative paths keep working; an ASan
// report from inside the game may leave its artifact there: pass an absolute
// -artifact_prefix.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/game_events.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    game_events_open_for_fuzzer("fuzz_game");
    game_events_await_inputs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    game_events_enter_folder();
    std::string problem = game_events_run(data, size);
    game_events_leave_folder();
    if (!problem.empty()) {
        std::fprintf(stderr, "fuzz_game: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
