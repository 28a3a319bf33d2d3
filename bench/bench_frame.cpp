// One full game frame on the largest board beside one presentation alone, to tell
// what share of the 16 ms tick a frame costs. Runs on the headless backend, whose
// presentation converts the picture through the palette as the real one does.
#include <benchmark/benchmark.h>

#include <chrono>

#include "game/game.h"
#include "platform/headless/headless.h"
#include "screens/screens.h"
#include "shell/clock.h"
#include "shell/main_loop.h"
#include "shell/program.h"

namespace {

// Start-up in the current folder (the build folder, which holds data/), then a
// game on an 11-column board of 10 rows.
bool prepare_big_board() {
    static bool ready = false;
    if (ready) return main_window != 0;
    ready = true;
    headless_reset();
    if (!start_program()) return false;
    profile.difficulty = 3;
    start_game();
    game.size_index = 3;
    game.kind_count = 12;
    generate_board();
    for (int32_t r = board.rows; r < MAX_ROWS; r++) {
        for (int32_t c = 0; c < board.cols; c++) {
            board.cells[r * board.cols + c] = {r, c, (r * 7 + c * 3) % 12, 1, 0};
        }
    }
    board.rows = MAX_ROWS;
    generate_preview();
    rebuild_backdrop();
    return true;
}

// The wall time of one iteration as a percentage of the 16 ms tick.
void report_tick_share(benchmark::State& state, std::chrono::steady_clock::time_point begin) {
    std::chrono::duration<double> spent = std::chrono::steady_clock::now() - begin;
    if (state.iterations() == 0) return;
    double per_frame = spent.count() / static_cast<double>(state.iterations());
    state.counters["tick_share_pct"] = per_frame / 0.016 * 100.0;
}

void BM_GameFrame(benchmark::State& state) {
    if (!prepare_big_board()) {
        state.SkipWithError("the program did not start");
        return;
    }
    auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) {
        // A row that never runs out, so that every frame is an ordinary one.
        game.deadline = clock_add(clock_now(), 50000);
        game_on_tick();
    }
    report_tick_share(state, begin);
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

void BM_PresentOnly(benchmark::State& state) {
    if (!prepare_big_board()) {
        state.SkipWithError("the program did not start");
        return;
    }
    auto begin = std::chrono::steady_clock::now();
    for (auto _ : state) present_frame();
    report_tick_share(state, begin);
}
BENCHMARK(BM_PresentOnly)->Unit(benchmark::kMicrosecond);

}  // namespace
