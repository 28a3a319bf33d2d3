// Writes the nine sound files the game loads from data/.
#include <cstdio>

#include "assetgen/sound_synth.h"
#include "assetgen/sounds.h"

bool write_game_sound(const char* path, int32_t index) {
    using Maker = synth::Track (*)();
    static const Maker makers[GAME_SOUND_COUNT] = {
        synth::music_track,  synth::click_sound, synth::slide_sound,
        synth::strike_sound, synth::tick_sound,  synth::push_sound,
        synth::clear_sound,  synth::level_sound, synth::bell_sound,
    };
    if (!path || index < 0 || index >= GAME_SOUND_COUNT) return false;
    // The file is opened first, so that a folder that cannot be written to fails
    // at once instead of after the synthesis.
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    return synth::write_wav(file, makers[index]());
}

bool write_game_sounds(const char* data_dir) {
    if (!data_dir) return false;
    bool ok = true;
    char path[4096];
    for (int32_t i = 0; i < GAME_SOUND_COUNT; ++i) {
        int n = std::snprintf(path, sizeof path, "%s/sound%d_", data_dir, static_cast<int>(i));
        if (n < 0 || static_cast<size_t>(n) >= sizeof path) return false;
        if (!write_game_sound(path, i)) ok = false;
    }
    return ok;
}
