// The display choices a player made last time, kept by the desktop backends
// between runs in a small text file of their own (display.conf):
//
//   mode window
//   size 1280x960
//
// written atomically like the saved files. A file damaged in any way counts as
// missing: the defaults hold.
#pragma once

#include <cstddef>
#include <cstdint>

// A window is never made smaller than half the picture.
constexpr int32_t kSmallestWindowWidth = 400;
constexpr int32_t kSmallestWindowHeight = 300;

struct DisplaySettings {
    bool windowed;
    int32_t width;  // the window's size when not full screen
    int32_t height;
};

// Full screen, and a window of the picture's size for when it is left.
DisplaySettings display_default_settings();
// Reads the file's text; false (settings unchanged) unless it is exactly a mode
// line and a size line with a size from the smallest window to 16384.
bool parse_display_settings(const char* text, size_t length, DisplaySettings* settings);
// The file's text for the settings: its length, or -1 when it does not fit.
int32_t format_display_settings(const DisplaySettings& settings, char* text, size_t size);
// The settings of the file at path, or the defaults when it is missing or damaged.
DisplaySettings load_display_settings(const char* path);
// Writes the file atomically, making its folder; false (errno says why) on failure.
bool save_display_settings(const char* path, const DisplaySettings& settings);
