#include "common/png_write.h"

#include <png.h>

#include <cstdio>
#include <vector>

namespace {

// Writes the picture with 3 (RGB) or 4 (RGBA) channels.
bool write_png(const char* path, const uint32_t* argb, int32_t width, int32_t height,
               int32_t channels) {
    if (width <= 0 || height <= 0) return false;
    // Allocated before setjmp, so a libpng error jumping back skips no destructor.
    std::vector<png_byte> row(static_cast<size_t>(width) * channels);
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 channels == 4 ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int32_t y = 0; y < height; ++y) {
        const uint32_t* src = argb + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
            png_byte* out = row.data() + static_cast<size_t>(x) * channels;
            out[0] = static_cast<png_byte>(src[x] >> 16);
            out[1] = static_cast<png_byte>(src[x] >> 8);
            out[2] = static_cast<png_byte>(src[x]);
            if (channels == 4) out[3] = static_cast<png_byte>(src[x] >> 24);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

}  // namespace

bool write_png_argb(const char* path, const uint32_t* argb, int32_t width, int32_t height) {
    return write_png(path, argb, width, height, 3);
}

bool write_png_argb_alpha(const char* path, const uint32_t* argb, int32_t width, int32_t height) {
    return write_png(path, argb, width, height, 4);
}
