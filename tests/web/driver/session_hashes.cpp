// Seeded sessions of the whole game on the headless backend, written out as one
// line per presented frame (a 64-bit hash of its pixels) and, after each session,
// the bytes of every saved file, then a session played to a saved high score.
// Built natively and for node: the two outputs of
// the same seeds and data must be equal, byte for byte.
//
// Usage: cairnfall-session-hashes DATA_DIR [SESSIONS [EVENTS [SEED]]]
// DATA_DIR holds the game's data/ folder.
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/headless/headless.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "support/game_events.h"

namespace {

constexpr int32_t PIXELS = 800 * 600;

int64_t frames = 0;

// FNV-1a over whole pixels: every bit of every pixel counts.
void print_frame_hash(const uint32_t* argb, void*) {
    uint64_t hash = 14695981039346656037ull;
    for (int32_t i = 0; i < PIXELS; i++) hash = (hash ^ argb[i]) * 1099511628211ull;
    std::printf("frame %lld %016llx\n", static_cast<long long>(frames++),
                static_cast<unsigned long long>(hash));
}

void print_saved_file(const char* name) {
    std::string path = game_events_folder() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    std::printf("file %s", name);
    if (!file) {
        std::printf(" none\n");
        return;
    }
    std::printf(" ");
    int c;
    while ((c = std::fgetc(file)) != EOF) std::printf("%02x", c);
    std::printf("\n");
    std::fclose(file);
}

void print_session_end(long events) {
    std::printf("events %ld score %d level %d\n", events, game.score, game.level);
    print_saved_file(HIGH_SCORE_FILE);
    print_saved_file(PROFILE_FILE);
}

// One more session, played to a saved high score: a new game whose rows are
// cleared now and then and otherwise run out of time until the board is full,
// then a name. In the driver's own events (game_events.cpp): plant 1 completes
// the gap's row, a click above the gap clears it, plant 2 runs the row's time
// out, turns let the tick run, and keys (13 with a KEYS index) go on past the
// game's end and type the name.
std::string play_to_a_high_score() {
    constexpr uint8_t CLEAR[] = {26, 1, 0, 0, 23, 3, 23, 3, 23, 3};
    constexpr uint8_t TIME_OUT[] = {26, 2, 23, 3, 23, 3, 23, 3, 23, 3};
    constexpr uint8_t ENTER[] = {13, 1, 23, 0};
    constexpr uint8_t NAME[] = {13, 21, 13, 22, 13, 1, 23, 0};
    std::printf("session to a high score\n");
    if (!game_events_begin(8)) return "the program did not start";
    long events = 0;
    for (long round = 0; round < 400 && main_window; round++) {
        const uint8_t* pick = TIME_OUT;
        size_t size = sizeof TIME_OUT;
        if (current_screen == SCREEN_HIGH_SCORES) break;
        if (current_screen == SCREEN_NAME_ENTRY) {
            pick = NAME, size = sizeof NAME;
        } else if (current_screen == SCREEN_GAME_OVER) {
            pick = ENTER, size = sizeof ENTER;
        } else if (round % 4 == 0) {
            pick = CLEAR, size = sizeof CLEAR;
        }
        EventBytes stream = {pick, size, 0};
        while (stream.pos < stream.size && main_window) {
            std::string problem = game_events_step(stream);
            events++;
            if (!problem.empty()) return problem;
        }
    }
    print_session_end(events);
    return "";
}

long number(int argc, char** argv, int index, long fallback) {
    return argc > index ? std::strtol(argv[index], nullptr, 10) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_DIR [SESSIONS [EVENTS [SEED]]]\n", argv[0]);
        return 2;
    }
    // Emscripten starts with umask 0777, which would make the saved files
    // unreadable; the desktop's usual one keeps both builds alike.
    umask(022);
    long sessions = number(argc, argv, 2, 4);
    long events = number(argc, argv, 3, 1500);
    uint32_t seed = static_cast<uint32_t>(number(argc, argv, 4, 20240611));
    if (!game_events_open(argv[1])) {
        std::fprintf(stderr, "%s: no data/ folder in %s\n", argv[0], argv[1]);
        return 1;
    }
    headless_on_present(print_frame_hash, nullptr);
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(4096);
    std::string problem;
    for (long s = 0; s < sessions && problem.empty(); s++) {
        uint8_t setup = static_cast<uint8_t>(random());
        std::printf("session %ld setup %u\n", s, setup);
        if (!game_events_begin(setup)) {
            problem = "the program did not start";
            break;
        }
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
        EventBytes stream = {bytes.data(), bytes.size(), 0};
        long i = 0;
        for (; i < events && main_window && problem.empty(); i++) {
            if (stream.pos + 4 > stream.size) {
                for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
                stream.pos = 0;
            }
            problem = game_events_step(stream);
        }
        print_session_end(i);
    }
    if (problem.empty()) problem = play_to_a_high_score();
    std::printf("frames %lld\n", static_cast<long long>(frames));
    headless_on_present(nullptr, nullptr);
    game_events_close();
    if (!problem.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[0], problem.c_str());
        return 1;
    }
    return 0;
}
