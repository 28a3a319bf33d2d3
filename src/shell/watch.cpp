// Watching: the recording plays through the real game, turn by turn of its main
// loop, with the viewer's controls in between. A frame is the boundary after a
// turn that ran the tick (or ended the game); jumps restore the newest snapshot
// before the frame wanted and run on to it with nothing shown or heard, so the
// frame after a jump is the one playing straight there reaches.
#include "shell/watch.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "gfx/gfx.h"
#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_file.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "shell/program.h"
#include "shell/recording_link.h"
#include "shell/session_tape.h"
#include "shell/snapshot.h"
#include "sound/sound.h"

const WatchKey WATCH_KEYS[] = {
    {" ", WATCH_PLAY_PAUSE, 0},
    {"Home", WATCH_START, 0},
    {"End", WATCH_END, 0},
    {".", WATCH_FRAME, 1},
    {",", WATCH_FRAME, -1},
    {"<", WATCH_SPEED, -1},
    {">", WATCH_SPEED, 1},
    {"0", WATCH_PERCENT, 0},
    {"1", WATCH_PERCENT, 10},
    {"2", WATCH_PERCENT, 20},
    {"3", WATCH_PERCENT, 30},
    {"4", WATCH_PERCENT, 40},
    {"5", WATCH_PERCENT, 50},
    {"6", WATCH_PERCENT, 60},
    {"7", WATCH_PERCENT, 70},
    {"8", WATCH_PERCENT, 80},
    {"9", WATCH_PERCENT, 90},
    {"ArrowLeft", WATCH_SKIP, -WATCH_SKIP_MS},
    {"ArrowRight", WATCH_SKIP, WATCH_SKIP_MS},
    {"Escape", WATCH_LEAVE, 0},
};
const size_t WATCH_KEY_COUNT = sizeof WATCH_KEYS / sizeof WATCH_KEYS[0];

const WatchKey* watch_key(const char* key) {
    for (const WatchKey& k : WATCH_KEYS) {
        if (std::strcmp(k.key, key) == 0) return &k;
    }
    return nullptr;
}

