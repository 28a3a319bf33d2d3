// Writes pictures as PNG files, for the tools (contact sheets, replay frames).
#pragma once

#include <cstdint>

// Writes a width x height ARGB8888 picture, rows top first, as an RGB PNG file.
bool write_png_argb(const char* path, const uint32_t* argb, int32_t width, int32_t height);
// Writes a width x height ARGB8888 picture, rows top first, as an RGBA PNG file
// that keeps the alpha (not premultiplied).
bool write_png_argb_alpha(const char* path, const uint32_t* argb, int32_t width, int32_t height);
