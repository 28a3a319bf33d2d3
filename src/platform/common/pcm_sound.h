// What every backend's sound device shares: the formats it plays and how a
// volume in hundredths of a decibel becomes a gain.
#pragma once

#include <cmath>
#include <cstdint>

#include "platform/platform.h"

// PCM, mono or stereo, 8 or 16 bits a sample, with a consistent block, at a rate
// the device takes.
inline bool pcm_format_playable(const PlatformSoundFormat* format, uint32_t min_rate,
                                uint32_t max_rate) {
    if (!format || format->format_tag != 1) return false;
    if (format->channels < 1 || format->channels > 2) return false;
    if (format->bits_per_sample != 8 && format->bits_per_sample != 16) return false;
    if (format->block_align != format->channels * (format->bits_per_sample / 8)) return false;
    return format->samples_per_sec >= min_rate && format->samples_per_sec <= max_rate;
}

// 10^(v/2000) for v hundredths of a decibel (0 at most); -10000 and below are silence.
inline double pcm_gain(int32_t hundredths_db) {
    if (hundredths_db <= -10000) return 0.0;
    if (hundredths_db > 0) hundredths_db = 0;
    return std::pow(10.0, hundredths_db / 2000.0);
}
