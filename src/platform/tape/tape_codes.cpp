// The byte codes of the record stream. Clock readings are differences from the
// last reading of the same clock, so the usual ones take a byte: 0x00..0x3F is a
// ticks reading 0..63 ms on, 0x40..0x7F an unchanged calendar reading followed by
// such a ticks reading (the program clock reads both, in that order). Numbers
// after a code are LEB128 varints; signed ones are zigzag coded. Mouse positions
// are differences from the last mouse event's; a move straight after a move is
// coded as the change from the last move's difference.
#include <cstring>

#include "platform/tape/tape.h"

namespace {

enum Code : uint8_t {
    kTicksSmall = 0x00,  // ..0x3F
    kPairSmall = 0x40,   // ..0x7F
    kTicks = 0x80,
    kCalendar = 0x81,
    kCalendarSame = 0x82,
    kPollNone = 0x83,
    kWaitNone = 0x84,
    kPollEvent = 0x85,
    kWaitEvent = 0x86,
    kDesktop = 0x87,
    kDepth = 0x88,
    kMouse = 0x89,
    kRead = 0x8A,
    kWrite = 0x8B,
    kEnd = 0x8C,
};

constexpr uint32_t kSmallLimit = 64;

// An appender that stops at the capacity and remembers that it did.
struct Out {
    uint8_t* bytes;
    size_t capacity;
    size_t size;
    bool full;

    void byte(uint8_t b) {
        if (size >= capacity) {
            full = true;
            return;
        }
        bytes[size++] = b;
    }
    void varint(uint64_t v) {
        while (v >= 0x80) {
            byte(static_cast<uint8_t>(v | 0x80));
            v >>= 7;
        }
        byte(static_cast<uint8_t>(v));
    }
    void signed_varint(int64_t v) {
        varint((static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63));
    }
    void name(const char* text) {
        size_t length = strnlen(text, TAPE_NAME_MAX);
        byte(static_cast<uint8_t>(length));
        for (size_t i = 0; i < length; ++i) byte(static_cast<uint8_t>(text[i]));
    }
};

// A reader that refuses to go past the end and says what it was reading.
struct In {
    const uint8_t* bytes;
    size_t size;
    size_t pos;
    std::string* why;

