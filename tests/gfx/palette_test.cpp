// The palette: its start colours, range changes and the buffers' colour tables.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using PaletteTest = GfxTest;

struct Colour {
    int32_t index;
    uint8_t r, g, b;
};

TEST_F(PaletteTest, StartsFromTheBuiltInColoursAllChangeable) {
    const Colour expected[] = {{0, 0, 0, 0},         {7, 192, 192, 192},   {9, 164, 200, 240},
                               {246, 255, 251, 240}, {255, 255, 255, 255}, {1, 128, 0, 0},
                               {10, 0, 0, 0},        {11, 0, 0, 0xAA},     {245, 0x2C, 0x30, 0x40},
                               {195, 0, 0x30, 0x40}};
    for (const Colour& c : expected) {
        const PaletteEntry& e = palette_entries[c.index];
        EXPECT_EQ(e.peRed, c.r) << c.index;
        EXPECT_EQ(e.peGreen, c.g) << c.index;
        EXPECT_EQ(e.peBlue, c.b) << c.index;
    }
    for (int32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(palette_entries[i].peFlags, PC_RESERVED) << i;
        EXPECT_EQ(color_table[i].rgbRed, palette_entries[i].peRed);
        EXPECT_EQ(color_table[i].rgbGreen, palette_entries[i].peGreen);
        EXPECT_EQ(color_table[i].rgbBlue, palette_entries[i].peBlue);
        EXPECT_EQ(color_table[i].rgbReserved, 0);
    }
}

std::vector<uint8_t> ramp(int32_t count, uint8_t seed) {
    std::vector<uint8_t> c(static_cast<size_t>(count) * 3);
    for (size_t i = 0; i < c.size(); ++i) c[i] = static_cast<uint8_t>(seed + i * 7);
    return c;
}

TEST_F(PaletteTest, RangeReplacesExactlyItsEntries) {
    PaletteEntry before[256];
    std::copy(palette_entries, palette_entries + 256, before);
    std::vector<uint8_t> c = ramp(236, 1);
    gfx_set_palette_range(10, 236, c.data());
    for (int32_t i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette_entries[i];
        if (i < 10 || i > 245) {
            EXPECT_EQ(e.peRed, before[i].peRed) << i;
            EXPECT_EQ(e.peGreen, before[i].peGreen) << i;
            EXPECT_EQ(e.peBlue, before[i].peBlue) << i;
        } else {
            size_t k = static_cast<size_t>(i - 10) * 3;
            EXPECT_EQ(e.peRed, c[k]) << i;
            EXPECT_EQ(e.peGreen, c[k + 1]) << i;
            EXPECT_EQ(e.peBlue, c[k + 2]) << i;
            EXPECT_EQ(color_table[i].rgbBlue, c[k + 2]);
            EXPECT_EQ(gfx_argb_table[i],
                      0xFF000000u | uint32_t{c[k]} << 16 | uint32_t{c[k + 1]} << 8 | c[k + 2]);
        }
    }
}

TEST_F(PaletteTest, EmptyRangeOrNoActiveBufferChangesNothing) {
    std::vector<uint8_t> c = ramp(236, 99);
    gfx_set_palette_range(10, 0, c.data());
    EXPECT_EQ(palette_entries[10].peBlue, 0);
    gfx_unselect_buffer();
    gfx_set_palette_range(10, 236, c.data());
    EXPECT_EQ(palette_entries[11].peBlue, 0xAA);
    EXPECT_EQ(palette_entries[11].peRed, 0);
}

TEST_F(PaletteTest, RangesReachingOutsideTheTableAreCut) {
    std::vector<uint8_t> c = ramp(20, 50);
    gfx_set_palette_range(250, 20, c.data());  // only 250..255 exist
    EXPECT_EQ(palette_entries[255].peRed, c[15]);
    gfx_set_palette_range(-3, 5, c.data());  // entries 0 and 1 take triplets 3 and 4
    EXPECT_EQ(palette_entries[0].peRed, c[9]);
    EXPECT_EQ(palette_entries[1].peBlue, c[14]);
    EXPECT_EQ(palette_entries[2].peRed, 0);
    gfx_set_palette_range(-30, 5, c.data());
    gfx_set_palette_range(300, 5, c.data());
    gfx_set_palette_range(10, -5, c.data());
    EXPECT_EQ(palette_entries[2].peRed, 0);
}

TEST_F(PaletteTest, OnlyTheActiveBufferTakesTheNewColourTable) {
    int32_t backdrop = gfx_create_buffer(800, 600);
    std::vector<uint8_t> c = ramp(236, 3);
    gfx_set_palette_range(10, 236, c.data());
    for (int32_t i = 0; i < 256; ++i) {
        EXPECT_EQ(std::memcmp(&gfx_buffers[buffer].colors[i], &color_table[i], 4), 0) << i;
    }
    EXPECT_EQ(gfx_buffers[backdrop].colors[11].rgbBlue, 0xAA);
    EXPECT_EQ(gfx_buffers[backdrop].colors[11].rgbRed, 0);
    gfx_set_buffer(backdrop);
    EXPECT_EQ(gfx_buffers[backdrop].colors[11].rgbRed, c[3]);
}

}  // namespace
