// Reading a RIFF WAVE file: the format fields from their fixed offsets and the
// place of the samples, found by walking the file's chunks.
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "sound/sound.h"

namespace {

// Smallest file that holds the format fields at offsets 20..35.
constexpr uint32_t FORMAT_END = 36;
// Largest file the reader accepts; the game's longest sound is well below it.
constexpr int64_t MAX_WAV_BYTES = int64_t{64} * 1024 * 1024;

uint16_t read_u16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t read_u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

// Reads the whole file into a new block; false (nothing kept) when it cannot, with
// *opened false when the file did not even open. Only a regular file is read, so a
// named pipe never stalls start-up.
bool read_whole_file(const char* path, uint8_t** bytes, uint32_t* size, bool* opened) {
    int32_t file = platform_file_open(path);
    *opened = file >= 0;
    if (file < 0) return false;
    int64_t length = platform_file_size(file);
    if (length < FORMAT_END || length > MAX_WAV_BYTES) {
        platform_file_close(file);
        return false;
    }
    uint8_t* block = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(length)));
    if (!block) {
        platform_file_close(file);
        return false;
    }
    int64_t got = platform_file_read(file, block, static_cast<uint32_t>(length));
    platform_file_close(file);
    if (got != length) {
        std::free(block);
        return false;
    }
    *bytes = block;
    *size = static_cast<uint32_t>(length);
    return true;
}

}  // namespace

bool snd_find_data_chunk(const uint8_t* bytes, uint32_t size, uint32_t* data_offset,
                         uint32_t* data_size) {
    *data_offset = 0;
    *data_size = 0;
    if (!bytes || size < 12) return false;
    if (std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) return false;
    // The RIFF body must lie inside the file; trailing bytes after it are ignored.
    uint32_t riff_size = read_u32(bytes + 4);
    if (riff_size < 4 || riff_size > size - 8) return false;
    const uint32_t end = 8 + riff_size;
    uint32_t at = 12;
    while (end - at >= 8) {
        uint32_t chunk_size = read_u32(bytes + at + 4);
        uint32_t body = at + 8;
        if (chunk_size > end - body) return false;  // the chunk claims more than there is
        if (std::memcmp(bytes + at, "data", 4) == 0) {
            *data_offset = body;
            *data_size = chunk_size;
            return true;
        }
        // An odd-sized chunk is followed by one pad byte; a missing final pad ends the walk.
        uint32_t step = chunk_size + (chunk_size & 1u);
        if (step > end - body) return false;
        at = body + step;
    }
    return false;
}

int32_t snd_read_wav(const char* path, WaveFormat** format, uint8_t** bytes, uint32_t* size,
                     uint32_t* data_offset, uint32_t* data_size) {
    bool opened = false;
    return snd_read_wav_opened(path, format, bytes, size, data_offset, data_size, &opened);
}

int32_t snd_read_wav_opened(const char* path, WaveFormat** format, uint8_t** bytes, uint32_t* size,
                            uint32_t* data_offset, uint32_t* data_size, bool* opened) {
    *opened = false;
    if (!path) return 0;
    uint8_t* block = nullptr;
    uint32_t length = 0;
    if (!read_whole_file(path, &block, &length, opened)) return 0;
    WaveFormat* wave = static_cast<WaveFormat*>(std::calloc(1, sizeof(WaveFormat)));
    if (!wave) {
        std::free(block);
        return 0;
    }
    wave->wFormatTag = read_u16(block + 20);
    wave->nChannels = read_u16(block + 22);
    wave->nSamplesPerSec = read_u32(block + 24);
    wave->nAvgBytesPerSec = read_u32(block + 28);
    wave->nBlockAlign = read_u16(block + 32);
    wave->wBitsPerSample = read_u16(block + 34);
    wave->cbSize = 0;
    uint32_t offset = 0;
    uint32_t samples = 0;
    snd_find_data_chunk(block, length, &offset, &samples);
    *format = wave;
    *bytes = block;
    *size = length;
    *data_offset = offset;
    *data_size = samples;
    return 1;
}
