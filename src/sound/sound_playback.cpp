// Filling, restoring and playing a clip's buffer.
#include "platform/platform.h"
#include "sound/sound.h"

int32_t snd_fill(int32_t buffer, const uint8_t* bytes, uint32_t size) {
    if (buffer <= 0 || !bytes || size == 0) return 0;
    return platform_audio_fill(buffer, bytes, size) ? 1 : 0;
}

int32_t snd_current_buffer(SoundClip* clip) {
    if (!clip || clip->current < 0 || clip->current >= 1) return 0;
    int32_t buffer = clip->buffers[clip->current];
    if (buffer <= 0) return 0;
    if (platform_audio_lost(buffer)) {
        // The memory went to another program: restore it and put the samples back.
        if (!platform_audio_restore(buffer)) return 0;
        if (!snd_fill(buffer, clip->bytes + clip->data_offset, clip->data_size)) return 0;
    }
    return buffer;
}

namespace {
bool effects_held = false;
}  // namespace

void snd_hold_effects(bool hold) {
    effects_held = hold;
}

int32_t snd_play(SoundClip* clip, int32_t flags) {
    int32_t buffer = snd_current_buffer(clip);
    if (buffer <= 0) return 0;
    bool looping = (flags & DSBPLAY_LOOPING) != 0;
    if (effects_held && !looping) return 1;
    return platform_audio_play(buffer, looping) ? 1 : 0;
}

int32_t snd_play_slot(int32_t slot) {
    if (slot < 0 || slot >= SOUND_SLOTS) return 0;
    return snd_play(sound_slots[slot].clip, 0);
}
