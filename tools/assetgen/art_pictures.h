// Every picture of the game, drawn into the canvas (canvas.h) at the top-left.
#pragma once

#include <cstdint>
#include <vector>

// One picture of the catalogue: its name (the file is data/<name>_), its size,
// whether its see-through pixels use the colour key, and how it is drawn.
struct ArtPicture {
    const char* name;
    int32_t width;
    int32_t height;
    bool keyed;
    void (*draw)(int32_t variant);
    int32_t variant;
};

int32_t art_picture_count();
const ArtPicture& art_picture(int32_t index);
// Index of the picture with that name, or -1.
int32_t art_picture_index(const char* name);
// Draws picture `index` and returns its palette indices, rows top first.
std::vector<uint8_t> render_art_picture(int32_t index);
// Writes every picture as data_dir/<name>_; false when a file cannot be written.
bool write_game_art(const char* data_dir);
// The game's font file (platform/common/font/font_file.h) rendered with FreeType; false
// when no matching face is installed.
bool game_font_bytes(std::vector<uint8_t>* bytes);
// Writes it as data_dir/font_; false when there is no font or no file.
bool write_game_font(const char* data_dir);

// The drawing functions (variant selects a picture of a series).
void draw_board(int32_t variant);
void draw_checker(int32_t variant);  // 0: checker0 (75 wide), 1: checker1 (125 wide)
void draw_stone(int32_t kind);
void draw_menu_highlight(int32_t index);
void draw_button(int32_t index);
void draw_options(int32_t variant);
void draw_instructions(int32_t variant);
void draw_highscores_title(int32_t variant);
void draw_quit(int32_t variant);
void draw_game_over(int32_t variant);
void draw_splash(int32_t number);  // 1, 2: the intro strips; 3: the title picture

// Pieces shared between pictures.
void draw_stone_at(int32_t kind, int32_t x, int32_t y);  // 50x50, top-left at (x, y)
// The golden wildcard stone, `scale` times a stone's size, top-left at (x, y), the
// sun's dark edge `sun_edge` stone pixels wide (1 on the stone itself).
void draw_wildcard_at(int32_t x, int32_t y, float scale, float sun_edge);
// True where the engraved symbol of stone `kind` (not the wildcard's sun) covers
// pixel (x, y) of its 50x50 picture.
bool stone_symbol_pixel(int32_t kind, int32_t x, int32_t y);
