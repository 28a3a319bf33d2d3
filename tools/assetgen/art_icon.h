// The program's icon: the golden sun stone, drawn large and reduced with an area
// filter to each size, with a transparent background.
#pragma once

#include <cstdint>
#include <vector>

// The sizes of the freedesktop hicolor icons.
constexpr int32_t ICON_SIZES[] = {16, 32, 48, 64, 128, 256};
constexpr int32_t ICON_SIZE_COUNT = sizeof ICON_SIZES / sizeof ICON_SIZES[0];
// The size of the window icon in data/icon.bmp.
constexpr int32_t WINDOW_ICON_SIZE = 64;

// The icon at size x size, ARGB8888 (not premultiplied), rows top first.
std::vector<uint32_t> render_icon(int32_t size);
// A 32-bit bottom-up Windows bitmap with a BITMAPV4HEADER whose masks keep the
// alpha, as SDL_LoadBMP reads it.
std::vector<uint8_t> icon_bmp_bytes(const uint32_t* argb, int32_t width, int32_t height);
// Writes root/icons/hicolor/<N>x<N>/apps/cairnfall.png for every size and
// root/data/icon.bmp; false when a folder or file cannot be written.
bool write_game_icons(const char* root);

// The web page's icons, in root/icons/web/: `art_percent` of the side is the
// stone's; an opaque one stands on the dawn sky. The maskable icon keeps the
// stone, corners and all, inside the central circle of 80 % that every mask
// leaves (the stone's corner reaches 1.15 of its half side from the centre), and
// the home screen of an iPhone wants no transparency.
struct WebIcon {
    const char* name;
    int32_t size;
    int32_t art_percent;
    bool opaque;
};
constexpr WebIcon WEB_ICONS[] = {
    {"icon-192.png", 192, 100, false},
    {"icon-512.png", 512, 100, false},
    {"maskable-512.png", 512, 74, true},
    {"apple-touch-icon.png", 180, 80, true},
};
bool write_web_icons(const char* root);
