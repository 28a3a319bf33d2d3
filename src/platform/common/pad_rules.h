// How a game pad becomes keys, for every backend with pads: the D-pad and the
// left stick are the arrow keys, a held direction repeating like a held key; A
// is Enter, B is Esc and Start the pause key.
#pragma once

#include <cstdint>

#include "platform/events.h"

// A held direction repeats: first after the delay, then at every interval.
constexpr uint32_t kPadRepeatDelayMs = 400;
constexpr uint32_t kPadRepeatIntervalMs = 120;
// A stick (axes from -32768 to 32767) is pushed past half its travel and let go
// below a quarter, so that a stick resting near the threshold does not flutter.
constexpr int32_t kStickPressed = 16384;
constexpr int32_t kStickReleased = 8192;

// The arrow a stick position points, keeping the current one until the stick
// comes back below the release threshold; 0 at rest.
inline int32_t pad_stick_key(int32_t current, int32_t x, int32_t y) {
    int32_t ax = x < 0 ? -x : x;
    int32_t ay = y < 0 ? -y : y;
    if (current == KEY_LEFT && x < -kStickReleased) return current;
    if (current == KEY_RIGHT && x > kStickReleased) return current;
    if (current == KEY_UP && y < -kStickReleased) return current;
    if (current == KEY_DOWN && y > kStickReleased) return current;
    if (ax < kStickPressed && ay < kStickPressed) return 0;
    if (ax >= ay) return x < 0 ? KEY_LEFT : KEY_RIGHT;
    return y < 0 ? KEY_UP : KEY_DOWN;
}
