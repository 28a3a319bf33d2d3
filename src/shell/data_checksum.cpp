// A fingerprint of the game's data: every picture file of the catalogue, in
// catalogue order, then the font file, through 64-bit FNV-1a. A recording names
// the data it was made with; other pictures or glyphs make another game. The
// sounds are left out: what they hold changes neither what the game draws nor
// what it decides (a sound that cannot play is silence), and the browser plays
// sounds it makes once the game has started, so a session played there has the
// desktop's fingerprint and plays back on the desktop.
#include "platform/platform.h"
#include "runtime/catalogue.h"
#include "shell/program.h"
#include "shell/session_tape.h"

namespace {

constexpr uint64_t kFnvOffset = 0xcbf29ce484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001b3ull;

void hash_bytes(const uint8_t* bytes, int64_t length, uint64_t* hash) {
    for (int64_t i = 0; i < length; ++i) *hash = (*hash ^ bytes[i]) * kFnvPrime;
}

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
    while ((got = platform_file_read(file, block, sizeof block)) > 0) hash_bytes(block, got, hash);
    platform_file_close(file);
}

}  // namespace

uint64_t data_checksum() {
    uint64_t hash = kFnvOffset;
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        // A picture the data check read whole is not read again.
        CheckedPicture picture;
        if (checked_picture(i, &picture) && picture.whole) {
            hash_bytes(picture.bytes, picture.length, &hash);
        } else {
            hash_file(catalogue_entry(i).file, &hash);
        }
    }
    hash_file(PLATFORM_FONT_FILE, &hash);
    return hash;
}
