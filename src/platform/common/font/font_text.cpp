// Measuring and drawing text with a cached font. Both walk the same whole-pixel
// advances, so a text is drawn exactly as wide as it measures.
#include "platform/common/font/font_store.h"

namespace {

// Widths are summed wide and capped so that no text length can overflow them.
constexpr int64_t kMaxWidth = 0x7FFFFFFF;

// Writes one glyph with its pen position at (pen_x, baseline), cut to the picture.
void draw_glyph(const FontSlot& font, const FontGlyph& glyph, int64_t pen_x, int64_t baseline,
                uint8_t colour, uint8_t* pixels, int32_t stride, int32_t width, int32_t height) {
    if (glyph.width == 0 || glyph.rows == 0) return;
    int64_t left = pen_x + glyph.left;
    int64_t top = baseline - glyph.top;
    int64_t first_col = left < 0 ? -left : 0;
    int64_t last_col = width - left;  // one past the last column inside the picture
    if (last_col > glyph.width) last_col = glyph.width;
    int64_t first_row = top < 0 ? -top : 0;
    int64_t last_row = height - top;
    if (last_row > glyph.rows) last_row = glyph.rows;
    if (first_col >= last_col || first_row >= last_row) return;

    const uint8_t* source = font.coverage.data() + glyph.offset;
    for (int64_t row = first_row; row < last_row; ++row) {
        int64_t screen_y = top + row;
        // Rows are stored bottom row first.
        uint8_t* line = pixels + (height - 1 - screen_y) * static_cast<int64_t>(stride) + left;
        const uint8_t* bits = source + row * glyph.width;
        for (int64_t col = first_col; col < last_col; ++col) {
            if (bits[col]) line[col] = colour;
        }
    }
}

}  // namespace

int32_t platform_font_text_width(int32_t font, const char* text, int32_t length) {
    const FontSlot* slot = font_slot(font);
    if (slot == nullptr || text == nullptr || length <= 0) return 0;
    int64_t width = 0;
    for (int32_t i = 0; i < length && width < kMaxWidth; ++i) {
        width += slot->glyphs[static_cast<uint8_t>(text[i])].advance;
    }
    return static_cast<int32_t>(width < kMaxWidth ? width : kMaxWidth);
}

void platform_font_draw(int32_t font, const char* text, int32_t length, int32_t x, int32_t y,
                        uint8_t colour, uint8_t* pixels, int32_t stride, int32_t width,
                        int32_t height) {
    const FontSlot* slot = font_slot(font);
    if (slot == nullptr || text == nullptr || length <= 0 || pixels == nullptr) return;
    if (width <= 0 || height <= 0 || stride < width) return;
    int64_t pen_x = x;
    int64_t baseline = static_cast<int64_t>(y) + slot->metrics.ascent;
    for (int32_t i = 0; i < length; ++i) {
        const FontGlyph& glyph = slot->glyphs[static_cast<uint8_t>(text[i])];
        draw_glyph(*slot, glyph, pen_x, baseline, colour, pixels, stride, width, height);
        pen_x += glyph.advance;
    }
}
