// The table of open fonts and the calls that open, describe and close them. The
// game's fonts come from its font file: a font opens when the file holds the face,
// size and style asked for.
#include <cstring>

#include "platform/common/font/font_file.h"
#include "platform/common/font/font_store.h"

namespace {

FontSlot fonts[kFontSlots];

}  // namespace

FontSlot* font_slot(int32_t handle) {
    if (handle < kFirstFontHandle || handle >= kFirstFontHandle + kFontSlots) return nullptr;
    FontSlot* slot = &fonts[handle - kFirstFontHandle];
    return slot->used ? slot : nullptr;
}

FontSlot* font_free_slot(int32_t* handle) {
    for (int32_t i = 0; i < kFontSlots; ++i) {
        if (!fonts[i].used) {
            *handle = kFirstFontHandle + i;
            return &fonts[i];
        }
    }
    return nullptr;
}

void font_clear_slot(FontSlot* slot) {
    slot->used = false;
    slot->metrics = {};
    std::memset(slot->glyphs, 0, sizeof slot->glyphs);
    std::vector<uint8_t>().swap(slot->coverage);
}

int32_t font_condensed_width(int32_t cell_height) {
    int32_t average_width = (cell_height * 12 + 14) / 28;
    return average_width < 1 ? 1 : average_width;
}

bool font_request_in_range(const FontRequest& request) {
    return request.cell_height > 0 && request.cell_height <= kMaxFontCell &&
           request.average_width >= 0 && request.average_width <= kMaxFontCell;
}

int32_t platform_font_open_sized(const char* face, int32_t cell_height, int32_t average_width,
                                 bool bold, bool italic) {
    FontRequest request = {face, cell_height, average_width, bold, italic};
    if (!font_request_in_range(request)) return 0;
    int32_t handle = 0;
    FontSlot* slot = font_free_slot(&handle);
    if (slot == nullptr || !font_file_load(request, slot)) return 0;
    slot->used = true;
    return handle;
}

int32_t platform_font_open(const char* face, int32_t cell_height, bool bold, bool italic) {
    if (cell_height <= 0 || cell_height > kMaxFontCell) return 0;
    return platform_font_open_sized(face, cell_height, font_condensed_width(cell_height), bold,
                                    italic);
}

void platform_font_close(int32_t font) {
    FontSlot* slot = font_slot(font);
    if (slot != nullptr) font_clear_slot(slot);
}

void platform_font_metrics(int32_t font, PlatformFontMetrics* metrics) {
    if (metrics == nullptr) return;
    const FontSlot* slot = font_slot(font);
    *metrics = slot != nullptr ? slot->metrics : PlatformFontMetrics{};
}
