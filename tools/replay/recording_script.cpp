// A recording as a replay script: a `recording` line naming the game's version
// and data, the start-up's inputs, `start`, then one `tape` line per stretch of
// main loop turns. A line ends after a turn in which an event arrived, or after
// a second of play, so that checks and pictures can go between the lines.
#include <cstdio>
#include <cstring>

#include "platform/tape/tape.h"
#include "replay/recording.h"
#include "replay/tape_text.h"

namespace {

constexpr uint32_t kLineMs = 1000;

// The word after `key` on the header's line that starts with it ("" if none).
std::string header_word(const std::string& header, const char* key, int32_t index) {
    size_t at = header.find(key);
    if (at == std::string::npos) return "";
    std::string line = header.substr(at, header.find('\n', at) - at);
    size_t pos = 0;
    for (int32_t i = 0; i <= index; ++i) {
        pos = line.find(' ', pos);
        if (pos == std::string::npos) return "";
        ++pos;
    }
    return line.substr(pos, line.find(' ', pos) - pos);
}

}  // namespace

int32_t recording_to_script(const char* path, std::string* script, std::string* output) {
    TapeFile file;
    std::string why;
    if (!tape_read_file(path, &file, &why)) {
        *output += why + "\n";
        return 1;
    }
    std::string version = header_word(file.header, "game ", 1);
    std::string data = header_word(file.header, "data ", 0);
    if (version.empty() || data.empty()) {
        *output += std::string(path) + ": its header does not name the game's version and data\n";
        return 1;
    }
    *script += "# The session recorded in " + std::string(path) +
               ". Each `tape` line holds the game's inputs\n"
               "# for some turns of its main loop; checks and `shot` lines may go between them.\n";
    *script += "recording " + version + " " + data + "\n";

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
            *script += "tape " + words + "  # " + session_seconds(ticks - first_ticks) + "\n";
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
