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
