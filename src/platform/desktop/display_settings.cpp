// Reading and writing the display settings file's two lines.
#include "platform/desktop/display_settings.h"

#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kMaxFileBytes = 256;
constexpr int32_t kLargestSide = 16384;

// Reads "<word>" at p, moving p past it.
bool take_word(const char** p, const char* word) {
    size_t n = std::strlen(word);
    if (std::strncmp(*p, word, n) != 0) return false;
    *p += n;
    return true;
}

// Reads a decimal number of 1 to 5 digits at p, moving p past it.
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

}  // namespace

DisplaySettings display_default_settings() {
    return {false, kPictureWidth, kPictureHeight};
}

bool parse_display_settings(const char* text, size_t length, DisplaySettings* settings) {
    char copy[kMaxFileBytes + 1];
    if (length > kMaxFileBytes || std::memchr(text, '\0', length) != nullptr) return false;
    std::memcpy(copy, text, length);
    copy[length] = '\0';
    DisplaySettings read = {};
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

int32_t format_display_settings(const DisplaySettings& settings, char* text, size_t size) {
    int n = std::snprintf(text, size, "mode %s\nsize %dx%d\n",
                          settings.windowed ? "window" : "fullscreen",
                          static_cast<int>(settings.width), static_cast<int>(settings.height));
    return n >= 0 && static_cast<size_t>(n) < size ? n : -1;
}

DisplaySettings load_display_settings(const char* path) {
    DisplaySettings settings = display_default_settings();
    int32_t file = platform_file_open(path);
    if (file < 0) return settings;
    char text[kMaxFileBytes + 1];
    int32_t got = platform_file_read(file, text, sizeof text);
    platform_file_close(file);
    if (got > 0) parse_display_settings(text, static_cast<size_t>(got), &settings);
    return settings;
}

bool save_display_settings(const char* path, const DisplaySettings& settings) {
    char folder[kPathMax];
    char text[64];
    int32_t length = format_display_settings(settings, text, sizeof text);
    if (length < 0) return false;
    folder_of(folder, path);
    return make_folders(folder) && platform_write_file_atomic(path, text, length);
}
