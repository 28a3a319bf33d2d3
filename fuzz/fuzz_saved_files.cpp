// Fuzzes the readers of the two saved files: whatever bytes "cairnfall.dat" and
// "profile.dat" hold, reading them keeps every name and level within its field,
// writing the records back and reading them again gives the same records, and the
// table takes a new name. Drawing the screens that show the records is slow, so
// only about one input in 64 (chosen by a hash of its bytes) draws them.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/handles.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "support/input_share.h"

namespace {

void check(bool holds) {
    if (!holds) std::abort();
}

void set_up_drawing() {
    static bool ready = false;
    if (ready) return;
    ready = true;
    gfx_init();
    gfx_set_text_dc(gfx_memory_dc());
    active_buffer = gfx_create_buffer(800, 600);
    backdrop_buffer = gfx_create_buffer(800, 600);
    gfx_set_buffer(active_buffer);
}

void read_table(const uint8_t* data, int32_t length) {
    std::memset(high_scores, 0, sizeof high_scores);
    high_scores_from_bytes(data, length);
    for (const HighScoreEntry& entry : high_scores) {
        int32_t n = name_field_length(entry.name);
        check(n >= 0 && n <= 12);
        check(n == 12 || entry.name[n] == '\0');
        for (int32_t i = 0; i < n; i++) check(entry.name[i] != '\0');
    }
    // Written and read again, the table is the same.
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);
    HighScoreEntry first[HIGH_SCORE_ENTRIES];
    std::memcpy(first, high_scores, sizeof first);
    high_scores_from_bytes(bytes, HIGH_SCORE_FILE_SIZE);
    check(std::memcmp(first, high_scores, sizeof first) == 0);
}

void insert_name() {
    // A name that fills its field without a terminator goes into the table too.
    char name[12];
    std::memcpy(name, high_scores[0].name, sizeof name);
    name[11] = '\0';
    int32_t last = high_scores[HIGH_SCORE_ENTRIES - 1].score;
    insert_high_score(name, last < INT32_MAX ? last + 1 : last);
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);
}

void read_profile(const uint8_t* data, int32_t length) {
    profile = {1, 3, 1, 0};
    profile_from_bytes(data, length);
    check(profile.music_level >= 0 && profile.music_level <= 3);
    check(profile.effects_level >= 0 && profile.effects_level <= 3);
    Profile first = profile;
    uint8_t bytes[PROFILE_FILE_SIZE];
    profile_to_bytes(bytes);
    profile = {1, 3, 1, 0};
    profile_from_bytes(bytes, PROFILE_FILE_SIZE);
    check(std::memcmp(&first, &profile, sizeof first) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int32_t length = size > 1024 ? 1024 : static_cast<int32_t>(size);
    bool draw = in_input_share(data, size, 6);
    if (draw) set_up_drawing();

    read_table(data, length);
    if (draw) {
        game.game_state = GAME_NONE;
        enter_high_scores();
        screen_handlers.on_tick();
    }
    insert_name();

    read_profile(data, length);
    if (draw) {
        enter_options();
        screen_handlers.on_tick();
    }
    return 0;
}
