// The letterbox and the whole multiple of the picture, and points mapped back.
#include "platform/common/picture_layout.h"

#include "platform/platform.h"

namespace {

// Floor of a / b for b > 0, also for negative a.
int64_t floor_divide(int64_t a, int64_t b) {
    int64_t q = a / b;
    return q * b > a ? q - 1 : q;
}

int32_t to_picture(int32_t window, int32_t start, int32_t length, int32_t picture_length) {
    int64_t twice = 2 * (static_cast<int64_t>(window) - start) + 1;
    int64_t mapped = floor_divide(twice * picture_length, 2 * static_cast<int64_t>(length));
    if (mapped < INT32_MIN) return INT32_MIN;
    if (mapped > INT32_MAX) return INT32_MAX;
    return static_cast<int32_t>(mapped);
}

}  // namespace

PictureLayout picture_layout(int32_t width, int32_t height) {
    PictureLayout layout = {};
    layout.multiple = 1;
    if (width <= 0 || height <= 0) return layout;
    const int64_t w = width, h = height;
    int64_t picture_w = w, picture_h = h;
    if (w * kPictureHeight >= h * kPictureWidth) {
        picture_w = h * kPictureWidth / kPictureHeight;  // wider than 4:3: bars left and right
    } else {
        picture_h = w * kPictureHeight / kPictureWidth;  // taller: bars above and below
    }
    layout.width = static_cast<int32_t>(picture_w);
    layout.height = static_cast<int32_t>(picture_h);
    layout.x = static_cast<int32_t>((w - picture_w) / 2);
    layout.y = static_cast<int32_t>((h - picture_h) / 2);
    // Rounded up: the target is never smaller than the rectangle in either way.
    int64_t multiple = (picture_w + kPictureWidth - 1) / kPictureWidth;
    int64_t down = (picture_h + kPictureHeight - 1) / kPictureHeight;
    if (down > multiple) multiple = down;
    layout.multiple = multiple < 1 ? 1 : static_cast<int32_t>(multiple);
    layout.exact = picture_w == int64_t{kPictureWidth} * layout.multiple &&
                   picture_h == int64_t{kPictureHeight} * layout.multiple;
    return layout;
}

void area_to_picture(const PictureLayout& layout, int32_t* x, int32_t* y) {
    if (layout.width <= 0 || layout.height <= 0) return;
    *x = to_picture(*x, layout.x, layout.width, kPictureWidth);
    *y = to_picture(*y, layout.y, layout.height, kPictureHeight);
}
