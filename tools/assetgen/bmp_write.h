// 8-bit Windows bitmaps in the form the game's loader reads: a 14-byte file
// header, a 40-byte info header, the 256-entry palette (blue, green, red, 0) and
// the rows bottom row first, each padded to a multiple of 4 bytes.
#pragma once

#include <cstdint>
#include <vector>

// The file's bytes for a width x height picture given as palette indices, rows top
// first, stored with art_palette.
std::vector<uint8_t> bmp8_bytes(const uint8_t* indices, int32_t width, int32_t height);
// Writes those bytes to path; false when the file cannot be written.
bool write_bmp8(const char* path, const uint8_t* indices, int32_t width, int32_t height);
