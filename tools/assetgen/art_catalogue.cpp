#include <cstdio>
#include <cstring>

#include "assetgen/art_pictures.h"
#include "assetgen/bmp_write.h"
#include "assetgen/canvas.h"
#include "gfx/gfx.h"

namespace {

// In the order the game loads them.
const ArtPicture kPictures[] = {
    {"board", 800, 600, false, draw_board, 0},
    {"options", 310, 484, false, draw_options, 0},
    {"instructions", 547, 550, false, draw_instructions, 0},
    {"highscores", 243, 31, false, draw_highscores_title, 0},
    {"checker0", 75, 600, false, draw_checker, 0},
    {"checker1", 125, 600, false, draw_checker, 1},
    {"quit", 485, 243, false, draw_quit, 0},
    {"game_over", 470, 60, true, draw_game_over, 0},
    {"splash1", 600, 60, true, draw_splash, 1},
    {"splash2", 600, 60, true, draw_splash, 2},
    {"splash3", 600, 300, true, draw_splash, 3},
    {"stone0", 50, 50, true, draw_stone, 0},
    {"stone1", 50, 50, true, draw_stone, 1},
    {"stone2", 50, 50, true, draw_stone, 2},
    {"stone3", 50, 50, true, draw_stone, 3},
    {"stone4", 50, 50, true, draw_stone, 4},
    {"stone5", 50, 50, true, draw_stone, 5},
    {"stone6", 50, 50, true, draw_stone, 6},
    {"stone7", 50, 50, true, draw_stone, 7},
    {"stone8", 50, 50, true, draw_stone, 8},
    {"stone9", 50, 50, true, draw_stone, 9},
    {"stone10", 50, 50, true, draw_stone, 10},
    {"stone11", 50, 50, true, draw_stone, 11},
    {"stone12", 50, 50, true, draw_stone, 12},
    {"stone13", 50, 50, true, draw_stone, 13},
    {"stone14", 50, 50, true, draw_stone, 14},
    {"stone15", 50, 50, true, draw_stone, 15},
    {"stone16", 50, 50, true, draw_stone, 16},
    {"stone17", 50, 50, true, draw_stone, 17},
    {"stone18", 50, 50, true, draw_stone, 18},
    {"stone19", 50, 50, true, draw_stone, 19},
    {"stone20", 50, 50, true, draw_stone, 20},
    {"stone21", 50, 50, true, draw_stone, 21},
    {"stone22", 50, 50, true, draw_stone, 22},
    {"stone23", 50, 50, true, draw_stone, 23},
    {"stone24", 50, 50, true, draw_stone, 24},
    {"stone25", 50, 50, true, draw_stone, 25},
    {"stone26", 50, 50, true, draw_stone, 26},
    {"stone27", 50, 50, true, draw_stone, 27},
    {"stone28", 50, 50, true, draw_stone, 28},
    {"stone29", 50, 50, true, draw_stone, 29},
    {"stone30", 50, 50, true, draw_stone, 30},
    {"menu0", 180, 42, true, draw_menu_highlight, 0},
    {"menu1", 180, 42, true, draw_menu_highlight, 1},
    {"menu2", 180, 42, true, draw_menu_highlight, 2},
    {"menu3", 180, 42, true, draw_menu_highlight, 3},
    {"menu4", 180, 42, true, draw_menu_highlight, 4},
    {"button0", 180, 42, true, draw_button, 0},
    {"button1", 180, 42, true, draw_button, 1},
    {"button2", 180, 42, true, draw_button, 2},
    {"button3", 180, 42, true, draw_button, 3},
    {"button4", 180, 42, true, draw_button, 4},
    {"button5", 180, 42, true, draw_button, 5},
};

constexpr int32_t kCount = static_cast<int32_t>(sizeof(kPictures) / sizeof(kPictures[0]));

}  // namespace

int32_t art_picture_count() {
    return kCount;
}

const ArtPicture& art_picture(int32_t index) {
    return kPictures[index];
}

int32_t art_picture_index(const char* name) {
    for (int32_t i = 0; i < kCount; ++i) {
        if (std::strcmp(kPictures[i].name, name) == 0) return i;
    }
    return -1;
}

std::vector<uint8_t> render_art_picture(int32_t index) {
    const ArtPicture& pic = kPictures[index];
    pic.draw(pic.variant);
    std::vector<uint8_t> out(static_cast<size_t>(pic.width) * pic.height);
    for (int32_t y = 0; y < pic.height; ++y) {
        for (int32_t x = 0; x < pic.width; ++x) out[y * pic.width + x] = get_px(x, y);
    }
    if (!pic.keyed) {
        // Index 0 would be see-through when drawn: keep it out of solid pictures.
        for (uint8_t& p : out) {
            if (p == PAL_BLACK) p = PAL_OUTLINE;
        }
    }
    return out;
}

bool write_game_art(const char* data_dir) {
    bool ok = true;
    for (int32_t i = 0; i < kCount; ++i) {
        std::vector<uint8_t> pixels = render_art_picture(i);
        char path[1024];
        std::snprintf(path, sizeof path, "%s/%s_", data_dir, kPictures[i].name);
        if (!write_bmp8(path, pixels.data(), kPictures[i].width, kPictures[i].height)) ok = false;
    }
    return ok;
}
