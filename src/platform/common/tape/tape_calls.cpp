// The platform calls whose answers the game does not decide itself. Each one asks
// the machine (device_*) and, while a session is recorded, adds the answer to the
// recording; while a recording plays, the answer comes from it instead.
#include "platform/common/tape/tape_calls.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "platform/common/paths.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

// The one intercept. Playing: the next record of `kind`, or null when the game
// has left the recording, goes to `answer`. Otherwise the machine answers (`ask`)
// and, while recording, `keep` writes that answer into the record.
template <typename Ask, typename Keep, typename Answer>
auto through_tape(TapeKind kind, Ask ask, Keep keep, Answer answer) -> decltype(ask()) {
    TapeRecord r;
    r.kind = kind;
    if (tape_playing()) return answer(tape_take(kind, &r) ? &r : nullptr);
    auto result = ask();
    if (tape_recording()) {
        keep(result, &r);
        tape_record(r);
    }
    return result;
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

bool event_call(bool wait, PlatformEvent* event, uint32_t timeout_ms) {
    return through_tape(
        wait ? TAPE_WAIT : TAPE_POLL,
        [&] { return wait ? device_wait_event(event, timeout_ms) : device_poll_event(event); },
        [&](bool delivered, TapeRecord* r) {
            r->delivered = delivered;
            if (delivered) r->event = *event;
        },
        [&](const TapeRecord* r) {
            if (!r) return tape_fallback_event(event);
            if (r->delivered) *event = r->event;
            return r->delivered;
        });
}

}  // namespace

uint32_t platform_ticks_ms() {
    return through_tape(
        TAPE_TICKS, [] { return device_ticks_ms(); },
        [](uint32_t now, TapeRecord* r) { r->ticks = now; },
        [](const TapeRecord* r) { return r ? r->ticks : tape_fallback_ticks(); });
}

int64_t platform_calendar_seconds() {
    return through_tape(
        TAPE_CALENDAR, [] { return device_calendar_seconds(); },
        [](int64_t now, TapeRecord* r) { r->calendar = now; },
        [](const TapeRecord* r) { return r ? r->calendar : tape_fallback_calendar(); });
}

// A recorded sleep is in the readings that follow it; played back, it takes no
// time (a watched session keeps its pace at the clock readings).
void platform_sleep_ms(uint32_t ms) {
    if (!tape_playing()) device_sleep_ms(ms);
}

bool platform_poll_event(PlatformEvent* event) {
    return event_call(false, event, 0);
}

bool platform_wait_event(PlatformEvent* event, uint32_t timeout_ms) {
    return event_call(true, event, timeout_ms);
}

bool platform_desktop_size(int32_t* width, int32_t* height) {
    return through_tape(
        TAPE_DESKTOP, [&] { return device_desktop_size(width, height); },
        [&](bool ok, TapeRecord* r) {
            r->ok = ok;
            r->width = ok ? *width : 0;
            r->height = ok ? *height : 0;
        },
        [&](const TapeRecord* r) {
            if (!r) return false;
            *width = r->width;
            *height = r->height;
            return r->ok;
        });
}

int32_t platform_display_depth() {
    return through_tape(
        TAPE_DEPTH, [] { return device_display_depth(); },
        [](int32_t depth, TapeRecord* r) { r->width = depth; },
        [](const TapeRecord* r) { return r ? r->width : 32; });
}

bool platform_mouse_present() {
    return through_tape(
        TAPE_MOUSE, [] { return device_mouse_present(); },
        [](bool present, TapeRecord* r) { r->ok = present; },
        [](const TapeRecord* r) { return r ? r->ok : true; });
}

int32_t platform_read_saved(const char* name, uint8_t* bytes, int32_t capacity) {
    return through_tape(
        TAPE_READ, [&] { return device_read_saved(name, bytes, capacity); },
        [&](int32_t count, TapeRecord* r) {
            name_record(r, name);
            r->count = count;
            r->bytes = bytes;
        },
        [&](const TapeRecord* r) {
            if (!r || !same_name(TAPE_READ, *r, name)) return -1;
            if (r->count > capacity) {
                tape_part_from(TAPE_READ, TAPE_READ, "(into less room than the recording holds)");
                return -1;
            }
            if (r->count > 0) std::memcpy(bytes, r->bytes, static_cast<size_t>(r->count));
            return r->count;
        });
}

bool platform_write_saved(const char* name, const void* data, size_t size) {
    return through_tape(
        TAPE_WRITE, [&] { return device_write_saved(name, data, size); },
        [&](bool ok, TapeRecord* r) {
            name_record(r, name);
            r->ok = ok;
        },
        [&](const TapeRecord* r) {
            // A watched show that its viewer stopped ends the game, whose last
            // saves are dropped as every save of a watched recording is.
            if (!r && tape_watching()) return true;
            if (!r || !same_name(TAPE_WRITE, *r, name)) {
                set_save_error("the recording broke off before this save");
                return false;
            }
            // A replay writes the files as the session did, to compare them; a
            // watched recording leaves the player's own files alone.
            if (!tape_watching()) device_write_saved(name, data, size);
            if (!r->ok) set_save_error("the recorded session could not save it either");
            return r->ok;
        });
}
