// One full game frame on the largest board beside one presentation alone, to tell
// what share of the 16 ms tick a frame costs. Runs on the headless backend, whose
// presentation converts the picture through the palette as the real one does.
#include <benchmark/benchmark.h>

#include <chrono>

#include "big_board.h"
#include "platform/headless/headless.h"
#include "runtime/main_loop.h"

namespace {

bool prepare_big_board() {
    static bool ready = false;
    if (ready) return main_window != 0;
    ready = true;
    headless_reset();
    return start_big_board_game();
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
        big_board_frame();
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
