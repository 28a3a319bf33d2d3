// The byte-driven game driver shared by the whole-game fuzzer and the soak test.
#include "support/game_events.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>

#include "common/environment.h"
#include "common/folder_link.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "replay/replay.h"
#include "replay/replay_fields.h"
#include "replay/replay_state.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "support/input_share.h"

GameEventTally game_event_tally = {};

namespace {

// Calendar seconds of the headless clock: it seeds the boards, so a run is the
// same every time.
constexpr int64_t CALENDAR_BASE = 1700000000;
// Turns a single `wait` event may run at most: every other turn draws a frame,
// the slow part of a run, and long waits are clock steps instead.
constexpr int32_t MAX_WAIT_TURNS = 12;
// The runs of game_events_run that draw: one in 2^DRAWING_SHARE_BITS.
constexpr int32_t DRAWING_SHARE_BITS = 6;
// Clock steps between ticks: a slow frame or a busy machine, up to about a
// second; a long pause stands for a suspended machine, up to two minutes, and
// only between whole moves.
constexpr uint32_t STEP_UNIT_MS = 4;
constexpr uint32_t PAUSE_UNIT_MS = 15000;
constexpr uint32_t LONGEST_PAUSE_MS = 8 * PAUSE_UNIT_MS;

std::string folder;
std::string previous_folder;
std::string previous_home;
std::string previous_data_home;
uint32_t ticks_after_start = 0;
// False while a run of game_events_run does not draw.
bool drawing = true;
// The game's two buffers while a run that does not draw hides them.
struct HiddenBuffers {
    bool hidden;
    int32_t active;
    int32_t backdrop;
};
HiddenBuffers hidden_buffers = {};

// Keys the game knows, and some it does not: Backspace, Enter, Esc (four times:
// it leaves most screens), space, the arrows, digits and letters.
constexpr int32_t KEYS[] = {8,  13, 27, 27, 27, 27, 32, 37, 38, 39, 40, 48, 49, 50, 51,  52, 53,
                            54, 55, 56, 57, 65, 66, 67, 68, 69, 70, 71, 72, 73, 74, 75,  76, 77,
                            78, 79, 80, 81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 0,  112, 200};
constexpr int32_t KEY_COUNT = sizeof KEYS / sizeof KEYS[0];

// The menu bar's five buttons and the pause button, at their centres.
constexpr int32_t BUTTON_Y[] = {317, 359, 401, 443, 485, 527};

uint8_t next(EventBytes& bytes) {
    return bytes.pos < bytes.size ? bytes.data[bytes.pos++] : 0;
}

// Picture coordinates from a byte, a little beyond the picture on each side.
int32_t coord_x(uint8_t b) {
    return b * 840 / 256 - 20;
}
int32_t coord_y(uint8_t b) {
    return b * 640 / 256 - 20;
}

void cell_centre(int32_t row, int32_t col, int32_t* x, int32_t* y) {
    *x = board.left_x + CELL_SIZE * col + CELL_SIZE / 2;
    *y = board.bottom_y - CELL_SIZE * row - CELL_SIZE / 2;
}

bool in_play() {
    return game.game_state != GAME_NONE && board.cols > 0;
}

void remove_saved_files() {
    std::remove(HIGH_SCORE_FILE);
    std::remove(PROFILE_FILE);
}

bool start() {
    reset_program_state();
    remove_saved_files();
    headless_reset();
    headless_set_calendar_base(CALENDAR_BASE);
    const char* save_folder = folder.c_str();
    platform_set_save_folders(&save_folder, 1);
    game_event_tally.starts++;
    hidden_buffers = {};
    if (!start_program()) return false;
    ticks_after_start = platform_ticks_ms();
    return true;
}

// A full table of ten names, so a new score must beat the tenth.
void fill_high_scores() {
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
        std::snprintf(high_scores[i].name, sizeof high_scores[i].name, "PLAYER%d", i);
        high_scores[i].score = 5000 - 500 * i;
    }
}

