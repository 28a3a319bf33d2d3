// The whole program: find the game's data, check it, open the window, run.
#include "shell/program.h"

#include <cstdio>

#include "game/game.h"
#include "platform/platform.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/error_message.h"
#include "shell/session_tape.h"
#include "shell/watch.h"
#include "sound/sound.h"

char game_folder[4096] = ".";
int32_t exit_status = 0;

namespace {

// Finds the game's data and makes its folder the working folder; says so when
// it cannot.
bool enter_game_folder() {
    char where[4096];
    if (!platform_enter_game_folder(where, sizeof where)) {
        char text[4096 + 256];
        std::snprintf(text, sizeof text,
                      "Cairnfall cannot start: its game data is missing. It looked in:\n%s\n%s",
                      where, MSG_REINSTALL);
        show_error_message(text);
        exit_status = 1;
        return false;
    }
    std::snprintf(game_folder, sizeof game_folder, "%s", where);
    return true;
}

// --watch FILE: the recording plays with the viewer's controls until left. It
// writes nothing: no saved file, no recording, not even the window's settings.
int32_t watch_program() {
    if (!enter_game_folder()) return exit_status;
    if (!watch_open_file(watch_path)) {
        std::fprintf(stderr, "cairnfall: %s\n", watch_state().problem);
        return 1;
    }
    int32_t status = 0;
    while (watch_pending()) status = run_watching();
    // A recording that broke off played up to there: where, on standard error.
    if (status == 0 && watch_state().problem[0] != '\0') {
        std::fprintf(stderr, "cairnfall: %s\n", watch_state().problem);
        status = 1;
    }
    return status;
}

}  // namespace

bool open_program() {
    if (!enter_game_folder()) return false;
    platform_remove_stale_temporaries();
    return start_program();
}

void reset_program_state() {
    reset_game_records();
    reset_random();
    reset_board_drawing();
    reset_hud_drawing();
    reset_type_ahead();
    reset_intro();
    reset_name_entry();
    reset_profile();
    reset_high_score_file();
    reset_high_score_table();
    clear_hover();
    reset_menu_focus();
    reset_clock_deadlines();
    reset_sound_read_ahead();
    reset_checked_pictures();
    reset_tap_reach();
    reset_watch();
    install_screen(SCREEN_NONE, nullptr, nullptr, nullptr, nullptr);
    exit_status = 0;
}

bool start_program() {
    install_screen(SCREEN_NONE, nullptr, nullptr, nullptr, nullptr);
    exit_status = 0;
    char problem[4096 + 256];
    if (!check_game_data(problem, sizeof problem)) {
        show_error_message(problem);
        exit_status = 1;
        return false;
    }
    if (!platform_open_window("Cairnfall")) {
        // Nothing to show a message on: one line on standard error.
        std::fprintf(stderr, "cairnfall: %s\n", platform_display_error());
        exit_status = 1;
        return false;
    }
    // Recorded from the first reading start-up takes; a program that never got a
    // window leaves no recording.
    start_recording();
    // Task bars and Alt+Tab show the game's own icon; without it, the system's.
    platform_set_window_icon("data/icon.bmp");
    startup();
    return main_window != 0;
}

int32_t run_program() {
    if (watch_path[0] != '\0') return watch_program();
    // The player's window, as it was left last time.
    platform_remember_display();
    bool opened = open_program();
    if (opened) run_main_loop();
    end_session_tape();
    if (!opened) return exit_status != 0 ? exit_status : 1;
    return exit_status;
}
