// The graphics layer: 8-bit off-screen buffers, the palette, drawing primitives,
// image blits, the BMP loader, text, the mouse cursor, the display-mode checks and
// a blocking wait. Everything draws into the active buffer; gfx_present shows it.
//
// Buffers store their rows bottom-up: pixel (x, y) of a buffer of height h is byte
// (h - 1 - y) * stride + x. An Image is a bare block of width * height indices,
// bottom row first; index 0 is transparent when an image is drawn.
#pragma once

#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------- constants

constexpr int32_t GFX_BUFFER_SLOTS = 32;  // buffers that can exist at once
constexpr int32_t MODE_SETTLE_MS = 200;   // wait before a display-mode test or switch
constexpr int32_t OEM_FIXED_FONT = 10;    // the built-in fixed font's stock number
constexpr int32_t LOAD_NO_REDUCE = 8;     // the loader flags the game passes
constexpr int32_t GFX_WAIT_TICK_MS = 55;  // one tick of gfx_wait_ticks
constexpr int32_t PC_RESERVED = 1;        // flag of palette entries the game may change

// Results of gfx_load_image_file.
enum LoadResult : int32_t {
    LOAD_OK = 0,
    LOAD_CANNOT_OPEN = 1,
    LOAD_NOT_BMP = 2,
    LOAD_BAD_DEPTH = 3,
    LOAD_COMPRESSED = 4,
};

// Results of the display-mode switch.
constexpr int32_t DISP_CHANGE_SUCCESSFUL = 0;
constexpr int32_t DISP_CHANGE_RESTART = 1;
constexpr int32_t DISP_CHANGE_FAILED = -1;

// ---------------------------------------------------------------- palette

struct PaletteEntry {
    uint8_t peRed;
    uint8_t peGreen;
    uint8_t peBlue;
    uint8_t peFlags;
};

struct RgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};

// The 256 colours every index is shown in; entries 10..245 follow the image files.
extern PaletteEntry palette_entries[256];
// The same colours in the form buffers use: (blue, green, red, 0).
extern RgbQuad color_table[256];
// The layer's built-in colours (red, green, blue), the palette before any load.
extern const uint8_t default_colors[256][3];

// ---------------------------------------------------------------- buffers

// One slot of the buffer table. pixels == nullptr means the slot is free.
struct BufferSlot {
    uint8_t* pixels;
    int32_t bits_per_pixel;  // always 8
    int32_t width;           // rounded up to a multiple of 4; also the stride
    int32_t height;
    int32_t xmin, xmax, ymin, ymax;  // clip bounds: 0, width - 1, 0, height - 1
    RgbQuad colors[256];             // the buffer's own colour table
};

extern BufferSlot gfx_buffers[GFX_BUFFER_SLOTS];

// ---------------------------------------------------------------- drawing state

// The layer's global state: the active buffer and the drawing state.
struct GfxState {
    int32_t active;   // slot of the active buffer, -1 when none
    uint8_t* pixels;  // the active buffer's pixels
    int32_t width, height, stride, byte_size;
    int32_t xmin, xmax, ymin, ymax;  // clip window of the active buffer
    int32_t pos_x, pos_y;            // current position
    uint8_t colour;                  // current colour
    int32_t border_h, border_v;      // outline thickness of gfx_box
    int32_t font;                    // current font: OEM_FIXED_FONT or a platform font
    int32_t text_dc;                 // where text goes: the window or the memory context
    int32_t external_leading;        // of the current font
};

extern GfxState gfx;
// Cell height plus external leading of the current font.
extern int32_t line_height;

// ---------------------------------------------------------------- display

// Device-context handles have no meaning here; they are kept as plain numbers so
// the calling order of start-up and shutdown stays as the game expects.
constexpr int32_t GFX_WINDOW_DC = 1;
constexpr int32_t GFX_MEMORY_DC = 2;

int32_t gfx_set_window_dc(int32_t dc);
int32_t gfx_color_depth();
// 0 when the desktop can show an 800x600 picture at that depth, else -1.
int32_t gfx_test_mode(int32_t width, int32_t height, int32_t bits);
// Makes the output full screen and scaled: DISP_CHANGE_SUCCESSFUL, never RESTART.
int32_t gfx_set_mode(int32_t width, int32_t height, int32_t bits, int32_t full_screen);

// ---------------------------------------------------------------- palette

int32_t gfx_create_palette();  // returns the palette handle (1)
int32_t gfx_select_palette(int32_t palette);
int32_t gfx_set_palette_range(int32_t start, int32_t count, const uint8_t* colours);
int32_t gfx_update_color_table();

// ---------------------------------------------------------------- buffers

