// The handles the program holds while its window exists: made by start-up,
// drawn with by every screen, released by shutdown.
#pragma once

#include <cstdint>

// The window's device context, the palette, the font and the cursor of the game.
extern int32_t window_dc;
extern int32_t game_palette;
extern int32_t game_font;
extern int32_t game_cursor;
// The two 800x600 buffers: every screen draws into the first; the second caches
// the game board's background.
extern int32_t active_buffer;
extern int32_t backdrop_buffer;

// Releases every handle above (and the sounds), as when the window closes.
void shutdown();
