// The image loader: result codes, decoding of each depth, rows across the read
// buffer's boundary, the installed colours, and damaged files; from a file and
// from the same bytes in memory alike.
#include <cstring>
#include <vector>

#include "bmp_files.h"
#include "gfx_fixture.h"

namespace {

class LoaderTest : public GfxTest {
  public:
    void SetUp() override {
        GfxTest::SetUp();
        std::copy(palette_entries, palette_entries + 256, before);
    }

    // Fills the buffer with 5 so that untouched pixels show.
    void fill() {
        gfx_set_color(5);
        gfx_rect(0, 799, 0, 599);
    }

    // Loads the bytes from a file, then again from memory onto the same pixels and
    // colours: both must give the same result, pixels and colours.
    int32_t load(const std::string& name, const std::vector<uint8_t>& bytes) {
        const size_t size = static_cast<size_t>(gfx.byte_size);
        std::vector<uint8_t> start(gfx.pixels, gfx.pixels + size);
        std::vector<PaletteEntry> start_colours(palette_entries, palette_entries + 256);
        int32_t result = gfx_load_image_file(write_temp(name, bytes).c_str(), LOAD_NO_REDUCE);
        std::vector<uint8_t> pixels(gfx.pixels, gfx.pixels + size);
        std::vector<PaletteEntry> colours(palette_entries, palette_entries + 256);
        std::copy(start.begin(), start.end(), gfx.pixels);
        std::copy(start_colours.begin(), start_colours.end(), palette_entries);
        EXPECT_EQ(
            gfx_load_image_bytes(bytes.data(), static_cast<int64_t>(bytes.size()), LOAD_NO_REDUCE),
            result)
            << name;
        EXPECT_EQ(std::memcmp(pixels.data(), gfx.pixels, size), 0) << name;
        EXPECT_EQ(std::memcmp(colours.data(), palette_entries, sizeof(PaletteEntry) * 256), 0)
            << name;
        return result;
    }

    bool palette_unchanged() const {
        return std::memcmp(before, palette_entries, sizeof before) == 0;
    }

