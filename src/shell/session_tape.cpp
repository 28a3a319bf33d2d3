// Every session of the game leaves a recording from which the replay tool makes
// the same game again; `--watch` plays one back in the window. The recording's
// header names the game's version and data, which a playback must match.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "shell/shell.h"

int32_t record_choice = RECORD_OFF;
char record_path[4096] = "";
char watch_path[4096] = "";

void recording_header(char* header, size_t size) {
    std::snprintf(header, size, "game cairnfall %s\ndata %016" PRIx64 "\n", PROGRAM_VERSION,
                  data_checksum());
}

bool check_recording_header(const char* header, const char* name, char* problem, size_t size) {
    char version[64] = "";
    unsigned long long data = 0;
    const char* data_line = std::strstr(header, "\ndata ");
    if (std::sscanf(header, "game cairnfall %63s", version) != 1 || !data_line ||
        std::sscanf(data_line, "\ndata %llx", &data) != 1) {
        std::snprintf(problem, size, "%s: its header does not name the game's version and data",
                      name);
        return false;
    }
    if (std::strcmp(version, PROGRAM_VERSION) != 0) {
        std::snprintf(problem, size, "%s was recorded by Cairnfall %s; this is Cairnfall %s", name,
                      version, PROGRAM_VERSION);
        return false;
    }
    uint64_t here = data_checksum();
    if (data != here) {
        std::snprintf(problem, size,
                      "%s was recorded with other data files (data %016llx; the data in %s/data "
                      "is %016" PRIx64 ")",
                      name, data, game_folder, here);
        return false;
    }
    return true;
}

bool load_watched_recording() {
    char header[256];
    char problem[8192 + 256];
    if (!platform_play_recording(watch_path, true, header, sizeof header)) {
        std::snprintf(problem, sizeof problem, "%s", platform_tape_error());
    } else if (check_recording_header(header, watch_path, problem, sizeof problem)) {
        return true;
    } else {
        platform_playback_finished();
    }
    std::fprintf(stderr, "cairnfall: %s\n", problem);
    return false;
}

void start_recording() {
    if (record_choice == RECORD_OFF || watch_path[0] != '\0') return;
    char header[256];
    recording_header(header, sizeof header);
    if (record_choice == RECORD_FILE) {
        platform_record_to(record_path, header);
    } else {
        platform_record_session(header);
    }
}

void end_session_tape() {
    platform_record_stop();
    if (watch_path[0] != '\0' && !platform_playback_finished()) {
        std::fprintf(stderr, "cairnfall: %s\n", platform_tape_error());
        exit_status = 1;
    }
}
