// The page's sound maker, run in a worker (web/sound-worker.js): the same
// synthesis that makes the desktop's sound files, one file at a time into the
// worker's own memory, read back by the game's own WAV reader so that the worker
// hands the page samples and their format.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "assetgen/sounds.h"
#include "sound/sound.h"

namespace {

// The sound last made, as the worker reads it: five 32-bit fields.
struct MadeSound {
    uint32_t channels;
    uint32_t rate;
    uint32_t bits;
    uint32_t samples;  // address of the samples in this program's memory
    uint32_t size;     // their byte count
};

MadeSound made = {};
WaveFormat* format = nullptr;
uint8_t* file_bytes = nullptr;

}  // namespace

// Makes sound `index` (0 to 8); null when it could not be made.
// Exported to the worker by the link (cmake/web.cmake).
extern "C" const MadeSound* make_sound(int index) {
    std::free(format);
    std::free(file_bytes);
    format = nullptr;
    file_bytes = nullptr;
    char path[32];
    std::snprintf(path, sizeof path, "/sound%d_", index);
    if (!write_game_sound(path, index)) return nullptr;
    uint32_t size = 0, offset = 0, samples = 0;
    int32_t read = snd_read_wav(path, &format, &file_bytes, &size, &offset, &samples);
    std::remove(path);
    if (read != 1 || samples == 0 || !snd_format_playable(format)) return nullptr;
    made = {format->nChannels, format->nSamplesPerSec, format->wBitsPerSample,
            static_cast<uint32_t>(reinterpret_cast<uintptr_t>(file_bytes + offset)), samples};
    return &made;
}
