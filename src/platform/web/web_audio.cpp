// Sound through the browser's Web Audio: each game buffer is one audio buffer
// with a gain of its own, and playing it again restarts it. The page starts its
// audio with the player's first gesture, as browsers require; effects asked for
// before then are silent. A buffer filled from a sound's stand-in (web_js.h)
// plays the real sound once the page's worker has made it.
#include <emscripten.h>

#include <cstring>

#include "platform/common/pcm_sound.h"
#include "platform/platform.h"
#include "platform/web/web_js.h"

EM_JS(int, cf_audio_open, (), { return CF.audioOpen() ? 1 : 0; });
EM_JS(void, cf_audio_close, (), { CF.audioClose(); });
EM_JS(int, cf_audio_create, (int channels, int rate, int bits, uint32_t size),
      { return CF.audioCreate(channels, rate, bits, size); });
EM_JS(int, cf_audio_fill, (int handle, const uint8_t* samples, uint32_t size),
      { return CF.audioFill(handle, samples, size) ? 1 : 0; });
EM_JS(int, cf_audio_stand_in, (int handle, int sound),
      { return CF.audioStandIn(handle, sound) ? 1 : 0; });
EM_JS(int, cf_audio_play, (int handle, int loop),
      { return CF.audioPlay(handle, loop != 0) ? 1 : 0; });
EM_JS(int, cf_audio_gain, (int handle, double gain),
      { return CF.audioGain(handle, gain) ? 1 : 0; });
EM_JS(void, cf_audio_release, (int handle), { CF.audioRelease(handle); });

namespace {

// The rates every browser's audio buffers take.
bool format_supported(const PlatformSoundFormat* format) {
    return pcm_format_playable(format, 8000, 96000);
}

}  // namespace

bool platform_audio_open() {
    return cf_audio_open() != 0;
}

void platform_audio_close() {
    cf_audio_close();
}

int32_t platform_audio_create(const PlatformSoundFormat* format, uint32_t size) {
    if (!format_supported(format) || size == 0) return 0;
    return cf_audio_create(format->channels, static_cast<int>(format->samples_per_sec),
                           format->bits_per_sample, size);
}

bool platform_audio_fill(int32_t buffer, const uint8_t* samples, uint32_t size) {
    if (samples == nullptr) return false;
    if (size == kStandInBytes && std::memcmp(samples, kStandInMark, kStandInBytes - 1) == 0 &&
        samples[kStandInBytes - 1] >= '0' && samples[kStandInBytes - 1] <= '8') {
        return cf_audio_stand_in(buffer, samples[kStandInBytes - 1] - '0') != 0;
    }
    return cf_audio_fill(buffer, samples, size) != 0;
}

// Web Audio keeps its buffers: nothing is ever lost.
bool platform_audio_lost(int32_t) {
    return false;
}

bool platform_audio_restore(int32_t) {
    return true;
}

bool platform_audio_play(int32_t buffer, bool loop) {
    return cf_audio_play(buffer, loop) != 0;
}

bool platform_audio_set_volume(int32_t buffer, int32_t hundredths_db) {
    return cf_audio_gain(buffer, pcm_gain(hundredths_db)) != 0;
}

void platform_audio_release(int32_t buffer) {
    cf_audio_release(buffer);
}
