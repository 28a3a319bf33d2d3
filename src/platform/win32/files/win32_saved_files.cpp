// Where the saved files live on Windows, and reading, writing and locking them
// there: the twin of the POSIX saved files. A read takes the newest copy across
// the save folders, a write goes to the first folder that takes it, and copies of
// the game share one lock through LockFileEx on a lock file.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/device.h"
#include "platform/platform.h"
#include "platform/posix/paths.h"
#include "platform/win32/files/win32_text.h"

namespace {

constexpr int32_t kMaxFolders = 4;
constexpr const char* kLockName = "cairnfall.lock";

// The save folders in force (default: the working folder alone).
char folders[kMaxFolders][kPathMax] = {"."};
int32_t folder_count = 1;
// The lock file held by platform_lock_saves, and how deep the calls nest.
HANDLE lock_file = INVALID_HANDLE_VALUE;
int32_t lock_depth = 0;

bool regular_file_time(const char* path, int64_t* time) {
    wchar_t wide[kWidePathMax];
    return widen(path, wide, kWidePathMax) && wide_regular_file(wide, time);
}

void note_error(const char* path, int error) {
    set_save_error_of(path, std::strerror(error));
}

}  // namespace

void platform_set_save_folders(const char* const* list, int32_t count) {
    folder_count = 0;
    for (int32_t i = 0; i < count && folder_count < kMaxFolders; ++i) {
        if (list[i] == nullptr || list[i][0] == '\0') continue;
        if (!copy_path(folders[folder_count], list[i])) continue;
        ++folder_count;
    }
}

int32_t save_folder_count() {
    return folder_count;
}

const char* save_folder(int32_t index) {
    return index >= 0 && index < folder_count ? folders[index] : "";
}

int32_t device_read_saved(const char* name, uint8_t* bytes, int32_t capacity) {
    if (capacity <= 0) return -1;
    char path[kPathMax];
    char newest[kPathMax] = "";
    int64_t newest_time = 0;
    for (int32_t i = 0; i < folder_count; ++i) {
        int64_t time = 0;
        if (!join_path(path, folders[i], name) || !regular_file_time(path, &time)) continue;
        // On equal times the more preferred folder wins.
        if (newest[0] == '\0' || time > newest_time) {
            copy_path(newest, path);
            newest_time = time;
        }
    }
    if (newest[0] == '\0') return -1;
    int32_t file = platform_file_open(newest);
    if (file < 0) return -1;
    int32_t got = platform_file_read(file, bytes, static_cast<uint32_t>(capacity));
    platform_file_close(file);
    return got < 0 ? 0 : got;
}

bool device_write_saved(const char* name, const void* data, size_t size) {
    char path[kPathMax];
    set_save_error("");
    for (int32_t i = 0; i < folder_count; ++i) {
        if (!join_path(path, folders[i], name)) continue;
        if (!make_folders(folders[i])) {
            note_error(folders[i], errno);
            continue;
        }
        if (platform_write_file_atomic(path, data, size)) return true;
        note_error(path, errno);
    }
    if (folder_count == 0) set_save_error("no save folder");
    return false;
}

void platform_lock_saves() {
    if (lock_depth++ > 0) return;
    char path[kPathMax];
    wchar_t wide[kWidePathMax];
    for (int32_t i = 0; i < folder_count && lock_file == INVALID_HANDLE_VALUE; ++i) {
        if (!join_path(path, folders[i], kLockName) || !make_folders(folders[i]) ||
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
    for (int32_t i = 0; i < folder_count; ++i) {
        if (!join_path(pattern, folders[i], "*.tmp*") || !widen(pattern, wide, kWidePathMax)) {
            continue;
        }
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW(wide, &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            if (!narrow(found.cFileName, name, sizeof name) ||
                !is_stale_temporary(folders[i], name)) {
                continue;
            }
            if (join_path(path, folders[i], name) && widen(path, wide, kWidePathMax)) {
                DeleteFileW(wide);
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
}
