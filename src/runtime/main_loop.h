// The window procedure and the main loop.
#pragma once

#include <cstdint>

// 1 while the window exists (from start-up to shutdown), 0 otherwise.
extern int32_t main_window;
// How far a finger's tap may miss a target and still land on it, in picture
// pixels, for the click being handled: the page's touch layer gives it with the
// release (about 22 CSS pixels at the picture's scale); 0 for a mouse.
extern int32_t tap_reach;

// Ends the program the way closing the window does: shutdown runs now and the
// main loop returns at its next turn.
void destroy_main_window();
// While held (a watched recording), closing only ends the loop: the handles and
// the window stay, so that an earlier moment can be put back; the watcher shuts
// down itself.
void hold_window_at_close(bool hold);
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
