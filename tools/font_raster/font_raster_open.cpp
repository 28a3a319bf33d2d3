// Opening a font through fontconfig and FreeType into the shared font table.
#include "font_raster/font_raster.h"

namespace {

// How many of fontconfig's proposals are tried before giving up.
constexpr int32_t kCandidates = 8;
FontFace candidates[kCandidates];

}  // namespace

int32_t font_raster_open_sized(const char* face, int32_t cell_height, int32_t average_width,
                               bool bold, bool italic) {
    FontRequest request = {face, cell_height, average_width, bold, italic};
    if (!font_request_in_range(request)) return 0;
    int32_t handle = 0;
    FontSlot* slot = font_free_slot(&handle);
    if (slot == nullptr) return 0;
    int32_t count = font_match(face, bold, italic, candidates, kCandidates);
    for (int32_t i = 0; i < count; ++i) {
        if (font_load(candidates[i], cell_height, average_width, slot)) {
            slot->used = true;
            return handle;
        }
    }
    return 0;
}

int32_t font_raster_open(const char* face, int32_t cell_height, bool bold, bool italic) {
    if (cell_height <= 0 || cell_height > kMaxFontCell) return 0;
    return font_raster_open_sized(face, cell_height, font_condensed_width(cell_height), bold,
                                  italic);
}
