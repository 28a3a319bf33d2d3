// Wrapping start-up errors for the message box. SDL's box (like most) is as
// wide as its longest line: one long line with a path in it made a box wider
// than the screen, cut off at both sides.
#include "shell/error_message.h"

#include <cstring>

#include "platform/platform.h"

const char* const MSG_REINSTALL = "Reinstall the game, or run make again in its build folder.";

namespace {

// Appends to a bounded, terminated buffer.
struct Output {
    char* out;
    size_t size;
    size_t length;
    size_t column;  // characters on the current line

    void put(char c) {
        if (length + 1 >= size) return;
        out[length++] = c;
        out[length] = '\0';
        column = c == '\n' ? 0 : column + 1;
    }
    void put(const char* text, size_t n) {
        for (size_t i = 0; i < n; ++i) put(text[i]);
    }
    void new_line() {
        if (column > 0) put('\n');
    }
};

bool is_path(const char* word) {
    return word[0] == '/' || (word[0] == '.' && word[1] == '/');
}

// A path (or any word) longer than a line, in pieces that end after a '/'.
void put_long_path(Output* o, const char* word, size_t n) {
    size_t start = 0;
    while (n - start > kMessageColumns) {
        size_t cut = start + kMessageColumns;
        while (cut > start + 1 && word[cut - 1] != '/') --cut;
        if (cut == start + 1) cut = start + kMessageColumns;  // no '/' to break at
        o->put(word + start, cut - start);
        o->put('\n');
        start = cut;
    }
    o->put(word + start, n - start);
}

}  // namespace

void wrap_message(const char* text, char* out, size_t size) {
    if (size == 0) return;
    out[0] = '\0';
    Output o = {out, size, 0, 0};
    bool broke_after_path = false;  // a line break of the text's own there is taken
    const char* p = text;
    while (*p != '\0') {
        if (*p == ' ') {
            ++p;
            continue;
        }
        if (*p == '\n') {
            if (!broke_after_path) o.put('\n');
            broke_after_path = false;
            ++p;
            continue;
        }
        size_t n = std::strcspn(p, " \n");
        broke_after_path = is_path(p);
        if (broke_after_path) {
            o.new_line();
            put_long_path(&o, p, n);
            o.put('\n');
        } else if (n > kMessageColumns) {
            o.new_line();
            put_long_path(&o, p, n);
        } else {
            if (o.column > 0 && o.column + 1 + n > kMessageColumns) o.put('\n');
            if (o.column > 0) o.put(' ');
            o.put(p, n);
        }
        p += n;
    }
    // No empty last line.
    if (o.length > 0 && out[o.length - 1] == '\n') out[--o.length] = '\0';
}

void show_error_message(const char* text) {
    char wrapped[8192];
    wrap_message(text, wrapped, sizeof wrapped);
    platform_message_box(wrapped, "Error");
}
