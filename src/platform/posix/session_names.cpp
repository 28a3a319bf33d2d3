// The names of recorded sessions: the session's start in UTC and the process
// ("20261207-153012-0004242.rec", with "-2", "-3"... when a process records again
// within the second). The process number is padded so that names of the same
// second sort by it as numbers do. Shared by every desktop system's recordings.
#include <cstdio>
#include <cstring>

#include "platform/posix/paths.h"

namespace {

// Skips a '-' and one or more digits; null when they are not there.
const char* dash_number(const char* p) {
    if (*p++ != '-' || *p < '0' || *p > '9') return nullptr;
    while (*p >= '0' && *p <= '9') ++p;
    return p;
}

}  // namespace

bool is_session_name(const char* name) {
    const char* p = name;
    for (int i = 0; i < 15; ++i, ++p) {
        bool dash = i == 8;
        if (dash ? *p != '-' : (*p < '0' || *p > '9')) return false;
    }
    p = dash_number(p);
    if (p && *p == '-') p = dash_number(p);
    return p && std::strcmp(p, ".rec") == 0;
}

bool session_name(char* name, size_t size, const char* stamp, long pid, int attempt) {
    int n = attempt == 1 ? std::snprintf(name, size, "%s-%07ld.rec", stamp, pid)
                         : std::snprintf(name, size, "%s-%07ld-%d.rec", stamp, pid, attempt);
    return n >= 0 && static_cast<size_t>(n) < size;
}
