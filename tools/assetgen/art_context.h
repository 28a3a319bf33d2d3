// The graphics-layer set-up the generator draws with: the canvas buffer every
// picture is drawn into, a scratch buffer for measuring text, and the fonts.
#pragma once

#include <cstdint>

// Initialises the graphics layer once (later calls do nothing).
void art_setup();
int32_t art_canvas_buffer();
int32_t art_scratch_buffer();
// The game's font face (heavy italic sans) with a cell of `cell_height` pixels;
// 28 is the game font itself. Opened once per size; 0 when no font is available.
int32_t art_font(int32_t cell_height);
// The same family in another style (upright for running text).
int32_t art_font_styled(int32_t cell_height, bool bold, bool italic);
constexpr int32_t GAME_FONT_CELL = 28;
