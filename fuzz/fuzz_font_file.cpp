// Feeds arbitrary bytes to the game's font file reader as data/font_ of a folder
// of its own, and when a font opens, measures and draws every character into a
// small picture, so that fuzzed glyph places and sizes reach the drawing code.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform.h"

namespace {

uint8_t picture[64 * 48];
char every_byte[256];
std::filesystem::path folder;

void remove_folder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A memory-backed folder when there is one: the reader then reads from RAM.
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    folder = std::filesystem::path(dir) / ("fuzz_font_file_" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "data");
    std::filesystem::current_path(folder);
    std::atexit(remove_folder);
    for (int32_t i = 0; i < 256; ++i) every_byte[i] = static_cast<char>(i);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(PLATFORM_FONT_FILE, "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    int32_t font = platform_font_open("arial", 28, true, true);
    if (font == 0) return 0;
    PlatformFontMetrics m = {};
    platform_font_metrics(font, &m);
    if (m.height != 28 || m.ascent < 0 || m.ascent > 28) __builtin_trap();
    if (platform_font_text_width(font, every_byte, 256) < 0) __builtin_trap();
    for (int32_t y : {-30, 0, 20, 47}) {
        platform_font_draw(font, every_byte, 256, -40 + y, y, 1, picture, 64, 64, 48);
    }
    platform_font_close(font);
    return 0;
}
