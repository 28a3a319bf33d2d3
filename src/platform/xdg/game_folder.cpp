// Where the game's data is, and where the player's saved files go.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/platform.h"
#include "platform/xdg/xdg_paths.h"

namespace {

constexpr const char* kInstalledData = "share/cairnfall";

bool is_folder(const char* path) {
    struct stat info;
    return stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder holding the executable; false when the system does not say.
bool program_folder(char* out) {
    char exe[kPathMax];
    if (!platform_executable_path(exe, sizeof exe)) return false;
    folder_of(out, exe);
    return true;
}

// True when snprintf's result n fit; otherwise empties out, as a path cut short
// must not be used.
bool whole(char* out, size_t size, int n) {
    if (n >= 0 && static_cast<size_t>(n) < size) return true;
    if (size > 0) out[0] = '\0';
    return false;
}

bool fits(char* out, size_t size, const char* text) {
    return whole(out, size, std::snprintf(out, size, "%s", text));
}

}  // namespace

bool platform_player_folder(char* folder, size_t size) {
    return xdg_game_path("XDG_DATA_HOME", ".local/share", "", folder, size);
}

bool platform_enter_game_folder(char* folder, size_t size) {
    char program[kPathMax];
    char portable[kPathMax];
    char prefix[kPathMax];
    char installed[kPathMax];
    char data[kPathMax];
    char player[kPathMax] = "";
    if (!program_folder(program)) {
        fits(folder, size, "the program's own folder (its path is unknown)");
        return false;
    }
    platform_player_folder(player, sizeof player);

    // A build tree: data/ beside the executable. Its saves go to the player's
    // folder, so that deleting the build keeps them; only a game marked portable
    // (a file "portable" beside it) saves beside itself. Both folders are read,
    // the newest copy winning, so files a build kept beside itself carry over.
    if (join_path(portable, program, "data") && is_folder(portable)) {
        if (!platform_change_directory(program)) return false;
        char mark[kPathMax];
        bool beside = join_path(mark, program, "portable") && access(mark, F_OK) == 0;
        const char* saves[] = {beside ? program : player, beside ? player : program};
        platform_set_save_folders(saves, 2);
        return fits(folder, size, program);
    }
    // An installed game: <prefix>/bin/cairnfall with <prefix>/share/cairnfall/data.
    folder_of(prefix, program);
    bool found = join_path(installed, prefix, kInstalledData) &&
                 join_path(data, installed, "data") && is_folder(data);
    if (found && platform_change_directory(installed)) {
        const char* saves[] = {player};
        platform_set_save_folders(saves, 1);
        return fits(folder, size, installed);
    }
    // Both places looked at, as far as the caller's buffer holds them.
    int n = std::snprintf(folder, size, "%s and %s/data", portable, installed);
    if (n < 0 && size > 0) folder[0] = '\0';
    return false;
}
