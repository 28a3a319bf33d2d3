// Recorded sessions for the tests: the real game on the headless backend, driven
// by seeded random input while the session is recorded, with the hash of every
// frame presented.
#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/common/tape/tape.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "replay/replay.h"
#include "replay/tape_text.h"
#include "runtime/main_loop.h"
#include "shell/program.h"
#include "shell/session_tape.h"

inline void collect_frame(const uint32_t* argb, void* frames) {
    static_cast<std::vector<uint64_t>*>(frames)->push_back(frame_hash(argb));
}

// Places worth clicking: the menu buttons, the options' choices, the board, the
// name entry's keys, the dialogs' buttons; and anywhere at all.
inline void random_click(std::mt19937& random, int32_t* x, int32_t* y) {
    static const int32_t kPlaces[][2] = {
        {100, 317}, {100, 375}, {100, 433}, {100, 491}, {100, 549}, {300, 150}, {300, 250},
        {400, 300}, {450, 350}, {500, 400}, {550, 450}, {600, 500}, {350, 520}, {470, 330},
    };
    if (random() % 3 == 0) {
        *x = static_cast<int32_t>(random() % 820) - 10;
        *y = static_cast<int32_t>(random() % 620) - 10;
        return;
    }
    const int32_t* place = kPlaces[random() % (sizeof kPlaces / sizeof kPlaces[0])];
    *x = place[0] + static_cast<int32_t>(random() % 41) - 20;
    *y = place[1] + static_cast<int32_t>(random() % 41) - 20;
}

// Queues one random input: mostly clicks, moves and the game's keys.
inline void push_random_input(std::mt19937& random) {
    static const int32_t kKeys[] = {27,  32,  13,  8,   37,  38,  39,  40,  'A',
                                    'W', 'S', 'D', 'P', '1', '2', '3', 'E', 'Q'};
    int32_t x, y;
    switch (random() % 8) {
        case 0:
        case 1:
            random_click(random, &x, &y);
            headless_push_click(x, y);
            break;
        case 2:  // a finger's tap, with its reach
            random_click(random, &x, &y);
            headless_push_event({PEV_LBUTTON_UP, 45, x, y});
            break;
        case 3:
        case 4:
            random_click(random, &x, &y);
            headless_push_mouse_move(x, y);
            break;
        case 5:
        case 6:
            headless_push_key(kKeys[random() % (sizeof kKeys / sizeof kKeys[0])]);
            break;
        default:
            headless_push_event({random() % 2 ? PEV_FOCUS_LOST : PEV_FOCUS_GAINED, 0, 0, 0});
            break;
    }
}

// Records a session of `inputs` random inputs into `path`, the saved files going
// to `saves`. Returns the hash of every frame the session presented.
inline std::vector<uint64_t> record_random_session(uint32_t seed, int32_t inputs,
                                                   const std::string& path,
                                                   const std::string& saves) {
    std::filesystem::create_directories(saves);
    const char* folder = saves.c_str();
    platform_set_save_folders(&folder, 1);
    reset_program_state();
    headless_reset();
    headless_set_calendar_base(1700000000 + seed);
    std::vector<uint64_t> frames;
    headless_on_present(collect_frame, &frames);
    char header[256];
    recording_header(header, sizeof header);
    platform_record_to(path.c_str(), header);
    std::mt19937 random(seed);
    if (start_program()) {
        for (int32_t i = 0; i < inputs && main_window; ++i) {
            push_random_input(random);
            int32_t turns = 1 + static_cast<int32_t>(random() % 40);
            for (int32_t t = 0; t < turns && main_loop_turn(); ++t) {
            }
        }
        headless_push_event({PEV_CLOSE, 0, 0, 0});
        while (main_loop_turn()) {
        }
    }
    platform_record_stop();
    headless_on_present(nullptr, nullptr);
    return frames;
}

inline std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// True when two records say the same: their kind and the fields its parts fill.
inline bool same_part(TapePart part, const TapeRecord& a, const TapeRecord& b) {
    switch (part) {
        case TAPE_PART_NONE:
            return true;
        case TAPE_PART_TICKS:
            return a.ticks == b.ticks;
        case TAPE_PART_CALENDAR:
            return a.calendar == b.calendar;
        case TAPE_PART_EVENT:
            return a.delivered == b.delivered &&
                   (!a.delivered || (a.event.type == b.event.type && a.event.key == b.event.key &&
                                     a.event.x == b.event.x && a.event.y == b.event.y));
        case TAPE_PART_SIZE:
            // A desktop size that was not had carries no numbers worth keeping.
            return a.ok == b.ok && (!a.ok || (a.width == b.width && a.height == b.height));
        case TAPE_PART_NUMBER:
            return a.width == b.width;
        case TAPE_PART_FLAG:
            return a.ok == b.ok;
        case TAPE_PART_NAME:
            return std::strcmp(a.name, b.name) == 0;
        case TAPE_PART_SAVED:
            return a.count == b.count &&
                   (a.count <= 0 || std::memcmp(a.bytes, b.bytes, a.count) == 0);
    }
    return false;
}

inline bool same_record(const TapeRecord& a, const TapeRecord& b) {
    if (a.kind != b.kind) return false;
    for (TapePart part : tape_kind(a.kind).parts) {
        if (!same_part(part, a, b)) return false;
    }
    return true;
}

// The words of a `tape` line, split at single spaces.
inline std::vector<std::string> split_words(const std::string& words) {
    std::vector<std::string> split;
    for (size_t start = 0; start < words.size();) {
        size_t space = words.find(' ', start);
        if (space == std::string::npos) space = words.size();
        split.push_back(words.substr(start, space - start));
        start = space + 1;
    }
    return split;
}
