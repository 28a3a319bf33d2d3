// The image catalogue: every picture the game draws, its file, size and storage.
#include "runtime/catalogue.h"

#include <cstdio>

#include "gfx/gfx.h"

ImageCatalogue images;

namespace {

constexpr int32_t kEntries = 11 + STONE_COUNT + MENU_COUNT + BUTTON_COUNT;

struct Catalogue {
    CatalogueEntry entries[kEntries];
    char names[kEntries][16];
    char files[kEntries][32];
    int32_t count = 0;

    void add(const char* name, const char* file, uint8_t* pixels, int32_t width, int32_t height,
             bool key) {
        std::snprintf(names[count], sizeof names[count], "%s", name);
        std::snprintf(files[count], sizeof files[count], "%s", file);
        entries[count] = {names[count], files[count], pixels, width, height, key};
        ++count;
    }

    // A numbered series: "stone%d" loaded from "data/stone%d_", counting from first.
    void add_series(const char* stem, int32_t first, int32_t count_in_series, uint8_t* pixels,
                    int32_t width, int32_t height, bool key) {
        for (int32_t i = 0; i < count_in_series; ++i) {
            char name[16];
            char file[32];
            std::snprintf(name, sizeof name, "%s%d", stem, first + i);
            std::snprintf(file, sizeof file, "data/%s%d_", stem, first + i);
            add(name, file, pixels + static_cast<size_t>(i) * width * height, width, height, key);
        }
    }

    Catalogue() {
        add("board", "data/board_", images.board, BOARD_W, BOARD_H, false);
        add("options", "data/options_", images.options, OPTIONS_W, OPTIONS_H, false);
        add("instructions", "data/instructions_", images.instructions, INSTRUCTIONS_W,
            INSTRUCTIONS_H, false);
        add("highscores", "data/highscores_", images.highscores, HIGHSCORES_W, HIGHSCORES_H, false);
        add("checker0", "data/checker0_", images.checker0, CHECKER0_W, CHECKER_H, false);
        add("checker1", "data/checker1_", images.checker1, CHECKER1_W, CHECKER_H, false);
        add("quit", "data/quit_", images.quit, QUIT_W, QUIT_H, false);
        add("game_over", "data/game_over_", images.game_over, GAME_OVER_W, GAME_OVER_H, true);
        add_series("splash", 1, 1, images.splash1, SPLASH_W, SPLASH_STRIP_H, true);
        add_series("splash", 2, 1, images.splash2, SPLASH_W, SPLASH_STRIP_H, true);
        add_series("splash", 3, 1, images.splash3, SPLASH_W, SPLASH_TITLE_H, true);
        add_series("stone", 0, STONE_COUNT, images.stone[0], STONE_SIZE, STONE_SIZE, true);
        add_series("menu", 0, MENU_COUNT, images.menu[0], BUTTON_W, BUTTON_H, true);
        add_series("button", 0, BUTTON_COUNT, images.button[0], BUTTON_W, BUTTON_H, true);
    }
};

const Catalogue& catalogue() {
    static const Catalogue table;
    return table;
}

}  // namespace

int32_t catalogue_size() {
    return catalogue().count;
}

const CatalogueEntry& catalogue_entry(int32_t index) {
    const Catalogue& c = catalogue();
    if (index < 0) index = 0;
    if (index >= c.count) index = c.count - 1;
    return c.entries[index];
}

int32_t load_asset(uint8_t* image, const char* file, int32_t width, int32_t height,
                   const uint8_t* bytes, int64_t length) {
    int32_t result = bytes != nullptr ? gfx_load_image_bytes(bytes, length, LOAD_NO_REDUCE)
                                      : gfx_load_image_file(file, LOAD_NO_REDUCE);
    gfx_move(0, height - 1);
    gfx_get_image(image, width, height);
    return result;
}

void remap_colour_key(uint8_t* image, int32_t width, int32_t height, int32_t key,
                      int32_t replacement) {
    if (width <= 0 || height <= 0) return;
    const int64_t count = static_cast<int64_t>(width) * height;
    const uint8_t k = static_cast<uint8_t>(key);
    const uint8_t r = static_cast<uint8_t>(replacement);
    for (int64_t i = 0; i < count; ++i) {
        uint8_t v = image[i];
        image[i] = v == k ? 0 : (v == 0 ? r : v);
    }
}
