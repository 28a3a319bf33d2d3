// Watching a recording with a player's controls: pause, speed, frame steps and
// seeking, on the desktop (`cairnfall --watch FILE`) and in the page.
//
// THE CONTRACT (for the page; the desktop uses the same calls)
//
// - A recording is replayed through the real game, its inputs taken from the
//   recording only. Watching writes nothing: no saved file, no recording.
// - One loop plays it: run_watching() (the page's main calls it). The page's
//   exported calls below only leave requests and read the state; the loop acts
//   on them at its next turn, so they are safe to call at any time, also while
//   the program sleeps.
// - Positions are milliseconds of the session's own clock, 0 to duration_ms.
//   A frame is a turn of the game's 16 ms tick. A jump (seek, step, Home/End,
//   0..9, arrows) shows the frame reached by playing straight there: the first
//   frame at or after the time asked for. A jump keeps playing or paused as it
//   was; End pauses on the last frame.
// - At the end of the recording (its game quit, or the recording stops) the
//   picture stays on its last frame, paused, `ended` true; Esc (or leave) ends
//   watching. A damaged or cut recording plays up to the damage, then `ended`
//   with `problem` saying where it stopped.
// - A recording that cannot be watched (another version, no recording at all,
//   too large) changes nothing: open returns false and `problem` says why in one
//   sentence (a recording that is watched meanwhile goes on).
// - The page's main (web_main.cpp): a recording opened before callMain (a
//   #watch= link at load) is watched at once, and the page's own game does not
//   start; one opened while the page's own game runs ends that game as closing
//   its window does (a close event in CF.events), then plays. When the viewer
//   leaves, main starts the page's own game again (reset, open the window,
//   record), as on any visit. "watching" in the state says which runs.
// - Keys: once the page called cf_watch_key, the program takes watching's keys
//   only from it and ignores key events in CF.events while watching (the page
//   may still queue them; a mouse or touch event there does nothing either).
// - The picture: each frame shown is presented as the game presents (so
//   CF.pictureDataURL() gives it); jumps present the frame they land on once.
// - Sizes: a file of up to WATCH_FILE_MAX (16 MB); a link holds its file in
//   base64, 4 characters for 3 bytes.
//
// The page's program (src/shell/web_main.cpp) exports, by the link option in
// cmake/web.cmake, as Module._cf_watch_* (strings in with Module.allocateUTF8
// and Module._free, out with UTF8ToString; bytes through Module._malloc and
// Module.HEAPU8):
//   int  cf_watch_open(const uint8_t* bytes, int size, const char* name)
//           a recording file's bytes (the page copies them into the program's
//           memory with _malloc and frees them after the call); name shows in
//           messages ("the link", a file's name). 1: it plays from its first
//           frame (a game of the page's own that was running ends first, as on
//           closing the window); 0: nothing changed, state().problem says why.
//   int  cf_watch_open_link(const char* text)
//           the text after "#watch=": base64url without padding, or base64 with
//           padding and + and /. As cf_watch_open.
//   int  cf_watch_key(const char* key)
//           a KeyboardEvent.key; 1 when it is a watching key and a recording
//           is watched (then the page stops it reaching anything else), else 0.
//   void cf_watch_play(int playing)   1 play, 0 pause, -1 switch
//   void cf_watch_seek(int ms)        jump to a time of the session
//   void cf_watch_step(int frames)    +1 one frame forward, -1 one back (pauses)
//   void cf_watch_speed(double speed) 0.25 .. 8 (other values are brought in)
//   void cf_watch_leave()             ends watching: the page's own game starts
//   const char* cf_watch_state()      JSON, valid until the next call:
//           {"watching":true,"position":1234,"duration":600000,"playing":true,
//            "speed":1,"ended":false,"problem":""}
//
// The keys, by KeyboardEvent.key (the desktop maps its key events to the same
// names): " " play/pause, "Home"/"End" start/end, "." / "," one frame forward /
// back, "<" / ">" halve / double the speed, "0".."9" 0 % .. 90 %, "ArrowLeft" /
// "ArrowRight" 5 s back / forward, "Escape" leave.
#pragma once

#include <cstddef>
#include <cstdint>

enum WatchCommand : int32_t {
    WATCH_PLAY_PAUSE,  // switch between playing and paused
    WATCH_START,       // jump to the first frame
    WATCH_END,         // jump to the last frame, paused
    WATCH_FRAME,       // arg frames forward (+1) or back (-1), paused
    WATCH_SPEED,       // arg +1 doubles the speed, -1 halves it
    WATCH_PERCENT,     // jump to arg % of the session
    WATCH_SKIP,        // jump arg ms forward (negative: back)
    WATCH_LEAVE,       // end watching
};

struct WatchKey {
    const char* key;  // KeyboardEvent.key
    WatchCommand command;
    int32_t arg;
};
// Every watching key, once, for the page and the desktop.
extern const WatchKey WATCH_KEYS[];
extern const size_t WATCH_KEY_COUNT;
// The entry for a KeyboardEvent.key name; null when it is no watching key.
const WatchKey* watch_key(const char* key);

constexpr double WATCH_SPEED_MIN = 0.25;
constexpr double WATCH_SPEED_MAX = 8.0;
// Where a jump of the arrows goes.
constexpr int32_t WATCH_SKIP_MS = 5000;
// The largest recording file watching takes.
constexpr size_t WATCH_FILE_MAX = 16u << 20;

struct WatchState {
    bool watching;  // a recording is open (also once it ended, until left)
    int64_t position_ms;
    int64_t duration_ms;
    bool playing;
    double speed;
    bool ended;  // on the last frame it has (its end, or where it broke off)
    // "" or one sentence: why a recording did not open, or where it stopped.
    const char* problem;
};

// Opens a recording to watch from its file's bytes (`name` names it in
// messages). False, with watch_state().problem saying why, when it cannot be
// watched here; nothing else changes then.
bool watch_open(const uint8_t* bytes, size_t size, const char* name);
// The same from the text of a link's fragment after "#watch=".
bool watch_open_link(const char* text);
// The same from a file (--watch FILE).
bool watch_open_file(const char* path);

// The requests; each takes effect at the loop's next turn.
void watch_command(WatchCommand command, int32_t arg);
void watch_play(int32_t playing);  // 1, 0, or -1 to switch
void watch_seek(int64_t ms);
void watch_set_speed(double speed);
void watch_leave();

// A key of the page (KeyboardEvent.key): the command it names, when it is a
// watching key. From then on the page's keys come only this way, and the key
// events of the game's own queue are left alone.
bool watch_page_key(const char* key);

WatchState watch_state();
// What the snapshots for seeking hold, in bytes.
size_t watch_bytes_held();
// watch_state() as the JSON the page reads (cf_watch_state).
const char* watch_state_json();

// True from a successful open until run_watching has started playing it: the
// program should end its own game (as on closing the window) and watch.
bool watch_pending();
// Plays the open recording with the controls until the viewer leaves (Esc, the
// window's close, watch_leave). The window is opened and closed inside. Returns
// the exit status (1 when the window could not be opened).
int32_t run_watching();

// run_watching in its three parts, for tests and tools: starts the program on
// the recording (false when the window cannot open), one turn of the loop
// (false once the viewer left), and the end.
bool watch_begin();
bool watch_turn();
void watch_end();
// The frame shown, counted from the first (0).
int64_t watch_frame();

// Back to no recording open (from reset_program_state).
void reset_watch();
