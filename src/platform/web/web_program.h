// What the page's program (src/shell/web_main.cpp) asks of the browser around
// the game itself.
#pragma once

#include <cstdint>

// Makes the game's folder and writes the sounds' stand-ins into its data/
// (web_js.h); a stand-in that cannot be written is said on standard error.
void web_prepare_game_folder();
// Tells the page that the program ended, with its exit status.
void web_program_ended(int32_t status);
// Queues the window's close event, as if the player had closed the game: the
// running game ends at its next look for input (and its recording with it).
void web_close_window();
