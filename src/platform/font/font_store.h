// The rasteriser's table of open fonts: each font is rendered once, when it is
// opened, into a cache of monochrome glyphs for every single-byte character, so
// that measuring and drawing never touch FreeType or allocate.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/platform.h"

// One character's pre-rendered glyph: a width by rows block of 0/1 bytes in the
// font's coverage store, placed left/top from the pen position on the baseline.
struct FontGlyph {
    int32_t left;     // from the pen to the block's left column
    int32_t top;      // from the baseline up to the block's top row
    int32_t width;    // columns of the block
    int32_t rows;     // rows of the block
    int32_t advance;  // whole pixels the pen moves on
    uint32_t offset;  // first byte of the block in the coverage store
};

struct FontSlot {
    bool used;
    PlatformFontMetrics metrics;
    FontGlyph glyphs[256];          // indexed by the character's byte value
    std::vector<uint8_t> coverage;  // 1 for every glyph pixel, row by row, top row first
};

// A face file that fontconfig proposes, with the synthetic styling it asks for.
struct FontFile {
    char path[1024];
    int32_t index;     // face within the file
    bool embolden;     // thicken the outlines (bold asked for, none in the family)
    bool transformed;  // slant the outlines (italic asked for, none in the family)
    double matrix[4];  // xx, xy, yx, yy of the slant
};

constexpr int32_t kFontSlots = 8;
// Handles start above the small numbers the graphics layer keeps for its stock font.
constexpr int32_t kFirstFontHandle = 16;

// The slot behind a handle, or null for a handle that names no open font.
FontSlot* font_slot(int32_t handle);

// The face files that best match a family and style, best first. Returns how many
// were written (0 when fontconfig finds no font at all).
int32_t font_match(const char* face, bool bold, bool italic, FontFile* files, int32_t capacity);

// Loads a face file, sizes it to a cell_height cell with the given average width
// (0: the face's own proportions) and renders every glyph into the slot. False when
// the file is not a usable scalable face; the slot is then left empty.
bool font_load(const FontFile& file, int32_t cell_height, int32_t average_width, FontSlot* slot);
