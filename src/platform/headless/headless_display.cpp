// The headless backend's display choices: recorded for tests, nothing shown.
#include <string>

#include "platform/headless/headless.h"

namespace {

struct HeadlessDisplay {
    bool windowed = false;
    bool nearest_scaling = false;
    std::string icon;
};

HeadlessDisplay& display() {
    static HeadlessDisplay record;
    return record;
}

}  // namespace

void headless_reset_display() {
    display() = HeadlessDisplay();
}

bool headless_windowed() {
    return display().windowed;
}
bool headless_nearest_scaling() {
    return display().nearest_scaling;
}
const std::string& headless_window_icon() {
    return display().icon;
}

// ---------------------------------------------------------------- platform.h

const char* platform_display_error() {
    return "cannot open the display: the headless backend was told to refuse it";
}

void platform_set_windowed(bool windowed) {
    display().windowed = windowed;
}

void platform_set_nearest_scaling(bool nearest) {
    display().nearest_scaling = nearest;
}

// No window, so nothing to remember.
void platform_remember_display() {}

// Any readable file is taken, as no picture is shown; the path is kept for tests.
bool platform_set_window_icon(const char* path) {
    if (path == nullptr || path[0] == '\0') return false;
    int32_t file = platform_file_open(path);
    if (file < 0) return false;
    platform_file_close(file);
    display().icon = path;
    return true;
}
