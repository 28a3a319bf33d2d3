// The named values a replay script can read, check and set.
#pragma once

#include <cstdint>
#include <string>

// Reads a field ("game.score", "board.rows", "remaining" ...) into *value. False
// when there is no such field.
bool replay_get_field(const std::string& name, int32_t* value);
// Sets a writable field (the records' fields, and "remaining", the time left in
// the row). False when there is no such field or it is read-only.
bool replay_set_field(const std::string& name, int32_t value);
// Every readable field name, for the state dump and the documentation.
int32_t replay_field_count();
const char* replay_field_name(int32_t index);

// The current screen's name: "intro", "options", "instructions", "high_scores",
// "name_entry", "quit", "game_over", "game", "pause", "none" or "unknown".
std::string replay_screen_name();
// Records the handlers each screen installs, so that replay_screen_name can tell
// them apart; called before the program starts (it enters those screens once).
void replay_learn_screens();
// The intro's handlers, taken just after start-up entered it.
void replay_learn_intro();
