// Writing a track as a canonical PCM WAV file: RIFF header, a 16-byte format
// chunk and the data chunk, 16-bit little-endian samples.
#include <cmath>
#include <cstdio>
#include <vector>

#include "assetgen/sound_synth.h"

namespace synth {

namespace {

void put_u16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void put_u32(std::vector<uint8_t>& out, uint32_t v) {
    put_u16(out, v & 0xFFFF);
    put_u16(out, v >> 16);
}

void put_tag(std::vector<uint8_t>& out, const char* tag) {
    for (int32_t i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}

int16_t to_pcm(double s) {
    double scaled = std::floor(s * 32767.0 + 0.5);
    if (scaled > 32767.0) scaled = 32767.0;
    if (scaled < -32768.0) scaled = -32768.0;
    return static_cast<int16_t>(scaled);
}

}  // namespace

bool write_wav(FILE* file, const Track& track) {
    if (!file) return false;
    const uint32_t channels = static_cast<uint32_t>(track.channels);
    const uint32_t block = channels * 2;
    const uint32_t data_bytes = static_cast<uint32_t>(track.samples.size()) * 2;
    std::vector<uint8_t> out;
    out.reserve(44 + data_bytes);
    put_tag(out, "RIFF");
    put_u32(out, 36 + data_bytes);
    put_tag(out, "WAVE");
    put_tag(out, "fmt ");
    put_u32(out, 16);
    put_u16(out, 1);  // PCM
    put_u16(out, channels);
    put_u32(out, RATE);
    put_u32(out, RATE * block);
    put_u16(out, block);
    put_u16(out, 16);
    put_tag(out, "data");
    put_u32(out, data_bytes);
    for (double s : track.samples) put_u16(out, static_cast<uint16_t>(to_pcm(s)));

    bool ok = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    if (std::fclose(file) != 0) ok = false;
    return ok;
}

}  // namespace synth
