// Paths, folders and stale temporaries on a POSIX system: Linux and the page.
#include "platform/common/paths.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/platform.h"

namespace {

constexpr int64_t kStaleSeconds = 3600;

}  // namespace

bool copy_path(char* out, const char* path) {
    int n = std::snprintf(out, kPathMax, "%s", path);
    if (n < 0 || static_cast<size_t>(n) >= kPathMax) {
        out[0] = '\0';
        return false;
    }
    return true;
}

void platform_shown_path(char* out, size_t size, const char* folder, const char* name) {
    if (size > 0 && std::snprintf(out, size, "%s/%s", folder, name) < 0) out[0] = '\0';
}

bool join_path(char* out, const char* folder, const char* name) {
    int n = std::snprintf(out, kPathMax, "%s/%s", folder, name);
    if (n < 0 || static_cast<size_t>(n) >= kPathMax) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool make_folders(const char* folder) {
    char path[kPathMax];
    if (!copy_path(path, folder)) {
        errno = ENAMETOOLONG;
        return false;
    }
    struct stat info;
    if (stat(path, &info) == 0) {
        if (S_ISDIR(info.st_mode)) return true;
        errno = ENOTDIR;
        return false;
    }
    // Each component in turn, the way mkdir -p does.
    for (char* p = path + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        if (mkdir(path, 0700) != 0 && errno != EEXIST) return false;
        *p = '/';
    }
    if (mkdir(path, 0700) != 0 && errno != EEXIST) return false;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

void folder_of(char* out, const char* path) {
    if (!copy_path(out, path)) return;
    char* slash = std::strrchr(out, '/');
    if (slash == nullptr) {
        copy_path(out, ".");
    } else {
        slash[slash == out ? 1 : 0] = '\0';
    }
}

bool is_stale_temporary(const char* folder, const char* name) {
    long pid = 0;
    SaveTemporary kind = save_temporary(name, &pid);
    if (kind != SaveTemporary::kOfWriter) return kind == SaveTemporary::kOld;
    if (kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return true;
    char path[kPathMax];
    struct stat info;
    if (!join_path(path, folder, name) || stat(path, &info) != 0) return false;
    return static_cast<int64_t>(std::time(nullptr)) - info.st_mtime > kStaleSeconds;
}
