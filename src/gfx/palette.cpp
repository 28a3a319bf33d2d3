// The palette: 256 entries every pixel index is shown in, their mirror in the
// form buffers keep (color_table) and the ARGB form presentation converts through.
#include <cstring>

#include "gfx/gfx_internal.h"

PaletteEntry palette_entries[256];
RgbQuad color_table[256];
uint32_t gfx_argb_table[256];
bool gfx_palette_changed = true;

namespace {

constexpr int32_t kGamePalette = 1;

// Brings color_table and the ARGB table up to date with palette_entries[i].
void mirror_entry(int32_t i) {
    const PaletteEntry& e = palette_entries[i];
    color_table[i] = {e.peBlue, e.peGreen, e.peRed, 0};
    gfx_argb_table[i] = 0xFF000000u | static_cast<uint32_t>(e.peRed) << 16 |
                        static_cast<uint32_t>(e.peGreen) << 8 | e.peBlue;
}

}  // namespace

// Every display here is deeper than 8 bits, so all 256 entries are the layer's own
// colours and may be changed later.
int32_t gfx_create_palette() {
    for (int32_t i = 0; i < 256; ++i) {
        palette_entries[i] = {default_colors[i][0], default_colors[i][1], default_colors[i][2],
                              static_cast<uint8_t>(PC_RESERVED)};
        mirror_entry(i);
    }
    gfx_palette_changed = true;
    return kGamePalette;
}

// There is no system palette to realise: the window shows every index in its
// entry's colour at each presentation. The selection is only recorded.
int32_t gfx_select_palette(int32_t palette) {
    gfx_contexts.palette = palette;
    return 0;
}

// Replaces entries start .. start + count - 1. A range reaching outside 0..255 is
// cut to the table rather than written past it.
int32_t gfx_set_palette_range(int32_t start, int32_t count, const uint8_t* colours) {
    if (gfx.active < 0 || count <= 0 || colours == nullptr) return 0;
    int64_t first = start < 0 ? 0 : start;
    int64_t end = static_cast<int64_t>(start) + count;
    if (end > 256) end = 256;
    for (int64_t i = first; i < end; ++i) {
        const uint8_t* c = colours + (i - start) * 3;
        palette_entries[i] = {c[0], c[1], c[2], static_cast<uint8_t>(PC_RESERVED)};
        mirror_entry(static_cast<int32_t>(i));
    }
    if (first < end) gfx_palette_changed = true;
    gfx_update_color_table();
    return 0;
}

// The active buffer takes the whole colour table as it is now; other buffers keep
// the colours they had.
int32_t gfx_update_color_table() {
    if (gfx.active < 0) return 0;
    BufferSlot& slot = gfx_buffers[gfx.active];
    if (slot.bits_per_pixel == 8) std::memcpy(slot.colors, color_table, sizeof color_table);
    return 0;
}
