// The saved files on the Linux desktop: their times, the lock copies of the game share, and
// the temporaries a crashed save left (the folders themselves: save_folders.cpp).
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

constexpr const char* kLockName = "cairnfall.lock";

// The lock file held by platform_lock_saves, and how deep the calls nest.
int lock_fd = -1;
int32_t lock_depth = 0;

}  // namespace

bool regular_file_time(const char* path, int64_t* time) {
    struct stat info;
    if (stat(path, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    *time = static_cast<int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return true;
}

void platform_lock_saves() {
    if (lock_depth++ > 0) return;
    char path[kPathMax];
    for (int32_t i = 0; i < save_folder_count() && lock_fd < 0; ++i) {
        if (!join_path(path, save_folder(i), kLockName) || !make_folders(save_folder(i))) continue;
        int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) continue;
        while (flock(fd, LOCK_EX) != 0) {
            if (errno != EINTR) break;
        }
        lock_fd = fd;
    }
}

void platform_unlock_saves() {
    if (lock_depth <= 0 || --lock_depth > 0) return;
    if (lock_fd >= 0) close(lock_fd);  // closing lets go of the lock
    lock_fd = -1;
}

void platform_remove_stale_temporaries() {
    char path[kPathMax];
    for (int32_t i = 0; i < save_folder_count(); ++i) {
        DIR* dir = opendir(save_folder(i));
        if (dir == nullptr) continue;
        while (const dirent* entry = readdir(dir)) {
            if (!is_stale_temporary(save_folder(i), entry->d_name)) continue;
            if (join_path(path, save_folder(i), entry->d_name)) unlink(path);
        }
        closedir(dir);
    }
}
