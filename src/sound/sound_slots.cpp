// The nine sound slots: loading every sound at start-up and releasing them at
// shutdown.
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "sound/sound.h"

SoundSlot sound_slots[SOUND_SLOTS];
bool sound_device = false;

namespace {

// A file read whole: what snd_read_wav gives.
struct SoundRead {
    WaveFormat* format;
    uint8_t* bytes;
    uint32_t size;
    uint32_t data_offset;
    uint32_t data_size;
};

// The slots' files as start-up's data check read them, until snd_load_all takes
// them; a slot read ahead whose file could not be read has no bytes.
struct ReadAhead {
    bool done;
    SoundRead read;
};
ReadAhead read_ahead[SOUND_SLOTS];

void drop_read_ahead(int32_t slot) {
    std::free(read_ahead[slot].read.format);
    std::free(read_ahead[slot].read.bytes);
    read_ahead[slot] = {};
}

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

// Makes a slot's clip of a file read whole, taking its bytes and format.
SoundClip* create_clip(SoundRead* read, int32_t slot) {
    SoundClip* clip = static_cast<SoundClip*>(std::calloc(1, sizeof(SoundClip)));
    if (!clip) {
        std::free(read->format);
        std::free(read->bytes);
        return nullptr;
    }
    clip->buffer_count = 1;
    clip->current = 0;
    clip->bytes = read->bytes;
    clip->size = read->size;
    clip->data_offset = read->data_offset;
    // The device takes whole sample frames only; a partial last frame is dropped.
    clip->data_size = read->data_size;
    if (snd_format_playable(read->format)) {
        clip->data_size -= read->data_size % read->format->nBlockAlign;
    }
    sound_slots[slot].clip = clip;
    sound_slots[slot].format = read->format;
    sound_slots[slot].bytes = read->bytes;
    create_buffer(clip, read->format);
    return clip;
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
    SoundRead read = {};
    if (!snd_read_wav(path, &read.format, &read.bytes, &read.size, &read.data_offset,
                      &read.data_size)) {
        return nullptr;
    }
    // Only the first buffer is ever made, so the clip holds exactly one handle
    // whatever count was asked for.
    (void)buffer_count;
    return create_clip(&read, slot);
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

int32_t snd_read_ahead(int32_t slot) {
    if (!valid_slot(slot)) return SOUND_FILE_UNOPENED;
    drop_read_ahead(slot);
    char path[32];
    sound_file_name(path, sizeof path, slot);
    SoundRead& read = read_ahead[slot].read;
    bool opened = false;
    if (!snd_read_wav_opened(path, &read.format, &read.bytes, &read.size, &read.data_offset,
                             &read.data_size, &opened)) {
        read_ahead[slot].done = opened;
        return opened ? SOUND_FILE_DAMAGED : SOUND_FILE_UNOPENED;
    }
    read_ahead[slot].done = true;
    bool playable = read.data_size > 0 && snd_format_playable(read.format);
    return playable ? SOUND_FILE_PLAYABLE : SOUND_FILE_DAMAGED;
}

void reset_sound_read_ahead() {
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) drop_read_ahead(slot);
}

void snd_load_all(int32_t music_level, int32_t effects_level) {
    snd_release_all();
    if (!platform_audio_open()) {
        reset_sound_read_ahead();
        return;
    }
    sound_device = true;
    char path[32];
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        if (!read_ahead[slot].done) {
            sound_file_name(path, sizeof path, slot);
            snd_create(path, slot, 1);
        } else if (read_ahead[slot].read.bytes) {
            create_clip(&read_ahead[slot].read, slot);
        }
        read_ahead[slot] = {};  // taken, or a file that could not be read
        snd_set_volume(slot, slot == SND_MUSIC ? music_level : effects_level);
    }
}

void snd_release_all() {
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) snd_destroy(slot);
    if (!sound_device) return;
    platform_audio_close();
    sound_device = false;
}
