// Why the last file open failed, as platform_file_open_error says it: the
// system's words, and whether nothing was there. Kept for every backend's files.
#include <cstdio>

#include "platform/common/paths.h"
#include "platform/platform.h"

namespace {

char open_error[128] = "";
bool open_missing = false;

}  // namespace

int32_t refuse_open(const char* why, bool missing) {
    std::snprintf(open_error, sizeof open_error, "%s", why);
    open_missing = missing;
    return -1;
}

const char* platform_file_open_error(bool* missing) {
    if (missing != nullptr) *missing = open_missing;
    return open_error;
}
