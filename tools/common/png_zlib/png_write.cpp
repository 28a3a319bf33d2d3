// PNG files written with zlib alone, for the builds that have no libpng (Windows,
// and the headless game under node): the file is made in memory, its rows unfiltered in one
// compressed stream, and written through the platform's file calls.
#include "common/png_write.h"

#include <zlib.h>

#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace {

void put_u32(std::vector<uint8_t>* out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<uint8_t>(v >> shift));
}

// Appends a chunk: its length, its type and data, and the CRC-32 of those two.
void put_chunk(std::vector<uint8_t>* out, const char* type, const uint8_t* data, size_t size) {
    put_u32(out, static_cast<uint32_t>(size));
    size_t start = out->size();
    out->insert(out->end(), type, type + 4);
    out->insert(out->end(), data, data + size);
    uLong crc = crc32(0L, Z_NULL, 0);
    crc = crc32(crc, out->data() + start, static_cast<uInt>(out->size() - start));
    put_u32(out, static_cast<uint32_t>(crc));
}

bool write_png(const char* path, const uint32_t* argb, int32_t width, int32_t height,
               int32_t channels) {
    if (width <= 0 || height <= 0 || width > 65536 || height > 65536) return false;
    const size_t row_bytes = static_cast<size_t>(width) * channels + 1;
    std::vector<uint8_t> raw(row_bytes * static_cast<size_t>(height));
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* out = raw.data() + row_bytes * static_cast<size_t>(y);
        *out++ = 0;  // no filter
        const uint32_t* src = argb + static_cast<size_t>(y) * width;
        for (int32_t x = 0; x < width; ++x) {
            *out++ = static_cast<uint8_t>(src[x] >> 16);
            *out++ = static_cast<uint8_t>(src[x] >> 8);
            *out++ = static_cast<uint8_t>(src[x]);
            if (channels == 4) *out++ = static_cast<uint8_t>(src[x] >> 24);
        }
    }
    uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packed_size);
    if (compress2(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size()), 6) !=
        Z_OK) {
        return false;
    }
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    std::vector<uint8_t> file(kSignature, kSignature + 8);
    std::vector<uint8_t> header;
    put_u32(&header, static_cast<uint32_t>(width));
    put_u32(&header, static_cast<uint32_t>(height));
    // 8 bits a sample, RGB (2) or RGBA (6), deflate, no filter method, no interlace.
    const uint8_t rest[5] = {8, static_cast<uint8_t>(channels == 4 ? 6 : 2), 0, 0, 0};
    header.insert(header.end(), rest, rest + 5);
    put_chunk(&file, "IHDR", header.data(), header.size());
    put_chunk(&file, "IDAT", packed.data(), packed_size);
    put_chunk(&file, "IEND", nullptr, 0);
    return platform_write_file_atomic(path, file.data(), file.size());
}

}  // namespace

bool write_png_argb(const char* path, const uint32_t* argb, int32_t width, int32_t height) {
    return write_png(path, argb, width, height, 3);
}

bool write_png_argb_alpha(const char* path, const uint32_t* argb, int32_t width, int32_t height) {
    return write_png(path, argb, width, height, 4);
}
