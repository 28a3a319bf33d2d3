// What watching a long session costs: records a seeded session of the real game
// (games played with the arrow keys, new ones started from the menu) on the
// headless backend, then watches it: the first pass to its end, then jumps to
// points across it, backwards and forwards, each timed from the request to its
// frame shown. Prints the times, the bytes the snapshots hold and the length of
// the recording's link. Built natively and for node (the page's wasm).
//
// Usage: cairnfall-watch-timing DATA_DIR MINUTES [SEED [--keep FILE]]
// DATA_DIR holds the game's data/ folder; --keep writes the recording to FILE.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "shell/program.h"
#include "shell/recording_link.h"
#include "shell/session_tape.h"
#include "shell/watch.h"
#include "support/game_events.h"

namespace {

double now_ms() {
    return std::chrono::duration<double, std::milli>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The player: arrows while a game runs; elsewhere the menu's first button (a
// new game), Enter, and a letter for a name.
void play_input(std::mt19937& random) {
    static const int32_t kArrows[] = {KEY_LEFT, KEY_UP, KEY_RIGHT, KEY_DOWN};
    switch (current_screen) {
        case SCREEN_GAME:
            headless_push_key(kArrows[random() % 4]);
            break;
        case SCREEN_QUIT:
            headless_push_key(KEY_N);
            break;
        case SCREEN_NAME_ENTRY:
            headless_push_key(random() % 3 ? static_cast<int32_t>(KEY_A + random() % 26)
                                           : KEY_ENTER);
            break;
        default:
            if (random() % 2) {
                headless_push_click(100, 317);
            } else {
                headless_push_key(KEY_ENTER);
            }
            break;
    }
}

bool record_session(const std::string& path, int64_t minutes, uint32_t seed) {
    reset_program_state();
    headless_reset();
    headless_set_calendar_base(1700000000 + seed);
    char header[256];
    recording_header(header, sizeof header);
    if (!platform_record_to(path.c_str(), header)) return false;
    std::mt19937 random(seed);
    uint32_t start = device_ticks_ms();
    int64_t length = minutes * 60000;
    if (start_program()) {
        while (main_window && static_cast<int64_t>(device_ticks_ms() - start) < length) {
            play_input(random);
            int32_t turns = 1 + static_cast<int32_t>(random() % 24);
            for (int32_t t = 0; t < turns && main_window; ++t) main_loop_turn();
        }
        headless_push_event({PEV_CLOSE, 0, 0, 0});
        while (main_loop_turn()) {
        }
    }
    platform_record_stop();
    std::printf("recorded %.1f min\n", (device_ticks_ms() - start) / 60000.0);
    return true;
}

// Runs the loop until the request made before is done: one turn does it.
double timed(void (*request)(int64_t), int64_t arg) {
    double t = now_ms();
    request(arg);
    watch_turn();
    return now_ms() - t;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr,
                     "usage: cairnfall-watch-timing DATA_DIR MINUTES [SEED [--keep FILE]]\n");
        return 2;
    }
    int64_t minutes = std::atoll(argv[2]);
    uint32_t seed = argc > 3 ? static_cast<uint32_t>(std::atoll(argv[3])) : 1;
    std::string keep = argc > 5 && std::string(argv[4]) == "--keep" ? argv[5] : "";
    if (!game_events_open(argv[1])) return 1;
    std::string path = game_events_folder() + "/session.rec";
    if (!record_session(path, minutes, seed)) return 1;
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (!keep.empty())
        std::ofstream(keep, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    std::printf("recording %zu bytes, link %zu characters\n", bytes.size(),
                std::string(RECORDING_LINK_PREFIX).size() +
                    recording_link_text(bytes.data(), bytes.size()).size());

    headless_reset();
    if (!watch_open(bytes.data(), bytes.size(), "session.rec") || !watch_begin()) {
        std::fprintf(stderr, "cannot watch: %s\n", watch_state().problem);
        return 1;
    }
    double first = timed([](int64_t) { watch_command(WATCH_END, 0); }, 0);
    WatchState s = watch_state();
    std::printf("first pass to the end: %.0f ms for %.1f s of session, %lld frames\n", first,
                s.position_ms / 1000.0, static_cast<long long>(watch_frame()));
    std::printf("snapshots hold %.1f MB\n", watch_bytes_held() / 1048576.0);
    // Jumps across the session, backwards and forwards, and frame steps back.
    std::mt19937 random(seed);
    double worst = 0, sum = 0;
    int32_t count = 40;
    for (int32_t i = 0; i < count; ++i) {
        int64_t to = static_cast<int64_t>(random() % static_cast<uint32_t>(s.duration_ms + 1));
        double t = timed(watch_seek, to);
        worst = t > worst ? t : worst;
        sum += t;
    }
    std::printf("jumps: %d, mean %.1f ms, slowest %.1f ms\n", count, sum / count, worst);
    double step_worst = 0;
    for (int32_t i = 0; i < 20; ++i) {
        double t = timed([](int64_t) { watch_command(WATCH_FRAME, -1); }, 0);
        step_worst = t > step_worst ? t : step_worst;
    }
    std::printf("frame steps back: slowest %.1f ms\n", step_worst);
    watch_leave();
    watch_turn();
    watch_end();
    game_events_close();
    return 0;
}
