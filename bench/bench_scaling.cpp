// One presented frame at 1920x1080 with SDL's software renderer: the upload of
// the 800x600 picture, the scaling to the letterboxed 1440x1080 and the present.
// "before" is the presentation as it was (the renderer's logical size, nearest,
// a blended texture), "nearest" the --scale=nearest path of today and "crisp" the
// default: nearest at the next whole multiple (1600x1200) into a target, then
// linear down.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "platform/sdl/sdl_state.h"

namespace {

struct ScalingBench {
    bool ready;
    SDL_Window* window;
    SDL_Renderer* renderer;
    SDL_Texture* picture;  // nearest, no blending: today's picture texture
    SDL_Texture* blended;  // the texture as it was made before
    SdlScaler scaler;
    std::vector<uint32_t> argb;
};

ScalingBench bench;

// A picture with detail everywhere: thin lines and stripes like text and outlines.
void fill_picture() {
    bench.argb.resize(800 * 600);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; ++x) {
            uint32_t v = ((x / 3 + y / 5) % 7 == 0 || (x ^ y) % 11 == 0) ? 0xF0u : 0x20u;
            bench.argb[y * 800 + x] = 0xFF000000u | v << 16 | (v / 2) << 8 | (0xFFu - v);
        }
    }
}

bool prepare() {
    if (bench.ready) return bench.renderer != nullptr;
    bench.ready = true;
    // Memory-only video and SDL's own software renderer: the same work on any
    // machine, display or not.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    SDL_SetHint(SDL_HINT_RENDER_VSYNC, "0");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    bench.window = SDL_CreateWindow("bench", 0, 0, 1920, 1080, 0);
    if (bench.window == nullptr) return false;
    bench.renderer = SDL_CreateRenderer(bench.window, -1, SDL_RENDERER_SOFTWARE);
    if (bench.renderer == nullptr) return false;
    bench.picture = SDL_CreateTexture(bench.renderer, SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, 800, 600);
    bench.blended = SDL_CreateTexture(bench.renderer, SDL_PIXELFORMAT_ARGB8888,
                                      SDL_TEXTUREACCESS_STREAMING, 800, 600);
    if (bench.picture == nullptr || bench.blended == nullptr) {
        bench.renderer = nullptr;
        return false;
    }
    SDL_SetTextureScaleMode(bench.picture, SDL_ScaleModeNearest);
    SDL_SetTextureBlendMode(bench.picture, SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(bench.blended, SDL_ScaleModeNearest);
    fill_picture();
    return true;
}

void upload(SDL_Texture* texture) {
    SDL_UpdateTexture(texture, nullptr, bench.argb.data(), 800 * 4);
}

void BM_PresentBefore(benchmark::State& state) {
    if (!prepare()) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    SDL_RenderSetLogicalSize(bench.renderer, 800, 600);
    for (auto _ : state) {
        upload(bench.blended);
        SDL_SetRenderDrawColor(bench.renderer, 0, 0, 0, 255);
        SDL_RenderClear(bench.renderer);
        SDL_RenderCopy(bench.renderer, bench.blended, nullptr, nullptr);
        SDL_RenderPresent(bench.renderer);
    }
    SDL_RenderSetLogicalSize(bench.renderer, 0, 0);
}
BENCHMARK(BM_PresentBefore)->Unit(benchmark::kMillisecond);

void present(benchmark::State& state, bool nearest) {
    if (!prepare()) {
        state.SkipWithError(SDL_GetError());
        return;
    }
    for (auto _ : state) {
        upload(bench.picture);
        sdl_render_scaled(bench.renderer, bench.picture, &bench.scaler, nearest);
        SDL_RenderPresent(bench.renderer);
    }
}

void BM_PresentNearest(benchmark::State& state) {
    present(state, true);
}
BENCHMARK(BM_PresentNearest)->Unit(benchmark::kMillisecond);

void BM_PresentCrisp(benchmark::State& state) {
    present(state, false);
}
BENCHMARK(BM_PresentCrisp)->Unit(benchmark::kMillisecond);

}  // namespace
