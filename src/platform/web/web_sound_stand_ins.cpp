// The stand-in sound files of the page (web_js.h): each a canonical PCM WAV,
// 16-bit mono at 22050 Hz, holding four samples that name the real sound.
#include <cstdio>
#include <cstring>

#include "platform/web/web_js.h"

namespace {

void put32(uint8_t* at, uint32_t v) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(v >> (8 * i));
}

void put16(uint8_t* at, uint16_t v) {
    at[0] = static_cast<uint8_t>(v);
    at[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

bool web_write_sound_stand_ins(const char* data_dir) {
    constexpr uint32_t kRate = 22050;
    uint8_t wav[44 + kStandInBytes];
    std::memcpy(wav, "RIFF", 4);
    put32(wav + 4, sizeof wav - 8);
    std::memcpy(wav + 8, "WAVEfmt ", 8);
    put32(wav + 16, 16);
    put16(wav + 20, 1);  // PCM
    put16(wav + 22, 1);  // mono
    put32(wav + 24, kRate);
    put32(wav + 28, kRate * 2);
    put16(wav + 32, 2);
    put16(wav + 34, 16);
    std::memcpy(wav + 36, "data", 4);
    put32(wav + 40, kStandInBytes);
    std::memcpy(wav + 44, kStandInMark, kStandInBytes - 1);
    bool ok = true;
    char path[256];
    for (int i = 0; i <= 8; ++i) {
        wav[44 + kStandInBytes - 1] = static_cast<uint8_t>('0' + i);
        std::snprintf(path, sizeof path, "%s/sound%d_", data_dir, i);
        std::FILE* file = std::fopen(path, "wb");
        if (file == nullptr) {
            ok = false;
            continue;
        }
        if (std::fwrite(wav, sizeof wav, 1, file) != 1) ok = false;
        if (std::fclose(file) != 0) ok = false;
    }
    return ok;
}
