// cairnfall-web-screenshots FRAME.png OUT_DIR
//
// The page's screenshots for an install dialog, from an 800x600 frame of the
// game: OUT_DIR/wide.png, the frame as the game shows it held sideways, and
// OUT_DIR/narrow.png, the upright composition: the play field (the frame's right
// 600x600) on top at the full width, the menu bar below it in two columns at one
// and a half times its size, split between the level and the first button so
// that no panel or button is cut.
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/png_write.h"

namespace {

constexpr int32_t kWidth = 800, kHeight = 600;
constexpr int32_t kBarWidth = 200, kSplit = 296;  // the menu bar; its first button's top
constexpr int32_t kNarrowWidth = 600, kNarrowHeight = 600 + (kHeight - kSplit) * 3 / 2;

// Copies the frame's rectangle (sx, sy, sw, sh) scaled by 3/2 to (x, y) of the
// narrow picture, each pixel the mean of the source pixels it covers.
void place(const std::vector<uint32_t>& frame, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
           std::vector<uint32_t>& out, int32_t x, int32_t y) {
    for (int32_t j = 0; j < sh * 3 / 2; ++j) {
        for (int32_t i = 0; i < sw * 3 / 2; ++i) {
            // The out pixel spans source [2i/3, 2(i+1)/3): one pixel or two halves.
            uint32_t sum[3] = {0, 0, 0}, n = 0;
            for (int32_t b = (2 * j) / 3; b <= (2 * j + 1) / 3; ++b) {
                for (int32_t a = (2 * i) / 3; a <= (2 * i + 1) / 3; ++a) {
                    uint32_t p = frame[static_cast<size_t>(sy + b) * kWidth + sx + a];
                    for (int32_t c = 0; c < 3; ++c) sum[c] += (p >> (16 - 8 * c)) & 0xFFu;
                    ++n;
                }
            }
            out[static_cast<size_t>(y + j) * kNarrowWidth + x + i] =
                0xFF000000u | (sum[0] / n) << 16 | (sum[1] / n) << 8 | sum[2] / n;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: cairnfall-web-screenshots FRAME.png OUT_DIR\n");
        return 2;
    }
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    std::vector<uint32_t> frame;
    if (png_image_begin_read_from_file(&image, argv[1])) {
        image.format = PNG_FORMAT_BGRA;  // little-endian words of 0xAARRGGBB
        if (image.width == kWidth && image.height == kHeight) {
            frame.resize(static_cast<size_t>(kWidth) * kHeight);
            if (!png_image_finish_read(&image, nullptr, frame.data(), 0, nullptr)) frame.clear();
        }
        png_image_free(&image);
    }
    if (frame.empty()) {
        std::fprintf(stderr, "cairnfall-web-screenshots: %s is not an 800x600 PNG picture\n",
                     argv[1]);
        return 1;
    }
    std::vector<uint32_t> narrow(static_cast<size_t>(kNarrowWidth) * kNarrowHeight, 0xFF000000u);
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < 600; ++x) {
            narrow[static_cast<size_t>(y) * kNarrowWidth + x] =
                frame[static_cast<size_t>(y) * kWidth + kBarWidth + x];
        }
    }
    place(frame, 0, 0, kBarWidth, kSplit, narrow, 0, 600);
    place(frame, 0, kSplit, kBarWidth, kHeight - kSplit, narrow, kNarrowWidth / 2, 600);
    const std::string out = argv[2];
    if (!write_png_argb((out + "/wide.png").c_str(), frame.data(), kWidth, kHeight) ||
        !write_png_argb((out + "/narrow.png").c_str(), narrow.data(), kNarrowWidth,
                        kNarrowHeight)) {
        std::fprintf(stderr, "cairnfall-web-screenshots: cannot write into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
