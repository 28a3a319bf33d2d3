// The page's sound maker, run in a worker (web/sound-worker.js): the same
// synthesis that makes the desktop's sound files, one file at a time into the
// worker's own memory, from which the worker hands the bytes to the page.
#include <emscripten.h>

#include <cstdio>

#include "assetgen/sounds.h"

extern "C" EMSCRIPTEN_KEEPALIVE int make_sound(int index) {
    char path[32];
    std::snprintf(path, sizeof path, "/sound%d_", index);
    return write_game_sound(path, index) ? 1 : 0;
}