namespace {

// Snapshots this far apart in the session's time, taken the first time
// playback passes there; twice as far apart each time they hold more than
// kSnapshotBytesMost (a session longer than about 20 minutes).
constexpr int64_t kSnapshotEveryMs = 2000;
constexpr size_t kSnapshotBytesMost = 28u << 20;
// A wait of the session longer than this is shortened (at normal speed).
constexpr int64_t kLongestWaitMs = 250;
// The viewer's input is read this often while nothing plays.
constexpr uint32_t kIdleMs = 16;
// Running ahead, the program gives the page its turn this often.
constexpr uint32_t kYieldEveryMs = 100;

enum class Jump { none, time, frame, end };

struct Watch {
    // The recording.
    bool open = false;
    bool pending = false;
    std::string name;
    std::vector<uint8_t> stream;
    std::string damage;
    int64_t duration_ms = 0;
    std::string problem;
    // The controls.
    bool running = false;  // from watch_begin to watch_end
    bool started = false;  // the window opened
    bool playing = true;
    double speed = 1;
    bool ended = false;
    bool leave = false;
    Jump jump = Jump::none;
    int64_t jump_to = 0;
    bool pause_after_jump = false;
    // Where playback stands: the frame the last turn ended on.
    int64_t frame = 0;
    int64_t position_ms = 0;
    int64_t last_frame = -1;  // once the end was reached
    // Running ahead to a frame: no pace, nothing shown or heard.
    bool ahead = false;
    // The pace: the machine's clock at `anchor_wall` showed session time
    // `anchor_ms`.
    uint32_t anchor_wall = 0;
    int64_t anchor_ms = 0;
    SnapshotStore snapshots;
    int64_t snapshot_every = kSnapshotEveryMs;
    std::string json;
    bool page_keys = false;  // the page hands its keys over itself
};

Watch w;

void anchor() {
    w.anchor_wall = device_ticks_ms();
    w.anchor_ms = static_cast<int64_t>(tape_session_ms());
}

// The name a key event of the window has in the table: the character it types
// when the backend tells it, else by its virtual-key code.
const char* key_name(const PlatformEvent& e, char* one) {
    if (e.x > 32 && e.x < 127) {
        one[0] = static_cast<char>(e.x);
        one[1] = '\0';
        return one;
    }
    switch (e.key) {
        case KEY_SPACE:
            return " ";
        case 36:
            return "Home";
        case 35:
            return "End";
        case KEY_LEFT:
            return "ArrowLeft";
        case KEY_RIGHT:
            return "ArrowRight";
        case KEY_ESCAPE:
            return "Escape";
        case 188:
            return ",";
        case 190:
            return ".";
        default:
            break;
    }
    if (e.key >= KEY_0 && e.key <= KEY_0 + 9) {
        one[0] = static_cast<char>(e.key);
        one[1] = '\0';
        return one;
    }
    return "";
}

void viewer_event(const PlatformEvent& e) {
    if (e.type == PEV_CLOSE || (e.type == PEV_KEY_DOWN && e.key == KEY_F12)) {
        watch_leave();
    } else if (e.type == PEV_KEY_DOWN && !w.page_keys) {
        char one[2];
        const WatchKey* k = watch_key(key_name(e, one));
        if (k) watch_command(k->command, k->arg);
    }
}

// The window's own input: only the viewer's controls; the game takes its
// input from the recording.
void read_viewer_input() {
    PlatformEvent e;
    while (device_poll_event(&e)) viewer_event(e);
}

// Waits up to `ms` for the viewer.
void wait_viewer(uint32_t ms) {
    PlatformEvent e;
    if (device_wait_event(&e, ms)) viewer_event(e);
    read_viewer_input();
}

bool interrupted() {
    return w.leave || w.jump != Jump::none;
}

// Called by the tape at each clock reading it gives the game: holds the show
// to its pace and speed, and reads the viewer's input. A jump asked for in
// between lets the turn run to its end at once; a pause takes hold when the
// turn ends (a blocking animation plays to its end first).
void pace(uint32_t session_ms) {
    if (w.ahead) {
        // A long run ahead lets the page (and the viewer's Esc) in now and then.
        if (device_ticks_ms() - w.anchor_wall >= kYieldEveryMs) {
            device_sleep_ms(0);
            read_viewer_input();
            w.anchor_wall = device_ticks_ms();
        }
        return;
    }
    read_viewer_input();
    for (;;) {
        if (interrupted()) {
            w.ahead = true;
            return;
        }
        int64_t due =
            w.anchor_ms + static_cast<int64_t>(
                              static_cast<uint32_t>(device_ticks_ms() - w.anchor_wall) * w.speed);
        int64_t ahead = static_cast<int64_t>(session_ms) - due;
        int64_t longest = static_cast<int64_t>(kLongestWaitMs * w.speed);
        if (ahead > longest) {
            w.anchor_ms += ahead - longest;
            ahead = longest;
        }
        if (ahead <= 0) return;
        uint32_t wait = static_cast<uint32_t>(ahead / w.speed);
        wait_viewer(wait < 1 ? 1 : wait);
    }
}

void hold_output(bool hold) {
    if (hold && !w.ahead) w.anchor_wall = device_ticks_ms();
    w.ahead = hold;
    gfx_hold_presents(hold);
    snd_hold_effects(hold);
}

void end_here();

// One turn of the game's main loop; the frame count and the snapshots follow.
void turn() {
    int32_t deadline = tick_deadline;
    bool alive = main_loop_turn();
    if (tape_parted()) {
        end_here();
        return;
    }
    if (tick_deadline == deadline && alive) return;
    ++w.frame;
    w.position_ms = static_cast<int64_t>(tape_session_ms());
    const ProgramSnapshot& newest = w.snapshots.snapshots().back();
    if (alive && w.frame > newest.frame && w.position_ms >= newest.position_ms + w.snapshot_every) {
        w.snapshots.take(w.frame, w.position_ms);
        if (w.snapshots.bytes_held() > kSnapshotBytesMost) {
            w.snapshots.thin();
            w.snapshot_every *= 2;
        }
    }
    if (!alive) {
        w.last_frame = w.frame;
        w.ended = true;
        w.playing = false;
    }
}

// Runs turns until the frame, with nothing shown (the end comes first when the
// recording has none so late).
void run_to_frame(int64_t frame) {
    while (w.frame < frame && !w.ended && !w.leave) turn();
}

// Puts back the newest snapshot at or before the frame (or before the time).
void restore_before(int64_t frame, int64_t ms, bool by_time) {
    const std::vector<ProgramSnapshot>& list = w.snapshots.snapshots();
    size_t best = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        bool before = by_time ? list[i].position_ms < ms : list[i].frame <= frame;
        if (before || i == 0) best = i;
    }
    // Running on from where playback stands is as good when it is nearer.
    bool here = by_time ? w.position_ms < ms : w.frame <= frame;
    if (here && !w.ended && w.frame >= list[best].frame) return;
    w.snapshots.restore(best);
    w.frame = list[best].frame;
    w.position_ms = list[best].position_ms;
    w.ended = false;
}

