// The program clock and its deadlines. Clock values are signed 32-bit numbers that
// wrap; sums are formed in unsigned arithmetic and deadlines are compared by signed
// difference, so no timer stops working after a long run or after 2038.
#include "runtime/clock.h"

#include "platform/platform.h"

int32_t tick_deadline = 0;
int32_t screen_timer = 0;

void reset_clock_deadlines() {
    tick_deadline = 0;
    screen_timer = 0;
}

int32_t clock_add(int32_t a, int32_t ms) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(ms));
}

int32_t clock_diff(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b));
}

bool clock_passed(int32_t deadline) {
    return clock_diff(clock_now(), deadline) > 0;
}

// Calendar seconds plus milliseconds since start, as the game has always counted:
// the sum grows by 1000 a second plus one at each calendar second.
int32_t clock_now() {
    uint32_t seconds = static_cast<uint32_t>(platform_calendar_seconds());
    return static_cast<int32_t>(seconds + platform_ticks_ms());
}

void arm_tick(int32_t ms) {
    tick_deadline = clock_add(clock_now(), ms);
}

bool tick_due() {
    return clock_passed(tick_deadline);
}

int32_t set_screen_timer(int32_t ms) {
    screen_timer = clock_add(clock_now(), ms);
    return screen_timer;
}

void wait_for_tick() {
    while (!tick_due()) {
        int32_t left = clock_diff(tick_deadline, clock_now());
        platform_sleep_ms(left > 0 ? static_cast<uint32_t>(left) : 1u);
    }
}
