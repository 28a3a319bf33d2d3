// The byte codes of the record stream: each kind's code byte (the table below),
// then its parts. Clock readings are differences from the last reading of the
// same clock, so the usual ones take a byte: 0x00..0x3F is a ticks reading 0..63
// ms on, 0x40..0x7F an unchanged calendar reading followed by such a ticks
// reading (the program clock reads both, in that order). Mouse positions are
// differences from the last mouse event's; a move straight after a move is coded
// as the change from the last move's difference.
#include <cstring>

#include "platform/common/tape/tape.h"

namespace {

constexpr uint8_t kTicksSmall = 0x00;  // ..0x3F
constexpr uint8_t kPairSmall = 0x40;   // ..0x7F
constexpr uint8_t kCodes = 0x80;       // the first of the kinds' own codes

// Every kind, in the order of TapeKind.
constexpr TapeKindInfo kKinds[] = {
    {TAPE_TICKS, "a clock reading", "t+", 0x80, 0, "", {TAPE_PART_TICKS}},
    {TAPE_CALENDAR, "a calendar reading", "c", 0x81, 0x82, "c", {TAPE_PART_CALENDAR}},
    {TAPE_POLL, "an event check", "", 0x85, 0x83, ".", {TAPE_PART_EVENT}},
    {TAPE_WAIT, "a wait for an event", "~", 0x86, 0x84, "~", {TAPE_PART_EVENT}},
    {TAPE_DESKTOP, "the desktop size", "desktop", 0x87, 0, "", {TAPE_PART_SIZE}},
    {TAPE_DEPTH, "the display depth", "depth", 0x88, 0, "", {TAPE_PART_NUMBER}},
    {TAPE_MOUSE, "whether a mouse is present", "mouse", 0x89, 0, "", {TAPE_PART_FLAG}},
    {TAPE_READ, "a saved file's contents", "read", 0x8A, 0, "", {TAPE_PART_NAME, TAPE_PART_SAVED}},
    {TAPE_WRITE, "a save's result", "write", 0x8B, 0, "", {TAPE_PART_NAME, TAPE_PART_FLAG}},
    {TAPE_END, "the end of the session", "end", 0x8C, 0, "", {}},
};

constexpr size_t kKindCount = sizeof kKinds / sizeof kKinds[0];

// Every kind once, in order, with codes no other kind has.
constexpr bool in_order() {
    for (size_t i = 0; i < kKindCount; ++i) {
        const TapeKindInfo& k = kKinds[i];
        if (static_cast<size_t>(k.kind) != i || k.code < kCodes) return false;
        if (k.short_code != 0 && (k.short_code < kCodes || k.short_code == k.code)) return false;
        for (size_t j = 0; j < i; ++j) {
            const uint8_t a = kKinds[j].code, b = kKinds[j].short_code;
            if (k.code == a || k.code == b || (k.short_code != 0 && k.short_code == a) ||
                (k.short_code != 0 && k.short_code == b)) {
                return false;
            }
        }
    }
    return kKindCount == TAPE_KINDS;
}
static_assert(in_order(), "kKinds lists every kind once, in order, each with codes of its own");

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

// A release that carries a finger's reach is coded as its type with this bit set,
// the reach following the position; a mouse's release (reach 0) as before.
constexpr uint8_t kWithReach = 0x80;

void encode_event(const PlatformEvent& e, TapeCoding* coding, Out* out) {
    bool reach = e.type == PEV_LBUTTON_UP && e.key != 0;
    out->byte(static_cast<uint8_t>(e.type) | (reach ? kWithReach : 0));
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
        if (reach) out->signed_varint(e.key);
    }
}

bool decode_event(In* in, TapeCoding* coding, PlatformEvent* e) {
    uint8_t type;
    if (!in->byte(&type)) return false;
    bool reach = type == (PEV_LBUTTON_UP | kWithReach);
    if (reach) type = PEV_LBUTTON_UP;
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
    return !reach || in->int32(&e->key);
}

void encode_part(TapePart part, const TapeRecord& r, TapeCoding* coding, Out* out) {
    switch (part) {
        case TAPE_PART_NONE:
            break;
        case TAPE_PART_TICKS:
            out->varint(r.ticks - coding->ticks);
            coding->ticks = r.ticks;
            break;
        case TAPE_PART_CALENDAR:
            out->signed_varint(static_cast<int64_t>(static_cast<uint64_t>(r.calendar) -
                                                    static_cast<uint64_t>(coding->calendar)));
            coding->calendar = r.calendar;
            break;
        case TAPE_PART_EVENT:
            encode_event(r.event, coding, out);
            break;
        case TAPE_PART_SIZE:
            out->byte(r.ok ? 1 : 0);
            out->signed_varint(r.width);
            out->signed_varint(r.height);
            break;
        case TAPE_PART_NUMBER:
            out->signed_varint(r.width);
            break;
        case TAPE_PART_FLAG:
            out->byte(r.ok ? 1 : 0);
            break;
        case TAPE_PART_NAME:
            out->name(r.name);
            break;
        case TAPE_PART_SAVED:
            out->signed_varint(r.count);
            for (int32_t i = 0; i < r.count; ++i) out->byte(r.bytes[i]);
            break;
    }
}