// The tape broke off (damage, a cut file) in the last turn: the last frame is
// the one before it.
void end_here() {
    std::string why = platform_tape_error();
    int64_t last = w.frame;
    bool was_ahead = w.ahead;
    hold_output(true);
    restore_before(last, 0, false);
    run_to_frame(last);
    hold_output(was_ahead);
    w.last_frame = last;
    w.ended = true;
    w.playing = false;
    w.problem = why;
    if (!was_ahead) gfx_show_window();
}

void do_jump() {
    Jump jump = w.jump;
    int64_t to = w.jump_to;
    bool pause = w.pause_after_jump;
    w.jump = Jump::none;
    w.pause_after_jump = false;
    bool was_playing = w.playing && !w.ended;
    hold_output(true);
    if (jump == Jump::end && w.last_frame < 0) {
        while (!w.ended && !w.leave) turn();
    } else if (jump == Jump::end || jump == Jump::frame) {
        int64_t frame = jump == Jump::end ? w.last_frame : to;
        if (frame < 0) frame = 0;
        if (w.last_frame >= 0 && frame > w.last_frame) frame = w.last_frame;
        restore_before(frame, 0, false);
        run_to_frame(frame);
    } else {
        if (to > w.duration_ms) to = w.duration_ms;
        if (to <= 0) {
            restore_before(0, 0, false);
        } else {
            restore_before(0, to, true);
            while (w.position_ms < to && !w.ended && !w.leave) turn();
        }
    }
    hold_output(false);
    w.ended = w.last_frame >= 0 && w.frame >= w.last_frame;
    w.playing = was_playing && !pause && !w.ended;
    gfx_show_window();
    anchor();
}

void request_jump(Jump jump, int64_t to, bool pause) {
    w.jump = jump;
    w.jump_to = to;
    w.pause_after_jump = pause;
}

bool fail(const std::string& problem) {
    w.problem = problem;
    return false;
}

// The session's length: from its first clock reading to its last.
int64_t stream_duration(const std::vector<uint8_t>& stream) {
    TapeCoding coding = {};
    TapeRecord record;
    std::string why;
    size_t pos = 0;
    bool first = true;
    uint32_t start = 0, last = 0;
    while (tape_decode(stream.data(), stream.size(), &pos, &coding, &record, &why) == 1) {
        if (record.kind != TAPE_TICKS) continue;
        if (first) start = record.ticks;
        first = false;
        last = record.ticks;
    }
    return static_cast<int64_t>(last - start);
}

