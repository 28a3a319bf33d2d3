// Sound through SDL2_mixer: every game buffer is one Mix_Chunk on a channel of its
// own, so a sound never plays twice at once and playing it again restarts it.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/common/pcm_sound.h"
#include "platform/platform.h"

namespace {

constexpr int32_t MAX_AUDIO_BUFFERS = 16;
constexpr int DEVICE_RATE = 44100;
constexpr Uint16 DEVICE_FORMAT = AUDIO_S16SYS;
constexpr int DEVICE_CHANNELS = 2;
constexpr int DEVICE_CHUNK = 1024;

struct AudioBuffer {
    bool in_use;
    PlatformSoundFormat format;
    uint32_t size;     // sample bytes the buffer was made for
    Uint8* samples;    // the samples in the device's format, owned here
    Mix_Chunk* chunk;  // made over samples; none until the first fill
};

bool audio_open = false;
AudioBuffer audio_buffers[MAX_AUDIO_BUFFERS];

// The buffer behind a handle (handle = index + 1), or none.
AudioBuffer* buffer_of(int32_t handle) {
    if (!audio_open || handle < 1 || handle > MAX_AUDIO_BUFFERS) return nullptr;
    AudioBuffer* buffer = &audio_buffers[handle - 1];
    return buffer->in_use ? buffer : nullptr;
}

int channel_of(int32_t handle) {
    return static_cast<int>(handle - 1);
}

bool format_supported(const PlatformSoundFormat* format) {
    return pcm_format_playable(format, 4000, 192000);
}

// Stops the buffer's channel and frees its chunk and samples.
void drop_samples(int32_t handle, AudioBuffer* buffer) {
    Mix_HaltChannel(channel_of(handle));
    if (buffer->chunk) Mix_FreeChunk(buffer->chunk);  // a quick-loaded chunk leaves samples alone
    std::free(buffer->samples);
    buffer->chunk = nullptr;
    buffer->samples = nullptr;
}

}  // namespace

bool platform_audio_open() {
    if (audio_open) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    // No changes allowed: SDL converts to the hardware itself, so the mixer always
    // works at exactly this rate, format and channel count.
    if (Mix_OpenAudioDevice(DEVICE_RATE, DEVICE_FORMAT, DEVICE_CHANNELS, DEVICE_CHUNK, nullptr,
                            0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(MAX_AUDIO_BUFFERS);
    std::memset(audio_buffers, 0, sizeof audio_buffers);
    audio_open = true;
    return true;
}

void platform_audio_close() {
    if (!audio_open) return;
    for (int32_t handle = 1; handle <= MAX_AUDIO_BUFFERS; ++handle) platform_audio_release(handle);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audio_open = false;
}

int32_t platform_audio_create(const PlatformSoundFormat* format, uint32_t size) {
    if (!audio_open || !format_supported(format) || size < format->block_align) return 0;
    for (int32_t i = 0; i < MAX_AUDIO_BUFFERS; ++i) {
        AudioBuffer& buffer = audio_buffers[i];
        if (buffer.in_use) continue;
        buffer = AudioBuffer{};
        buffer.in_use = true;
        buffer.format = *format;
        buffer.size = size;
        Mix_Volume(i, MIX_MAX_VOLUME);
        return i + 1;
    }
    return 0;
}

bool platform_audio_fill(int32_t handle, const uint8_t* samples, uint32_t size) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer || !samples || size == 0 || size > buffer->size) return false;
    const PlatformSoundFormat& format = buffer->format;
    uint32_t whole = size - size % format.block_align;
    if (whole == 0) return false;
    SDL_AudioCVT cvt;
    SDL_AudioFormat source = format.bits_per_sample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, source, static_cast<Uint8>(format.channels),
                          static_cast<int>(format.samples_per_sec), DEVICE_FORMAT,
                          static_cast<Uint8>(DEVICE_CHANNELS), DEVICE_RATE) < 0) {
        return false;
    }
    // The conversion works in place and may need several times the input's room.
    size_t room =
        static_cast<size_t>(whole) * static_cast<size_t>(cvt.len_mult > 0 ? cvt.len_mult : 1);
    Uint8* converted = static_cast<Uint8*>(std::malloc(room));
    if (!converted) return false;
    std::memcpy(converted, samples, whole);
    cvt.buf = converted;
    cvt.len = static_cast<int>(whole);
    cvt.len_cvt = cvt.len;
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) {
        std::free(converted);
        return false;
    }
    int length = cvt.needed ? cvt.len_cvt : cvt.len;
    Mix_Chunk* chunk =
        length > 0 ? Mix_QuickLoad_RAW(converted, static_cast<Uint32>(length)) : nullptr;
    if (!chunk) {
        std::free(converted);
        return false;
    }
    drop_samples(handle, buffer);
    buffer->samples = converted;
    buffer->chunk = chunk;
    return true;
}

bool platform_audio_lost(int32_t) {
    return false;
}

bool platform_audio_restore(int32_t handle) {
    return buffer_of(handle) != nullptr;
}

bool platform_audio_play(int32_t handle, bool loop) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer || !buffer->chunk) return false;
    return Mix_PlayChannel(channel_of(handle), buffer->chunk, loop ? -1 : 0) >= 0;
}

bool platform_audio_set_volume(int32_t handle, int32_t hundredths_db) {
    if (!buffer_of(handle)) return false;
    Mix_Volume(channel_of(handle),
               static_cast<int>(std::lround(pcm_gain(hundredths_db) * MIX_MAX_VOLUME)));
    return true;
}

void platform_audio_release(int32_t handle) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer) return;
    drop_samples(handle, buffer);
    Mix_Volume(channel_of(handle), MIX_MAX_VOLUME);
    *buffer = AudioBuffer{};
}
