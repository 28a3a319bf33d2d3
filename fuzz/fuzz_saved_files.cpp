// Fuzzes the readers of the two saved files: whatever bytes "cairnfall.dat" and
// "profile.dat" hold, reading them and drawing the screens that show them stays
// inside every buffer and table.
#include <cstdint>
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "screens/screens.h"
#include "shell/shell.h"

namespace {

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    set_up_drawing();
    int32_t length = size > 1024 ? 1024 : static_cast<int32_t>(size);

    std::memset(high_scores, 0, sizeof high_scores);
    high_scores_from_bytes(data, length);
    game.game_state = GAME_NONE;
    enter_high_scores();
    screen_handlers.on_tick();

    // A name that fills its field without a terminator goes into the table too.
    char name[12];
    std::memcpy(name, high_scores[0].name, sizeof name);
    name[11] = '\0';
    int32_t last = high_scores[HIGH_SCORE_ENTRIES - 1].score;
    insert_high_score(name, last < INT32_MAX ? last + 1 : last);
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);

    profile = {1, 3, 1, 0};
    profile_from_bytes(data, length);
    if (profile.music_level < 0 || profile.music_level > 3) __builtin_trap();
    if (profile.effects_level < 0 || profile.effects_level > 3) __builtin_trap();
    enter_options();
    screen_handlers.on_tick();
    return 0;
}
