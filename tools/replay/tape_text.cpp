// Script words for tape records. Clock readings are steps from the last reading
// ("t+16", "c", "c+1", and "@16" for an unchanged calendar reading followed by a
// ticks reading 16 ms on); mouse positions are absolute; saved files are hex.
#include "replay/tape_text.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct EventWord {
    const char* word;
    int32_t type;
};

const EventWord kPlainEvents[] = {
    {"expose", PEV_EXPOSE},
    {"focus+", PEV_FOCUS_GAINED},
    {"focus-", PEV_FOCUS_LOST},
    {"close", PEV_CLOSE},
};

void add(std::string* words, const std::string& word) {
    if (!words->empty()) *words += ' ';
    *words += word;
}

std::string event_word(const PlatformEvent& e) {
    char text[64];
    switch (e.type) {
        case PEV_KEY_DOWN:
            std::snprintf(text, sizeof text, "key:%d", e.key);
            return text;
        case PEV_MOUSE_MOVE:
        case PEV_LBUTTON_UP:
            std::snprintf(text, sizeof text, "%s:%d,%d",
                          e.type == PEV_MOUSE_MOVE ? "move" : "click", e.x, e.y);
            // A finger's tap: its reach after the place.
            if (e.type == PEV_LBUTTON_UP && e.key != 0) {
                std::snprintf(text + std::strlen(text), sizeof text - std::strlen(text), ",%d",
                              e.key);
            }
            return text;
        default:
            for (const EventWord& w : kPlainEvents) {
                if (w.type == e.type) return w.word;
            }
            return "?";
    }
}

bool parse_number(const std::string& text, int64_t low, int64_t high, int64_t* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || v < low || v > high) return false;
    *value = v;
    return true;
}

bool parse_event(const std::string& word, PlatformEvent* e) {
    for (const EventWord& w : kPlainEvents) {
        if (word == w.word) {
            *e = {w.type, 0, 0, 0};
            return true;
        }
    }
    int64_t a = 0, b = 0;
    if (word.rfind("key:", 0) == 0) {
        if (!parse_number(word.substr(4), INT32_MIN, INT32_MAX, &a)) return false;
        *e = {PEV_KEY_DOWN, static_cast<int32_t>(a), 0, 0};
        return true;
    }
    bool move = word.rfind("move:", 0) == 0;
    if (!move && word.rfind("click:", 0) != 0) return false;
    std::string place = word.substr(move ? 5 : 6);
    int64_t reach = 0;
    size_t third = place.find(',', place.find(',') + 1);
    if (!move && third != std::string::npos) {
        if (!parse_number(place.substr(third + 1), INT32_MIN, INT32_MAX, &reach)) return false;
        place.resize(third);
    }
    size_t comma = place.find(',');
    if (comma == std::string::npos ||
        !parse_number(place.substr(0, comma), INT32_MIN, INT32_MAX, &a) ||
        !parse_number(place.substr(comma + 1), INT32_MIN, INT32_MAX, &b)) {
        return false;
    }
    *e = {move ? PEV_MOUSE_MOVE : PEV_LBUTTON_UP, static_cast<int32_t>(reach),
          static_cast<int32_t>(a), static_cast<int32_t>(b)};
    return true;
}

bool parse_hex(const std::string& text, std::vector<uint8_t>* bytes) {
    if (text.size() % 2 != 0 || text.size() / 2 > static_cast<size_t>(TAPE_READ_MAX)) return false;
    for (size_t i = 0; i < text.size(); i += 2) {
        char pair[3] = {text[i], text[i + 1], '\0'};
        char* end = nullptr;
        unsigned long v = std::strtoul(pair, &end, 16);
        if (*end != '\0' || !std::isxdigit(static_cast<unsigned char>(pair[0]))) return false;
        bytes->push_back(static_cast<uint8_t>(v));
    }
    return true;
}

