// Recordings in the browser: the recorder writes the session into the page's
// in-memory files as on the desktop, and the page copies the file into its
// storage every half second of play, where the newest ten stay and the player
// can download them.
#include <emscripten.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/common/paths.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/web/web_js.h"

namespace {

constexpr uint32_t kKeepEveryMs = 500;

struct Kept {
    uint32_t last_ms;  // clock reading of the last copy
    int64_t size;      // bytes of the file then
};

Kept kept = {};

}  // namespace

EM_JS(void, cf_keep_recording, (const char* path), { CF.keepRecording(UTF8ToString(path)); });
EM_JS(uint32_t, cf_tab_number, (), { return CF.tabNumber(); });

void web_keep_recording() {
    const char* path = platform_recording_path();
    uint32_t ms = device_ticks_ms();
    if (path[0] == '\0' || ms - kept.last_ms < kKeepEveryMs) return;
    kept.last_ms = ms;
    struct stat info;
    if (stat(path, &info) != 0 || info.st_size == kept.size) return;
    kept.size = info.st_size;
    cf_keep_recording(path);
}

// Named as on the desktop, by the session's start in UTC and a number of the
// tab's own in place of the process's, so that two tabs never share a name.
int device_new_recording(char* path, size_t size) {
    mkdir(kWebRecordingFolder, 0755);
    std::time_t now = static_cast<std::time_t>(device_calendar_seconds());
    std::tm utc;
    char stamp[32];
    if (gmtime_r(&now, &utc) == nullptr ||
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc) == 0) {
        return -1;
    }
    std::snprintf(path, size, "%s/%s-%07u.rec", kWebRecordingFolder, stamp,
                  static_cast<unsigned>(cf_tab_number() % 10000000u));
    kept = {};
    int fd = open_new_file(path, false);
    if (fd < 0) {
        std::fprintf(stderr, "cairnfall: cannot record into %s: %s\n", path, std::strerror(errno));
    }
    return fd;
}
