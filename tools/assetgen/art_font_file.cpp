// The game's font file: the game font rendered by FreeType once, here, so that the
// game reads its glyphs as data on every platform.
#include <cstdio>
#include <vector>

#include "assetgen/art_pictures.h"
#include "font_raster/font_raster.h"
#include "platform/common/font/font_file.h"
#include "runtime/catalogue.h"

bool game_font_bytes(std::vector<uint8_t>* bytes) {
    FontRequest request = {GAME_FONT_FACE, GAME_FONT_HEIGHT, font_condensed_width(GAME_FONT_HEIGHT),
                           GAME_FONT_BOLD, GAME_FONT_ITALIC};
    int32_t font = font_raster_open_sized(request.face, request.cell_height, request.average_width,
                                          request.bold, request.italic);
    const FontSlot* slot = font_slot(font);
    bool ok = slot != nullptr && font_file_encode(request, *slot, bytes);
    platform_font_close(font);
    return ok;
}

bool write_game_font(const char* data_dir) {
    std::vector<uint8_t> bytes;
    if (!game_font_bytes(&bytes)) return false;
    char path[1024];
    // PLATFORM_FONT_FILE is "data/font_", and data_dir is that data/ folder.
    std::snprintf(path, sizeof path, "%s/font_", data_dir);
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
