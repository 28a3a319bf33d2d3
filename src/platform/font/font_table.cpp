// The table of open fonts and the calls that open, describe and close them.
#include <cstring>

#include "platform/font/font_store.h"

namespace {

FontSlot fonts[kFontSlots];

// How many of fontconfig's proposals are tried before giving up.
constexpr int32_t kCandidates = 8;
FontFile candidates[kCandidates];

// The largest cell the rasteriser takes: far beyond any text the game draws.
constexpr int32_t kMaxCell = 512;

}  // namespace

FontSlot* font_slot(int32_t handle) {
    if (handle < kFirstFontHandle || handle >= kFirstFontHandle + kFontSlots) return nullptr;
    FontSlot* slot = &fonts[handle - kFirstFontHandle];
    return slot->used ? slot : nullptr;
}

int32_t platform_font_open_sized(const char* face, int32_t cell_height, int32_t average_width,
                                 bool bold, bool italic) {
    if (cell_height <= 0 || cell_height > kMaxCell) return 0;
    if (average_width < 0 || average_width > kMaxCell) return 0;
    int32_t free_slot = -1;
    for (int32_t i = 0; i < kFontSlots; ++i) {
        if (!fonts[i].used) {
            free_slot = i;
            break;
        }
    }
    if (free_slot < 0) return 0;

    FontSlot* slot = &fonts[free_slot];
    int32_t count = font_match(face, bold, italic, candidates, kCandidates);
    for (int32_t i = 0; i < count; ++i) {
        if (font_load(candidates[i], cell_height, average_width, slot)) {
            slot->used = true;
            return kFirstFontHandle + free_slot;
        }
    }
    return 0;
}

int32_t platform_font_open(const char* face, int32_t cell_height, bool bold, bool italic) {
    // The game's fonts are condensed: 12 pixels of average width to a 28-pixel cell.
    int32_t average_width = (cell_height * 12 + 14) / 28;
    if (average_width < 1) average_width = 1;
    return platform_font_open_sized(face, cell_height, average_width, bold, italic);
}

void platform_font_close(int32_t font) {
    FontSlot* slot = font_slot(font);
    if (slot == nullptr) return;
    slot->used = false;
    slot->metrics = {};
    std::memset(slot->glyphs, 0, sizeof slot->glyphs);
    std::vector<uint8_t>().swap(slot->coverage);
}

void platform_font_metrics(int32_t font, PlatformFontMetrics* metrics) {
    if (metrics == nullptr) return;
    const FontSlot* slot = font_slot(font);
    *metrics = slot != nullptr ? slot->metrics : PlatformFontMetrics{};
}
