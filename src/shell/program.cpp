// The whole program: find the game's data, check it, open the window, run.
#include <cstdio>

#include "platform/platform.h"
#include "shell/error_message.h"
#include "shell/shell.h"

char game_folder[4096] = ".";
int32_t exit_status = 0;

void enter_program_directory() {
    char path[4096];
    if (!platform_executable_path(path, sizeof path)) return;
    char* cut = nullptr;
    for (char* p = path; *p; ++p) {
        if (*p == '/') cut = p;
    }
    if (!cut) return;
    // A program in the root folder keeps the "/" itself.
    cut[cut == path ? 1 : 0] = '\0';
    platform_change_directory(path);
}

bool open_program() {
    enter_program_directory();
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
    platform_remove_stale_temporaries();
    if (watch_path[0] != '\0' && !load_watched_recording()) {
        exit_status = 1;
        return false;
    }
    return start_program();
}

bool start_program() {
    install_screen(nullptr, nullptr, nullptr, nullptr);
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
    // The player's window, as it was left last time.
    platform_remember_display();
    bool opened = open_program();
    if (opened) run_main_loop();
    end_session_tape();
    if (!opened) return exit_status != 0 ? exit_status : 1;
    return exit_status;
}
