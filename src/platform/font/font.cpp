// Placeholder until the FreeType rasteriser lands: no font can be opened.
#include "platform/platform.h"

int32_t platform_font_open(const char*, int32_t, bool, bool) { return 0; }
void platform_font_close(int32_t) {}
void platform_font_metrics(int32_t, PlatformFontMetrics* metrics) { *metrics = {}; }
int32_t platform_font_text_width(int32_t, const char*, int32_t) { return 0; }
void platform_font_draw(int32_t, const char*, int32_t, int32_t, int32_t, uint8_t, uint8_t*, int32_t,
                        int32_t, int32_t) {}
