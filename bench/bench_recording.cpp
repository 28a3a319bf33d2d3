// What recording a session costs: one game frame (the main loop turns of one
// 16 ms tick, a game in progress) with the recorder off and on, so that the
// difference is the recorder's share of a frame; and one record alone. The
// recording goes into a file under /tmp, with its compressed chunks written as
// the game does (about every half second of its clock).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "game/game.h"
#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_calls.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "shell/session_tape.h"

namespace {

std::string recording_path() {
    return "/tmp/cairnfall-bench-" + std::to_string(getpid()) + ".rec";
}

// Start-up in the current folder (the build folder, which holds data/) unless the
// program already runs, then a new game at the middle difficulty.
bool prepare_game() {
    if (!main_window) {
        headless_reset();
        if (!start_program()) return false;
    }
    profile.difficulty = 2;
    start_game();
    return main_window != 0;
}

// Main loop turns until one tick of the game has run: on the headless backend a
// turn either waits (its clock jumps to the deadline) or ticks.
void run_frame() {
    // A row that never runs out, so that every frame is an ordinary one.
    game.deadline = clock_add(clock_now(), 50000);
    int32_t before = tick_deadline;
    for (int32_t turn = 0; turn < 8 && tick_deadline == before; turn++) main_loop_turn();
}

// A timed frame. Out of line, so that callgrind can count a frame's instructions
// alone (--toggle-collect='*timed_frame*').
__attribute__((noinline)) void timed_frame() {
    run_frame();
}

void start_recording(benchmark::State& state) {
    char header[256];
    recording_header(header, sizeof header);
    std::string path = recording_path();
    std::remove(path.c_str());
    if (!platform_record_to(path.c_str(), header)) state.SkipWithError("cannot record");
}

// Stops the recording; with `frames`, counts what it holds per frame.
void stop_recording(benchmark::State& state, int64_t frames) {
    platform_record_stop();
    std::string path = recording_path();
    TapeFile file;
    std::string why;
    if (frames > 0 && tape_read_file(path.c_str(), &file, &why)) {
        TapeCoding coding = {};
        TapeRecord record;
        size_t pos = 0;
        int64_t records = 0;
        while (tape_decode(file.stream.data(), file.stream.size(), &pos, &coding, &record, &why) ==
               1) {
            ++records;
        }
        state.counters["records_per_frame"] = static_cast<double>(records) / frames;
        state.counters["stream_bytes_per_frame"] = static_cast<double>(file.stream.size()) / frames;
    }
    std::remove(path.c_str());
}

void game_frames(benchmark::State& state, bool recorded) {
    if (!prepare_game()) {
        state.SkipWithError("the program did not start");
        return;
    }
    // Past the new game's first seconds, to the frames of ordinary play.
    for (int32_t i = 0; i < 300; i++) run_frame();
    if (recorded) start_recording(state);
    for (auto _ : state) timed_frame();
    if (recorded) stop_recording(state, static_cast<int64_t>(state.iterations()));
    if (!main_window) state.SkipWithError("the game ended");
}

void BM_FrameNotRecorded(benchmark::State& state) {
    game_frames(state, false);
}
BENCHMARK(BM_FrameNotRecorded)->Unit(benchmark::kMicrosecond);

void BM_FrameRecorded(benchmark::State& state) {
    game_frames(state, true);
}
BENCHMARK(BM_FrameRecorded)->Unit(benchmark::kMicrosecond);

// One clock reading 16 ms on from the last, the most common record, including its
// share of the compressed chunks.
void BM_TapeRecordTicks(benchmark::State& state) {
    start_recording(state);
    TapeRecord record;
    record.kind = TAPE_TICKS;
    for (auto _ : state) {
        record.ticks += 16;
        tape_record(record);
    }
    stop_recording(state, 0);
}
BENCHMARK(BM_TapeRecordTicks)->Unit(benchmark::kNanosecond);

// The same reading through the platform call, recorder off and on: what the game
// pays at each of its clock readings.
void BM_TicksCall(benchmark::State& state) {
    bool recorded = state.range(0) != 0;
    if (recorded) start_recording(state);
    for (auto _ : state) {
        headless_advance(16);
        benchmark::DoNotOptimize(platform_ticks_ms());
    }
    if (recorded) stop_recording(state, 0);
}
BENCHMARK(BM_TicksCall)->Arg(0)->Arg(1)->Unit(benchmark::kNanosecond);

}  // namespace
