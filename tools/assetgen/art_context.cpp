#include "assetgen/art_context.h"

#include "font_raster/font_raster.h"
#include "gfx/gfx.h"
#include "platform/platform.h"

namespace {

bool g_ready = false;
int32_t g_canvas = 0;
int32_t g_scratch = 0;

// Large enough for the supersampled texts of the pictures.
constexpr int32_t kMaxCell = 256;
// The font table holds only a few fonts at once, so the least recently used
// size is closed when another one is needed.
constexpr int32_t kOpenFonts = 6;
struct OpenFont {
    int32_t cell;
    bool bold, italic;
    int32_t handle;
    uint32_t last_use;
};
OpenFont g_fonts[kOpenFonts];
uint32_t g_use_clock = 0;

}  // namespace

void art_setup() {
    if (g_ready) return;
    g_ready = true;
    gfx_init();
    gfx_set_text_dc(gfx_memory_dc());
    g_canvas = gfx_create_buffer(800, 600);
    g_scratch = gfx_create_buffer(800, 600);
    gfx_set_buffer(g_canvas);
}

int32_t art_canvas_buffer() {
    art_setup();
    return g_canvas;
}

int32_t art_scratch_buffer() {
    art_setup();
    return g_scratch;
}

int32_t art_font(int32_t cell_height) {
    return art_font_styled(cell_height, true, true);
}

int32_t art_font_styled(int32_t cell_height, bool bold, bool italic) {
    if (cell_height < 1 || cell_height > kMaxCell) return 0;
    ++g_use_clock;
    int32_t victim = 0;
    for (int32_t i = 0; i < kOpenFonts; ++i) {
        if (g_fonts[i].handle != 0 && g_fonts[i].cell == cell_height && g_fonts[i].bold == bold &&
            g_fonts[i].italic == italic) {
            g_fonts[i].last_use = g_use_clock;
            return g_fonts[i].handle;
        }
        if (g_fonts[i].last_use < g_fonts[victim].last_use) victim = i;
    }
    if (g_fonts[victim].handle != 0) platform_font_close(g_fonts[victim].handle);
    g_fonts[victim].cell = cell_height;
    g_fonts[victim].bold = bold;
    g_fonts[victim].italic = italic;
    g_fonts[victim].handle = font_raster_open("arial", cell_height, bold, italic);
    g_fonts[victim].last_use = g_use_clock;
    return g_fonts[victim].handle;
}
