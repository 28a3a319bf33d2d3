// Recorded sessions' files, shared by every desktop system: recordings/ in the
// first save folder that takes them, a file named by the session's start in UTC
// and the process ("20261207-153012-0004242.rec", with "-2", "-3"... when a
// process records again within the second; the process number is padded so that
// names of the same second sort by it as numbers do). The newest ten stay.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

constexpr size_t kKeep = 10;

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

namespace {

// Creates a new session file in `folder`; -1 (errno) when it cannot.
int create_session_file(const char* folder, const char* stamp, char* path) {
    char name[96];
    for (int n = 1; n <= 100; ++n) {
        if (!session_name(name, sizeof name, stamp, process_number(), n) ||
            !join_path(path, folder, name)) {
            return -1;
        }
        int fd = open_new_file(path, true);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

int device_new_recording(char* out, size_t size) {
    char folder[kPathMax];
    char path[kPathMax];
    std::tm utc;
    if (!utc_time(std::time(nullptr), &utc)) return -1;
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    int error = ENOENT;
    const char* refused = "no save folder";
    for (int32_t i = 0; i < save_folder_count(); ++i) {
        refused = save_folder(i);
        if (!join_path(folder, save_folder(i), "recordings") || !make_folders(folder)) {
            error = errno;
            continue;
        }
        int fd = create_session_file(folder, stamp, path);
        if (fd < 0) {
            error = errno;
            continue;
        }
        keep_newest_sessions(folder, kKeep);
        if (std::snprintf(out, size, "%s", path) >= static_cast<int>(size)) {
            platform_file_close(fd);
            error = ENAMETOOLONG;
            continue;
        }
        return fd;
    }
    std::fprintf(stderr, "cairnfall: this session is not recorded: %s: %s\n", refused,
                 std::strerror(error));
    return -1;
}
