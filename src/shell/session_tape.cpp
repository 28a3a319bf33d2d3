// Every session of the game leaves a recording from which the replay tool makes
// the same game again; `--watch` plays one back in the window. The recording's
// header names the game's version, build and data, which a playback must match:
// one more clock reading anywhere in the code makes another game.
#include "shell/session_tape.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "shell/program.h"
#include "shell/watch.h"

int32_t record_choice = RECORD_OFF;
char record_path[4096] = "";
char watch_path[4096] = "";

void recording_header(char* header, size_t size) {
    std::snprintf(header, size, "game cairnfall %s\nbuild %s\ndata %016" PRIx64 "\n",
                  PROGRAM_VERSION, BUILD_ID, data_checksum());
}

bool read_recording_build(const char* header, char* build, size_t size) {
    char word[64] = "";
    const char* line = std::strstr(header, "\nbuild ");
    if (!line || std::sscanf(line, "\nbuild %63s", word) != 1) return false;
    std::snprintf(build, size, "%s", word);
    return true;
}

bool read_recording_header(const char* header, char* version, size_t size, uint64_t* data) {
    char word[64] = "";
    unsigned long long fingerprint = 0;
    const char* data_line = std::strstr(header, "\ndata ");
    if (std::sscanf(header, "game cairnfall %63s", word) != 1 || !data_line ||
        std::sscanf(data_line, "\ndata %llx", &fingerprint) != 1) {
        return false;
    }
    std::snprintf(version, size, "%s", word);
    *data = fingerprint;
    return true;
}

bool check_recording_header(const char* header, const char* name, char* problem, size_t size) {
    char version[64];
    uint64_t data = 0;
    if (!read_recording_header(header, version, sizeof version, &data)) {
        std::snprintf(problem, size, "%s: its header does not name the game's version and data",
                      name);
        return false;
    }
    if (std::strcmp(version, PROGRAM_VERSION) != 0) {
        std::snprintf(problem, size, "%s was recorded by Cairnfall %s; this is Cairnfall %s", name,
                      version, PROGRAM_VERSION);
        return false;
    }
    char build[64];
    if (!read_recording_build(header, build, sizeof build)) {
        std::snprintf(problem, size,
                      "%s names no build (it was recorded before recordings named their build); "
                      "this is build %s",
                      name, BUILD_ID);
        return false;
    }
    if (std::strcmp(build, BUILD_ID) != 0) {
        std::snprintf(problem, size,
                      "%s was recorded by build %s; this is build %s (other code makes another "
                      "game: play it with the build that recorded it)",
                      name, build, BUILD_ID);
        return false;
    }
    uint64_t here = data_checksum();
    if (data != here) {
        char folder[4096 + 8];
        platform_shown_path(folder, sizeof folder, game_folder, "data");
        std::snprintf(problem, size,
                      "%s was recorded with other data files (data %016" PRIx64
                      "; the data in %s is %016" PRIx64 ")",
                      name, data, folder, here);
        return false;
    }
    return true;
}

bool play_recording(const char* path, bool watch, char* problem, size_t size) {
    char header[4096];
    if (!platform_play_recording(path, watch, header, sizeof header)) {
        std::snprintf(problem, size, "%s", platform_tape_error());
        return false;
    }
    if (check_recording_header(header, path, problem, size)) return true;
    platform_playback_finished();
    return false;
}

void start_recording() {
    if (record_choice == RECORD_OFF || watch_path[0] != '\0' || watch_state().watching) return;
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