void json_text(std::string* out, const std::string& text) {
    *out += '"';
    for (char c : text) {
        if (c == '"' || c == '\\') {
            *out += '\\';
            *out += c;
        } else if (static_cast<unsigned char>(c) < 32) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            *out += escaped;
        } else {
            *out += c;
        }
    }
    *out += '"';
}

}  // namespace

bool watch_open(const uint8_t* bytes, size_t size, const char* name) {
    if (size > WATCH_FILE_MAX) {
        char text[512];
        std::snprintf(text, sizeof text,
                      "%s is too large to watch: %.1f MB, where this game holds recordings of up "
                      "to %zu MB.",
                      name, static_cast<double>(size) / (1 << 20), WATCH_FILE_MAX >> 20);
        return fail(text);
    }
    TapeFile file;
    std::string why;
    if (!tape_read_bytes(bytes, size, name, &file, &why)) return fail(why + ".");
    if (file.format != TAPE_FORMAT) {
        return fail(std::string(name) + " is a recording of an older game (format " +
                    std::to_string(file.format) + "), which this game cannot play.");
    }
    char problem[8192 + 256];
    if (!check_recording_header(file.header.c_str(), name, problem, sizeof problem)) {
        return fail(std::string(problem) + ".");
    }
    // Nothing before this changed anything: now the recording replaces any other.
    w.name = name;
    w.stream = std::move(file.stream);
    w.damage = file.damage;
    w.duration_ms = stream_duration(w.stream);
    w.problem.clear();
    w.open = true;
    w.pending = true;
    if (w.running) watch_leave();  // the one watched now ends; the new one starts
    return true;
}

bool watch_open_link(const char* text) {
    std::vector<uint8_t> bytes;
    if (!recording_link_bytes(text, &bytes)) {
        return fail("The link holds no recording: the text after #watch= is not base64.");
    }
    return watch_open(bytes.data(), bytes.size(), "The link's recording");
}

