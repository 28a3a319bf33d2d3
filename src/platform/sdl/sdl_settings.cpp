// Where the display settings live on a Linux desktop:
// $XDG_CONFIG_HOME/cairnfall/display.conf (~/.config/cairnfall/display.conf).
#include "platform/common/paths.h"
#include "platform/sdl/sdl_state.h"
#include "platform/xdg/xdg_paths.h"

namespace {

constexpr const char* kFileName = "display.conf";

}  // namespace

bool sdl_settings_path(char* path, size_t size) {
    return xdg_game_path("XDG_CONFIG_HOME", ".config", kFileName, path, size);
}

DisplaySettings sdl_load_settings() {
    char path[kPathMax];
    if (!sdl_settings_path(path, sizeof path)) return display_default_settings();
    return load_display_settings(path);
}

bool sdl_save_settings(const DisplaySettings& settings) {
    char path[kPathMax];
    return sdl_settings_path(path, sizeof path) && save_display_settings(path, settings);
}
