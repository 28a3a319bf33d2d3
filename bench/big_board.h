// The largest board the game reaches, for timing a frame: start-up in the
// current folder (which holds data/), then a game on an 11-column board of 10
// rows. Shared by the desktop benchmark and the one that runs in a web page.
#pragma once

// False when the program did not start.
bool start_big_board_game();
// One ordinary game frame: the row never runs out.
void big_board_frame();
