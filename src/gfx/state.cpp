// The layer's global records: drawing state, device contexts and the text line.
#include "gfx/gfx_internal.h"

namespace {

// No buffer active, outlines one pixel thick, the built-in font current.
constexpr GfxState initial_state() {
    GfxState s{};
    s.active = -1;
    s.pixels = nullptr;
    s.border_h = 1;
    s.border_v = 1;
    s.font = OEM_FIXED_FONT;
    s.text_dc = 0;  // none until gfx_set_window_dc
    s.external_leading = FIXED_FONT_EXTERNAL_LEADING;
    return s;
}

}  // namespace

GfxState gfx = initial_state();

int32_t line_height = FIXED_FONT_CELL_HEIGHT + FIXED_FONT_EXTERNAL_LEADING;

GfxContexts gfx_contexts = {0, 0, 0};
