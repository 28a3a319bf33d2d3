// Where the display settings live on Windows: %APPDATA%\Cairnfall\display.conf,
// the same two lines as on the other desktops.
#include "platform/common/paths.h"
#include "platform/platform.h"
#include "platform/win32/win32_state.h"

namespace {

constexpr const char* kFileName = "display.conf";

bool settings_path(char* path) {
    char folder[kPathMax];
    return platform_player_folder(folder, kPathMax) && join_path(path, folder, kFileName);
}

}  // namespace

DisplaySettings win_load_settings() {
    char path[kPathMax];
    if (!settings_path(path)) return display_default_settings();
    return load_display_settings(path);
}

bool win_save_settings(const DisplaySettings& settings) {
    char path[kPathMax];
    return settings_path(path) && save_display_settings(path, settings);
}
