// Script words for tape records. Clock readings are steps from the last reading
// ("t+16", "c", "c+1", and "@16" for an unchanged calendar reading followed by a
// ticks reading 16 ms on); mouse positions are absolute; saved files are hex.
#include "replay/tape_text.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

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
    size_t comma = place.find(',');
    if (comma == std::string::npos ||
        !parse_number(place.substr(0, comma), INT32_MIN, INT32_MAX, &a) ||
        !parse_number(place.substr(comma + 1), INT32_MIN, INT32_MAX, &b)) {
        return false;
    }
    *e = {move ? PEV_MOUSE_MOVE : PEV_LBUTTON_UP, 0, static_cast<int32_t>(a),
          static_cast<int32_t>(b)};
    return true;
}

// "NAME:REST" after a prefix; false when there is no second colon or the name is
// too long.
bool split_named(const std::string& word, size_t prefix, std::string* name, std::string* rest) {
    size_t colon = word.find(':', prefix);
    if (colon == std::string::npos || colon - prefix > TAPE_NAME_MAX || colon == prefix) {
        return false;
    }
    *name = word.substr(prefix, colon - prefix);
    *rest = word.substr(colon + 1);
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

TapeRecord blank(TapeKind kind) {
    TapeRecord r;
    r.kind = kind;
    return r;
}

// One word as records (a pair word gives two). False when it is none.
bool parse_word(const std::string& w, const TapeCoding& coding, TapeRecord* records, int32_t* count,
                std::vector<uint8_t>* bytes) {
    TapeRecord& r = records[0];
    *count = 1;
    int64_t n = 0;
    std::string name, rest;
    if (w == ".") {
        r = blank(TAPE_POLL);
    } else if (w == "~") {
        r = blank(TAPE_WAIT);
    } else if (w == "c") {
        r = blank(TAPE_CALENDAR);
        r.calendar = coding.calendar;
    } else if ((w.rfind("c+", 0) == 0 || w.rfind("c-", 0) == 0) &&
               parse_number(w.substr(1), INT64_MIN, INT64_MAX, &n)) {
        r = blank(TAPE_CALENDAR);
        // Steps wrap, as the coding's own do.
        r.calendar =
            static_cast<int64_t>(static_cast<uint64_t>(coding.calendar) + static_cast<uint64_t>(n));
    } else if (w.rfind("t+", 0) == 0 && parse_number(w.substr(2), 0, UINT32_MAX, &n)) {
        r = blank(TAPE_TICKS);
        r.ticks = coding.ticks + static_cast<uint32_t>(n);
    } else if (w[0] == '@' && parse_number(w.substr(1), 0, UINT32_MAX, &n)) {
        r = blank(TAPE_CALENDAR);
        r.calendar = coding.calendar;
        records[1] = blank(TAPE_TICKS);
        records[1].ticks = coding.ticks + static_cast<uint32_t>(n);
        *count = 2;
    } else if (w == "end") {
        r = blank(TAPE_END);
    } else if (w.rfind("desktop:", 0) == 0) {
        r = blank(TAPE_DESKTOP);
        std::string size = w.substr(8);
        size_t x = size.find('x');
        int64_t h = 0;
        r.ok = size != "-";
        if (r.ok &&
            (x == std::string::npos || !parse_number(size.substr(0, x), INT32_MIN, INT32_MAX, &n) ||
             !parse_number(size.substr(x + 1), INT32_MIN, INT32_MAX, &h))) {
            return false;
        }
        r.width = static_cast<int32_t>(n);
        r.height = static_cast<int32_t>(h);
    } else if (w.rfind("depth:", 0) == 0 && parse_number(w.substr(6), INT32_MIN, INT32_MAX, &n)) {
        r = blank(TAPE_DEPTH);
        r.width = static_cast<int32_t>(n);
    } else if (w == "mouse:0" || w == "mouse:1") {
        r = blank(TAPE_MOUSE);
        r.ok = w == "mouse:1";
    } else if (w.rfind("write:", 0) == 0 && split_named(w, 6, &name, &rest) &&
               (rest == "0" || rest == "1")) {
        r = blank(TAPE_WRITE);
        std::snprintf(r.name, sizeof r.name, "%s", name.c_str());
        r.ok = rest == "1";
    } else if (w.rfind("read:", 0) == 0 && split_named(w, 5, &name, &rest)) {
        r = blank(TAPE_READ);
        std::snprintf(r.name, sizeof r.name, "%s", name.c_str());
        bytes->clear();
        if (rest == "-") {
            r.count = -1;
        } else if (!parse_hex(rest, bytes)) {
            return false;
        } else {
            r.count = static_cast<int32_t>(bytes->size());
            r.bytes = bytes->data();
        }
    } else {
        bool wait = w[0] == '~';
        r = blank(wait ? TAPE_WAIT : TAPE_POLL);
        r.delivered = true;
        return parse_event(wait ? w.substr(1) : w, &r.event);
    }
    return true;
}

}  // namespace

void tape_text_flush(TapeCoding* coding, std::string* words) {
    if (coding->pending_ticks) add(words, "c");
    coding->pending_ticks = false;
}

void tape_text_word(const TapeRecord& r, TapeCoding* coding, std::string* words) {
    // An unchanged calendar reading waits for the ticks reading after it.
    if (coding->pending_ticks && r.kind != TAPE_TICKS) add(words, "c");
    bool was_pending = coding->pending_ticks;
    coding->pending_ticks = false;
    char text[64];
    switch (r.kind) {
        case TAPE_TICKS:
            std::snprintf(text, sizeof text, "%s%u", was_pending ? "@" : "t+",
                          r.ticks - coding->ticks);
            coding->ticks = r.ticks;
            add(words, text);
            return;
        case TAPE_CALENDAR:
            if (r.calendar == coding->calendar) {
                coding->pending_ticks = true;
                return;
            }
            std::snprintf(text, sizeof text, "c%+lld",
                          static_cast<long long>(static_cast<uint64_t>(r.calendar) -
                                                 static_cast<uint64_t>(coding->calendar)));
            coding->calendar = r.calendar;
            add(words, text);
            return;
        case TAPE_POLL:
        case TAPE_WAIT: {
            bool wait = r.kind == TAPE_WAIT;
            if (!r.delivered) {
                add(words, wait ? "~" : ".");
                return;
            }
            add(words, (wait ? "~" : "") + event_word(r.event));
            return;
        }
        case TAPE_DESKTOP:
            std::snprintf(text, sizeof text, "desktop:%dx%d", r.width, r.height);
            add(words, r.ok ? text : "desktop:-");
            return;
        case TAPE_DEPTH:
            add(words, "depth:" + std::to_string(r.width));
            return;
        case TAPE_MOUSE:
            add(words, r.ok ? "mouse:1" : "mouse:0");
            return;
        case TAPE_READ: {
            std::string word = std::string("read:") + r.name + ":";
            if (r.count < 0) word += "-";
            for (int32_t i = 0; i < r.count; ++i) {
                std::snprintf(text, sizeof text, "%02x", r.bytes[i]);
                word += text;
            }
            add(words, word);
            return;
        }
        case TAPE_WRITE:
            add(words, std::string("write:") + r.name + (r.ok ? ":1" : ":0"));
            return;
        case TAPE_END:
            add(words, "end");
            return;
    }
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
