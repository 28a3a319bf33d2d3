// A recording as a replay script: a `recording` line naming the game's version,
// build and data ("-" for the build of an older recording, which names none),
// the start-up's inputs, `start`, then one `tape` line per stretch of
// main loop turns. A line ends after a turn in which an event arrived, or after
// a second of play, so that checks and pictures can go between the lines.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "platform/common/tape/tape.h"
#include "replay/recording.h"
#include "replay/tape_text.h"
#include "shell/session_tape.h"

namespace {

constexpr uint32_t kLineMs = 1000;

}  // namespace

int32_t recording_to_script(const char* path, std::string* script, std::string* output) {
    TapeFile file;
    std::string why;
    if (!tape_read_file(path, &file, &why)) {
        *output += why + "\n";
        return 1;
    }
    char version[64], build[64] = "-";
    uint64_t data = 0;
    if (!read_recording_header(file.header.c_str(), version, sizeof version, &data)) {
        *output += std::string(path) + ": its header does not name the game's version and data: " +
                   file.header.substr(0, file.header.find('\n')).substr(0, 200) + "\n";
        return 1;
    }
    read_recording_build(file.header.c_str(), build, sizeof build);
    *script += "# The session recorded in " + std::string(path) +
               ". Each `tape` line holds the game's inputs\n"
               "# for some turns of its main loop; checks and `shot` lines may go between them.\n";
    char line[256];
    std::snprintf(line, sizeof line, "recording %s %s %016" PRIx64 "\n", version, build, data);
    *script += line;

    TapeCoding decoding = {};
    TapeCoding wording = {};
    TapeRecord record;
    size_t pos = 0;
    std::string words;
    bool started = false, event_in_line = false, have_ticks = false;
    // A turn checks for events until none is left; the next check after that
    // starts the next turn.
    bool none_polled = true;
    uint32_t first_ticks = 0, ticks = 0, line_start = 0;
    int32_t got;
    auto end_line = [&]() {
        tape_text_flush(&wording, &words);
        if (!words.empty()) {
            *script += "tape " + words + "  # " + tape_seconds(ticks - first_ticks) + "\n";
        }
        words.clear();
        event_in_line = false;
        line_start = ticks;
    };
    while ((got = tape_decode(file.stream.data(), file.stream.size(), &pos, &decoding, &record,
                              &why)) == 1) {
        bool turn_starts = record.kind == TAPE_POLL && none_polled;
        if (record.kind == TAPE_POLL) none_polled = !record.delivered;
        if (turn_starts && !started) {
            end_line();
            *script += "start\n";
            started = true;
        } else if (turn_starts && (event_in_line || ticks - line_start >= kLineMs)) {
            end_line();
        }
        if (record.kind == TAPE_TICKS) {
            if (!have_ticks) first_ticks = line_start = record.ticks;
            have_ticks = true;
            ticks = record.ticks;
        }
        if ((record.kind == TAPE_POLL || record.kind == TAPE_WAIT) && record.delivered) {
            event_in_line = true;
        }
        tape_text_word(record, &wording, &words);
    }
    end_line();
    if (!started) *script += "start\n";
    if (got < 0) *script += "# the recording is damaged here: " + why + "\n";
    if (!file.damage.empty()) *script += "# " + file.damage + "\n";
    return 0;
}