int32_t gfx_init();
int32_t gfx_create_buffer(int32_t width, int32_t height);
int32_t gfx_set_buffer(int32_t handle);
int32_t gfx_free_buffer(int32_t handle);
int32_t gfx_unselect_buffer();
int32_t gfx_shutdown();
int32_t gfx_memory_dc();
int32_t gfx_copy_buffer(int32_t from, int32_t to);
// Shows columns x1..x2, rows y1..y2 of the active buffer with the region's
// bottom-left pixel at window pixel (xd, yd).
int32_t gfx_present(int32_t x1, int32_t x2, int32_t y1, int32_t y2, int32_t xd, int32_t yd);
// The window's picture as last presented: 800 * 600 palette indices, rows top first,
// and the same converted through the palette (ARGB8888).
const uint8_t* gfx_window_indices();
const uint32_t* gfx_window_argb();
// The same indices to write: a snapshot of the program puts them back.
uint8_t* gfx_window_picture();
// While held, presenting keeps the window's picture up to date without showing
// it (a watched recording running ahead to a frame); gfx_show_window then shows
// the whole picture.
void gfx_hold_presents(bool hold);
void gfx_show_window();
// Every record of the layer, for a snapshot of the whole program: `keep` gets
// each one's address and size. The buffers' pixels are not among them (the
// table of gfx_buffers says where they are and how large).
void gfx_state_regions(void (*keep)(void* address, size_t size, void* context), void* context);
// Converts count indices through the current palette into ARGB8888.
void gfx_convert_row(const uint8_t* indices, uint32_t* argb, int32_t count);

// ---------------------------------------------------------------- cursor

// The game's 32x32 pointer: 32 AND rows then 32 XOR rows, most significant bit left.
extern const uint32_t cursor_pattern[64];

// The cursor state: whether there is a mouse, whether the cursor was last asked to
// show, the pattern's side (16 or 32) and the system cursor size.
struct CursorState {
    uint8_t mouse_present;
    uint8_t visible;
    int32_t side;
    int32_t width, height;
};
extern CursorState gfx_cursor;

int32_t gfx_init_mouse();
int32_t gfx_set_cursor_size(int32_t side);
int32_t gfx_create_cursor(const uint32_t* pattern, int32_t hot_x, int32_t hot_y);
int32_t gfx_set_cursor(int32_t cursor);
int32_t gfx_show_cursor(int32_t flag);

// ---------------------------------------------------------------- text

int32_t gfx_set_text_dc(int32_t dc);
int32_t gfx_set_font(int32_t font);
int32_t gfx_set_stock_font(int32_t stock);
// Draws length characters with the bottom-left of the line at the current
// position; the position ends right of the text, one line_height higher.
int32_t gfx_print(const char* text, int32_t length);
// Width in pixels of the text in the current font, as gfx_print advances.
int32_t gfx_text_width(const char* text, int32_t length);

// ---------------------------------------------------------------- primitives

int32_t gfx_move(int32_t x, int32_t y);
int32_t gfx_set_color(int32_t index);
int32_t gfx_set_box_border(int32_t horizontal, int32_t vertical);
int32_t gfx_rect(int32_t x1, int32_t x2, int32_t y1, int32_t y2);
int32_t gfx_rect_clipped(int32_t x1, int32_t x2, int32_t y1, int32_t y2);
int32_t gfx_box(int32_t x1, int32_t x2, int32_t y1, int32_t y2);
int32_t gfx_line_to(int32_t x, int32_t y);
int32_t gfx_fill_circle(int32_t r);
int32_t gfx_fill_ellipse(int32_t rx, int32_t ry);
int32_t gfx_erase();

// ---------------------------------------------------------------- blits

int32_t gfx_put_image(const uint8_t* image, int32_t width, int32_t height);
int32_t gfx_put_image_clipped(const uint8_t* image, int32_t width, int32_t height);
int32_t gfx_get_image(uint8_t* image, int32_t width, int32_t height);

// ---------------------------------------------------------------- loader

int32_t gfx_load_image_file(const char* path, int32_t flags);
// The same for a file's bytes already in memory: the same result and pixels.
int32_t gfx_load_image_bytes(const uint8_t* bytes, int64_t length, int32_t flags);
// The most bytes of a bitmap file of width x height (at most 8 bits a pixel) the
// loader reads: bytes after them change nothing.
int64_t gfx_bitmap_bytes_used(int32_t width, int32_t height);
// The first bytes of a bitmap file the loader needs to read its size.
constexpr int32_t GFX_BITMAP_HEADER_BYTES = 34;
// The width and height that a bitmap file's first `length` bytes declare, as the
// loader reads them (a negative height: rows stored top row first). False when
// the bytes are no bitmap header.
bool gfx_bitmap_size(const uint8_t* bytes, int64_t length, int64_t* width, int64_t* height);

// ---------------------------------------------------------------- waits

int32_t gfx_wait_ticks(uint32_t ticks);
