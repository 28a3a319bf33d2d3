// The player's settings and "profile.dat", their 16-byte file.
#include <cstdio>

#include "platform/platform.h"
#include "screens/screens.h"

namespace {
constexpr Profile kProfileAtStart = {1, 3, 1, 0};
}

Profile profile = kProfileAtStart;

void reset_profile() {
    profile = kProfileAtStart;
}

const char* const PROFILE_FILE = "profile.dat";

namespace {

constexpr int32_t PROFILE_FIELDS = 4;
static_assert(PROFILE_FIELDS * 4 == PROFILE_FILE_SIZE, "16-byte record");

int32_t* profile_field(int32_t index) {
    switch (index) {
        case 0:
            return &profile.music_level;
        case 1:
            return &profile.effects_level;
        case 2:
            return &profile.difficulty;
        default:
            return &profile.profile_saved;
    }
}

// The volume levels index the mark tables and the volume mapping: keep them in 0..3.
int32_t clamp_level(int32_t level) {
    if (level < 0) return 0;
    if (level > 3) return 3;
    return level;
}

}  // namespace

void profile_to_bytes(uint8_t* bytes) {
    for (int32_t i = 0; i < PROFILE_FIELDS; i++) {
        uint32_t value = static_cast<uint32_t>(*profile_field(i));
        for (int32_t b = 0; b < 4; b++) bytes[4 * i + b] = static_cast<uint8_t>(value >> (8 * b));
    }
}

// A short record replaces only the leading bytes it covers. The difficulty is
// kept as read; the options screen corrects it when it is drawn.
void profile_from_bytes(const uint8_t* bytes, int32_t length) {
    if (length <= 0) return;
    if (length > PROFILE_FILE_SIZE) length = PROFILE_FILE_SIZE;
    uint8_t record[PROFILE_FILE_SIZE];
    profile_to_bytes(record);
    for (int32_t i = 0; i < length; i++) record[i] = bytes[i];
    for (int32_t i = 0; i < PROFILE_FIELDS; i++) {
        uint32_t value = 0;
        for (int32_t b = 0; b < 4; b++)
            value |= static_cast<uint32_t>(record[4 * i + b]) << (8 * b);
        *profile_field(i) = static_cast<int32_t>(value);
    }
    profile.music_level = clamp_level(profile.music_level);
    profile.effects_level = clamp_level(profile.effects_level);
}

void load_profile() {
    uint8_t bytes[PROFILE_FILE_SIZE];
    int32_t got = read_saved_file(PROFILE_FILE, bytes, PROFILE_FILE_SIZE);
    if (got > 0) profile_from_bytes(bytes, got);
}

// The record is written with profile_saved set, whole or not at all; the flag is
// kept only when the write succeeded.
bool save_profile() {
    int32_t was_saved = profile.profile_saved;
    profile.profile_saved = 1;
    uint8_t bytes[PROFILE_FILE_SIZE];
    profile_to_bytes(bytes);
    if (platform_write_saved(PROFILE_FILE, bytes, sizeof bytes)) return true;
    profile.profile_saved = was_saved;
    std::fprintf(stderr, "cairnfall: the settings could not be saved: %s\n", platform_save_error());
    return false;
}