    PaletteEntry before[256];
};

uint8_t value8(int32_t x, int32_t y) {
    return static_cast<uint8_t>(x * 3 + y * 5 + 1);
}
uint8_t value4(int32_t x, int32_t y) {
    return static_cast<uint8_t>((x + 2 * y) % 16);
}
uint8_t value1(int32_t x, int32_t y) {
    return static_cast<uint8_t>(((x / 3) ^ y) & 1);
}

TEST_F(LoaderTest, MissingFileCannotBeOpened) {
    fill();
    EXPECT_EQ(gfx_load_image_file("/nonexistent/cairnfall/board_", LOAD_NO_REDUCE),
              LOAD_CANNOT_OPEN);
    EXPECT_EQ(gfx_load_image_file(nullptr, LOAD_NO_REDUCE), LOAD_CANNOT_OPEN);
    EXPECT_EQ(at(0, 0), 5);
    EXPECT_TRUE(palette_unchanged());
}

TEST_F(LoaderTest, NoActiveBufferIsOkWithoutOpening) {
    gfx_unselect_buffer();
    EXPECT_EQ(gfx_load_image_file("/nonexistent/cairnfall/board_", LOAD_NO_REDUCE), LOAD_OK);
}

struct CodeCase {
    const char* name;
    int32_t bits;
    uint32_t compression;
    int32_t expected;
};

TEST_F(LoaderTest, ResultCodesInTheirOrder) {
    const CodeCase cases[] = {
        {"8-bit", 8, 0, LOAD_OK},
        {"compressed 8-bit", 8, 1, LOAD_COMPRESSED},
        {"compression low byte only", 8, 0x100, LOAD_OK},
        {"compressed 24-bit", 24, 2, LOAD_COMPRESSED},
        {"24-bit", 24, 0, LOAD_BAD_DEPTH},
        {"16-bit", 16, 0, LOAD_BAD_DEPTH},
        {"32-bit", 32, 0, LOAD_BAD_DEPTH},
        {"2-bit", 2, 0, LOAD_BAD_DEPTH},
        {"0-bit", 0, 0, LOAD_BAD_DEPTH},
    };
    for (const CodeCase& c : cases) {
        fill();
        std::copy(palette_entries, palette_entries + 256, before);
        BmpLayout s;
        s.bits = c.bits;
        s.compression = c.compression;
        s.pixel = value8;
        EXPECT_EQ(load("codes", make_bmp(s)), c.expected) << c.name;
        if (c.expected != LOAD_OK) {
            EXPECT_EQ(at(0, 0), 5) << c.name;
            EXPECT_TRUE(palette_unchanged()) << c.name;
        }
    }
}

TEST_F(LoaderTest, NotABitmap) {
    fill();
    std::vector<uint8_t> b = make_bmp(BmpLayout{});
    b[0] = 'X';
    EXPECT_EQ(load("magic", b), LOAD_NOT_BMP);
    EXPECT_EQ(load("empty", {}), LOAD_NOT_BMP);
    EXPECT_EQ(load("one byte", {'B'}), LOAD_NOT_BMP);
    EXPECT_EQ(at(0, 0), 5);
    EXPECT_TRUE(palette_unchanged());
}

// Checks that the top-left width x height of the buffer holds the picture and the
// rest of the buffer still holds 5.
void expect_picture(int32_t width, int32_t height,
                    const std::function<uint8_t(int32_t, int32_t)>& want, const char* name) {
    int32_t errors = 0;
    for (int32_t y = 0; y < 600 && errors < 5; ++y) {
        for (int32_t x = 0; x < 800 && errors < 5; ++x) {
            uint8_t expected = x < width && y < height ? want(x, y) : 5;
            if (GfxTest::at(x, y) != expected) {
                ADD_FAILURE() << name << ": (" << x << ", " << y << ") is "
                              << int(GfxTest::at(x, y)) << ", not " << int(expected);
                ++errors;
            }
        }
    }
}

struct DecodeCase {
    const char* name;
    int32_t bits, width, height;
    bool core;
};

// Rows of these sizes cross the 4096-byte boundary of the read buffer at many
// different points of a row (and whole rows lie beyond the first read).
TEST_F(LoaderTest, DecodesEveryDepthAcrossReadBoundaries) {
    const DecodeCase cases[] = {
        {"8-bit 3 wide", 8, 3, 5, false},           {"8-bit 600x300", 8, 600, 300, false},
        {"8-bit 101 wide", 8, 101, 97, false},      {"8-bit 800x600", 8, 800, 600, false},
        {"4-bit 37 wide", 4, 37, 400, false},       {"4-bit 800x600", 4, 800, 600, false},
        {"1-bit 75 wide", 1, 75, 700 - 100, false}, {"1-bit 9 wide", 1, 9, 1000 - 400, false},
        {"8-bit short header", 8, 123, 77, true},   {"4-bit short header", 4, 33, 200, true},
        {"1-bit short header", 1, 50, 300, true},
    };
    for (const DecodeCase& c : cases) {
        fill();
        BmpLayout s;
        s.bits = c.bits;
        s.width = c.width;
        s.height = c.height;
        s.core = c.core;
        s.palette_entries = c.bits == 8 ? 256 : (1 << c.bits);
        s.pixel = c.bits == 8 ? value8 : c.bits == 4 ? value4 : value1;
        std::vector<uint8_t> file = make_bmp(s);
        ASSERT_EQ(load("decode", file), LOAD_OK) << c.name;
        auto want = [&](int32_t x, int32_t y) -> uint8_t {
            return c.bits == 8 ? value8(x, y) : static_cast<uint8_t>(s.pixel(x, y) + 10);
        };
        expect_picture(c.width, c.height, want, c.name);
    }
}

TEST_F(LoaderTest, StraddlingRowsDecodeAsUnsplitOnes) {
    // The same 8-bit picture with the pixel data starting 2 bytes later (two
    // unused bytes of a 257th palette entry) moves every row boundary.
    BmpLayout s;
    s.width = 200;
    s.height = 100;
    s.pixel = value8;
    fill();
    ASSERT_EQ(load("aligned", make_bmp(s)), LOAD_OK);
    std::vector<uint8_t> first(gfx.pixels, gfx.pixels + gfx.byte_size);
    s.palette_entries = 257;
    fill();
    ASSERT_EQ(load("shifted", make_bmp(s)), LOAD_OK);
    EXPECT_EQ(std::memcmp(first.data(), gfx.pixels, first.size()), 0);
}

TEST_F(LoaderTest, FourAndOneBitValuesAreOffsetByTen) {
    BmpLayout s;
    s.bits = 4;
    s.width = 2;
    s.height = 1;
    s.palette_entries = 16;
    s.pixel = [](int32_t x, int32_t) { return static_cast<uint8_t>(x == 0 ? 5 : 0); };
    ASSERT_EQ(load("four", make_bmp(s)), LOAD_OK);
    EXPECT_EQ(at(0, 0), 15);
    EXPECT_EQ(at(1, 0), 10);
    s.bits = 1;
    s.palette_entries = 2;
    s.pixel = [](int32_t x, int32_t) { return static_cast<uint8_t>(x == 0 ? 1 : 0); };
    ASSERT_EQ(load("one", make_bmp(s)), LOAD_OK);
    EXPECT_EQ(at(0, 0), 11);
    EXPECT_EQ(at(1, 0), 10);
}

TEST_F(LoaderTest, EightBitColoursFillEntriesTenTo245) {
    BmpLayout s;
    s.pixel = value8;
    ASSERT_EQ(load("colours", make_bmp(s)), LOAD_OK);
    for (int32_t i = 0; i < 256; ++i) {
        const PaletteEntry& e = palette_entries[i];
        if (i < 10 || i > 245) {
            EXPECT_EQ(std::memcmp(&e, &before[i], sizeof e), 0) << i;
        } else {
            EXPECT_EQ(e.peRed, test_red(i)) << i;
            EXPECT_EQ(e.peGreen, test_green(i)) << i;
            EXPECT_EQ(e.peBlue, test_blue(i)) << i;
        }
    }
}

TEST_F(LoaderTest, SmallPaletteColoursLandAtTenOnward) {
    const int32_t depths[] = {4, 1};
    for (int32_t bits : depths) {
        gfx_create_palette();
        std::copy(palette_entries, palette_entries + 256, before);
        BmpLayout s;
        s.bits = bits;
        s.palette_entries = 1 << bits;
        ASSERT_EQ(load("small", make_bmp(s)), LOAD_OK);
        for (int32_t i = 0; i < 256; ++i) {
            bool file = i >= 10 && i < 10 + (1 << bits);
            if (file) {
                EXPECT_EQ(palette_entries[i].peRed, test_red(i - 10)) << bits << ":" << i;
                EXPECT_EQ(palette_entries[i].peBlue, test_blue(i - 10)) << bits << ":" << i;
            } else {
                EXPECT_EQ(std::memcmp(&palette_entries[i], &before[i], 4), 0) << bits << ":" << i;
            }
        }
    }
}

TEST_F(LoaderTest, ShortHeaderPaletteHasThreeByteEntries) {
    BmpLayout s;
    s.core = true;
    s.pixel = value8;
    ASSERT_EQ(load("core", make_bmp(s)), LOAD_OK);
    EXPECT_EQ(palette_entries[100].peRed, test_red(100));
    EXPECT_EQ(palette_entries[100].peGreen, test_green(100));
    EXPECT_EQ(palette_entries[245].peBlue, test_blue(245));
}

TEST_F(LoaderTest, TopDownFilesAreDecodedTopRowFirst) {
    BmpLayout s;
    s.width = 30;
    s.height = -20;
    s.pixel = value8;
    fill();
    ASSERT_EQ(load("topdown", make_bmp(s)), LOAD_OK);
    expect_picture(30, 20, value8, "top-down");
}

TEST_F(LoaderTest, PicturesLargerThanTheBufferAreCut) {
    BmpLayout s;
    s.width = 900;
    s.height = 700;
    s.pixel = value8;
    fill();
    ASSERT_EQ(load("large", make_bmp(s)), LOAD_OK);
    expect_picture(800, 600, value8, "900x700");

    // A smaller buffer: 37 wide is rounded to 40; 20 rows.
    int32_t small = gfx_create_buffer(37, 20);
    gfx_set_buffer(small);
    s.width = 50;
    s.height = 30;
    ASSERT_EQ(load("large2", make_bmp(s)), LOAD_OK);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 40; ++x) ASSERT_EQ(at(x, y), value8(x, y)) << x << "," << y;
    s.height = -30;
    ASSERT_EQ(load("large3", make_bmp(s)), LOAD_OK);
    for (int32_t y = 0; y < 20; ++y)
        for (int32_t x = 0; x < 40; ++x) ASSERT_EQ(at(x, y), value8(x, y)) << x << "," << y;
}

