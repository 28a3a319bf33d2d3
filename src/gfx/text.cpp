// Text: the current font, the context text goes to, and gfx_print with its
// position rules. OEM_FIXED_FONT is the built-in fixed font; handles from 16 up
// are the platform's fonts.
#include "gfx/gfx_internal.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kFirstPlatformFont = 16;

bool is_platform_font(int32_t font) {
    return font >= kFirstPlatformFont;
}

// Reads the current font's cell height and external leading.
void read_metrics() {
    int32_t cell = FIXED_FONT_CELL_HEIGHT;
    int32_t leading = FIXED_FONT_EXTERNAL_LEADING;
    if (is_platform_font(gfx.font)) {
        PlatformFontMetrics m{};
        platform_font_metrics(gfx.font, &m);
        cell = m.height;
        leading = m.external_leading;
    }
    gfx.external_leading = leading;
    line_height =
        static_cast<int32_t>(static_cast<uint32_t>(cell) + static_cast<uint32_t>(leading));
}

}  // namespace

// The current font stays; only the context changes.
int32_t gfx_set_text_dc(int32_t dc) {
    gfx.text_dc = dc;
    return 0;
}

// A handle that names no font (0 from a failed open, say) keeps the current font,
// so text stays readable rather than vanishing.
int32_t gfx_set_font(int32_t font) {
    if (font == OEM_FIXED_FONT || is_platform_font(font)) gfx.font = font;
    read_metrics();
    return 0;
}

// Every stock font number gives the built-in fixed font.
int32_t gfx_set_stock_font(int32_t /*stock*/) {
    return gfx_set_font(OEM_FIXED_FONT);
}

int32_t gfx_text_width(const char* text, int32_t length) {
    if (text == nullptr || length <= 0) return 0;
    if (is_platform_font(gfx.font)) return platform_font_text_width(gfx.font, text, length);
    if (length > INT32_MAX / FIXED_FONT_CELL_WIDTH) return INT32_MAX;
    return length * FIXED_FONT_CELL_WIDTH;
}

// The current position names the bottom-left of the text line on entry; the text
// is drawn with its cells' top at y - line_height, glyph pixels only, in the
// current colour. The position ends right of the text, at the top of its cells.
int32_t gfx_print(const char* text, int32_t length) {
    if (length < 0) length = 0;
    int32_t w = gfx_text_width(text, length);
    gfx.pos_y =
        static_cast<int32_t>(static_cast<uint32_t>(gfx.pos_y) - static_cast<uint32_t>(line_height));
    // Text reaches a buffer only through the memory context, and only while one is
    // active; through the window context it goes nowhere.
    if (gfx.text_dc == GFX_MEMORY_DC && gfx.active >= 0 && length > 0) {
        if (is_platform_font(gfx.font)) {
            platform_font_draw(gfx.font, text, length, gfx.pos_x, gfx.pos_y, gfx.colour, gfx.pixels,
                               gfx.stride, gfx.width, gfx.height);
        } else {
            fixed_font_draw(text, length, gfx.pos_x, gfx.pos_y, gfx.colour);
        }
    }
    uint32_t x = static_cast<uint32_t>(gfx.pos_x) + static_cast<uint32_t>(w);
    if (x > static_cast<uint32_t>(gfx.width)) x = static_cast<uint32_t>(gfx.width);
    gfx.pos_x = static_cast<int32_t>(x);
    return 0;
}
