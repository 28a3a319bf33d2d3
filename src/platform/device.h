// The machine's own answers underneath the session tape.
//
// Each backend provides these; the tape (src/platform/tape) turns them into the
// platform_* functions of the same names, passing them through, recording them as
// the game's inputs, or answering from a recording instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

uint32_t device_ticks_ms();
int64_t device_calendar_seconds();
void device_sleep_ms(uint32_t ms);
bool device_poll_event(PlatformEvent* event);
bool device_wait_event(PlatformEvent* event, uint32_t timeout_ms);
bool device_desktop_size(int32_t* width, int32_t* height);
int32_t device_display_depth();
bool device_mouse_present();
int32_t device_read_saved(const char* name, uint8_t* bytes, int32_t capacity);
bool device_write_saved(const char* name, const void* data, size_t size);
// Creates the file this session is recorded into, in the backend's recordings
// folder and named by the session's start, and writes its path into `path`. The
// open file's descriptor, or -1 once standard error says why there is none.
int device_new_recording(char* path, size_t size);
