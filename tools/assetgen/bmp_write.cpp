#include "assetgen/bmp_write.h"

#include <cstdio>

#include "assetgen/palette.h"

namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v) {
    for (int32_t i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> bmp8_bytes(const uint8_t* indices, int32_t width, int32_t height) {
    build_art_palette();
    const uint32_t row_bytes = (static_cast<uint32_t>(width) + 3u) & ~3u;
    const uint32_t header = 14 + 40 + 256 * 4;
    const uint32_t image_bytes = row_bytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> out(header + image_bytes, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, header + image_bytes);
    put32(out, 10, header);
    put32(out, 14, 40);
    put32(out, 18, static_cast<uint32_t>(width));
    put32(out, 22, static_cast<uint32_t>(height));
    put16(out, 26, 1);  // planes
    put16(out, 28, 8);  // bits per pixel
    put32(out, 30, 0);  // no compression
    put32(out, 34, image_bytes);
    put32(out, 38, 2835);  // 72 dots per inch
    put32(out, 42, 2835);
    put32(out, 46, 256);
    put32(out, 50, 0);
    for (int32_t i = 0; i < 256; ++i) {
        out[54 + i * 4 + 0] = art_palette[i][2];
        out[54 + i * 4 + 1] = art_palette[i][1];
        out[54 + i * 4 + 2] = art_palette[i][0];
    }
    for (int32_t r = 0; r < height; ++r) {
        const uint8_t* src = indices + static_cast<size_t>(height - 1 - r) * width;
        uint8_t* dst = out.data() + header + static_cast<size_t>(r) * row_bytes;
        for (int32_t x = 0; x < width; ++x) dst[x] = src[x];
    }
    return out;
}

bool write_bmp8(const char* path, const uint8_t* indices, int32_t width, int32_t height) {
    std::vector<uint8_t> bytes = bmp8_bytes(indices, width, height);
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && ok;
}
