// The image catalogue: every picture of the game by name, size and file.
#pragma once

#include <cstdint>

// The images, sizes and counts of the catalogue.
constexpr int32_t BOARD_W = 800, BOARD_H = 600;
constexpr int32_t OPTIONS_W = 310, OPTIONS_H = 484;
constexpr int32_t INSTRUCTIONS_W = 547, INSTRUCTIONS_H = 550;
constexpr int32_t HIGHSCORES_W = 243, HIGHSCORES_H = 31;
constexpr int32_t CHECKER0_W = 75, CHECKER1_W = 125, CHECKER_H = 600;
constexpr int32_t QUIT_W = 485, QUIT_H = 243;
constexpr int32_t GAME_OVER_W = 470, GAME_OVER_H = 60;
constexpr int32_t SPLASH_W = 600, SPLASH_STRIP_H = 60, SPLASH_TITLE_H = 300;
constexpr int32_t STONE_SIZE = 50, STONE_COUNT = 31;
constexpr int32_t BUTTON_W = 180, BUTTON_H = 42;
constexpr int32_t MENU_COUNT = 5, BUTTON_COUNT = 6;

// Every picture of the game, loaded once at start-up into fixed storage.
struct ImageCatalogue {
    uint8_t board[BOARD_W * BOARD_H];
    uint8_t options[OPTIONS_W * OPTIONS_H];
    uint8_t instructions[INSTRUCTIONS_W * INSTRUCTIONS_H];
    uint8_t highscores[HIGHSCORES_W * HIGHSCORES_H];
    uint8_t checker0[CHECKER0_W * CHECKER_H];
    uint8_t checker1[CHECKER1_W * CHECKER_H];
    uint8_t quit[QUIT_W * QUIT_H];
    uint8_t game_over[GAME_OVER_W * GAME_OVER_H];
    uint8_t splash1[SPLASH_W * SPLASH_STRIP_H];
    uint8_t splash2[SPLASH_W * SPLASH_STRIP_H];
    uint8_t splash3[SPLASH_W * SPLASH_TITLE_H];
    uint8_t stone[STONE_COUNT][STONE_SIZE * STONE_SIZE];
    uint8_t menu[MENU_COUNT][BUTTON_W * BUTTON_H];
    uint8_t button[BUTTON_COUNT][BUTTON_W * BUTTON_H];
};

extern ImageCatalogue images;

// One row of the catalogue: what start-up loads, from where, and how.
struct CatalogueEntry {
    const char* name;  // "board", "stone7", ...
    const char* file;  // "data/board_", "data/stone7_", ...
    uint8_t* pixels;   // storage in `images`
    int32_t width;
    int32_t height;
    bool colour_key;  // remap 195 to transparent after loading
};

// The whole catalogue in loading order (board first, button5 last).
int32_t catalogue_size();
const CatalogueEntry& catalogue_entry(int32_t index);

// The game's one font, read from PLATFORM_FONT_FILE: a heavy italic sans-serif
// face with a 28-pixel cell, condensed. The asset generator renders exactly this.
constexpr const char* GAME_FONT_FACE = "arial";
constexpr int32_t GAME_FONT_HEIGHT = 28;
constexpr bool GAME_FONT_BOLD = true, GAME_FONT_ITALIC = true;

constexpr int32_t COLOUR_KEY = 195;         // see-through index of keyed pictures
constexpr int32_t COLOUR_KEY_OUTLINE = 68;  // what keyed pictures' index 0 becomes

// Loads one picture into its storage, from its file, or from the file's bytes when
// they were read already (bytes not null); the loader's result.
int32_t load_asset(uint8_t* image, const char* file, int32_t width, int32_t height,
                   const uint8_t* bytes = nullptr, int64_t length = 0);
void remap_colour_key(uint8_t* image, int32_t width, int32_t height, int32_t key,
                      int32_t replacement);
