// cairnfall-web-screenshots FRAME.png OUT_DIR
//
// The page's screenshots for an install dialog, from an 800x600 frame of the
// game: OUT_DIR/wide.png, the frame as the game shows it held sideways, and
// OUT_DIR/narrow.png, the frame's parts as a phone held upright shows them (the
// shared picture composition): the play field on top at the full width, the
// menu bar's parts below it.
#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "common/png_write.h"
#include "platform/common/picture_layout.h"

namespace {

constexpr int32_t kWidth = 800, kHeight = 600;

// The composition's shape for a phone held upright: the field 600 wide, as in
// the frame.
constexpr int32_t kNarrowWidth = 600, kNarrowHeight = 1104;

// How much of the source pixel i the span [from, to) covers.
float overlap(int32_t i, float from, float to) {
    return std::max(0.0f, std::min(to, float(i + 1)) - std::max(from, float(i)));
}

// Draws a part: each picture pixel the mean of the frame's pixels under it,
// weighted by how much of each it covers.
void place(const std::vector<uint32_t>& frame, const PicturePart& p, std::vector<uint32_t>& out,
           int32_t out_width) {
    const float fx = float(p.source_width) / float(p.width);
    const float fy = float(p.source_height) / float(p.height);
    for (int32_t j = 0; j < p.height; ++j) {
        const float top = p.source_y + j * fy, bottom = top + fy;
        for (int32_t i = 0; i < p.width; ++i) {
            const float left = p.source_x + i * fx, right = left + fx;
            float sum[3] = {0, 0, 0}, total = 0;
            for (int32_t b = int32_t(top); b < bottom && b < kHeight; ++b) {
                const float wy = overlap(b, top, bottom);
                for (int32_t a = int32_t(left); a < right && a < kWidth; ++a) {
                    const float w = wy * overlap(a, left, right);
                    const uint32_t px = frame[static_cast<size_t>(b) * kWidth + a];
                    for (int32_t c = 0; c < 3; ++c)
                        sum[c] += w * float((px >> (16 - 8 * c)) & 0xFFu);
                    total += w;
                }
            }
            uint32_t rgb = 0;
            for (int32_t c = 0; c < 3; ++c) {
                rgb |= uint32_t(sum[c] / total + 0.5f) << (16 - 8 * c);
            }
            out[static_cast<size_t>(p.y + j) * out_width + p.x + i] = 0xFF000000u | rgb;
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
    const PictureComposition upright = picture_composition(kNarrowWidth, kNarrowHeight);
    for (int32_t i = 0; i < upright.count; ++i)
        place(frame, upright.parts[i], narrow, kNarrowWidth);
    const std::string out = argv[2];
    if (!write_png_argb((out + "/wide.png").c_str(), frame.data(), kWidth, kHeight) ||
        !write_png_argb((out + "/narrow.png").c_str(), narrow.data(), kNarrowWidth,
                        kNarrowHeight)) {
        std::fprintf(stderr, "cairnfall-web-screenshots: cannot write into %s\n", argv[2]);
        return 1;
    }
    return 0;
}
