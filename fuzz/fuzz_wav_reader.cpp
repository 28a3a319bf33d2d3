// Fuzzes the WAV reader and the slot loading behind it: the input is written to a
// file, read with snd_read_wav and loaded into a slot on the headless device.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "platform/headless/headless.h"
#include "sound/sound.h"

namespace {

const std::string& input_path() {
    static const std::string path =
        "/tmp/fuzz_wav_reader_" + std::to_string(std::random_device()()) + "_";
    return path;
}

bool write_input(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(input_path().c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!write_input(data, size)) return 0;

    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t length = 0;
    uint32_t data_offset = 0;
    uint32_t data_size = 0;
    if (snd_read_wav(input_path().c_str(), &format, &bytes, &length, &data_offset, &data_size)) {
        if (length != size) std::abort();
        if (data_size > 0 &&
            (data_offset < 12 || data_offset > length || data_size > length - data_offset)) {
            std::abort();
        }
        volatile uint32_t sum = 0;  // touch every sample byte the device would get
        for (uint32_t i = 0; i < data_size; ++i) sum = sum + bytes[data_offset + i];
        std::free(format);
        std::free(bytes);
    }

    // The same file through a slot on the recording device, then released.
    headless_reset();
    if (platform_audio_open()) {
        sound_device = true;
        SoundClip* clip = snd_create(input_path().c_str(), SND_SLIDE, 1);
        if (clip && clip->buffers[0] > 0) {
            headless_lose_buffer(clip->buffers[0]);
            snd_play(clip, 0);
            snd_set_volume(SND_SLIDE, 2);
            if (headless_buffer_bytes(clip->buffers[0]).size() != clip->data_size) std::abort();
        }
        snd_release_all();
    }
    std::remove(input_path().c_str());
    return 0;
}
