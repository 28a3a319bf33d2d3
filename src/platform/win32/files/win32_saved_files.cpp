// The saved files on Windows, the twin of the POSIX ones: their times, the lock
// copies of the game share through LockFileEx, and stale temporaries (the folders
// themselves: desktop/save_folders.cpp).
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/win32/files/win32_text.h"

namespace {

constexpr const char* kLockName = "cairnfall.lock";

// The lock file held by platform_lock_saves, and how deep the calls nest.
HANDLE lock_file = INVALID_HANDLE_VALUE;
int32_t lock_depth = 0;

}  // namespace

bool regular_file_time(const char* path, int64_t* time) {
    wchar_t wide[kWidePathMax];
    return widen(path, wide, kWidePathMax) && wide_regular_file(wide, time);
}

void platform_lock_saves() {
    if (lock_depth++ > 0) return;
    char path[kPathMax];
    wchar_t wide[kWidePathMax];
    for (int32_t i = 0; i < save_folder_count() && lock_file == INVALID_HANDLE_VALUE; ++i) {
        if (!join_path(path, save_folder(i), kLockName) || !make_folders(save_folder(i)) ||
            !widen(path, wide, kWidePathMax)) {
            continue;
        }
        HANDLE file = CreateFileW(wide, GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) continue;
        // Waits for another copy of the game to let go.
        OVERLAPPED whole = {};
        LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &whole);
        lock_file = file;
    }
}

void platform_unlock_saves() {
    if (lock_depth <= 0 || --lock_depth > 0) return;
    if (lock_file != INVALID_HANDLE_VALUE) {
        OVERLAPPED whole = {};
        UnlockFileEx(lock_file, 0, 1, 0, &whole);
        CloseHandle(lock_file);
    }
    lock_file = INVALID_HANDLE_VALUE;
}

void platform_remove_stale_temporaries() {
    char pattern[kPathMax];
    char name[MAX_PATH * 3];
    char path[kPathMax];
    wchar_t wide[kWidePathMax];
    for (int32_t i = 0; i < save_folder_count(); ++i) {
        if (!join_path(pattern, save_folder(i), "*.tmp*") || !widen(pattern, wide, kWidePathMax)) {
            continue;
        }
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(wide, &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (!narrow(found.cFileName, name, sizeof name) ||
                !is_stale_temporary(save_folder(i), name)) {
                continue;
            }
            if (join_path(path, save_folder(i), name) && widen(path, wide, kWidePathMax)) {
                DeleteFileW(wide);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}