// Outside the rules but keeping them: makes the stone above the gap complete the
// gap's row, drops in a special stone, or runs the row's time out, so that
// clears, later levels and the game's end come up.
void plant(uint8_t how) {
    if (game.busy != BUSY_IDLE || !in_play()) return;
    if (how & 2) {
        // The row's time runs out: the next tick pushes the preview row in. Only
        // a running row has a deadline (a paused game's holds the time used), and
        // one already past stays where it is.
        if (current_screen == SCREEN_GAME && game.game_state == GAME_PLAYING && !row_time_up()) {
            game.deadline = clock_now();
        }
        return;
    }
    int32_t r = board.gap / board.cols;
    int32_t c = board.gap % board.cols;
    if ((how & 1) && r + 1 < board.rows) {
        for (int32_t j = 0; j < board.cols; j++) {
            if (j != c) board.cells[r * board.cols + j].kind = board.preview[j];
        }
        board.cells[(r + 1) * board.cols + c].kind = board.preview[c];
    } else {
        int32_t i = (how >> 2) % (board.rows * board.cols);
        if (i != board.gap) board.cells[i].kind = STONE_SPECIAL;
    }
}

void click_next_to_gap(uint8_t direction) {
    if (!in_play()) {
        headless_push_click(coord_x(direction), 300);
        return;
    }
    int32_t r = board.gap / board.cols;
    int32_t c = board.gap % board.cols;
    const int32_t dr[] = {1, -1, 0, 0};
    const int32_t dc[] = {0, 0, 1, -1};
    int32_t x;
    int32_t y;
    cell_centre(r + dr[direction & 3], c + dc[direction & 3], &x, &y);
    headless_push_click(x, y);
}

void push_event(int32_t type) {
    PlatformEvent event = {type, 0, 0, 0};
    headless_push_event(event);
}

// Runs turns until ms of the clock have passed, the program ended or the turns
// ran out.
void wait_ms(int32_t ms) {
    uint32_t begin = platform_ticks_ms();
    for (int32_t i = 0; i < MAX_WAIT_TURNS && main_window; i++) {
        if (static_cast<int64_t>(platform_ticks_ms() - begin) >= ms) break;
        main_loop_turn();
    }
}

// The game keeps its active buffer selected from start-up to shutdown; for a run
// that does not draw, the driver takes both buffers away (-1, no buffer), so that
// drawing, the board's copies between them and presenting all find nothing to
// do. A new start-up makes buffers of its own.
void show_buffers() {
    HiddenBuffers& h = hidden_buffers;
    if (!h.hidden) return;
    active_buffer = h.active;
    backdrop_buffer = h.backdrop;
    h.hidden = false;
}

void select_drawing() {
    if (!main_window) return;
    show_buffers();
    HiddenBuffers& h = hidden_buffers;
    if (drawing) {
        gfx_set_buffer(active_buffer);
        return;
    }
    h = {true, active_buffer, backdrop_buffer};
    active_buffer = -1;
    backdrop_buffer = -1;
    gfx_unselect_buffer();
}

}  // namespace

bool game_events_open(const char* data_dir) {
    namespace fs = std::filesystem;
    if (!folder.empty()) return true;
    std::error_code error;
    fs::path data = fs::absolute(fs::path(data_dir) / "data", error);
    if (error || !fs::is_directory(data, error)) return false;
    fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path(error);
    std::random_device random;
    for (int32_t attempt = 0; attempt < 100 && folder.empty(); attempt++) {
        fs::path candidate = base / ("cairnfall-events-" + std::to_string(random()));
        if (fs::create_directory(candidate, error)) folder = candidate.string();
    }
    if (folder.empty()) return false;
    previous_folder = fs::current_path(error).string();
    const char* home = std::getenv("HOME");
    const char* data_home = std::getenv("XDG_DATA_HOME");
    previous_home = home ? home : "";
    previous_data_home = data_home ? data_home : "";
    if (!link_folder(data, fs::path(folder) / "data")) return false;
    fs::current_path(folder, error);
    if (error) return false;
    set_environment("HOME", folder.c_str());
    set_environment("XDG_DATA_HOME", folder.c_str());
    return true;
}