// The text of a part; the clock parts are steps from the last reading.
std::string part_text(TapePart part, const TapeRecord& r, const TapeCoding& coding) {
    char text[64];
    switch (part) {
        case TAPE_PART_NONE:
            return "";
        case TAPE_PART_TICKS:
            return std::to_string(r.ticks - coding.ticks);
        case TAPE_PART_CALENDAR:
            std::snprintf(text, sizeof text, "%+lld",
                          static_cast<long long>(static_cast<uint64_t>(r.calendar) -
                                                 static_cast<uint64_t>(coding.calendar)));
            return text;
        case TAPE_PART_EVENT:
            return event_word(r.event);
        case TAPE_PART_SIZE:
            std::snprintf(text, sizeof text, "%dx%d", r.width, r.height);
            return r.ok ? text : "-";
        case TAPE_PART_NUMBER:
            return std::to_string(r.width);
        case TAPE_PART_FLAG:
            return r.ok ? "1" : "0";
        case TAPE_PART_NAME:
            return r.name;
        case TAPE_PART_SAVED: {
            if (r.count < 0) return "-";
            std::string hex;
            for (int32_t i = 0; i < r.count; ++i) {
                std::snprintf(text, sizeof text, "%02x", r.bytes[i]);
                hex += text;
            }
            return hex;
        }
    }
    return "";
}

// Reads a part's text into the record. The bytes of a saved file go to `bytes`.
bool parse_part(TapePart part, const std::string& text, const TapeCoding& coding, TapeRecord* r,
                std::vector<uint8_t>* bytes) {
    int64_t n = 0, h = 0;
    size_t x = text.find('x');
    switch (part) {
        case TAPE_PART_NONE:
            return text.empty();
        case TAPE_PART_TICKS:
            if (!parse_number(text, 0, UINT32_MAX, &n)) return false;
            r->ticks = coding.ticks + static_cast<uint32_t>(n);
            return true;
        case TAPE_PART_CALENDAR:
            if (text.empty() || (text[0] != '+' && text[0] != '-') ||
                !parse_number(text, INT64_MIN, INT64_MAX, &n)) {
                return false;
            }
            // Steps wrap, as the coding's own do.
            r->calendar = static_cast<int64_t>(static_cast<uint64_t>(coding.calendar) +
                                               static_cast<uint64_t>(n));
            return true;
        case TAPE_PART_EVENT:
            r->delivered = true;
            return parse_event(text, &r->event);
        case TAPE_PART_SIZE:
            r->ok = text != "-";
            if (r->ok && (x == std::string::npos ||
                          !parse_number(text.substr(0, x), INT32_MIN, INT32_MAX, &n) ||
                          !parse_number(text.substr(x + 1), INT32_MIN, INT32_MAX, &h))) {
                return false;
            }
            r->width = static_cast<int32_t>(n);
            r->height = static_cast<int32_t>(h);
            return true;
        case TAPE_PART_NUMBER:
            if (!parse_number(text, INT32_MIN, INT32_MAX, &n)) return false;
            r->width = static_cast<int32_t>(n);
            return true;
        case TAPE_PART_FLAG:
            if (text != "0" && text != "1") return false;
            r->ok = text == "1";
            return true;
        case TAPE_PART_NAME:
            if (text.empty() || text.size() > TAPE_NAME_MAX) return false;
            std::snprintf(r->name, sizeof r->name, "%s", text.c_str());
            return true;
        case TAPE_PART_SAVED:
            bytes->clear();
            if (text == "-") {
                r->count = -1;
                return true;
            }
            if (!parse_hex(text, bytes)) return false;
            r->count = static_cast<int32_t>(bytes->size());
            r->bytes = bytes->data();
            return true;
    }
    return false;
}

// The clock and event parts follow the kind's word directly, the others after
// colons.
bool follows_directly(TapePart part) {
    return part == TAPE_PART_TICKS || part == TAPE_PART_CALENDAR || part == TAPE_PART_EVENT;
}

// A word as one record of `kind`; false when it is none.
bool parse_kind(const TapeKindInfo& kind, const std::string& w, const TapeCoding& coding,
                TapeRecord* r, std::vector<uint8_t>* bytes) {
    *r = TapeRecord();
    r->kind = kind.kind;
    if (kind.short_code != 0 && w == kind.short_word) {
        if (kind.parts[0] == TAPE_PART_CALENDAR) r->calendar = coding.calendar;
        return true;
    }
    size_t length = std::strlen(kind.word);
    if (w.compare(0, length, kind.word) != 0) return false;
    if (follows_directly(kind.parts[0])) {
        return parse_part(kind.parts[0], w.substr(length), coding, r, bytes);
    }
    size_t at = length;
    for (TapePart part : kind.parts) {
        if (part == TAPE_PART_NONE) break;
        if (at >= w.size() || w[at] != ':') return false;
        size_t next = std::min(w.find(':', at + 1), w.size());
        if (!parse_part(part, w.substr(at + 1, next - at - 1), coding, r, bytes)) return false;
        at = next;
    }
    return at == w.size();
}

