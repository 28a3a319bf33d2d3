// The ten best games, best first, and the rule that decides where a new one goes.
#include <cstring>

#include "screens/screens.h"

HighScoreEntry high_scores[HIGH_SCORE_ENTRIES];

void reset_high_score_table() {
    for (HighScoreEntry& entry : high_scores) entry = {};
}

namespace {

constexpr int32_t NAME_SIZE = static_cast<int32_t>(sizeof(HighScoreEntry::name));
constexpr int32_t ENTRY_SIZE = NAME_SIZE + 4;
static_assert(ENTRY_SIZE * HIGH_SCORE_ENTRIES == HIGH_SCORE_FILE_SIZE, "160-byte table");

// Copies a name as text up to its terminator, within the 12 bytes of a field:
// bytes after the terminator keep what they held; a name of 12 characters is
// stored without one.
void copy_name(char* to, const char* from) {
    int32_t length = name_field_length(from);
    std::memmove(to, from, static_cast<size_t>(length));
    if (length < NAME_SIZE) to[length] = '\0';
}

}  // namespace

int32_t name_field_length(const char* name) {
    int32_t length = 0;
    while (length < NAME_SIZE && name[length] != '\0') length++;
    return length;
}

bool score_beats_table(int32_t score) {
    return score > high_scores[HIGH_SCORE_ENTRIES - 1].score;
}

void insert_high_score(const char* name, int32_t score) {
    int32_t place = 0;
    while (place < HIGH_SCORE_ENTRIES && high_scores[place].score >= score) place++;
    if (place == HIGH_SCORE_ENTRIES) return;
    for (int32_t k = HIGH_SCORE_ENTRIES - 2; k >= place; k--) {
        copy_name(high_scores[k + 1].name, high_scores[k].name);
        high_scores[k + 1].score = high_scores[k].score;
    }
    copy_name(high_scores[place].name, name);
    high_scores[place].score = score;
}

// The file holds each entry as its 12 name bytes and its score, little-endian.
void high_scores_to_bytes(uint8_t* bytes) {
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
        uint8_t* entry = bytes + i * ENTRY_SIZE;
        std::memcpy(entry, high_scores[i].name, NAME_SIZE);
        uint32_t score = static_cast<uint32_t>(high_scores[i].score);
        for (int32_t b = 0; b < 4; b++)
            entry[NAME_SIZE + b] = static_cast<uint8_t>(score >> (8 * b));
    }
}

// Bytes beyond `length` leave the table as it was, so a short file replaces only
// what it covers, down to single bytes of a score.
void high_scores_from_bytes(const uint8_t* bytes, int32_t length) {
    if (length <= 0) return;
    if (length > HIGH_SCORE_FILE_SIZE) length = HIGH_SCORE_FILE_SIZE;
    uint8_t table[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(table);
    std::memcpy(table, bytes, static_cast<size_t>(length));
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
        const uint8_t* entry = table + i * ENTRY_SIZE;
        std::memcpy(high_scores[i].name, entry, NAME_SIZE);
        uint32_t score = 0;
        for (int32_t b = 0; b < 4; b++)
            score |= static_cast<uint32_t>(entry[NAME_SIZE + b]) << (8 * b);
        high_scores[i].score = static_cast<int32_t>(score);
    }
}
