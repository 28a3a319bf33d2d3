#include "assetgen/art_preview.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/art_icon.h"
#include "assetgen/art_pictures.h"
#include "assetgen/canvas.h"
#include "assetgen/palette.h"
#include "assetgen/text.h"
#include "common/png_write.h"
#include "gfx/gfx.h"

namespace {

struct Rendered {
    int32_t width = 0, height = 0;
    bool keyed = false;
    std::vector<uint8_t> top_down;  // as drawn, rows top first
    std::vector<uint8_t> image;     // as the game holds it: bottom row first, key remapped
};

std::vector<Rendered> render_all() {
    std::vector<Rendered> all;
    for (int32_t i = 0; i < art_picture_count(); ++i) {
        const ArtPicture& pic = art_picture(i);
        Rendered r;
        r.width = pic.width;
        r.height = pic.height;
        r.keyed = pic.keyed;
        r.top_down = render_art_picture(i);
        r.image.resize(r.top_down.size());
        for (int32_t y = 0; y < r.height; ++y) {
            for (int32_t x = 0; x < r.width; ++x) {
                uint8_t p = r.top_down[(r.height - 1 - y) * r.width + x];
                if (r.keyed) p = p == PAL_KEY ? 0 : (p == 0 ? PAL_OUTLINE : p);
                r.image[y * r.width + x] = p;
            }
        }
        all.push_back(r);
    }
    return all;
}

// ---------------------------------------------------------------- contact sheet

struct Sheet {
    int32_t width, height;
    std::vector<uint32_t> argb;
    void fill(int32_t x1, int32_t y1, int32_t w, int32_t h, uint32_t c) {
        for (int32_t y = y1; y < y1 + h; ++y) {
            for (int32_t x = x1; x < x1 + w; ++x) {
                if (x >= 0 && y >= 0 && x < width && y < height) argb[y * width + x] = c;
            }
        }
    }
};

constexpr uint32_t kSheetBack = 0xFF6A6A6Au;

void sheet_text(Sheet& sheet, const char* text, int32_t x, int32_t y) {
    TextMask mask = print_mask(art_font(15), text);
    for (int32_t my = 0; my < mask.height; ++my) {
        for (int32_t mx = 0; mx < mask.width; ++mx) {
            if (mask.ink(mx, my)) sheet.fill(x + mx, y + my, 1, 1, 0xFFF4F4F4u);
        }
    }
}

void sheet_picture(Sheet& sheet, const Rendered& r, int32_t x, int32_t y) {
    for (int32_t py = 0; py < r.height; ++py) {
        for (int32_t px = 0; px < r.width; ++px) {
            uint8_t p = r.top_down[py * r.width + px];
            if (r.keyed && p == PAL_KEY) continue;
            if (r.keyed && p == 0) p = PAL_OUTLINE;
            sheet.argb[(y + py) * sheet.width + x + px] = palette_argb(p);
        }
    }
}

// ---------------------------------------------------------------- mock screens

const Rendered* g_all = nullptr;

const Rendered& pic(const char* name) {
    return g_all[art_picture_index(name)];
}

void put(const char* name, int32_t x, int32_t y_bottom) {
    const Rendered& r = pic(name);
    gfx_move(x, y_bottom);
    gfx_put_image_clipped(r.image.data(), r.width, r.height);
}

void print_at(const char* text, int32_t x, int32_t y, int32_t colour) {
    gfx_move(x, y);
    gfx_set_color(colour);
    gfx_print(text, static_cast<int32_t>(std::strlen(text)));
}

void embossed(const char* text, int32_t x, int32_t y) {
    print_at(text, x - 1, y - 1, PAL_BRIGHT);
    print_at(text, x + 1, y + 1, PAL_BLACK);
    print_at(text, x, y, PAL_LABEL);
}

int32_t width_of(const char* text) {
    return gfx_text_width(text, static_cast<int32_t>(std::strlen(text)));
}

void hud(const char* score, const char* level) {
    int32_t w = width_of(score);
    print_at(score, 101 - w / 2, 204, PAL_BLACK);
    print_at(score, 100 - w / 2, 203, PAL_SILVER);
    w = width_of(level);
    print_at(level, 101 - w / 2, 281, PAL_BLACK);
    print_at(level, 100 - w / 2, 280, PAL_SILVER);
}

void strips(int32_t cols) {
    int32_t x = 725 - ((11 - cols) / 2) * 50;
    put("checker0", x, 599);
    x -= 125;
    for (int32_t i = 1; i < cols; i += 2) {
        put("checker1", x, 599);
        x -= 100;
    }
}

void game_screen(int32_t cols, int32_t rows, bool paused, bool hover_pause) {
    put("board", 0, 599);
    strips(cols);
    put(paused ? "button4" : "button2", 10, 548);
    int32_t left_x = 500 - 25 * cols, bottom_y = 574;
    uint32_t seed = 12345u;
    int32_t gap = cols * 2 + 1;
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < cols; ++c) {
            seed = seed * 1103515245u + 12345u;
            if (r * cols + c == gap) continue;
            int32_t kind = static_cast<int32_t>((seed >> 16) % 9u);
            char name[16];
            std::snprintf(name, sizeof name, "stone%d", kind);
            put(name, left_x + 50 * c, bottom_y - 50 * r);
        }
    }
    // The gap frame.
    gfx_set_color(PAL_FRAME);
    int32_t gr = gap / cols, gc = gap % cols;
    gfx_box(left_x + 50 * gc, left_x + 50 * gc + 50, bottom_y - 50 * gr - 50, bottom_y - 50 * gr);
    // Time bar with 60 % of the row time left, then the preview row.
    int32_t w = 50 * cols, top = bottom_y - 50 * rows - 50, bottom = bottom_y - 50 * rows;
    int32_t x_el = w * 2 / 5;
    gfx_set_color(PAL_DARK_RED);
    gfx_rect(left_x + x_el, left_x + w, top, bottom);
    gfx_set_color(PAL_FRAME);
    gfx_box(left_x - 2, left_x + w + 2, top - 1, bottom);
    gfx_move(left_x + x_el, top);
    gfx_line_to(left_x + x_el, bottom);
    gfx_move(left_x + x_el - 1, top);
    gfx_line_to(left_x + x_el - 1, bottom);
    for (int32_t c = 0; c < cols; ++c) {
        char name[16];
        std::snprintf(name, sizeof name, "stone%d", c == 2 ? 3 : (c * 5) % 9);
        put(name, left_x + 50 * c, bottom);
    }
    hud("12,400", "7");
    if (!paused) {
        const char* clock = "0:27";
        int32_t cw = width_of(clock);
        print_at(clock, 101 - cw / 2, 576, PAL_DARK_RED);
        print_at(clock, 100 - cw / 2, 575, PAL_SILVER);
    }
    if (hover_pause) put(paused ? "button5" : "button3", 11, 549);
}

