// The program's handles and their release. They live below the screens, so that
// closing the window (the main loop) releases them without reaching up to
// start-up, which makes them.
#include "runtime/handles.h"

#include "gfx/gfx.h"
#include "platform/platform.h"
#include "sound/sound.h"

int32_t window_dc = 0;
int32_t game_palette = 0;
int32_t game_font = 0;
int32_t game_cursor = 0;
int32_t active_buffer = -1;
int32_t backdrop_buffer = -1;

void shutdown() {
    gfx_unselect_buffer();
    gfx_free_buffer(active_buffer);
    gfx_free_buffer(backdrop_buffer);
    active_buffer = -1;
    backdrop_buffer = -1;
    gfx_shutdown();
    snd_release_all();
    game_palette = 0;
    if (game_font) platform_font_close(game_font);
    game_font = 0;
    window_dc = 0;
}
