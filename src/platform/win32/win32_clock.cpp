// The clock: monotonic milliseconds from the first reading (the performance
// counter), calendar seconds, and sleeping without handling events.
#include <ctime>

#include "platform/device.h"
#include "platform/win32/win32_state.h"

namespace {

int64_t counter() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

}  // namespace

uint32_t device_ticks_ms() {
    static const int64_t start = counter();
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f.QuadPart > 0 ? f.QuadPart : 1;
    }();
    uint64_t elapsed = static_cast<uint64_t>(counter() - start);
    uint64_t ms = elapsed / frequency * 1000 + elapsed % frequency * 1000 / frequency;
    return static_cast<uint32_t>(ms);
}

int64_t device_calendar_seconds() {
    return static_cast<int64_t>(std::time(nullptr));
}

void device_sleep_ms(uint32_t ms) {
    Sleep(ms);
}
