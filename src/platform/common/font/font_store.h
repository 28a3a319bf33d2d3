// The table of open fonts shared by every source of glyphs: a font is rendered
// once, when it is opened, into a cache of monochrome glyphs for every single-byte
// character, so that measuring and drawing (font_text.cpp) never allocate.
//
// Where the glyphs come from is the opener's business: platform_font_open reads
// them from the game's font file (font_file.h), which every program links;
// the asset generator's font_raster_open (platform/font_raster/font_raster.h)
// renders them with FreeType. Both fill a slot of this one table, so both kinds
// of handle measure and draw through the same code.
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

// What a caller asks a font to be.
struct FontRequest {
    const char* face;       // family name, "arial"
    int32_t cell_height;    // ascent + descent, pixels
    int32_t average_width;  // average character width, pixels (0: the face's own)
    bool bold;
    bool italic;
};

constexpr int32_t kFontSlots = 8;
// Handles start above the small numbers the graphics layer keeps for its stock font.
constexpr int32_t kFirstFontHandle = 16;
// The largest cell or average width a font may be opened with: far beyond any text
// the game or its pictures draw.
constexpr int32_t kMaxFontCell = 512;

// The slot behind a handle, or null for a handle that names no open font.
FontSlot* font_slot(int32_t handle);
// A free slot and its handle, or null when all are taken. The caller fills it and
// sets `used`; a slot left unused stays free.
FontSlot* font_free_slot(int32_t* handle);
// Empties a slot and gives back its memory.
void font_clear_slot(FontSlot* slot);
// The average width of the game's condensed fonts for a cell: 12 pixels to 28.
int32_t font_condensed_width(int32_t cell_height);
// True when a request's sizes are ones the table takes.
bool font_request_in_range(const FontRequest& request);
