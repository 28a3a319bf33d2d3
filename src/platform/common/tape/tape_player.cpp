// Playing a recording back: every clock reading, event, display fact and saved
// file the game asks for comes from the record stream, in order. When the game
// asks for something the recording does not hold next, it has gone its own way:
// the player says where and why, closes the window and hands out a clock that
// keeps moving, so that every loop of the game comes to its end.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_calls.h"
#include "platform/common/tape/tape_file.h"
#include "platform/device.h"

namespace {

enum class State { off, playing, parted, stopped };

struct Player {
    State state = State::off;
    bool watch = false;
    std::string name;
    std::string damage;
    std::vector<uint8_t> stream;
    size_t pos = 0;
    TapeCoding coding = {};
    int64_t records = 0;
    bool have_ticks = false;
    uint32_t first_ticks = 0;
    uint32_t last_ticks = 0;
    int64_t last_calendar = 0;
    bool close_sent = false;
    // Watching: the machine's clock when the session's first reading was shown.
    uint32_t watch_start = 0;
    std::string error;
};

Player player;

std::string session_time() {
    return tape_seconds(tape_session_ms());
}

void part(const std::string& why) {
    if (player.error.empty()) player.error = why;
    player.state = State::parted;
}

// The stream holds no more records for what the game asked.
void ran_out(TapeKind wanted) {
    if (!player.damage.empty()) {
        part(player.damage + ": played up to there (" + session_time() + " of the session)");
        return;
    }
    part(player.name + ": ends at " + session_time() +
         " of the session, before its end mark, where the game asked for " +
         tape_kind_name(wanted) + " (the game was killed or crashed then, or the file was cut)");
}

void begin(const char* name, const char* damage, bool watch) {
    player.state = State::playing;
    player.watch = watch;
    player.name = name ? name : "the recording";
    player.damage = damage ? damage : "";
    player.pos = 0;
    player.coding = {};
    player.records = 0;
    player.have_ticks = false;
    player.first_ticks = player.last_ticks = 0;
    player.last_calendar = 0;
    player.close_sent = false;
    player.error.clear();
}

// Holds a watched session to its own pace: the picture for a clock reading is
// not shown before the machine's clock has come as far since the start.
void keep_pace(uint32_t session_ms) {
    if (!player.watch) return;
    const int64_t most = 250;  // a longer pause in the session is shortened to this
    int64_t shown = static_cast<int64_t>(device_ticks_ms() - player.watch_start);
    int64_t ahead = static_cast<int64_t>(session_ms) - shown;
    if (ahead > most) {
        player.watch_start += static_cast<uint32_t>(ahead - most);
        ahead = most;
    }
    if (ahead > 0) device_sleep_ms(static_cast<uint32_t>(ahead));
}

// Watching: the window's own input only ever stops the show (Esc, F12, closing).
bool viewer_stopped() {
    PlatformEvent e;
    while (device_poll_event(&e)) {
        if (e.type == PEV_CLOSE ||
            (e.type == PEV_KEY_DOWN && (e.key == KEY_ESCAPE || e.key == KEY_F12))) {
            player.state = State::stopped;
            return true;
        }
    }
    return false;
}

// Decodes the record at the playing position into *record, with the position and
// coding after it in *pos and *coding (the player keeps its own until it takes
// the record): 1, 0 at the end of the stream, -1 for damage (why in `why`).
int32_t peek(TapeRecord* record, size_t* pos, TapeCoding* coding, std::string* why) {
    *pos = player.pos;
    *coding = player.coding;
    return tape_decode(player.stream.data(), player.stream.size(), pos, coding, record, why);
}

}  // namespace

bool tape_playing() {
    return player.state != State::off;
}