TEST_F(LoaderTest, FileEndingEarlyKeepsTheRowsReadAndIsOk) {
    BmpLayout s;
    s.width = 100;
    s.height = 50;
    s.pixel = value8;
    std::vector<uint8_t> b = make_bmp(s);
    // Keep the header, the palette and the bottom 10 rows and a half.
    b.resize(1078 + 100 * 10 + 50);
    fill();
    ASSERT_EQ(load("truncated", b), LOAD_OK);
    for (int32_t y = 0; y < 50; ++y) {
        for (int32_t x = 0; x < 100; ++x) {
            uint8_t want = y >= 40 ? value8(x, y) : (y == 39 && x < 50 ? value8(x, y) : 5);
            ASSERT_EQ(at(x, y), want) << x << "," << y;
        }
    }
    EXPECT_EQ(palette_entries[50].peRed, test_red(50));
}

struct DamageCase {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> damage;
    int32_t expected;
};

TEST_F(LoaderTest, DamagedHeadersAreRefusedCleanly) {
    const DamageCase cases[] = {
        {"cut inside the header", [](std::vector<uint8_t>& b) { b.resize(30); }, LOAD_NOT_BMP},
        {"cut inside the short header",
         [](std::vector<uint8_t>& b) {
             put_le(b, 14, 12, 4);
             b.resize(22);
         },
         LOAD_NOT_BMP},
        {"cut inside the palette", [](std::vector<uint8_t>& b) { b.resize(500); }, LOAD_NOT_BMP},
        {"width 0", [](std::vector<uint8_t>& b) { put_le(b, 18, 0, 4); }, LOAD_NOT_BMP},
        {"negative width", [](std::vector<uint8_t>& b) { put_le(b, 18, 0xFFFFFFF0u, 4); },
         LOAD_NOT_BMP},
        {"height 0", [](std::vector<uint8_t>& b) { put_le(b, 22, 0, 4); }, LOAD_NOT_BMP},
        {"data offset before the header end", [](std::vector<uint8_t>& b) { put_le(b, 10, 40, 4); },
         LOAD_NOT_BMP},
        {"data offset past the first read", [](std::vector<uint8_t>& b) { put_le(b, 10, 5000, 4); },
         LOAD_NOT_BMP},
        {"data offset past the file",
         [](std::vector<uint8_t>& b) { put_le(b, 10, 0xFFFFFFFFu, 4); }, LOAD_NOT_BMP},
        {"header past the first read", [](std::vector<uint8_t>& b) { put_le(b, 14, 4090, 4); },
         LOAD_NOT_BMP},
        {"huge header size", [](std::vector<uint8_t>& b) { put_le(b, 14, 0xFFFFFFFFu, 4); },
         LOAD_NOT_BMP},
    };
    for (const DamageCase& c : cases) {
        BmpLayout s;
        s.width = 64;
        s.height = 64;
        s.pixel = value8;
        std::vector<uint8_t> b = make_bmp(s);
        c.damage(b);
        fill();
        EXPECT_EQ(load("damaged", b), c.expected) << c.name;
        EXPECT_EQ(at(0, 0), 5) << c.name;
        EXPECT_TRUE(palette_unchanged()) << c.name;
    }
}