bool save_screen(const std::string& path) {
    std::vector<uint32_t> argb(800 * 600);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            argb[y * 800 + x] = palette_argb(gfx.pixels[(599 - y) * gfx.stride + x]);
        }
    }
    return write_png_argb(path.c_str(), argb.data(), 800, 600);
}

// A part of the screen enlarged, for looking at details.
bool save_zoom(const std::string& path, int32_t x1, int32_t y1, int32_t w, int32_t h,
               int32_t zoom) {
    std::vector<uint32_t> argb(static_cast<size_t>(w * zoom) * (h * zoom));
    for (int32_t y = 0; y < h * zoom; ++y) {
        for (int32_t x = 0; x < w * zoom; ++x) {
            int32_t sx = x1 + x / zoom, sy = y1 + y / zoom;
            argb[y * w * zoom + x] = palette_argb(gfx.pixels[(599 - sy) * gfx.stride + sx]);
        }
    }
    return write_png_argb(path.c_str(), argb.data(), w * zoom, h * zoom);
}

void options_screen() {
    put("board", 0, 599);
    put("options", 349, 519);
    gfx_set_color(PAL_BLACK);
    static const int32_t cx[4] = {443, 466, 497, 537}, rr[4] = {4, 7, 10, 13};
    for (int32_t i = 0; i <= 2; ++i) {
        gfx_move(cx[i], 318);
        gfx_fill_circle(rr[i]);
    }
    for (int32_t i = 0; i <= 3; ++i) {
        gfx_move(cx[i], 437);
        gfx_fill_circle(rr[i]);
    }
    gfx_move(443, 190);
    gfx_fill_circle(4);
    put("button0", 410, 560);
    hud("12,400", "7");
    put("menu2", 10, 337 + 42 * 2);
}

void high_score_screen() {
    put("board", 0, 599);
    put("highscores", 381, 66);
    for (int32_t k = 0; k < 9; ++k) put("stone0", 275 + 50 * k, 125);
    static const char* names[10] = {"MORAG", "EWAN", "ISLA", "CALLUM", "AILSA",
                                    "",      "FINN", "ROSS", "KIRSTY", "ANGUS"};
    static const char* scores[10] = {"48,200", "31,700", "22,100", "9,800", "5,400",
                                     "2,500",  "1,000",  "700",    "100",   "0"};
    for (int32_t i = 0; i < 10; ++i) {
        embossed(names[i], 325, 151 + 25 * i);
        embossed(scores[i], 673 - width_of(scores[i]), 151 + 25 * i);
    }
    for (int32_t k = 0; k < 9; ++k) put("stone0", 275 + 50 * k, 424);
    put("menu3", 10, 337 + 42 * 3);
}

