// The graphics layer beside the SDL2 calls a programmer would otherwise make:
// palette conversion of a frame, colour-keyed blits, the buffer copy and the
// loading of 8-bit pictures of 800x600 and 50x50. Each pair works on the same
// pixels.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/gfx.h"
#include "platform/headless/headless.h"

namespace {

constexpr int32_t kW = 800;
constexpr int32_t kH = 600;
constexpr int32_t kStone = 50;

// The board: mostly opaque, with see-through holes; the stone: a disc on 0.
uint8_t board[kW * kH];
uint8_t stone[kStone * kStone];
uint32_t frame[kW * kH];
std::vector<uint8_t> bmp_file;
const char* const kBmpPath = "/tmp/cairnfall_bench_board.bmp";
// A stone picture, 50 wide: its rows (52 bytes with padding) go through the read
// buffer, as every picture narrower than the buffer does.
const char* const kStoneBmpPath = "/tmp/cairnfall_bench_stone.bmp";

struct Sdl {
    SDL_Palette* palette;
    SDL_Surface* target;    // INDEX8, the active buffer's peer
    SDL_Surface* backdrop;  // INDEX8, same size
    SDL_Surface* argb;      // ARGB8888 window picture
    SDL_Surface* board;     // INDEX8 keyed picture
    SDL_Surface* stone;     // INDEX8 keyed picture
};
Sdl sdl;

void make_pictures() {
    for (int32_t y = 0; y < kH; ++y)
        for (int32_t x = 0; x < kW; ++x) {
            bool hole = (x / 50 + y / 50) % 5 == 0 && (x % 50) > 10 && (y % 50) > 10;
            board[y * kW + x] = hole ? 0 : static_cast<uint8_t>(10 + (x * 7 + y * 3) % 236);
        }
    for (int32_t y = 0; y < kStone; ++y)
        for (int32_t x = 0; x < kStone; ++x) {
            int32_t dx = x - 24, dy = y - 24;
            bool inside = dx * dx + dy * dy <= 24 * 24;
            stone[y * kStone + x] = inside ? static_cast<uint8_t>(20 + (x + y) % 40) : 0;
        }
}

void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    for (int32_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

// A w x h 8-bit bitmap of `pixels` with a 256-colour palette, written to path.
std::vector<uint8_t> make_bmp(const uint8_t* pixels, int32_t w, int32_t h, const char* path) {
    const size_t data = 14 + 40 + 1024;
    const size_t row = (static_cast<size_t>(w) + 3) / 4 * 4;
    std::vector<uint8_t> file(data + row * h, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, static_cast<uint32_t>(file.size()));
    put32(file, 10, data);
    put32(file, 14, 40);
    put32(file, 18, static_cast<uint32_t>(w));
    put32(file, 22, static_cast<uint32_t>(h));
    file[26] = 1;
    file[28] = 8;
    for (int32_t k = 0; k < 256; ++k) {
        file[54 + 4 * k] = static_cast<uint8_t>(k);
        file[55 + 4 * k] = static_cast<uint8_t>(255 - k);
        file[56 + 4 * k] = static_cast<uint8_t>(k * 5);
    }
    for (int32_t r = 0; r < h; ++r) std::memcpy(&file[data + r * row], &pixels[(h - 1 - r) * w], w);
    std::FILE* f = std::fopen(path, "wb");
    if (f != nullptr) {
        std::fwrite(file.data(), 1, file.size(), f);
        std::fclose(f);
    }
    return file;
}

SDL_Surface* index8(int32_t w, int32_t h, const uint8_t* pixels) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_SetSurfacePalette(s, sdl.palette);
    if (pixels != nullptr)
        for (int32_t y = 0; y < h; ++y)
            std::memcpy(static_cast<uint8_t*>(s->pixels) + y * s->pitch, pixels + y * w, w);
    return s;
}

void set_up() {
    static bool done = false;
    if (done) return;
    done = true;
    make_pictures();
    bmp_file = make_bmp(board, kW, kH, kBmpPath);
    make_bmp(stone, kStone, kStone, kStoneBmpPath);

    headless_reset();
    gfx_set_window_dc(GFX_WINDOW_DC);
    gfx_create_palette();
    gfx_init();
    gfx_create_buffer(kW, kH);
    gfx_create_buffer(kW, kH);
    gfx_set_buffer(0);

    sdl.palette = SDL_AllocPalette(256);
    SDL_Color colours[256];
    for (int32_t i = 0; i < 256; ++i) {
        colours[i] = {palette_entries[i].peRed, palette_entries[i].peGreen,
                      palette_entries[i].peBlue, 255};
    }
    SDL_SetPaletteColors(sdl.palette, colours, 0, 256);
    sdl.target = index8(kW, kH, nullptr);
    sdl.backdrop = index8(kW, kH, board);
    sdl.argb = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
    sdl.board = index8(kW, kH, board);
    sdl.stone = index8(kStone, kStone, stone);
    SDL_SetColorKey(sdl.board, SDL_TRUE, 0);
    SDL_SetColorKey(sdl.stone, SDL_TRUE, 0);
}

// ---------------------------------------------------------------- palette conversion

void BM_Gfx_ConvertFrame(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        gfx_convert_row(board, frame, kW * kH);
        benchmark::DoNotOptimize(frame);
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Gfx_ConvertFrame);

void BM_SDL_ConvertFrame(benchmark::State& state) {
    set_up();
    SDL_Surface* src = index8(kW, kH, board);
    for (auto _ : state) {
        SDL_BlitSurface(src, nullptr, sdl.argb, nullptr);
        benchmark::DoNotOptimize(sdl.argb->pixels);
    }
    SDL_FreeSurface(src);
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_SDL_ConvertFrame);

// ---------------------------------------------------------------- keyed blits

void BM_Gfx_PutStone(benchmark::State& state) {
    set_up();
    gfx_move(375, 324);
    for (auto _ : state) {
        gfx_put_image(stone, kStone, kStone);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Gfx_PutStone);

void BM_SDL_PutStone(benchmark::State& state) {
    set_up();
    SDL_Rect at{375, 275, kStone, kStone};
    for (auto _ : state) {
        SDL_Rect r = at;
        SDL_BlitSurface(sdl.stone, nullptr, sdl.target, &r);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SDL_PutStone);

void BM_Gfx_PutBoard(benchmark::State& state) {
    set_up();
    gfx_move(0, kH - 1);
    for (auto _ : state) {
        gfx_put_image(board, kW, kH);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Gfx_PutBoard);

void BM_SDL_PutBoard(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        SDL_BlitSurface(sdl.board, nullptr, sdl.target, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_SDL_PutBoard);

// ---------------------------------------------------------------- buffer copy

void BM_Gfx_CopyBuffer(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        gfx_copy_buffer(1, 0);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Gfx_CopyBuffer);

void BM_SDL_CopyBuffer(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        SDL_BlitSurface(sdl.backdrop, nullptr, sdl.target, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_SDL_CopyBuffer);

void BM_Memcpy_CopyBuffer(benchmark::State& state) {
    set_up();
    static uint8_t to[kW * kH];
    for (auto _ : state) {
        benchmark::DoNotOptimize(to);
        std::memcpy(to, board, sizeof to);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * kW * kH);
}
BENCHMARK(BM_Memcpy_CopyBuffer);

// ---------------------------------------------------------------- loading

// Ours reads the file from /tmp (the page cache); SDL's peer decodes the same
// bytes from memory, so ours also pays for opening and reading the file.
void BM_Gfx_LoadBmp(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gfx_load_image_file(kBmpPath, LOAD_NO_REDUCE));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bmp_file.size()));
}
BENCHMARK(BM_Gfx_LoadBmp);

void BM_SDL_LoadBmp(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        SDL_Surface* s = SDL_LoadBMP_RW(
            SDL_RWFromConstMem(bmp_file.data(), static_cast<int>(bmp_file.size())), 1);
        benchmark::DoNotOptimize(s);
        SDL_FreeSurface(s);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bmp_file.size()));
}
BENCHMARK(BM_SDL_LoadBmp);

// The same file through SDL's own file reading, like for like with ours.
void BM_SDL_LoadBmpFile(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        SDL_Surface* s = SDL_LoadBMP(kBmpPath);
        benchmark::DoNotOptimize(s);
        SDL_FreeSurface(s);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bmp_file.size()));
}
BENCHMARK(BM_SDL_LoadBmpFile);

// The 50x50 stone from a file, ours and SDL's.
void BM_Gfx_LoadStoneBmp(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        benchmark::DoNotOptimize(gfx_load_image_file(kStoneBmpPath, LOAD_NO_REDUCE));
    }
}
BENCHMARK(BM_Gfx_LoadStoneBmp);

void BM_SDL_LoadStoneBmpFile(benchmark::State& state) {
    set_up();
    for (auto _ : state) {
        SDL_Surface* s = SDL_LoadBMP(kStoneBmpPath);
        benchmark::DoNotOptimize(s);
        SDL_FreeSurface(s);
    }
}
BENCHMARK(BM_SDL_LoadStoneBmpFile);

}  // namespace
