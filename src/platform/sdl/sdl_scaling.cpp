// Scaling the 800x600 picture to the window. Nearest-neighbour at a scale such as
// 1.8 gives pixel columns of one and two screen pixels in turn, so text and
// outlines wobble. Crisp scaling draws the picture at the largest integer multiple
// that fits (every pixel the same square) into a render target, then lets linear
// filtering cover the remaining fraction evenly. At an exact integer scale the
// first pass alone is the result.
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

SdlLayout sdl_layout(int32_t width, int32_t height) {
    SdlLayout layout = {};
    layout.multiple = 1;
    if (width <= 0 || height <= 0) return layout;
    const int64_t w = width;
    const int64_t h = height;
    int64_t picture_w = w;
    int64_t picture_h = h;
    if (w * kPictureHeight >= h * kPictureWidth) {
        picture_w = h * kPictureWidth / kPictureHeight;  // wider than 4:3: bars left and right
    } else {
        picture_h = w * kPictureHeight / kPictureWidth;  // taller: bars above and below
    }
    layout.picture.w = static_cast<int>(picture_w);
    layout.picture.h = static_cast<int>(picture_h);
    layout.picture.x = static_cast<int>((w - picture_w) / 2);
    layout.picture.y = static_cast<int>((h - picture_h) / 2);
    int64_t multiple = picture_w / kPictureWidth;
    if (picture_h / kPictureHeight < multiple) multiple = picture_h / kPictureHeight;
    layout.multiple = multiple < 1 ? 1 : static_cast<int32_t>(multiple);
    layout.exact = picture_w == int64_t{kPictureWidth} * layout.multiple &&
                   picture_h == int64_t{kPictureHeight} * layout.multiple;
    return layout;
}

bool sdl_render_scaled(SDL_Renderer* renderer, SDL_Texture* picture, SdlScaler* scaler,
                       bool nearest) {
    int width = 0;
    int height = 0;
    if (SDL_GetRendererOutputSize(renderer, &width, &height) != 0) return false;
    const SdlLayout layout = sdl_layout(width, height);
    bool ok = true;
    SDL_Texture* source = picture;
    if (!nearest && !layout.exact && layout.picture.w > 0 &&
        ensure_target(renderer, scaler, kPictureWidth * layout.multiple,
                      kPictureHeight * layout.multiple) &&
        SDL_SetRenderTarget(renderer, scaler->target) == 0) {
        // The picture texture scales by nearest: the target holds square pixels.
        ok = SDL_RenderCopy(renderer, picture, nullptr, nullptr) == 0;
        ok = SDL_SetRenderTarget(renderer, nullptr) == 0 && ok;
        if (ok) source = scaler->target;
    }
    // Without a target (a renderer that has none) the picture is shown by nearest.
    ok = SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255) == 0;
    ok = SDL_RenderClear(renderer) == 0 && ok;
    if (layout.picture.w > 0) {
        ok = SDL_RenderCopy(renderer, source, nullptr, &layout.picture) == 0 && ok;
    }
    return ok;
}

void sdl_scaler_release(SdlScaler* scaler) {
    if (scaler->target != nullptr) SDL_DestroyTexture(scaler->target);
    *scaler = {};
}
