// Where sessions are recorded: recordings/ in the first save folder that takes
// them. A file is named by the session's start in UTC and the process
// ("20261207-153012-0004242.rec", with "-2", "-3"... when a process records
// again within the second); the process number is padded so that names of the
// same second sort by it as numbers do. The newest ten stay.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/device.h"
#include "platform/posix/paths.h"

namespace {

constexpr size_t kKeep = 10;

// Skips a '-' and one or more digits; null when they are not there.
const char* dash_number(const char* p) {
    if (*p++ != '-' || *p < '0' || *p > '9') return nullptr;
    while (*p >= '0' && *p <= '9') ++p;
    return p;
}

// True for the names this file gives: 8 digits, '-', 6 digits, '-', digits,
// perhaps '-' and digits, ".rec".
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

// Creates a new session file in `folder`; -1 (errno) when it cannot.
int create_session_file(const char* folder, const char* stamp, char* path) {
    char name[96];
    for (int n = 1; n <= 100; ++n) {
        long pid = static_cast<long>(getpid());
        if (n == 1) {
            std::snprintf(name, sizeof name, "%s-%07ld.rec", stamp, pid);
        } else {
            std::snprintf(name, sizeof name, "%s-%07ld-%d.rec", stamp, pid, n);
        }
        if (!join_path(path, folder, name)) return -1;
        int fd = open_new_file(path, true);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Removes the oldest session files of `folder` until `keep` are left.
void keep_newest(const char* folder, size_t keep) {
    DIR* dir = opendir(folder);
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        if (is_session_name(entry->d_name)) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    if (names.size() <= keep) return;
    std::sort(names.begin(), names.end());
    char path[kPathMax];
    for (size_t i = 0; i + keep < names.size(); ++i) {
        if (join_path(path, folder, names[i].c_str())) unlink(path);
    }
}

}  // namespace

int device_new_recording(char* out, size_t size) {
    char folder[kPathMax];
    char path[kPathMax];
    std::time_t now = std::time(nullptr);
    std::tm utc;
    if (!gmtime_r(&now, &utc)) return -1;
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
        keep_newest(folder, kKeep);
        if (std::snprintf(out, size, "%s", path) >= static_cast<int>(size)) {
            close(fd);
            error = ENAMETOOLONG;
            continue;
        }
        return fd;
    }
    std::fprintf(stderr, "cairnfall: this session is not recorded: %s: %s\n", refused,
                 std::strerror(error));
    return -1;
}
