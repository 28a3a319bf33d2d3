// The display choices a player made last time: full screen or a window, and the
// window's size, in %APPDATA%\Cairnfall\display.conf, the same two lines as on
// the other desktops:
//
//   mode window
//   size 1280x960
//
// written atomically like the saved files. A damaged file counts as missing.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "platform/posix/paths.h"
#include "platform/win32/win32_state.h"

namespace {

constexpr const char* kFileName = "display.conf";
constexpr int32_t kMaxFileBytes = 256;
constexpr int32_t kLargestSide = 16384;

bool take_word(const char** p, const char* word) {
    size_t n = std::strlen(word);
    if (std::strncmp(*p, word, n) != 0) return false;
    *p += n;
    return true;
}

bool take_number(const char** p, int32_t* value) {
    int32_t v = 0;
    int32_t digits = 0;
    while (**p >= '0' && **p <= '9' && digits < 6) {
        v = v * 10 + (**p - '0');
        ++*p;
        ++digits;
    }
    *value = v;
    return digits >= 1 && digits <= 5;
}

bool settings_path(char* path, char* folder) {
    return platform_player_folder(folder, kPathMax) && join_path(path, folder, kFileName);
}

}  // namespace

WinSettings win_default_settings() {
    return {false, kPictureWidth, kPictureHeight};
}

bool win_parse_settings(const char* text, size_t length, WinSettings* settings) {
    char copy[kMaxFileBytes + 1];
    if (length > kMaxFileBytes || std::memchr(text, '\0', length) != nullptr) return false;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    WinSettings read = {};
    const char* p = copy;
    if (take_word(&p, "mode window\n")) {
        read.windowed = true;
    } else if (!take_word(&p, "mode fullscreen\n")) {
        return false;
    }
    if (!take_word(&p, "size ") || !take_number(&p, &read.width) || !take_word(&p, "x") ||
        !take_number(&p, &read.height) || !take_word(&p, "\n") || *p != '\0') {
        return false;
    }
    if (read.width < kSmallestWindowWidth || read.width > kLargestSide ||
        read.height < kSmallestWindowHeight || read.height > kLargestSide) {
        return false;
    }
    *settings = read;
    return true;
}

int32_t win_format_settings(const WinSettings& settings, char* text, size_t size) {
    int n = std::snprintf(text, size, "mode %s\nsize %dx%d\n",
                          settings.windowed ? "window" : "fullscreen",
                          static_cast<int>(settings.width), static_cast<int>(settings.height));
    return n >= 0 && static_cast<size_t>(n) < size ? n : -1;
}

WinSettings win_load_settings() {
    WinSettings settings = win_default_settings();
    char path[kPathMax];
    char folder[kPathMax];
    if (!settings_path(path, folder)) return settings;
    int32_t file = platform_file_open(path);
    if (file < 0) return settings;
    char text[kMaxFileBytes + 1];
    int32_t got = platform_file_read(file, text, sizeof text);
    platform_file_close(file);
    if (got > 0) win_parse_settings(text, static_cast<size_t>(got), &settings);
    return settings;
}

bool win_save_settings(const WinSettings& settings) {
    char path[kPathMax];
    char folder[kPathMax];
    char text[64];
    int32_t length = win_format_settings(settings, text, sizeof text);
    if (length < 0 || !settings_path(path, folder)) return false;
    return make_folders(folder) && platform_write_file_atomic(path, text, length);
}
