// Cairnfall in a web page: the page has unpacked the pictures and the font into
// the game's folder before this runs; a worker makes the sounds once the game
// shows (stand-ins take their place until they come). Then the whole program
// runs as on the desktop, and the page hears how it ended. A recording opened
// by the page (a link, a file, a stored session) is watched in its place, and
// the page's own game starts again when the viewer leaves.
#include <cstdio>

#include "platform/web/web_program.h"
#include "shell/program.h"
#include "shell/watch.h"

namespace {
// True while the page's own game runs (not a watched one).
bool own_game = false;

int32_t opened(bool ok) {
    // The page's own game ends as on closing its window, then the recording plays.
    if (ok && own_game) web_close_window();
    return ok ? 1 : 0;
}
}  // namespace

// The calls the page makes (exported by cmake/web.cmake); src/shell/watch.h
// describes them.
extern "C" {
int cf_watch_open(const uint8_t* bytes, int size, const char* name) {
    return opened(size >= 0 && watch_open(bytes, static_cast<size_t>(size), name));
}
int cf_watch_open_link(const char* text) {
    return opened(watch_open_link(text));
}
int cf_watch_key(const char* key) {
    return watch_page_key(key) ? 1 : 0;
}
void cf_watch_play(int playing) {
    watch_play(playing);
}
void cf_watch_seek(int ms) {
    watch_seek(ms);
}
void cf_watch_step(int frames) {
    watch_command(WATCH_FRAME, frames);
}
void cf_watch_speed(double speed) {
    watch_set_speed(speed);
}
void cf_watch_leave() {
    watch_leave();
}
const char* cf_watch_state() {
    return watch_state_json();
}
}

int main(int argc, char** argv) {
    web_prepare_game_folder();
    int32_t status = parse_command_line(argc, argv, stdout, stderr);
    bool played = false;
    while (status < 0) {
        if (watch_pending()) {
            run_watching();
            continue;
        }
        if (played) reset_program_state();
        played = true;
        own_game = true;
        int32_t ended = run_program();
        own_game = false;
        // A game ended for a recording to watch: watch it, then play again.
        if (!watch_pending()) status = ended;
    }
    web_program_ended(status);
    return status;
}
