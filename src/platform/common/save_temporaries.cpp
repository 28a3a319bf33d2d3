// The names of a save's temporary files, the same on every system.
#include <cstdlib>
#include <cstring>

#include "platform/common/paths.h"

namespace {

constexpr const char* kTempMark = ".tmp-";

bool ends_with(const char* text, const char* tail) {
    size_t a = std::strlen(text), b = std::strlen(tail);
    return a >= b && std::strcmp(text + a - b, tail) == 0;
}

}  // namespace

SaveTemporary save_temporary(const char* name, long* pid) {
    if (name[0] == '.') return SaveTemporary::kNone;
    if (ends_with(name, ".dat.tmp")) return SaveTemporary::kOld;
    const char* mark = std::strstr(name, kTempMark);
    if (mark == nullptr || mark == name) return SaveTemporary::kNone;
    // Only the game's own files: "<something>.dat.tmp-<pid>-<random>".
    if (mark - name < 4 || std::strncmp(mark - 4, ".dat", 4) != 0) return SaveTemporary::kNone;
    char* end = nullptr;
    long writer = std::strtol(mark + std::strlen(kTempMark), &end, 10);
    if (end == nullptr || *end != '-' || writer <= 0) return SaveTemporary::kNone;
    *pid = writer;
    return SaveTemporary::kOfWriter;
}
