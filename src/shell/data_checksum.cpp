// A fingerprint of the game's data: every picture and sound file of the
// catalogue, in catalogue order, then the font file, through 64-bit FNV-1a. A
// recording names the data it was made with; other pictures, sounds or glyphs
// make another game.
#include "platform/platform.h"
#include "shell/catalogue.h"
#include "shell/session_tape.h"
#include "sound/sound.h"

namespace {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;

// Adds a file's bytes (or, for a file that cannot be read, a mark of its own) to
// the hash.
void hash_file(const char* path, uint64_t* hash) {
    static uint8_t block[65536];
    int32_t file = platform_file_open(path);
    if (file < 0) {
        *hash = (*hash ^ 0xFFu) * kFnvPrime;
        return;
    }
    int32_t got;
    while ((got = platform_file_read(file, block, sizeof block)) > 0) {
        for (int32_t i = 0; i < got; ++i) *hash = (*hash ^ block[i]) * kFnvPrime;
    }
    platform_file_close(file);
}

}  // namespace

uint64_t data_checksum() {
    uint64_t hash = kFnvOffset;
    for (int32_t i = 0; i < catalogue_size(); ++i) hash_file(catalogue_entry(i).file, &hash);
    char file[32];
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        sound_file_name(file, sizeof file, slot);
        hash_file(file, &hash);
    }
    hash_file(PLATFORM_FONT_FILE, &hash);
    return hash;
}
