// The platform calls whose answers the game does not decide itself. Each one asks
// the machine (device_*) and, while a session is recorded, adds the answer to the
// recording; while a recording plays, the answer comes from it instead.
#include "platform/tape/tape_calls.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/posix/paths.h"

namespace {

TapeRecord record_of(TapeKind kind) {
    TapeRecord r;
    r.kind = kind;
    r.ok = false;
    r.delivered = false;
    r.event = {PEV_NONE, 0, 0, 0};
    r.ticks = 0;
    r.calendar = 0;
    r.width = r.height = r.count = 0;
    r.bytes = nullptr;
    r.name[0] = '\0';
    return r;
}

void name_record(TapeRecord* r, const char* name) {
    std::snprintf(r->name, sizeof r->name, "%s", name ? name : "");
}

// A saved file the game asks for under another name than the recording holds.
bool same_name(TapeKind kind, const TapeRecord& held, const char* name) {
    if (std::strncmp(held.name, name ? name : "", TAPE_NAME_MAX) == 0) return true;
    std::string detail =
        std::string("(") + (name ? name : "") + ", the recording has " + held.name + ")";
    tape_part_from(kind, kind, detail.c_str());
    return false;
}

}  // namespace

uint32_t platform_ticks_ms() {
    if (tape_playing()) {
        TapeRecord r;
        return tape_take(TAPE_TICKS, &r) ? r.ticks : tape_fallback_ticks();
    }
    uint32_t now = device_ticks_ms();
    if (tape_recording()) {
        TapeRecord r = record_of(TAPE_TICKS);
        r.ticks = now;
        tape_record(r);
    }
    return now;
}

int64_t platform_calendar_seconds() {
    if (tape_playing()) {
        TapeRecord r;
        return tape_take(TAPE_CALENDAR, &r) ? r.calendar : tape_fallback_calendar();
    }
    int64_t now = device_calendar_seconds();
    if (tape_recording()) {
        TapeRecord r = record_of(TAPE_CALENDAR);
        r.calendar = now;
        tape_record(r);
    }
    return now;
}

// A recorded sleep is in the readings that follow it; played back, it takes no
// time (a watched session keeps its pace at the clock readings).
void platform_sleep_ms(uint32_t ms) {
    if (!tape_playing()) device_sleep_ms(ms);
}

namespace {

bool event_call(bool wait, PlatformEvent* event, uint32_t timeout_ms) {
    if (tape_playing()) return tape_take_event(wait, event);
    bool delivered = wait ? device_wait_event(event, timeout_ms) : device_poll_event(event);
    if (tape_recording()) {
        TapeRecord r = record_of(wait ? TAPE_WAIT : TAPE_POLL);
        r.delivered = delivered;
        if (delivered) r.event = *event;
        tape_record(r);
    }
    return delivered;
}

}  // namespace

bool platform_poll_event(PlatformEvent* event) {
    return event_call(false, event, 0);
}

bool platform_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    return event_call(true, event, timeout_ms);
}

bool platform_desktop_size(int32_t* width, int32_t* height) {
    TapeRecord r = record_of(TAPE_DESKTOP);
    if (tape_playing()) {
        if (!tape_take(TAPE_DESKTOP, &r)) return false;
        *width = r.width;
        *height = r.height;
        return r.ok;
    }
    r.ok = device_desktop_size(width, height);
    if (tape_recording()) {
        r.width = r.ok ? *width : 0;
        r.height = r.ok ? *height : 0;
        tape_record(r);
    }
    return r.ok;
}

int32_t platform_display_depth() {
    TapeRecord r = record_of(TAPE_DEPTH);
    if (tape_playing()) return tape_take(TAPE_DEPTH, &r) ? r.width : 32;
    r.width = device_display_depth();
    if (tape_recording()) tape_record(r);
    return r.width;
}

bool platform_mouse_present() {
    TapeRecord r = record_of(TAPE_MOUSE);
    if (tape_playing()) return tape_take(TAPE_MOUSE, &r) ? r.ok : true;
    r.ok = device_mouse_present();
    if (tape_recording()) tape_record(r);
    return r.ok;
}

int32_t platform_read_saved(const char* name, uint8_t* bytes, int32_t capacity) {
    TapeRecord r = record_of(TAPE_READ);
    if (tape_playing()) {
        if (!tape_take(TAPE_READ, &r) || !same_name(TAPE_READ, r, name)) return -1;
        if (r.count > capacity) {
            tape_part_from(TAPE_READ, TAPE_READ, "(into less room than the recording holds)");
            return -1;
        }
        if (r.count > 0) std::memcpy(bytes, r.bytes, static_cast<size_t>(r.count));
        return r.count;
    }
    r.count = device_read_saved(name, bytes, capacity);
    if (tape_recording()) {
        name_record(&r, name);
        r.bytes = bytes;
        tape_record(r);
    }
    return r.count;
}

bool platform_write_saved(const char* name, const void* data, size_t size) {
    TapeRecord r = record_of(TAPE_WRITE);
    if (tape_playing()) {
        if (!tape_take(TAPE_WRITE, &r) || !same_name(TAPE_WRITE, r, name)) {
            set_save_error("the recording broke off before this save");
            return false;
        }
        // A replay writes the files as the session did, to compare them; a
        // watched recording leaves the player's own files alone.
        if (!tape_watching()) device_write_saved(name, data, size);
        if (!r.ok) set_save_error("the recorded session could not save it either");
        return r.ok;
    }
    r.ok = device_write_saved(name, data, size);
    if (tape_recording()) {
        name_record(&r, name);
        tape_record(r);
    }
    return r.ok;
}