void name_entry_screen() {
    put("board", 0, 599);
    hud("12,400", "7");
    embossed("Enter your name for high score", 325, 75);
    for (int32_t k = 0; k < 8; ++k) {
        int32_t x = 375 + 32 * k;
        gfx_set_color(PAL_BRIGHT);
        gfx_rect(x, x + 24, 122, 125);
        gfx_set_color(PAL_BLACK);
        gfx_rect(x + 2, x + 26, 124, 127);
        gfx_set_color(PAL_LABEL);
        gfx_rect(x + 1, x + 25, 123, 126);
    }
    embossed("M", 376, 123);
    embossed("O", 408, 123);
    gfx_set_color(PAL_LABEL);
    gfx_box(376 + 64, 376 + 64 + 24, 123, 137);
    for (int32_t n = 0; n < 26; ++n) {
        int32_t c = n % 9, r = n / 9;
        int32_t cx = 290 + 50 * c, ry = 214 + 50 * r;
        put("stone0", cx - 15, ry + 10);
        char letter[2] = {static_cast<char>('A' + n), 0};
        embossed(letter, cx, ry + 1);
    }
    put("stone1", 327, 374);
    put("stone1", 373, 374);
    embossed("SPACE", 333, 365);
    put("stone1", 577, 374);
    put("stone1", 623, 374);
    embossed("BACK", 590, 365);
    put("stone1", 429, 474);
    put("stone1", 475, 474);
    put("stone1", 521, 474);
    embossed("D O N E", 450, 465);
}

// Every icon size at its own size and enlarged four times, over a dark and a light
// ground, blended by its alpha as a desktop shows it.
bool write_icon_sheet(const std::string& path) {
    const int32_t zoom = 4, row_h = 256 + 8;
    int32_t width = 8;
    for (int32_t i = 0; i < ICON_SIZE_COUNT; ++i) {
        int32_t n = ICON_SIZES[i];
        width += n + 8 + (n <= 64 ? n * zoom + 8 : 0);
    }
    std::vector<uint32_t> argb(static_cast<size_t>(width) * (2 * row_h + 8));
    const uint32_t grounds[2] = {0xFF23262Eu, 0xFFE8E8E8u};
    for (int32_t g = 0; g < 2; ++g) {
        for (int32_t y = g * row_h; y < (g + 1) * row_h + 8 * g; ++y) {
            for (int32_t x = 0; x < width; ++x) argb[y * width + x] = grounds[g];
        }
        int32_t x0 = 8;
        for (int32_t i = 0; i < ICON_SIZE_COUNT; ++i) {
            int32_t n = ICON_SIZES[i];
            std::vector<uint32_t> icon = render_icon(n);
            for (int32_t z : {1, zoom}) {
                if (z == zoom && n > 64) continue;
                for (int32_t y = 0; y < n * z; ++y) {
                    for (int32_t x = 0; x < n * z; ++x) {
                        uint32_t p = icon[(y / z) * n + x / z], a = p >> 24;
                        uint32_t& out = argb[(g * row_h + 8 + y) * width + x0 + x];
                        uint32_t mixed = 0xFF000000u;
                        for (int32_t c = 0; c < 3; ++c) {
                            uint32_t fg = (p >> (8 * c)) & 255u, bg = (out >> (8 * c)) & 255u;
                            mixed |= ((fg * a + bg * (255u - a) + 127u) / 255u) << (8 * c);
                        }
                        out = mixed;
                    }
                }
                x0 += n * z + 8;
            }
        }
    }
    return write_png_argb(path.c_str(), argb.data(), width, 2 * row_h + 8);
}

}  // namespace

