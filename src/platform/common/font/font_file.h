// The game's font file: one font, rasterised when the game is built
// (cairnfall-assetgen) and read by every program at run time, so no program but
// the generator needs a font renderer or an installed font.
//
// Format, version 1, every number little-endian:
//
//   offset  size        what
//   0       4           magic "CFNT"
//   4       2           version, 1
//   6       2           glyph count, 256 (one per byte value)
//   8       16          face name asked for ("arial"), padded with NUL bytes,
//                       at least one NUL
//   24      1           style: bit 0 bold, bit 1 italic, the other bits 0
//   25      3           zero
//   28      4           cell height asked for (signed)
//   32      4           average width asked for (signed)
//   36      16          metrics: height, ascent, external leading, average width
//                       (signed 32-bit each)
//   52      4           coverage bit count
//   56      256 * 14    glyph records, by byte value: left, top (signed 16-bit),
//                       width, rows, advance (16-bit), bit offset (32-bit)
//   3640    (bits+7)/8  coverage: glyph pixel i is bit 7 - i % 8 of byte i / 8,
//                       1 for ink; a glyph's block starts at its bit offset and
//                       runs row by row, top row first
//
// The file is exactly that long. A reader takes nothing on trust: a block must lie
// inside the coverage, and sizes stay within what the rasteriser makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/common/font/font_store.h"

constexpr uint16_t kFontFileVersion = 1;
constexpr size_t kFontFileHeader = 56;
constexpr size_t kFontGlyphRecord = 14;
constexpr size_t kFontCoverageStart = kFontFileHeader + 256 * kFontGlyphRecord;
// Larger files are refused before they are read.
constexpr size_t kFontFileMaxBytes = 4u << 20;

// The file's bytes for a font that was opened for `request`. False when the font
// does not fit the format (a face name of 16 bytes or more, a glyph beyond 16 bits).
bool font_file_encode(const FontRequest& request, const FontSlot& slot, std::vector<uint8_t>* out);
// Fills the slot from a file's bytes when they are a whole, sound font file
// holding the font `request` asks for; otherwise false, and the slot is emptied.
bool font_file_decode(const uint8_t* bytes, size_t size, const FontRequest& request,
                      FontSlot* slot);
// Reads PLATFORM_FONT_FILE through the platform's file calls and decodes it.
bool font_file_load(const FontRequest& request, FontSlot* slot);