bool watch_open_file(const char* path) {
    int32_t handle = platform_file_open(path);
    if (handle < 0) {
        bool missing = false;
        const char* cause = platform_file_open_error(&missing);
        return fail(std::string(path) + ": cannot be read (" + (missing ? "no such file" : cause) +
                    ").");
    }
    int64_t size = platform_file_size(handle);
    if (size < 0 || static_cast<uint64_t>(size) > WATCH_FILE_MAX) {
        platform_file_close(handle);
        if (size < 0) return fail(std::string(path) + ": cannot be read.");
        return watch_open(nullptr, static_cast<size_t>(size), path);
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    int32_t got =
        size > 0 ? platform_file_read(handle, bytes.data(), static_cast<uint32_t>(size)) : 0;
    platform_file_close(handle);
    if (got < 0) return fail(std::string(path) + ": cannot be read.");
    return watch_open(bytes.data(), static_cast<size_t>(got), path);
}

void watch_command(WatchCommand command, int32_t arg) {
    if (!w.open) return;
    switch (command) {
        case WATCH_PLAY_PAUSE:
            watch_play(-1);
            break;
        case WATCH_START:
            request_jump(Jump::time, 0, false);
            break;
        case WATCH_END:
            request_jump(Jump::end, 0, true);
            break;
        case WATCH_FRAME:
            request_jump(Jump::frame, w.frame + arg, true);
            break;
        case WATCH_SPEED:
            watch_set_speed(arg > 0 ? w.speed * 2 : w.speed / 2);
            break;
        case WATCH_PERCENT:
            request_jump(Jump::time, w.duration_ms * arg / 100, false);
            break;
        case WATCH_SKIP:
            request_jump(Jump::time, w.position_ms + arg, false);
            break;
        case WATCH_LEAVE:
            watch_leave();
            break;
    }
}

bool watch_page_key(const char* key) {
    w.page_keys = true;
    const WatchKey* k = watch_key(key);
    if (!k || !(w.running || w.pending)) return false;
    watch_command(k->command, k->arg);
    return true;
}

void watch_play(int32_t playing) {
    bool play = playing < 0 ? !w.playing : playing != 0;
    if (play && w.ended) {
        // Playing from the last frame starts again from the first.
        request_jump(Jump::time, 0, false);
        w.ended = false;
    }
    w.playing = play;
    anchor();
}

void watch_seek(int64_t ms) {
    if (w.open) request_jump(Jump::time, ms, false);
}

void watch_set_speed(double speed) {
    if (!(speed >= WATCH_SPEED_MIN)) speed = WATCH_SPEED_MIN;
    if (speed > WATCH_SPEED_MAX) speed = WATCH_SPEED_MAX;
    w.speed = speed;
    anchor();
}

void watch_leave() {
    if (w.running) w.leave = true;
}

bool watch_pending() {
    return w.pending;
}

WatchState watch_state() {
    WatchState s;
    s.watching = w.running || w.pending;
    s.position_ms = w.position_ms;
    s.duration_ms = w.duration_ms;
    s.playing = w.playing && !w.ended;
    s.speed = w.speed;
    s.ended = w.ended;
    s.problem = w.problem.c_str();
    return s;
}

const char* watch_state_json() {
    WatchState s = watch_state();
    char numbers[256];
    std::snprintf(numbers, sizeof numbers,
                  "{\"watching\":%s,\"position\":%" PRId64 ",\"duration\":%" PRId64
                  ",\"playing\":%s,\"speed\":%g,\"ended\":%s,\"problem\":",
                  s.watching ? "true" : "false", s.position_ms, s.duration_ms,
                  s.playing ? "true" : "false", s.speed, s.ended ? "true" : "false");
    w.json = numbers;
    json_text(&w.json, w.problem);
    w.json += '}';
    return w.json.c_str();
}

int64_t watch_frame() {
    return w.frame;
}

size_t watch_bytes_held() {
    return w.snapshots.bytes_held();
}

bool watch_begin() {
    if (!w.open) return false;
    // A fresh program, as at process start, with the recording's inputs.
    reset_program_state();
    w.running = true;
    w.pending = false;
    hold_window_at_close(true);
    tape_watch_stream(w.stream.data(), w.stream.size(), w.name.c_str(), w.damage.c_str(), pace);
    if (!start_program()) {
        w.started = false;
        w.leave = true;
        return false;
    }
    w.started = true;
    w.snapshots.take(0, 0);
    gfx_show_window();
    anchor();
    return true;
}

bool watch_turn() {
    if (w.leave) return false;
    if (w.jump != Jump::none) {
        do_jump();
    } else if (w.ended || !w.playing) {
        wait_viewer(kIdleMs);
    } else {
        turn();
        if (w.ahead && !w.leave) {
            // A jump came inside the turn, which ran to its end unseen.
            hold_output(false);
            if (w.jump == Jump::none) gfx_show_window();
        }
    }
    return !w.leave;
}

void watch_end() {
    hold_output(false);
    hold_window_at_close(false);
    if (main_window) {
        destroy_main_window();
    } else if (w.started) {
        shutdown();
        platform_close_window();
    }
    w.started = false;
    tape_stop();
    w.snapshots.clear();
    w.running = false;
    w.leave = false;
    // A recording opened while this one played is watched next.
    if (!w.pending) {
        w.open = false;
        w.stream.clear();
        w.stream.shrink_to_fit();
    }
}

int32_t run_watching() {
    bool started = watch_begin();
    while (watch_turn()) {
    }
    watch_end();
    return started ? 0 : 1;
}

void reset_watch() {
    // The recording opened stays: it is what the program is about to watch.
    w.playing = true;
    w.speed = 1;
    w.ended = false;
    w.leave = false;
    w.jump = Jump::none;
    w.pause_after_jump = false;
    w.frame = 0;
    w.position_ms = 0;
    w.last_frame = -1;
    w.ahead = false;
    w.snapshots.clear();
    w.snapshot_every = kSnapshotEveryMs;
    w.problem.clear();
    gfx_hold_presents(false);
    snd_hold_effects(false);
    hold_window_at_close(false);
}
