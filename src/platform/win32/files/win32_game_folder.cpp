// Where the game's data is on Windows, and where the player's saved files go:
// data\ beside the program (the build, the zip and the installed game alike), the
// saves in %APPDATA%\Cairnfall, or beside the program for a portable game (a file
// named "portable" beside it).
#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/platform.h"
#include "platform/win32/files/win32_text.h"

namespace {

bool is_folder(const char* path) {
    wchar_t wide[kWidePathMax];
    if (!widen(path, wide, kWidePathMax)) return false;
    DWORD attributes = GetFileAttributesW(wide);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool exists(const char* path) {
    wchar_t wide[kWidePathMax];
    return widen(path, wide, kWidePathMax) && GetFileAttributesW(wide) != INVALID_FILE_ATTRIBUTES;
}

bool fits(char* out, size_t size, const char* text) {
    int n = std::snprintf(out, size, "%s", text);
    if (n >= 0 && static_cast<size_t>(n) < size) return true;
    if (size > 0) out[0] = '\0';
    return false;
}

}  // namespace

bool platform_player_folder(char* folder, size_t size) {
    wchar_t* roaming = nullptr;
    char base[kPathMax];
    bool known = SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &roaming) == S_OK &&
                 narrow(roaming, base, sizeof base);
    CoTaskMemFree(roaming);
    char path[kPathMax];
    if (!known || !join_path(path, base, "Cairnfall")) {
        if (size > 0) folder[0] = '\0';
        return false;
    }
    return fits(folder, size, path);
}

bool platform_enter_game_folder(char* folder, size_t size) {
    char exe[kPathMax];
    char program[kPathMax];
    char data[kPathMax];
    char player[kPathMax] = "";
    if (!platform_executable_path(exe, sizeof exe)) {
        fits(folder, size, "the program's own folder (its path is unknown)");
        return false;
    }
    folder_of(program, exe);
    platform_player_folder(player, sizeof player);
    if (!join_path(data, program, "data") || !is_folder(data)) {
        fits(folder, size, data);
        return false;
    }
    if (!platform_change_directory(program)) return false;
    // Both folders are read, the newest copy winning; the first one is written.
    char mark[kPathMax];
    bool beside = join_path(mark, program, "portable") && exists(mark);
    const char* saves[] = {beside ? program : player, beside ? player : program};
    platform_set_save_folders(saves, 2);
    return fits(folder, size, program);
}