TEST_F(LoaderTest, OversizedPalettesGiveTheirFirstEntries) {
    BmpLayout s;
    s.bits = 4;
    s.width = 16;
    s.height = 2;
    s.palette_entries = 600;  // 2400 bytes, still inside the first read
    s.pixel = value4;
    fill();
    ASSERT_EQ(load("bigpalette", make_bmp(s)), LOAD_OK);
    EXPECT_EQ(at(3, 0), value4(3, 0) + 10);
    // At most 236 colours are installed: entries 246..255 keep the system's.
    EXPECT_EQ(palette_entries[245].peRed, test_red(235));
    for (int32_t i = 246; i < 256; ++i)
        EXPECT_EQ(std::memcmp(&palette_entries[i], &before[i], 4), 0) << i;
}

TEST_F(LoaderTest, HugeDimensionsInATinyFileEndQuickly) {
    BmpLayout s;
    s.width = 8;
    s.height = 8;
    std::vector<uint8_t> b = make_bmp(s);
    put_le(b, 18, 0x7FFFFFFFu, 4);
    put_le(b, 22, 0x7FFFFFFFu, 4);
    fill();
    EXPECT_EQ(load("huge", b), LOAD_OK);
    put_le(b, 22, 0x80000000u, 4);
    EXPECT_EQ(load("huge2", b), LOAD_OK);
}

}  // namespace
