// Scaling the 800x600 picture to the window. Nearest-neighbour at a scale such as
// 1.8 gives pixel columns of one and two screen pixels in turn, so text and
// outlines wobble; a plain linear stretch blurs every edge over almost two screen
// pixels. Crisp scaling draws the picture by nearest at the next whole multiple at
// or above the letterboxed size (every pixel the same square) into a render
// target, then lets linear filtering shrink that to the final size: the blend at
// an edge is then less than one screen pixel wide, and every column is as wide as
// the next. At an exact whole multiple the first pass alone is the result.
#include "platform/sdl/sdl_state.h"

namespace {

// Keeps a render target of width by height, made anew only when the size changes.
bool ensure_target(SDL_Renderer* renderer, SdlScaler* scaler, int32_t width, int32_t height) {
    if (scaler->target != nullptr && scaler->width == width && scaler->height == height) {
        return true;
    }
    sdl_scaler_release(scaler);
    SDL_Texture* target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888,
                                            SDL_TEXTUREACCESS_TARGET, width, height);
    if (target == nullptr) return false;
    SDL_SetTextureScaleMode(target, SDL_ScaleModeLinear);
    SDL_SetTextureBlendMode(target, SDL_BLENDMODE_NONE);
    scaler->target = target;
    scaler->width = width;
    scaler->height = height;
    return true;
}

}  // namespace

int32_t sdl_target_multiple(int32_t multiple, int32_t max_width, int32_t max_height) {
    // A renderer that names no limit (0) takes any size.
    if (max_width > 0 && multiple > max_width / kPictureWidth) multiple = max_width / kPictureWidth;
    if (max_height > 0 && multiple > max_height / kPictureHeight) {
        multiple = max_height / kPictureHeight;
    }
    return multiple < 1 ? 1 : multiple;
}

bool sdl_render_scaled(SDL_Renderer* renderer, SDL_Texture* picture, SdlScaler* scaler,
                       bool nearest) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) return false;
    const PictureComposition composition = picture_composition(width, height);
    // One target at the largest multiple any part needs; a part at an exact
    // multiple of its own is as sharp from there as by nearest alone.
    int32_t multiple = 1;
    bool exact = true;
    for (int32_t i = 0; i < composition.count; ++i) {
        const PicturePart& p = composition.parts[i];
        if (p.multiple > multiple) multiple = p.multiple;
        exact = exact && p.exact;
    }
    bool ok = true;
    SDL_Texture* source = picture;
    int32_t scale = 1;
    SDL_RendererInfo info;
    if (!nearest && !exact && SDL_GetRendererInfo(renderer, &info) == 0) {
        multiple = sdl_target_multiple(multiple, info.max_texture_width, info.max_texture_height);
    }
    if (!nearest && !exact && composition.count > 0 &&
        ensure_target(renderer, scaler, kPictureWidth * multiple, kPictureHeight * multiple) &&
        SDL_SetRenderTarget(renderer, scaler->target) == 0) {
        // The picture texture scales by nearest: the target holds square pixels.
        ok = SDL_RenderCopy(renderer, picture, nullptr, nullptr) == 0;
        ok = SDL_SetRenderTarget(renderer, nullptr) == 0 && ok;
        if (ok) {
            source = scaler->target;
            scale = multiple;
        }
    }
    // Without a target (a renderer that has none) the picture is shown by nearest.
    ok = SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255) == 0;
    ok = SDL_RenderClear(renderer) == 0 && ok;
    for (int32_t i = 0; i < composition.count; ++i) {
        const PicturePart& p = composition.parts[i];
        const SDL_Rect from = {p.source_x * scale, p.source_y * scale, p.source_width * scale,
                               p.source_height * scale};
        const SDL_Rect to = {p.x, p.y, p.width, p.height};
        ok = SDL_RenderCopy(renderer, source, &from, &to) == 0 && ok;
    }
    return ok;
}

void sdl_scaler_release(SdlScaler* scaler) {
    if (scaler->target != nullptr) SDL_DestroyTexture(scaler->target);
    *scaler = {};
}
