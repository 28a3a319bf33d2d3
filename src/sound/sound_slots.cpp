// The nine sound slots: loading every sound at start-up and releasing them at
// shutdown.
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "sound/sound.h"

SoundSlot sound_slots[SOUND_SLOTS];
bool sound_device = false;

namespace {

bool valid_slot(int32_t slot) {
    return slot >= 0 && slot < SOUND_SLOTS;
}

// Makes the clip's one buffer from its samples; leaves it at 0 (a silent clip) when
// the format is refused, there are no samples or the device says no.
void create_buffer(SoundClip* clip, const WaveFormat* format) {
    if (!sound_device || !snd_format_playable(format) || clip->data_size == 0) return;
    PlatformSoundFormat wanted;
    wanted.format_tag = format->wFormatTag;
    wanted.channels = format->nChannels;
    wanted.samples_per_sec = format->nSamplesPerSec;
    wanted.avg_bytes_per_sec = format->nAvgBytesPerSec;
    wanted.block_align = format->nBlockAlign;
    wanted.bits_per_sample = format->wBitsPerSample;
    int32_t buffer = platform_audio_create(&wanted, clip->data_size);
    if (buffer <= 0) return;
    if (!snd_fill(buffer, clip->bytes + clip->data_offset, clip->data_size)) {
        platform_audio_release(buffer);
        return;
    }
    clip->buffers[0] = buffer;
}

}  // namespace

bool snd_format_playable(const WaveFormat* format) {
    if (!format || format->wFormatTag != 1) return false;
    if (format->nChannels < 1 || format->nChannels > 2) return false;
    if (format->wBitsPerSample != 8 && format->wBitsPerSample != 16) return false;
    if (format->nBlockAlign != format->nChannels * (format->wBitsPerSample / 8)) return false;
    return format->nSamplesPerSec >= 4000 && format->nSamplesPerSec <= 192000;
}

SoundClip* snd_create(const char* path, int32_t slot, int32_t buffer_count) {
    if (!valid_slot(slot)) return nullptr;
    snd_destroy(slot);
    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    uint32_t data_offset = 0;
    uint32_t data_size = 0;
    if (!snd_read_wav(path, &format, &bytes, &size, &data_offset, &data_size)) return nullptr;
    SoundClip* clip = static_cast<SoundClip*>(std::calloc(1, sizeof(SoundClip)));
    if (!clip) {
        std::free(format);
        std::free(bytes);
        return nullptr;
    }
    // Only the first buffer is ever made, so the clip holds exactly one handle
    // whatever count was asked for.
    (void)buffer_count;
    clip->buffer_count = 1;
    clip->current = 0;
    clip->bytes = bytes;
    clip->size = size;
    clip->data_offset = data_offset;
    // The device takes whole sample frames only; a partial last frame is dropped.
    clip->data_size = data_size;
    if (snd_format_playable(format)) clip->data_size -= data_size % format->nBlockAlign;
    sound_slots[slot].clip = clip;
    sound_slots[slot].format = format;
    sound_slots[slot].bytes = bytes;
    create_buffer(clip, format);
    return clip;
}

void snd_destroy(int32_t slot) {
    if (!valid_slot(slot)) return;
    SoundSlot& entry = sound_slots[slot];
    if (entry.clip) {
        for (int32_t i = 0; i < entry.clip->buffer_count && i < 1; ++i) {
            if (entry.clip->buffers[i] > 0) platform_audio_release(entry.clip->buffers[i]);
        }
        std::free(entry.clip);
    }
    std::free(entry.bytes);
    std::free(entry.format);
    entry.clip = nullptr;
    entry.bytes = nullptr;
    entry.format = nullptr;
}

void sound_file_name(char* out, size_t size, int32_t slot) {
    std::snprintf(out, size, "data/sound%d_", static_cast<int>(slot));
}

void snd_load_all(int32_t music_level, int32_t effects_level) {
    snd_release_all();
    if (!platform_audio_open()) return;
    sound_device = true;
    char path[32];
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        sound_file_name(path, sizeof path, slot);
        snd_create(path, slot, 1);
        snd_set_volume(slot, slot == SND_MUSIC ? music_level : effects_level);
    }
}

void snd_release_all() {
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) snd_destroy(slot);
    if (!sound_device) return;
    platform_audio_close();
    sound_device = false;
}