void game_events_leave_folder() {
    std::error_code ignored;
    std::filesystem::current_path(previous_folder, ignored);
}

void game_events_enter_folder() {
    std::error_code ignored;
    std::filesystem::current_path(folder, ignored);
}

void game_events_close() {
    namespace fs = std::filesystem;
    show_buffers();
    if (main_window) destroy_main_window();
    if (folder.empty()) return;
    std::error_code error;
    fs::current_path(previous_folder, error);
    fs::remove_all(folder, error);
    folder.clear();
    auto restore = [](const char* name, const std::string& value) {
        if (value.empty()) {
            clear_environment(name);
        } else {
            set_environment(name, value.c_str());
        }
    };
    restore("HOME", previous_home);
    restore("XDG_DATA_HOME", previous_data_home);
}

const std::string& game_events_folder() {
    return folder;
}

bool game_events_begin(uint8_t setup) {
    if (!main_window && !start()) return false;
    // Whatever the last run left queued or logged goes; the clock goes back to
    // where start-up left it, so every run sees the same times.
    PlatformEvent event;
    while (platform_poll_event(&event)) {
    }
    headless_clear_audio_log();
    headless_set_ticks(ticks_after_start);
    reset_program_state();
    remove_saved_files();
    arm_tick(16);
    set_screen_timer(2000);
    select_drawing();
    // Bit 0: a profile was saved (the first-run choice shows the table); bit 1: a
    // full high score table; bits 2-3: where the run begins.
    profile.profile_saved = setup & 1;
    if (setup & 2) fill_high_scores();
    switch ((setup >> 2) & 3) {
        case 0:
            enter_intro();
            break;
        case 1:
            enter_first_run_choice();
            break;
        default:
            profile.difficulty = 1 + (setup >> 4) % 3;
            start_game();
            break;
    }
    return main_window != 0;
}

std::string game_events_step(EventBytes& bytes) {
    uint8_t op = next(bytes);
    switch (op % 32) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
            click_next_to_gap(next(bytes));
            break;
        case 5: {
            int32_t x;
            int32_t y;
            int32_t row = next(bytes) % MAX_ROWS;
            cell_centre(row, next(bytes) % MAX_COLS, &x, &y);
            headless_push_click(x, y);
            break;
        }
        case 6:
        case 7:
        case 8: {
            int32_t x = coord_x(next(bytes));
            headless_push_click(x, coord_y(next(bytes)));
            break;
        }
        case 9:
        case 10:
            headless_push_click(100, BUTTON_Y[next(bytes) % 6]);
            break;
        case 11:
        case 12: {
            int32_t x = coord_x(next(bytes));
            headless_push_mouse_move(x, coord_y(next(bytes)));
            break;
        }
        case 13:
        case 14:
        case 15:
        case 16: {
            uint8_t k = next(bytes);
            // F12 ends the program, and the next run's start-up is slow: only key
            // byte 255 after op 13 means it (the fuzzer's mutations favour 255).
            headless_push_key(k == 255 && op % 32 == 13 ? KEY_F12 : KEYS[k % KEY_COUNT]);
            break;
        }
        case 17:
            push_event(PEV_FOCUS_LOST);
            break;
        case 18:
            push_event(next(bytes) & 1 ? PEV_FOCUS_GAINED : PEV_EXPOSE);
            break;
        case 19:
        case 20:
        case 21:
            headless_advance(next(bytes) * STEP_UNIT_MS);
            break;
        case 22: {
            // Mostly a step like the above; rarely the machine sleeps, never in
            // the middle of a slide or a row's animation.
            uint8_t b = next(bytes);
            if (b < 248) {
                headless_advance(b * STEP_UNIT_MS);
            } else if (!in_play() || game.busy == BUSY_IDLE) {
                headless_advance((b - 247u) * PAUSE_UNIT_MS);
            }
            break;
        }
        case 23:
        case 24: {
            int32_t turns = 1 + next(bytes) % 4;
            for (int32_t i = 0; i < turns && main_window; i++) main_loop_turn();
            break;
        }
        case 25:
            wait_ms(next(bytes) * 2);
            break;
        case 26:
        case 27:
        case 28:
        case 29: {
            // A plant that breaks a rule is the driver's fault, not the game's.
            plant(next(bytes));
            std::string problem = game_rules_problem();
            if (!problem.empty()) return "the driver planted a state no player reaches: " + problem;
            break;
        }
        default:
            break;
    }
    // Input goes straight to the window procedure; clock steps and the rest run a
    // main loop turn, which draws a frame when the tick is due.
    if (op % 32 <= 18) {
        PlatformEvent event;
        while (main_window && platform_poll_event(&event)) {
            dispatch_event(event.type, event.key, event.x, event.y);
        }
    } else if (main_window) {
        main_loop_turn();
    }
    game_event_tally.events++;
    game_event_tally.screen_events[current_screen]++;
    return game_rules_problem();
}