bool write_contact_sheet(const char* png_path) {
    std::vector<Rendered> all = render_all();
    Sheet sheet;
    sheet.width = 1740;
    // Shelf layout in catalogue order, with the name above each picture.
    const int32_t gap = 14, label = 18;
    std::vector<int32_t> xs(all.size()), ys(all.size());
    int32_t x = gap, y = gap, shelf = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        int32_t w = all[i].width < 64 ? 64 : all[i].width;
        if (x + w + gap > sheet.width) {
            x = gap;
            y += shelf + gap;
            shelf = 0;
        }
        xs[i] = x;
        ys[i] = y;
        x += w + gap;
        if (all[i].height + label > shelf) shelf = all[i].height + label;
    }
    sheet.height = y + shelf + gap;
    sheet.argb.assign(static_cast<size_t>(sheet.width) * sheet.height, kSheetBack);
    for (size_t i = 0; i < all.size(); ++i) {
        sheet_text(sheet, art_picture(static_cast<int32_t>(i)).name, xs[i], ys[i]);
        sheet_picture(sheet, all[i], xs[i], ys[i] + label);
    }
    return write_png_argb(png_path, sheet.argb.data(), sheet.width, sheet.height);
}

bool write_previews(const char* dir) {
    std::vector<Rendered> all = render_all();
    g_all = all.data();
    art_setup();
    gfx_set_buffer(art_canvas_buffer());
    gfx_set_font(art_font(GAME_FONT_CELL));
    gfx_set_box_border(2, 2);
    std::string base = dir;
    bool ok = true;

    game_screen(5, 7, false, false);
    ok &= save_screen(base + "/mock_game5.png");
    ok &= save_zoom(base + "/zoom_panel.png", 0, 0, 200, 600, 2);
    ok &= save_zoom(base + "/zoom_board.png", 340, 300, 320, 300, 2);
    // The drop animation's still part: no pause button, the bonus where the clock is.
    put("board", 0, 599);
    hud("12,400", "7");
    int32_t bw = width_of("BONUS 1000");
    print_at("BONUS 1000", 101 - bw / 2, 571, PAL_DARK_RED);
    print_at("BONUS 1000", 100 - bw / 2, 570, PAL_SILVER);
    ok &= save_zoom(base + "/zoom_bonus.png", 0, 440, 200, 160, 3);
    game_screen(11, 9, false, true);
    ok &= save_screen(base + "/mock_game11.png");
    game_screen(7, 8, true, false);
    ok &= save_screen(base + "/mock_pause.png");
    game_screen(9, 10, false, false);
    put("game_over", 275, 200);
    ok &= save_screen(base + "/mock_game_over.png");
    options_screen();
    ok &= save_screen(base + "/mock_options.png");
    ok &= save_zoom(base + "/zoom_options.png", 349, 36, 310, 484, 2);
    high_score_screen();
    ok &= save_screen(base + "/mock_highscores.png");
    ok &= save_zoom(base + "/zoom_highscores.png", 371, 30, 263, 100, 3);
    name_entry_screen();
    ok &= save_screen(base + "/mock_name_entry.png");
    put("board", 0, 599);
    put("instructions", 228, 577);
    put("button1", 241, 561);
    hud("12,400", "7");
    ok &= save_screen(base + "/mock_instructions.png");
    ok &= save_zoom(base + "/zoom_instructions.png", 228, 28, 547, 550, 2);
    put("board", 0, 599);
    put("quit", 259, 324);
    put("menu4", 10, 337 + 42 * 4);
    ok &= save_screen(base + "/mock_quit.png");
    ok &= save_zoom(base + "/zoom_quit.png", 259, 82, 485, 243, 2);
    gfx_set_color(PAL_BLACK);
    gfx_rect(0, 799, 0, 599);
    put("splash2", 100, 248);
    put("splash1", 100, 411);
    ok &= save_screen(base + "/mock_intro_slide.png");
    gfx_rect(0, 799, 0, 599);
    put("splash3", 100, 450);
    ok &= save_screen(base + "/mock_intro_title.png");

    // All stones enlarged three times on the strips' colours.
    const int32_t zoom = 3;
    std::vector<uint32_t> argb(static_cast<size_t>(8 * 54 * zoom) * (4 * 54 * zoom), 0xFF4B5C75u);
    const int32_t zw = 8 * 54 * zoom;
    for (int32_t k = 0; k < 31; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "stone%d", k);
        const Rendered& r = pic(name);
        int32_t ox = (k % 8) * 54 * zoom + 2 * zoom, oy = (k / 8) * 54 * zoom + 2 * zoom;
        for (int32_t y = 0; y < 50 * zoom; ++y) {
            for (int32_t x = 0; x < 50 * zoom; ++x) {
                uint8_t p = r.top_down[(y / zoom) * 50 + x / zoom];
                if (p == PAL_KEY) continue;
                argb[(oy + y) * zw + ox + x] = palette_argb(p);
            }
        }
    }
    ok &= write_png_argb((base + "/stones_x3.png").c_str(), argb.data(), zw, 4 * 54 * zoom);
    ok &= write_icon_sheet(base + "/icons.png");
    g_all = nullptr;
    return ok;
}
