// Scaling the 800x600 picture's parts to the window, placed by the composition
// every backend shares, by the rule every backend keeps: nearest at the next
// whole multiple at or above a part's size on screen (every pixel the same
// square), then linear down to the final size, so that an edge's
// blend is under one screen pixel wide. Done in our own code straight into a
// client-sized 32-bit picture (the two passes fold into one: each output pixel
// blends up to four picture pixels, found through per-axis tables made when the
// size changes), which GDI then copies 1:1.
#include <cstdlib>
#include <cstring>

#include "platform/win32/win32_state.h"

namespace {

void release_axis(WinAxis* axis) {
    std::free(axis->first);
    *axis = {};
}

// Fills the table of one axis: `length` output pixels showing `picture` pixels
// from output pixel `start` on, through a nearest copy `multiple` times as large
// (crisp), or straight by nearest.
bool make_axis(WinAxis* axis, int32_t output, int32_t start, int32_t length, int32_t picture,
               int32_t multiple, bool nearest) {
    release_axis(axis);
    if (output <= 0) return true;
    int32_t* memory = static_cast<int32_t*>(std::malloc(sizeof(int32_t) * 3 * output));
    if (memory == nullptr) return false;
    axis->first = memory;
    axis->second = memory + output;
    axis->weight = memory + 2 * output;
    const int64_t big = static_cast<int64_t>(picture) * multiple;  // the copy's size
    for (int32_t i = 0; i < output; ++i) {
        int32_t p = i - start;
        int32_t a = -1, b = -1, w = 0;
        if (p >= 0 && p < length) {
            if (nearest) {
                a = b =
                    static_cast<int32_t>((2 * int64_t{p} + 1) * picture / (2 * int64_t{length}));
            } else {
                // The centre of output pixel p in the copy's pixels, minus half a
                // pixel, in 1/256ths: u = (p + 0.5) * big / length - 0.5.
                int64_t u = ((2 * int64_t{p} + 1) * big * 256) / (2 * int64_t{length}) - 128;
                if (u < 0) u = 0;
                int64_t i0 = u >> 8;
                int64_t i1 = i0 + 1 < big ? i0 + 1 : big - 1;
                a = static_cast<int32_t>(i0 / multiple);
                b = static_cast<int32_t>(i1 / multiple);
                w = a == b ? 0 : static_cast<int32_t>(u & 255);
            }
        }
        axis->first[i] = a;
        axis->second[i] = b;
        axis->weight[i] = w;
    }
    return true;
}

// (1 - w) * p + w * q for 0 <= w <= 256, the three colour channels at once.
inline uint32_t blend(uint32_t p, uint32_t q, uint32_t w) {
    uint32_t rb = ((p & 0xFF00FF) * (256 - w) + (q & 0xFF00FF) * w) >> 8;
    uint32_t g = ((p & 0x00FF00) * (256 - w) + (q & 0x00FF00) * w) >> 8;
    return (rb & 0xFF00FF) | (g & 0x00FF00);
}

}  // namespace

bool win_render(int32_t width, int32_t height, bool nearest) {
    WinDisplay& d = win_display;
    if (width <= 0 || height <= 0) return false;
    if (d.client == nullptr || d.client_width != width || d.client_height != height ||
        d.client_nearest != nearest) {
        win_render_release();
        d.client = static_cast<uint32_t*>(
            std::malloc(sizeof(uint32_t) * static_cast<size_t>(width) * height));
        if (d.client == nullptr) return false;
        d.composition = picture_composition(width, height);
        for (int32_t i = 0; i < d.composition.count; ++i) {
            const PicturePart& p = d.composition.parts[i];
            // At an exact multiple nearest alone is the crisp result.
            bool plain = nearest || p.exact;
            if (!make_axis(&d.columns[i], p.width, 0, p.width, p.source_width, p.multiple, plain) ||
                !make_axis(&d.rows[i], p.height, 0, p.height, p.source_height, p.multiple, plain)) {
                win_render_release();
                return false;
            }
        }
        d.client_width = width;
        d.client_height = height;
        d.client_nearest = nearest;
    }
    std::memset(d.client, 0, sizeof(uint32_t) * static_cast<size_t>(width) * height);
    for (int32_t i = 0; i < d.composition.count; ++i) {
        const PicturePart& p = d.composition.parts[i];
        const WinAxis& columns = d.columns[i];
        const WinAxis& rows = d.rows[i];
        const uint32_t* source = d.picture + p.source_y * kPictureWidth + p.source_x;
        for (int32_t y = 0; y < p.height; ++y) {
            uint32_t* out = d.client + static_cast<size_t>(p.y + y) * width + p.x;
            const uint32_t* top = source + rows.first[y] * kPictureWidth;
            const uint32_t* bottom = source + rows.second[y] * kPictureWidth;
            const uint32_t wy = static_cast<uint32_t>(rows.weight[y]);
            for (int32_t x = 0; x < p.width; ++x) {
                int32_t a = columns.first[x];
                int32_t b = columns.second[x];
                uint32_t wx = static_cast<uint32_t>(columns.weight[x]);
                uint32_t upper = wx == 0 ? top[a] : blend(top[a], top[b], wx);
                if (wy == 0) {
                    out[x] = upper;
                } else {
                    uint32_t lower = wx == 0 ? bottom[a] : blend(bottom[a], bottom[b], wx);
                    out[x] = blend(upper, lower, wy);
                }
            }
        }
    }
    return true;
}

void win_render_release() {
    WinDisplay& d = win_display;
    std::free(d.client);
    d.client = nullptr;
    d.client_width = d.client_height = 0;
    for (int32_t i = 0; i < kMaxPictureParts; ++i) {
        release_axis(&d.columns[i]);
        release_axis(&d.rows[i]);
    }
    d.composition = {};
}

void win_blit(HDC dc) {
    const WinDisplay& d = win_display;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = d.client_width;
    info.bmiHeader.biHeight = -d.client_height;  // rows top first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, d.client_width, d.client_height, 0, 0, 0, d.client_height, d.client,
                      &info, DIB_RGB_COLORS);
}

void win_client_to_picture(int32_t* x, int32_t* y) {
    RECT client;
    if (win_display.window == nullptr || !GetClientRect(win_display.window, &client)) return;
    composition_to_picture(picture_composition(client.right, client.bottom), x, y);
}
