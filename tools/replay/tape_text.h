// The records of a session tape as script words, so that a recording can become a
// replay script, and a script can feed the game a recorded session.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/common/tape/tape.h"

// Appends the word of one record to `words` (space-separated). `pair_pending` is
// set while an unchanged calendar reading waits to be joined with the ticks
// reading after it ("@N").
void tape_text_word(const TapeRecord& record, TapeCoding* coding, std::string* words);
// Writes an unchanged calendar reading still waiting for its ticks reading, at
// the end of a line or of the records.
void tape_text_flush(TapeCoding* coding, std::string* words);
// Turns the words of a `tape` line into record codes appended to `stream`. False,
// with `why` naming the word, when a word is none.
bool tape_text_parse(const std::vector<std::string>& words, size_t first, TapeCoding* coding,
                     std::vector<uint8_t>* stream, std::string* why);
// A 64-bit hash of an 800x600 picture, to compare frames.
uint64_t frame_hash(const uint32_t* argb);
