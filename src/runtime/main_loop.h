// The window procedure and the main loop.
#pragma once

#include <cstdint>

// 1 while the window exists (from start-up to shutdown), 0 otherwise.
extern int32_t main_window;
// How far a finger's tap may miss a target and still land on it, in picture
// pixels, for the click being handled; 0 for a mouse. Its one path: the page's
// touch code (web/touch.js) turns its reach in CSS pixels into picture pixels
// and sends it in the release's key field; the web backend queues that event
// and the tape records it like any other, so a replay carries the reach; then
// dispatch_event sets tap_reach for the one on_click call and sets it back to
// 0. Read by the screens' tap rule (tap_targets.cpp) and the options screen's
// scales. Owned here; reset_tap_reach() gives its start value.
extern int32_t tap_reach;
void reset_tap_reach();

// Ends the program the way closing the window does: shutdown runs now and the
// main loop returns at its next turn.
void destroy_main_window();
// Shows the whole active buffer in the window.
void present_frame();
// Routes one window event to the handlers (the window procedure).
void dispatch_event(int32_t type, int32_t key, int32_t x, int32_t y);
// One turn of the main loop: every queued event is dispatched; then the tick runs
// when it is due, or else the loop sleeps until the next event or the tick's
// deadline. False once the window has been destroyed.
bool main_loop_turn();
// Runs turns until the window is destroyed; returns the exit code.
int32_t run_main_loop();
