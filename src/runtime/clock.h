// The program clock, its deadlines and the tick.
#pragma once

#include <cstdint>

// Calendar seconds plus process milliseconds: about one unit per millisecond.
// Only differences mean anything; the value wraps, so sums are formed with
// clock_add and deadlines compared with clock_passed.
int32_t clock_now();
// a + ms without signed overflow (wraps like the 32-bit clock itself).
int32_t clock_add(int32_t a, int32_t ms);
// a - b as a signed difference, wrap-safe.
int32_t clock_diff(int32_t a, int32_t b);
// True when clock_now is strictly past the deadline.
bool clock_passed(int32_t deadline);

// Clock value after which the next tick is due.
extern int32_t tick_deadline;
// One-shot deadline shared by the screens (intro, game over).
extern int32_t screen_timer;

// Both deadlines as at process start.
void reset_clock_deadlines();

void arm_tick(int32_t ms);
bool tick_due();
int32_t set_screen_timer(int32_t ms);
// Sleeps (without handling events) until tick_due holds.
void wait_for_tick();
