// Why the last save failed, as platform_save_error says it: one line, kept for
// every backend that saves (the desktop's folders, the browser's storage).
#include <cstdio>

#include "platform/common/paths.h"
#include "platform/platform.h"

namespace {

char save_error[kPathMax + 128] = "";

}  // namespace

void set_save_error(const char* text) {
    std::snprintf(save_error, sizeof save_error, "%s", text);
}

void set_save_error_of(const char* what, const char* why) {
    // A message cut short at the buffer's end is still worth having.
    if (std::snprintf(save_error, sizeof save_error, "%s: %s", what, why) < 0) save_error[0] = '\0';
}

const char* platform_save_error() {
    return save_error;
}