std::string game_events_run(const uint8_t* data, size_t size) {
    if (size == 0) return "";
    drawing = in_input_share(data, size, DRAWING_SHARE_BITS);
    if (!game_events_begin(data[0])) return "the program did not start";
    EventBytes bytes = {data, size, 1};
    while (bytes.pos < bytes.size && main_window) {
        std::string problem = game_events_step(bytes);
        if (!problem.empty()) return problem;
    }
    return "";
}

std::string game_rules_problem() {
    if (!main_window) return "";
    // The game-over screen shows the final board, which has overflowed; the game
    // counts as ended from its first tick on.
    if (game.game_state != GAME_NONE && current_screen != SCREEN_GAME_OVER) {
        std::string why = replay_board_problem();
        if (!why.empty()) return "board: " + why;
    }
    bool on_game = screen_handlers.on_tick == &game_on_tick;
    bool on_pause = screen_handlers.on_tick == &pause_on_tick;
    if (on_game != (current_screen == SCREEN_GAME) ||
        on_pause != (current_screen == SCREEN_PAUSE)) {
        return std::string("the slots and current_screen (") + screen_name(current_screen) +
               ") disagree";
    }
    if (on_game && game.game_state != GAME_PLAYING) return "game screen without a game playing";
    if (on_pause && game.game_state != GAME_PAUSED) return "pause screen without a paused game";
    // The row's clock: running, never more time left than the row's limit;
    // paused, the time used is never negative, and never more than the limit by
    // longer than the machine can sleep.
    if (on_game && clock_diff(game.deadline, clock_now()) > game.time_limit) {
        return "more time left in the row than its limit";
    }
    if (on_pause && (game.deadline < 0 || game.deadline > std::max(game.time_limit, 0) +
                                                              int32_t{LONGEST_PAUSE_MS} +
                                                              int32_t{255 * STEP_UNIT_MS})) {
        return "a paused row has used " + std::to_string(game.deadline) + " ms of " +
               std::to_string(game.time_limit);
    }
    if (on_game || on_pause) {
        if (game.busy != BUSY_IDLE && game.busy != BUSY_SLIDING) {
            return "busy " + std::to_string(game.busy) + " between turns";
        }
        int32_t sliding = 0;
        for (int32_t i = 0; i < board.rows * board.cols; i++)
            sliding += board.cells[i].slide_ticks > 0;
        if (sliding != (game.busy == BUSY_SLIDING ? 1 : 0)) {
            return std::to_string(sliding) + " stones sliding, busy " + std::to_string(game.busy);
        }
    }
    return "";
}

void game_events_open_for_fuzzer(const char* fuzzer) {
    namespace fs = std::filesystem;
    std::error_code error;
    std::string data = fs::current_path(error).string();
    if (!fs::is_directory("data", error)) {
        fs::path self = fs::read_symlink("/proc/self/exe", error);
        data = error ? std::string(".") : self.parent_path().string();
    }
    if (game_events_open(data.c_str())) return;
    std::fprintf(stderr, "%s: no data/ folder beside the fuzzer or here\n", fuzzer);
    std::abort();
}

void game_events_await_inputs() {
    game_events_leave_folder();
    // Only the folder goes at exit: the backend's records may be gone by then.
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(game_events_folder(), ignored);
    });
}
