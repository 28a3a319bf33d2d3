// Image blits: the colour-keyed put (index 0 is see-through), its clipped form,
// and the get that copies a block of the active buffer into an Image.
#include <cstring>

#include "gfx/gfx_internal.h"

namespace {

// dst = src where src is not 0, for two chunks of N bytes at a and b, which may
// overlap: both are read before either is written, so the overlap gets the same
// bytes from each. Going through local copies shows the compiler that nothing
// aliases, so the select becomes vector compares and blends.
template <size_t N>
inline void keyed_pair(uint8_t* dst, const uint8_t* src, size_t a, size_t b) {
    uint8_t sa[N], sb[N], da[N], db[N];
    std::memcpy(sa, src + a, N);
    std::memcpy(sb, src + b, N);
    std::memcpy(da, dst + a, N);
    std::memcpy(db, dst + b, N);
    for (size_t k = 0; k < N; ++k) da[k] = sa[k] != 0 ? sa[k] : da[k];
    for (size_t k = 0; k < N; ++k) db[k] = sb[k] != 0 ? sb[k] : db[k];
    std::memcpy(dst + a, da, N);
    std::memcpy(dst + b, db, N);
}

// One row of the keyed put: whole 32-byte chunks, and the last stretch of 32 to
// 64 bytes as two chunks that may overlap.
void keyed_row(uint8_t* dst, const uint8_t* src, size_t n) {
    if (n >= 32) {
        size_t i = 0;
        for (; i + 64 < n; i += 32) keyed_pair<16>(dst, src, i, i + 16);
        keyed_pair<32>(dst, src, i, n - 32);
    } else if (n >= 16) {
        keyed_pair<16>(dst, src, 0, n - 16);
    } else {
        for (size_t i = 0; i < n; ++i) {
            uint8_t v = src[i];
            if (v != 0) dst[i] = v;
        }
    }
}

// The part of a width x height picture at (x, y) (its bottom-left pixel) that
// lies inside the given bounds: image rows and columns to skip, and how many.
struct Cut {
    int64_t first_col, first_row;  // first image column and row drawn
    int64_t cols, rows;            // how many of each
    int64_t x, y;                  // buffer pixel of the first drawn one (bottom-left)
};

// Cuts the picture to xmin..xmax by ymin..ymax. False when nothing remains.
bool cut(int64_t x, int64_t y, int64_t width, int64_t height, int64_t xmin, int64_t xmax,
         int64_t ymin, int64_t ymax, Cut* c) {
    if (width < 1 || height < 1) return false;
    int64_t skip_left = x < xmin ? xmin - x : 0;
    int64_t rows = height;
    int64_t top = y - height + 1;
    if (top < ymin) rows -= ymin - top;
    int64_t skip_rows = y > ymax ? y - ymax : 0;
    rows -= skip_rows;
    if (rows <= 0) return false;
    int64_t right = x + width - 1;
    int64_t skip_right = right > xmax ? right - xmax : 0;
    int64_t cols = width - skip_right - skip_left;
    if (cols <= 0) return false;
    *c = {skip_left, skip_rows, cols, rows, x + skip_left, y - skip_rows};
    return true;
}

void put(const uint8_t* image, int64_t width, const Cut& c) {
    const uint8_t* src = image + c.first_row * width + c.first_col;
    uint8_t* dst = gfx_pixel_address(static_cast<int32_t>(c.x), static_cast<int32_t>(c.y));
    for (int64_t r = 0; r < c.rows; ++r, src += width, dst += gfx.stride) {
        keyed_row(dst, src, static_cast<size_t>(c.cols));
    }
}

}  // namespace

// The game keeps these pictures inside the buffer; one that strays is cut to the
// buffer instead of being written past it.
int32_t gfx_put_image(const uint8_t* image, int32_t width, int32_t height) {
    if (gfx.active < 0 || image == nullptr) return 0;
    Cut c;
    if (cut(gfx.pos_x, gfx.pos_y, width, height, 0, gfx.width - 1, 0, gfx.height - 1, &c)) {
        put(image, width, c);
    }
    return 0;
}

int32_t gfx_put_image_clipped(const uint8_t* image, int32_t width, int32_t height) {
    if (gfx.active < 0 || image == nullptr) return 0;
    Cut c;
    if (cut(gfx.pos_x, gfx.pos_y, width, height, gfx.xmin, gfx.xmax, gfx.ymin, gfx.ymax, &c)) {
        put(image, width, c);
    }
    return 0;
}

// Copies every byte, 0 included. Image bytes whose pixel would lie outside the
// buffer are left as they were.
int32_t gfx_get_image(uint8_t* image, int32_t width, int32_t height) {
    if (gfx.active < 0 || image == nullptr) return 0;
    Cut c;
    if (!cut(gfx.pos_x, gfx.pos_y, width, height, 0, gfx.width - 1, 0, gfx.height - 1, &c)) {
        return 0;
    }
    uint8_t* dst = image + c.first_row * width + c.first_col;
    const uint8_t* src = gfx_pixel_address(static_cast<int32_t>(c.x), static_cast<int32_t>(c.y));
    for (int64_t r = 0; r < c.rows; ++r, dst += width, src += gfx.stride) {
        std::memcpy(dst, src, static_cast<size_t>(c.cols));
    }
    return 0;
}