// One word as records (a pair word gives two). False when it is none.
bool parse_word(const std::string& w, const TapeCoding& coding, TapeRecord* records, int32_t* count,
                std::vector<uint8_t>* bytes) {
    int64_t n = 0;
    if (w[0] == '@' && parse_number(w.substr(1), 0, UINT32_MAX, &n)) {
        records[0] = TapeRecord();
        records[0].kind = TAPE_CALENDAR;
        records[0].calendar = coding.calendar;
        records[1] = TapeRecord();
        records[1].kind = TAPE_TICKS;
        records[1].ticks = coding.ticks + static_cast<uint32_t>(n);
        *count = 2;
        return true;
    }
    *count = 1;
    for (int32_t k = 0; k < TAPE_KINDS; ++k) {
        if (parse_kind(tape_kind(static_cast<TapeKind>(k)), w, coding, records, bytes)) return true;
    }
    return false;
}

}  // namespace

void tape_text_flush(TapeCoding* coding, std::string* words) {
    if (coding->pending_ticks) add(words, tape_kind(TAPE_CALENDAR).short_word);
    coding->pending_ticks = false;
}

void tape_text_word(const TapeRecord& r, TapeCoding* coding, std::string* words) {
    // An unchanged calendar reading waits for the ticks reading after it.
    if (r.kind != TAPE_TICKS) tape_text_flush(coding, words);
    bool was_pending = coding->pending_ticks;
    coding->pending_ticks = false;
    const TapeKindInfo& kind = tape_kind(r.kind);
    if (r.kind == TAPE_CALENDAR && r.calendar == coding->calendar) {
        coding->pending_ticks = true;
        return;
    }
    if (r.kind == TAPE_TICKS && was_pending) {
        add(words, "@" + part_text(TAPE_PART_TICKS, r, *coding));
    } else if (kind.short_code != 0 && kind.parts[0] == TAPE_PART_EVENT && !r.delivered) {
        add(words, kind.short_word);
    } else if (follows_directly(kind.parts[0])) {
        add(words, kind.word + part_text(kind.parts[0], r, *coding));
    } else {
        std::string word = kind.word;
        for (TapePart part : kind.parts) {
            if (part != TAPE_PART_NONE) word += ":" + part_text(part, r, *coding);
        }
        add(words, word);
    }
    if (r.kind == TAPE_TICKS) coding->ticks = r.ticks;
    if (r.kind == TAPE_CALENDAR) coding->calendar = r.calendar;
}

bool tape_text_parse(const std::vector<std::string>& words, size_t first, TapeCoding* coding,
                     std::vector<uint8_t>* stream, std::string* why) {
    std::vector<uint8_t> saved;
    for (size_t i = first; i < words.size(); ++i) {
        TapeRecord records[2];
        int32_t count = 0;
        if (words[i].empty() || !parse_word(words[i], *coding, records, &count, &saved)) {
            *why = "not a tape word: " + words[i].substr(0, 80);
            return false;
        }
        for (int32_t k = 0; k < count; ++k) {
            // Room for the longest code: the saved bytes, the name and the numbers.
            std::vector<uint8_t> code(
                static_cast<size_t>(records[k].count > 0 ? records[k].count : 0) + TAPE_NAME_MAX +
                64);
            size_t size = 0;
            tape_encode(records[k], coding, code.data(), code.size(), &size);
            stream->insert(stream->end(), code.begin(), code.begin() + static_cast<long>(size));
        }
    }
    return true;
}

uint64_t frame_hash(const uint32_t* argb) {
    uint64_t hash = 0xcbf29ce484222325ull;
    for (int32_t i = 0; i < 800 * 600; ++i) hash = (hash ^ argb[i]) * 0x100000001b3ull;
    return hash;
}
