// The FreeType rasteriser, for the asset generator only: it matches a family with
// fontconfig, renders every single-byte character with FreeType and puts the
// glyphs into a slot of the same font table the game's font file fills
// (platform/common/font/font_store.h). A handle it returns is an ordinary font handle:
// platform_font_text_width, platform_font_draw, platform_font_metrics and
// platform_font_close take it. The game itself never links this library; it reads
// the glyphs the generator rendered from its font file.
#pragma once

#include <cstdint>

#include "platform/common/font/font_store.h"

// Opens the best match for a face name and style, sized to a cell of
// `cell_height` pixels and condensed as the game's fonts are (12 pixels of average
// width to a 28-pixel cell), as platform_font_open once did. A handle, or 0.
int32_t font_raster_open(const char* face, int32_t cell_height, bool bold, bool italic);
// The same with the average width given (0: the face's own proportions).
int32_t font_raster_open_sized(const char* face, int32_t cell_height, int32_t average_width,
                               bool bold, bool italic);

// A face file that fontconfig proposes, with the synthetic styling it asks for.
struct FontFace {
    char path[1024];
    int32_t index;     // face within the file
    bool embolden;     // thicken the outlines (bold asked for, none in the family)
    bool transformed;  // slant the outlines (italic asked for, none in the family)
    double matrix[4];  // xx, xy, yx, yy of the slant
};

// The face files that best match a family and style, best first. Returns how many
// were written (0 when fontconfig finds no font at all).
int32_t font_match(const char* face, bool bold, bool italic, FontFace* files, int32_t capacity);

// Loads a face file, sizes it to a cell_height cell with the given average width
// (0: the face's own proportions) and renders every glyph into the slot. False when
// the file is not a usable scalable face; the slot is then left empty.
bool font_load(const FontFace& file, int32_t cell_height, int32_t average_width, FontSlot* slot);