bool decode_part(TapePart part, In* in, TapeCoding* coding, TapeRecord* r) {
    uint64_t u = 0;
    int64_t s = 0;
    uint8_t flag = 0;
    switch (part) {
        case TAPE_PART_NONE:
            return true;
        case TAPE_PART_TICKS:
            if (!in->varint(&u)) return false;
            if (u > UINT32_MAX) return in->fail("a clock step is out of range");
            r->ticks = coding->ticks += static_cast<uint32_t>(u);
            return true;
        case TAPE_PART_CALENDAR:
            if (!in->signed_varint(&s)) return false;
            coding->calendar = static_cast<int64_t>(static_cast<uint64_t>(coding->calendar) +
                                                    static_cast<uint64_t>(s));
            r->calendar = coding->calendar;
            return true;
        case TAPE_PART_EVENT:
            r->delivered = true;
            return decode_event(in, coding, &r->event);
        case TAPE_PART_SIZE:
            if (!in->byte(&flag) || !in->int32(&r->width) || !in->int32(&r->height)) return false;
            r->ok = flag != 0;
            // A desktop that could not be told has no size.
            if (!r->ok) r->width = r->height = 0;
            return true;
        case TAPE_PART_NUMBER:
            return in->int32(&r->width);
        case TAPE_PART_FLAG:
            if (!in->byte(&flag)) return false;
            r->ok = flag != 0;
            return true;
        case TAPE_PART_NAME:
            return in->name(r->name);
        case TAPE_PART_SAVED:
            if (!in->int32(&r->count)) return false;
            if (r->count < -1 || r->count > TAPE_READ_MAX) {
                return in->fail("a saved file's size is out of range");
            }
            if (r->count <= 0) return true;
            if (in->size - in->pos < static_cast<size_t>(r->count)) {
                return in->fail("a record is cut short");
            }
            r->bytes = in->bytes + in->pos;
            in->pos += static_cast<size_t>(r->count);
            return true;
    }
    return in->fail("an unknown record part");
}

// Whether a record takes its kind's short form, which only its first part has: an
// unchanged calendar reading, or no event.
bool short_form(const TapeRecord& r, const TapeCoding& coding) {
    TapePart part = tape_kind(r.kind).parts[0];
    if (part == TAPE_PART_CALENDAR) return r.calendar == coding.calendar;
    return part == TAPE_PART_EVENT && !r.delivered;
}

void decode_short_form(TapePart part, const TapeCoding& coding, TapeRecord* r) {
    if (part == TAPE_PART_CALENDAR) r->calendar = coding.calendar;
}

}  // namespace

const TapeKindInfo& tape_kind(TapeKind kind) {
    return kKinds[kind < TAPE_KINDS ? kind : TAPE_END];
}

bool tape_encode(const TapeRecord& r, TapeCoding* coding, uint8_t* bytes, size_t capacity,
                 size_t* size) {
    TapeCoding before = *coding;
    Out out{bytes, capacity, *size, false};
    const TapeKindInfo& kind = tape_kind(r.kind);
    uint32_t step = r.ticks - coding->ticks;
    if (r.kind == TAPE_TICKS && step < kPairSmall - kTicksSmall) {
        out.byte(static_cast<uint8_t>(kTicksSmall + step));
        coding->ticks = r.ticks;
    } else if (short_form(r, *coding)) {
        out.byte(kind.short_code);
    } else {
        out.byte(kind.code);
        for (TapePart part : kind.parts) encode_part(part, r, coding, &out);
    }
    if (out.full) {
        *coding = before;
        return false;
    }
    // An unchanged calendar reading straight before a short ticks step becomes one
    // pair code.
    const uint8_t same_calendar = tape_kind(TAPE_CALENDAR).short_code;
    size_t start = *size;
    if (r.kind == TAPE_TICKS && out.size == start + 1 && start > 0 &&
        bytes[start - 1] == same_calendar && coding->pending_ticks) {
        bytes[start - 1] = static_cast<uint8_t>(kPairSmall + bytes[start]);
        out.size = start;
    }
    coding->pending_ticks =
        r.kind == TAPE_CALENDAR && out.size == start + 1 && bytes[start] == same_calendar;
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
    if (code < kPairSmall) {
        r->kind = TAPE_TICKS;
        r->ticks = coding->ticks += code - kTicksSmall;
        *pos = in.pos;
        return 1;
    }
    if (code < kCodes) {
        r->kind = TAPE_CALENDAR;
        r->calendar = coding->calendar;
        coding->pending_ticks = true;
        coding->pending_value = static_cast<uint32_t>(code - kPairSmall);
        *pos = in.pos;
        return 1;
    }
    for (const TapeKindInfo& kind : kKinds) {
        if (code != kind.code && (kind.short_code == 0 || code != kind.short_code)) continue;
        r->kind = kind.kind;
        if (code == kind.short_code) {
            decode_short_form(kind.parts[0], *coding, r);
        } else {
            for (TapePart part : kind.parts) {
                if (!decode_part(part, &in, coding, r)) return -1;
            }
        }
        *pos = in.pos;
        return 1;
    }
    in.fail("an unknown record code");
    return -1;
}

const char* tape_kind_name(TapeKind kind) {
    return kind < TAPE_KINDS ? kKinds[kind].name : "an unknown record";
}
