// Writes bitmap files for the loader tests: any depth, header form, palette size
// and pixel function, optionally damaged afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

struct BmpLayout {
    int32_t bits = 8;
    int32_t width = 4;
    int32_t height = 4;  // negative: rows stored top row first
    int32_t palette_entries = 256;
    bool core = false;  // the 12-byte header with 3-byte palette entries
    uint32_t compression = 0;
    // Value of picture pixel (x, y), y counted from the top.
    std::function<uint8_t(int32_t x, int32_t y)> pixel = [](int32_t, int32_t) { return 0; };
};

// Colour k of every test palette.
inline uint8_t test_red(int32_t k) {
    return static_cast<uint8_t>(k);
}
inline uint8_t test_green(int32_t k) {
    return static_cast<uint8_t>(255 - k);
}
inline uint8_t test_blue(int32_t k) {
    return static_cast<uint8_t>(k * 3 + 1);
}

inline void put_le(std::vector<uint8_t>& b, size_t at, uint32_t v, int32_t bytes) {
    for (int32_t i = 0; i < bytes; ++i) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

inline std::vector<uint8_t> make_bmp(const BmpLayout& s) {
    const int32_t header = s.core ? 12 : 40;
    const int32_t entry = s.core ? 3 : 4;
    const int64_t rows = s.height < 0 ? -int64_t{s.height} : s.height;
    const int64_t row_bytes = (int64_t{s.width} * s.bits + 31) / 32 * 4;
    const int64_t data = 14 + header + int64_t{s.palette_entries} * entry;
    std::vector<uint8_t> b(static_cast<size_t>(data + row_bytes * rows), 0);
    b[0] = 'B';
    b[1] = 'M';
    put_le(b, 2, static_cast<uint32_t>(b.size()), 4);
    put_le(b, 10, static_cast<uint32_t>(data), 4);
    put_le(b, 14, static_cast<uint32_t>(header), 4);
    if (s.core) {
        put_le(b, 18, static_cast<uint32_t>(s.width), 2);
        put_le(b, 20, static_cast<uint32_t>(s.height), 2);
        put_le(b, 22, 1, 2);
        put_le(b, 24, static_cast<uint32_t>(s.bits), 2);
    } else {
        put_le(b, 18, static_cast<uint32_t>(s.width), 4);
        put_le(b, 22, static_cast<uint32_t>(s.height), 4);
        put_le(b, 26, 1, 2);
        put_le(b, 28, static_cast<uint32_t>(s.bits), 2);
        put_le(b, 30, s.compression, 4);
    }
    for (int32_t k = 0; k < s.palette_entries; ++k) {
        size_t at = static_cast<size_t>(14 + header + k * entry);
        b[at] = test_blue(k);
        b[at + 1] = test_green(k);
        b[at + 2] = test_red(k);
    }
    if (s.bits == 1 || s.bits == 4 || s.bits == 8) {
        for (int64_t i = 0; i < rows; ++i) {
            int32_t y = static_cast<int32_t>(s.height > 0 ? rows - 1 - i : i);
            uint8_t* row = b.data() + data + i * row_bytes;
            for (int32_t x = 0; x < s.width; ++x) {
                uint32_t v = s.pixel(x, y) & ((1u << s.bits) - 1);
                int64_t bit = int64_t{x} * s.bits;
                row[bit / 8] |= static_cast<uint8_t>(v << (8 - s.bits - bit % 8));
            }
        }
    }
    return b;
}

// Writes bytes to a file of that name in the temporary folder, named for the
// test too: ctest runs tests side by side.
inline std::string write_temp(const std::string& name, const std::vector<uint8_t>& bytes) {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string path =
        ::testing::TempDir() + "cairnfall_gfx_" + (test ? test->name() : "") + "_" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    EXPECT_NE(f, nullptr) << path;
    if (f == nullptr) return path;
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
}
