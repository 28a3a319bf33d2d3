// The clock: monotonic milliseconds from the first reading, calendar seconds, and
// sleeping without handling events.
#include <ctime>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

uint32_t device_ticks_ms() {
    // The performance counter runs whether or not SDL is started, so the clock
    // goes on unbroken when the window closes.
    static const uint64_t start = SDL_GetPerformanceCounter();
    static const uint64_t frequency = SDL_GetPerformanceFrequency();
    uint64_t elapsed = SDL_GetPerformanceCounter() - start;
    uint64_t ms = elapsed / frequency * 1000 + elapsed % frequency * 1000 / frequency;
    return static_cast<uint32_t>(ms);
}

int64_t device_calendar_seconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

void device_sleep_ms(uint32_t ms) {
    SDL_Delay(ms);
}
