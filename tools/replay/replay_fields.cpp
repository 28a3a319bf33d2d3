// The named values of a replay script: the Game and Board records, the profile, the
// highlight and a few derived values.
#include "replay/replay_fields.h"

#include <cstring>

#include "game/game.h"
#include "platform/common/tape/tape.h"
#include "platform/platform.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"

namespace {

// The clock as the game last saw it. While a tape plays, reading the clock would
// take the game's next reading from the tape, so the last one given stands.
int32_t script_clock_now() {
    uint32_t ticks;
    int64_t calendar;
    if (!tape_last_clock(&ticks, &calendar)) return clock_now();
    return static_cast<int32_t>(static_cast<uint32_t>(calendar) + ticks);
}

uint32_t script_ticks() {
    uint32_t ticks;
    int64_t calendar;
    return tape_last_clock(&ticks, &calendar) ? ticks : platform_ticks_ms();
}

struct Field {
    const char* name;
    int32_t* value;  // null for a derived, read-only value
};

const Field FIELDS[] = {
    {"game.score", &game.score},
    {"game.level", &game.level},
    {"game.kind_count", &game.kind_count},
    {"game.size_index", &game.size_index},
    {"game.speed_index", &game.speed_index},
    {"game.penalty", &game.penalty},
    {"game.time_limit", &game.time_limit},
    {"game.deadline", &game.deadline},
    {"game.game_state", &game.game_state},
    {"game.start_difficulty", &game.start_difficulty},
    {"game.busy", &game.busy},
    {"game.blink", &game.blink},
    {"game.frozen_bar_x", &game.frozen_bar_x},
    {"board.cols", &board.cols},
    {"board.rows", &board.rows},
    {"board.left_x", &board.left_x},
    {"board.bottom_y", &board.bottom_y},
    {"board.gap", &board.gap},
    {"board.slide_dx", &board.slide_dx},
    {"board.slide_dy", &board.slide_dy},
    {"profile.music_level", &profile.music_level},
    {"profile.effects_level", &profile.effects_level},
    {"profile.difficulty", &profile.difficulty},
    {"profile.profile_saved", &profile.profile_saved},
    {"hover.x", &hover.x},
    {"hover.y", &hover.y},
    {"hover.width", &hover.width},
    {"hover.height", &hover.height},
    {"clock_last_seconds", &clock_last_seconds},
    {"intro_pos", &intro_pos},
    {"name_length", &name_length},
    {"remaining", nullptr},
    {"clock", nullptr},
    {"ticks", nullptr},
    {"window", nullptr},
    {"stones", nullptr},
    {"gaps", nullptr},
    {"high_score.0", nullptr},
    {"high_score.9", nullptr},
};
constexpr int32_t FIELD_COUNT = static_cast<int32_t>(sizeof FIELDS / sizeof FIELDS[0]);

// The time left in the current row: from the deadline while a game runs, from the
// used time while it is suspended.
int32_t remaining_time() {
    if (game.game_state == GAME_PAUSED) return clock_diff(game.time_limit, game.deadline);
    return clock_diff(game.deadline, script_clock_now());
}

int32_t count_cells(bool gaps) {
    int32_t found = 0;
    for (int32_t i = 0; i < board_cell_count(); i++) {
        if ((board.cells[i].kind == NO_STONE) == gaps) found++;
    }
    return found;
}

bool derived(const char* name, int32_t* value) {
    if (!std::strcmp(name, "remaining")) {
        *value = remaining_time();
    } else if (!std::strcmp(name, "clock")) {
        *value = script_clock_now();
    } else if (!std::strcmp(name, "ticks")) {
        *value = static_cast<int32_t>(script_ticks());
    } else if (!std::strcmp(name, "window")) {
        *value = main_window;
    } else if (!std::strcmp(name, "stones")) {
        *value = count_cells(false);
    } else if (!std::strcmp(name, "gaps")) {
        *value = count_cells(true);
    } else if (!std::strcmp(name, "high_score.0")) {
        *value = high_scores[0].score;
    } else if (!std::strcmp(name, "high_score.9")) {
        *value = high_scores[HIGH_SCORE_ENTRIES - 1].score;
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool replay_get_field(const std::string& name, int32_t* value) {
    for (const Field& field : FIELDS) {
        if (name != field.name) continue;
        if (field.value) {
            *value = *field.value;
            return true;
        }
        return derived(field.name, value);
    }
    return false;
}

bool replay_set_field(const std::string& name, int32_t value) {
    if (name == "remaining") {
        // The time left in the row, running or suspended.
        if (game.game_state == GAME_PAUSED) {
            game.deadline = clock_diff(game.time_limit, value);
        } else {
            game.deadline = clock_add(script_clock_now(), value);
        }
        return true;
    }
    for (const Field& field : FIELDS) {
        if (name == field.name && field.value) {
            *field.value = value;
            return true;
        }
    }
    return false;
}

int32_t replay_field_count() {
    return FIELD_COUNT;
}

const char* replay_field_name(int32_t index) {
    if (index < 0 || index >= FIELD_COUNT) return "";
    return FIELDS[index].name;
}
