// The save folders, and reading and writing the saved files in them: plain C++
// over the backend's file calls, shared by the POSIX and the Windows desktops.
//
// The game names a file ("cairnfall.dat"); this file keeps the list of save
// folders, most preferred first. A read takes the newest copy across the folders,
// so a score that had to fall back to the player's folder is never shadowed by an
// older copy beside the program; a write goes to the first folder that takes it.
#include <cerrno>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kMaxFolders = 4;

// The save folders in force (default: the working folder alone).
char folders[kMaxFolders][kPathMax] = {"."};
int32_t folder_count = 1;

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