bool tape_take(TapeKind wanted, TapeRecord* record) {
    // Watching: the viewer may stop the show at every event check.
    bool event = wanted == TAPE_POLL || wanted == TAPE_WAIT;
    if (player.watch && player.state == State::playing && event) viewer_stopped();
    if (player.state != State::playing) return false;
    size_t pos;
    TapeCoding coding;
    std::string why;
    int32_t got = peek(record, &pos, &coding, &why);
    if (got < 0) {
        part(player.name + ": damaged at record " + std::to_string(player.records + 1) + " (" +
             why + "), " + session_time() + " into the session");
        return false;
    }
    if (got == 0) {
        ran_out(wanted);
        return false;
    }
    if (record->kind != wanted) {
        if (record->kind == TAPE_END) {
            part(player.name + ": the session ended at " + session_time() +
                 ", but the game went on and asked for " + tape_kind_name(wanted) +
                 " (a different game version or different data makes a different game)");
        } else {
            tape_part_from(wanted, record->kind, nullptr);
        }
        return false;
    }
    player.pos = pos;
    player.coding = coding;
    ++player.records;
    if (record->kind == TAPE_TICKS) {
        if (!player.have_ticks) {
            player.have_ticks = true;
            player.first_ticks = record->ticks;
            player.watch_start = device_ticks_ms();
        }
        player.last_ticks = record->ticks;
        keep_pace(record->ticks - player.first_ticks);
    } else if (record->kind == TAPE_CALENDAR) {
        player.last_calendar = record->calendar;
    }
    return true;
}

void tape_part_from(TapeKind wanted, TapeKind held, const char* detail) {
    part(player.name + ": the game went its own way " + session_time() +
         " into the session: it asked for " + tape_kind_name(wanted) +
         (detail ? std::string(" ") + detail : std::string()) + " where the recording holds " +
         tape_kind_name(held) +
         " (a different game version or different data makes a different game)");
}

uint32_t tape_fallback_ticks() {
    // A clock that moves on at every reading ends every wait of the game.
    player.last_ticks += 16;
    return player.last_ticks;
}

int64_t tape_fallback_calendar() {
    return player.last_calendar;
}

bool tape_fallback_event(PlatformEvent* event) {
    if (player.close_sent) return false;
    player.close_sent = true;
    *event = {PEV_CLOSE, 0, 0, 0};
    return true;
}

bool tape_watching() {
    return player.watch && player.state != State::off;
}

bool tape_last_clock(uint32_t* ticks, int64_t* calendar) {
    if (player.state == State::off) return false;
    *ticks = player.last_ticks;
    *calendar = player.last_calendar;
    return true;
}

uint32_t tape_session_ms() {
    return player.have_ticks ? player.last_ticks - player.first_ticks : 0;
}

std::string tape_seconds(uint32_t ms) {
    char text[32];
    std::snprintf(text, sizeof text, "%u.%03u s", ms / 1000, ms % 1000);
    return text;
}

void tape_play_stream(const uint8_t* stream, size_t size, const char* name, const char* damage) {
    player.stream.assign(stream, stream + size);
    begin(name, damage, false);
}

void tape_append(const uint8_t* stream, size_t size) {
    player.stream.insert(player.stream.end(), stream, stream + size);
}

bool tape_has_more() {
    if (player.state != State::playing) return false;
    TapeRecord record;
    size_t pos;
    TapeCoding coding;
    std::string why;
    int32_t got = peek(&record, &pos, &coding, &why);
    return got != 0 && !(got == 1 && record.kind == TAPE_END);
}

void tape_stop() {
    player.state = State::off;
    player.watch = false;
    player.stream.clear();
    player.stream.shrink_to_fit();
}

bool platform_play_recording(const char* path, bool watch, char* header, size_t size) {
    TapeFile file;
    std::string why;
    if (!tape_read_file(path, &file, &why)) {
        player.error = why;
        return false;
    }
    if (file.format != TAPE_FORMAT) {
        player.error = std::string(path) + ": a recording of format " +
                       std::to_string(file.format) + " (an older game's); this game plays format " +
                       std::to_string(TAPE_FORMAT) +
                       " (cairnfall-replay --recording FILE --to-script still prints it)";
        return false;
    }
    player.stream = std::move(file.stream);
    begin(path, file.damage.c_str(), watch);
    if (size > 0) std::snprintf(header, size, "%s", file.header.c_str());
    return true;
}

bool platform_playback_finished() {
    bool whole = false;
    if (player.state == State::playing) {
        TapeRecord record;
        size_t pos;
        TapeCoding coding;
        std::string why;
        int32_t got = peek(&record, &pos, &coding, &why);
        whole = got == 1 && record.kind == TAPE_END;
        if (!whole && got == 0) {
            ran_out(TAPE_END);
        } else if (!whole) {
            part(player.name + ": the game ended " + session_time() +
                 " into the session, before the recording did (a different game version or "
                 "different data makes a different game)");
        }
    }
    bool stopped = player.state == State::stopped;
    tape_stop();
    return whole || stopped;
}

const char* platform_tape_error() {
    return player.error.c_str();
}
