// What the interposed platform calls use of the recorder and the player.
#pragma once

#include <cstdint>

#include "platform/common/tape/tape.h"

// ---------------------------------------------------------------- recorder
bool tape_recording();
// Adds a record to the recording; it reaches the file within kFlushMs of the
// session's clock (tape_recorder.cpp), so a crash loses only that last stretch.
void tape_record(const TapeRecord& record);
// Starts recording into the open file `fd` (taken over), named `path` in messages.
bool tape_record_start(int fd, const char* path, const char* header);

// ---------------------------------------------------------------- player
bool tape_playing();
// True while a recording is shown in the real window at its own pace.
bool tape_watching();
// Takes the next record when it is of the kind wanted. False when the game has
// gone its own way, the recording ran out, or watching was stopped; the caller
// then answers with the fallbacks below.
bool tape_take(TapeKind wanted, TapeRecord* record);
// The game asked for `wanted` (`detail` says more, may be null) where the
// recording holds `held`: playback ends with that message.
void tape_part_from(TapeKind wanted, TapeKind held, const char* detail);
uint32_t tape_fallback_ticks();
int64_t tape_fallback_calendar();
// An event check or wait off the recording: a close event, once.
bool tape_fallback_event(PlatformEvent* event);