    bool fail(const char* text) {
        if (why) *why = text;
        return false;
    }
    bool byte(uint8_t* b) {
        if (pos >= size) return fail("a record is cut short");
        *b = bytes[pos++];
        return true;
    }
    bool varint(uint64_t* v) {
        *v = 0;
        for (int shift = 0; shift < 64; shift += 7) {
            uint8_t b;
            if (!byte(&b)) return false;
            *v |= static_cast<uint64_t>(b & 0x7F) << shift;
            if (!(b & 0x80)) return true;
        }
        return fail("a number is too long");
    }
    bool signed_varint(int64_t* v) {
        uint64_t u;
        if (!varint(&u)) return false;
        *v = static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
        return true;
    }
    bool int32(int32_t* v) {
        int64_t wide;
        if (!signed_varint(&wide)) return false;
        if (wide < INT32_MIN || wide > INT32_MAX) return fail("a number is out of range");
        *v = static_cast<int32_t>(wide);
        return true;
    }
    bool name(char* out) {
        uint8_t length;
        if (!byte(&length)) return false;
        if (length > TAPE_NAME_MAX) return fail("a file name is too long");
        if (length == 0) return fail("a file name is empty");
        if (size - pos < length) return fail("a record is cut short");
        // Saved files are named by the game: letters, digits, '.', '_' and '-'.
        for (uint8_t i = 0; i < length; ++i) {
            uint8_t c = bytes[pos++];
            bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                         (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '-';
            if (!plain) return fail("a file name holds an odd character");
            out[i] = static_cast<char>(c);
        }
        out[length] = '\0';
        return true;
    }
};

void encode_event(const PlatformEvent& e, TapeCoding* coding, Out* out) {
    out->byte(static_cast<uint8_t>(e.type));
    if (e.type == PEV_KEY_DOWN) {
        out->signed_varint(e.key);
    } else if (e.type == PEV_MOUSE_MOVE || e.type == PEV_LBUTTON_UP) {
        int64_t step_x = static_cast<int64_t>(e.x) - coding->mouse_x;
        int64_t step_y = static_cast<int64_t>(e.y) - coding->mouse_y;
        bool after_move = coding->moving && e.type == PEV_MOUSE_MOVE;
        out->signed_varint(after_move ? step_x - coding->step_x : step_x);
        out->signed_varint(after_move ? step_y - coding->step_y : step_y);
        coding->mouse_x = e.x;
        coding->mouse_y = e.y;
        coding->moving = e.type == PEV_MOUSE_MOVE;
        coding->step_x = step_x;
        coding->step_y = step_y;
    }
}

bool decode_event(In* in, TapeCoding* coding, PlatformEvent* e) {
    uint8_t type;
    if (!in->byte(&type)) return false;
    if (type < PEV_KEY_DOWN || type > PEV_CLOSE) return in->fail("an event of no known kind");
    *e = {type, 0, 0, 0};
    if (type == PEV_KEY_DOWN) return in->int32(&e->key);
    if (type != PEV_MOUSE_MOVE && type != PEV_LBUTTON_UP) return true;
    int64_t dx, dy;
    if (!in->signed_varint(&dx) || !in->signed_varint(&dy)) return false;
    // Steps between 32-bit positions, and their changes, lie within 34 bits; more
    // is damage.
    const int64_t most = int64_t{1} << 34;
    if (dx < -most || dx > most || dy < -most || dy > most) {
        return in->fail("a mouse position is out of range");
    }
    if (coding->moving && type == PEV_MOUSE_MOVE) {
        dx += coding->step_x;
        dy += coding->step_y;
    }
    int64_t x = coding->mouse_x + dx;
    int64_t y = coding->mouse_y + dy;
    if (x < INT32_MIN || x > INT32_MAX || y < INT32_MIN || y > INT32_MAX) {
        return in->fail("a mouse position is out of range");
    }
    e->x = coding->mouse_x = static_cast<int32_t>(x);
    e->y = coding->mouse_y = static_cast<int32_t>(y);
    coding->moving = type == PEV_MOUSE_MOVE;
    coding->step_x = dx;
    coding->step_y = dy;
    return true;
}

}  // namespace

bool tape_encode(const TapeRecord& r, TapeCoding* coding, uint8_t* bytes, size_t capacity,
                 size_t* size) {
    TapeCoding before = *coding;
    Out out{bytes, capacity, *size, false};
    switch (r.kind) {
        case TAPE_TICKS: {
            uint32_t delta = r.ticks - coding->ticks;
            coding->ticks = r.ticks;
            if (delta < kSmallLimit) {
                out.byte(static_cast<uint8_t>(kTicksSmall + delta));
            } else {
                out.byte(kTicks);
                out.varint(delta);
            }
            break;
        }
        case TAPE_CALENDAR:
            if (r.calendar == coding->calendar) {
                out.byte(kCalendarSame);
            } else {
                out.byte(kCalendar);
                out.signed_varint(static_cast<int64_t>(static_cast<uint64_t>(r.calendar) -
                                                       static_cast<uint64_t>(coding->calendar)));
                coding->calendar = r.calendar;
            }
            break;
        case TAPE_POLL:
        case TAPE_WAIT: {
            bool poll = r.kind == TAPE_POLL;
            if (!r.delivered) {
                out.byte(poll ? kPollNone : kWaitNone);
                break;
            }
            out.byte(poll ? kPollEvent : kWaitEvent);
            encode_event(r.event, coding, &out);
            break;
        }
        case TAPE_DESKTOP:
            out.byte(kDesktop);
            out.byte(r.ok ? 1 : 0);
            out.signed_varint(r.width);
            out.signed_varint(r.height);
            break;
        case TAPE_DEPTH:
            out.byte(kDepth);
            out.signed_varint(r.width);
            break;
        case TAPE_MOUSE:
            out.byte(kMouse);
            out.byte(r.ok ? 1 : 0);
            break;
        case TAPE_READ:
            out.byte(kRead);
            out.name(r.name);
            out.signed_varint(r.count);
            for (int32_t i = 0; i < r.count; ++i) out.byte(r.bytes[i]);
            break;
        case TAPE_WRITE:
            out.byte(kWrite);
            out.name(r.name);
            out.byte(r.ok ? 1 : 0);
            break;
        case TAPE_END:
            out.byte(kEnd);
            break;
    }
    if (out.full) {
        *coding = before;
        return false;
    }
    // An unchanged calendar reading straight before a short ticks step becomes one
    // pair code.
    size_t start = *size;
    if (r.kind == TAPE_TICKS && out.size == start + 1 && start > 0 &&
        bytes[start - 1] == kCalendarSame && coding->pending_ticks) {
        bytes[start - 1] = static_cast<uint8_t>(kPairSmall + bytes[start]);
        out.size = start;
    }
    coding->pending_ticks =
        r.kind == TAPE_CALENDAR && out.size == start + 1 && bytes[start] == kCalendarSame;
    *size = out.size;
    return true;
}

int32_t tape_decode(const uint8_t* bytes, size_t size, size_t* pos, TapeCoding* coding,
                    TapeRecord* r, std::string* why) {
    *r = TapeRecord();
    if (coding->pending_ticks) {
        coding->pending_ticks = false;
        coding->ticks += coding->pending_value;
        r->kind = TAPE_TICKS;
        r->ticks = coding->ticks;
        return 1;
    }
    if (*pos >= size) return 0;
    In in{bytes, size, *pos, why};
    uint8_t code = bytes[in.pos++];  // *pos < size, checked above
    bool ok = true;
    if (code < kPairSmall) {
        coding->ticks += code;
        r->kind = TAPE_TICKS;
        r->ticks = coding->ticks;
    } else if (code < kTicks) {
        r->kind = TAPE_CALENDAR;
        r->calendar = coding->calendar;
        coding->pending_ticks = true;
        coding->pending_value = static_cast<uint32_t>(code - kPairSmall);
    } else {
        uint64_t u = 0;
        int64_t s = 0;
        uint8_t flag = 0;
        switch (code) {
            case kTicks:
                ok = in.varint(&u) && (u <= UINT32_MAX || in.fail("a clock step is out of range"));
                coding->ticks += static_cast<uint32_t>(u);
                r->kind = TAPE_TICKS;
                r->ticks = coding->ticks;
                break;
            case kCalendar:
                ok = in.signed_varint(&s);
                coding->calendar = static_cast<int64_t>(static_cast<uint64_t>(coding->calendar) +
                                                        static_cast<uint64_t>(s));
                r->kind = TAPE_CALENDAR;
                r->calendar = coding->calendar;
                break;
            case kCalendarSame:
                r->kind = TAPE_CALENDAR;
                r->calendar = coding->calendar;
                break;
            case kPollNone:
            case kWaitNone:
                r->kind = code == kPollNone ? TAPE_POLL : TAPE_WAIT;
                break;
            case kPollEvent:
            case kWaitEvent:
                r->kind = code == kPollEvent ? TAPE_POLL : TAPE_WAIT;
                r->delivered = true;
                ok = decode_event(&in, coding, &r->event);
                break;
            case kDesktop:
                r->kind = TAPE_DESKTOP;
                ok = in.byte(&flag) && in.int32(&r->width) && in.int32(&r->height);
                r->ok = flag != 0;
                // A desktop that could not be told has no size.
                if (!r->ok) r->width = r->height = 0;
                break;
            case kDepth:
                r->kind = TAPE_DEPTH;
                ok = in.int32(&r->width);
                break;
            case kMouse:
                r->kind = TAPE_MOUSE;
                ok = in.byte(&flag);
                r->ok = flag != 0;
                break;
            case kRead:
                r->kind = TAPE_READ;
                ok = in.name(r->name) && in.int32(&r->count);
                if (ok && (r->count < -1 || r->count > TAPE_READ_MAX)) {
                    ok = in.fail("a saved file's size is out of range");
                } else if (ok && r->count > 0) {
                    if (in.size - in.pos < static_cast<size_t>(r->count)) {
                        ok = in.fail("a record is cut short");
                    } else {
                        r->bytes = bytes + in.pos;
                        in.pos += static_cast<size_t>(r->count);
                    }
                }
                break;
            case kWrite:
                r->kind = TAPE_WRITE;
                ok = in.name(r->name) && in.byte(&flag);
                r->ok = flag != 0;
                break;
            case kEnd:
                r->kind = TAPE_END;
                break;
            default:
                ok = in.fail("an unknown record code");
                break;
        }
    }
    if (!ok) return -1;
    *pos = in.pos;
    return 1;
}

const char* tape_kind_name(TapeKind kind) {
    switch (kind) {
        case TAPE_TICKS:
            return "a clock reading";
        case TAPE_CALENDAR:
            return "a calendar reading";
        case TAPE_POLL:
            return "an event check";
        case TAPE_WAIT:
            return "a wait for an event";
        case TAPE_DESKTOP:
            return "the desktop size";
        case TAPE_DEPTH:
            return "the display depth";
        case TAPE_MOUSE:
            return "whether a mouse is present";
        case TAPE_READ:
            return "a saved file's contents";
        case TAPE_WRITE:
            return "a save's result";
        case TAPE_END:
            return "the end of the session";
    }
    return "an unknown record";
}
