// The two volume levels (music and effects), mapped to attenuations.
#include "platform/platform.h"
#include "sound/sound.h"

int32_t snd_level_volume(int32_t level) {
    if (level <= 0) return VOLUME_SILENT;
    if (level > 3) level = 3;
    return level * 500 - 1500;
}

int32_t snd_set_volume(int32_t slot, int32_t level) {
    if (slot < 0 || slot >= SOUND_SLOTS) return 0;
    int32_t buffer = snd_current_buffer(sound_slots[slot].clip);
    if (buffer <= 0) return 0;
    // The device's result: 0 when the volume was set, negative when it refused.
    return platform_audio_set_volume(buffer, snd_level_volume(level)) ? 0 : SND_DEVICE_FAILED;
}

int32_t snd_set_effects_volume(int32_t level) {
    int32_t result = 0;
    for (int32_t slot = SND_CLICK; slot < SOUND_SLOTS; ++slot) result = snd_set_volume(slot, level);
    return result;
}
