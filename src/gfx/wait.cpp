// Blocking waits on the platform clock. They handle no events: input made meanwhile
// waits in the queue.
#include "gfx/gfx_internal.h"
#include "platform/platform.h"

// Compares the time gone by, not clock values, so a wrap of the counter during the
// wait changes nothing.
void gfx_wait_ms(uint32_t ms) {
    uint32_t start = platform_ticks_ms();
    for (;;) {
        uint32_t gone = platform_ticks_ms() - start;
        if (gone >= ms) return;
        platform_sleep_ms(ms - gone);
    }
}

int32_t gfx_wait_ticks(uint32_t ticks) {
    gfx_wait_ms(ticks * static_cast<uint32_t>(GFX_WAIT_TICK_MS));
    return 0;
}
