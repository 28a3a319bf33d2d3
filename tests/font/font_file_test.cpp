// The game's font file: read back, it is the font the FreeType rasteriser renders,
// glyph for glyph; it opens only for the font it holds; and a damaged file opens
// nothing, whatever part is damaged.
#include "platform/common/font/font_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <vector>

#include "font_raster/font_raster.h"
#include "platform/platform.h"
#include "support/game_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> read_bytes(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Every glyph pixel of the font's 256 characters, drawn one after another on
// baselines far enough apart that none overlap.
std::vector<uint8_t> draw_every_byte(int32_t font) {
    const int32_t width = 1200, height = 16 * 40;
    std::vector<uint8_t> picture(static_cast<size_t>(width) * height, 0);
    char row[16];
    for (int32_t line = 0; line < 16; ++line) {
        for (int32_t i = 0; i < 16; ++i) row[i] = static_cast<char>(line * 16 + i);
        platform_font_draw(font, row, 16, 20, line * 40, 1, picture.data(), width, width, height);
    }
    return picture;
}

TEST(FontFile, ReadsBackExactlyWhatTheRasteriserDraws) {
    int32_t from_file = platform_font_open("arial", 28, true, true);
    int32_t rendered = font_raster_open("arial", 28, true, true);
    ASSERT_GT(from_file, 0);
    ASSERT_GT(rendered, 0);
    const FontSlot& a = *font_slot(from_file);
    const FontSlot& b = *font_slot(rendered);
    EXPECT_EQ(std::memcmp(&a.metrics, &b.metrics, sizeof a.metrics), 0);
    for (int32_t byte = 0; byte < 256; ++byte) {
        const FontGlyph& g = a.glyphs[byte];
        const FontGlyph& h = b.glyphs[byte];
        ASSERT_EQ(std::memcmp(&g, &h, sizeof g), 0) << byte;
    }
    EXPECT_EQ(a.coverage, b.coverage);

    const char text[] = "High scores: 12,340 \xC4pfel \x80 \x97 Quit?";
    const int32_t length = static_cast<int32_t>(sizeof text - 1);
    EXPECT_EQ(platform_font_text_width(from_file, text, length),
              platform_font_text_width(rendered, text, length));
    EXPECT_EQ(draw_every_byte(from_file), draw_every_byte(rendered));

    // The file the build made is the one this rasteriser writes.
    std::vector<uint8_t> encoded;
    ASSERT_TRUE(font_file_encode({"arial", 28, 12, true, true}, b, &encoded));
    EXPECT_EQ(encoded, read_bytes(PLATFORM_FONT_FILE));
    platform_font_close(from_file);
    platform_font_close(rendered);
}

TEST(FontFile, OpensOnlyForTheFontItHolds) {
    struct Case {
        const char* face;
        int32_t cell, average;  // average -1: platform_font_open's condensed width
        bool bold, italic, opens;
    } cases[] = {
        {"arial", 28, -1, true, true, true},   {"ARIAL", 28, 12, true, true, true},
        {"arial", 27, -1, true, true, false},  {"arial", 28, 13, true, true, false},
        {"arial", 28, 0, true, true, false},   {"arial", 28, -1, false, true, false},
        {"arial", 28, -1, true, false, false}, {"helvetica", 28, -1, true, true, false},
        {"arialx", 28, -1, true, true, false}, {"aria", 28, -1, true, true, false},
        {"", 28, -1, true, true, false},       {nullptr, 28, -1, true, true, false},
    };
    for (const Case& c : cases) {
        int32_t font = c.average < 0
                           ? platform_font_open(c.face, c.cell, c.bold, c.italic)
                           : platform_font_open_sized(c.face, c.cell, c.average, c.bold, c.italic);
        EXPECT_EQ(font > 0, c.opens) << (c.face ? c.face : "(null)") << " " << c.cell;
        platform_font_close(font);
    }
}

void put16(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    b[at] = static_cast<uint8_t>(v);
    b[at + 1] = static_cast<uint8_t>(v >> 8);
}
void put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
uint32_t get32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
// The offset of a field of a character's glyph record.
size_t glyph(char c, size_t field) {
    return kFontFileHeader + static_cast<uint8_t>(c) * kFontGlyphRecord + field;
}

TEST(FontFile, DamagedFilesOpenNothing) {
    const std::vector<uint8_t> good = read_bytes(PLATFORM_FONT_FILE);
    ASSERT_GT(good.size(), kFontCoverageStart);
    const uint32_t bits = get32(good, 52);
    using Damage = std::function<void(std::vector<uint8_t>&)>;
    auto cut = [](size_t n) { return Damage([n](std::vector<uint8_t>& b) { b.resize(n); }); };
    struct Case {
        const char* what;
        Damage damage;
    } cases[] = {
        {"empty", cut(0)},
        {"cut in the magic", cut(3)},
        {"cut in the header", cut(kFontFileHeader - 1)},
        {"cut after the header", cut(kFontFileHeader)},
        {"cut in the records", cut(kFontCoverageStart - 1)},
        {"cut after the records", cut(kFontCoverageStart)},
        {"cut in the coverage", cut(good.size() - 1)},
        {"a byte too many", [](std::vector<uint8_t>& b) { b.push_back(0); }},
        {"magic", [](std::vector<uint8_t>& b) { b[0] = 'X'; }},
        {"version", [](std::vector<uint8_t>& b) { put16(b, 4, 2); }},
        {"glyph count", [](std::vector<uint8_t>& b) { put16(b, 6, 255); }},
        {"face without an end", [](std::vector<uint8_t>& b) { std::memset(&b[8], 'a', 16); }},
        {"style bits", [](std::vector<uint8_t>& b) { b[24] |= 4; }},
        {"reserved byte", [](std::vector<uint8_t>& b) { b[26] = 1; }},
        {"cell height", [](std::vector<uint8_t>& b) { put32(b, 28, 0x7FFFFFFF); }},
        {"metric height", [](std::vector<uint8_t>& b) { put32(b, 36, 29); }},
        {"ascent beyond the cell", [](std::vector<uint8_t>& b) { put32(b, 40, 29); }},
        {"negative ascent", [](std::vector<uint8_t>& b) { put32(b, 40, 0xFFFFFFFF); }},
        {"negative leading", [](std::vector<uint8_t>& b) { put32(b, 44, 0x80000000); }},
        {"average width 0", [](std::vector<uint8_t>& b) { put32(b, 48, 0); }},
        {"bit count past the end", [bits](std::vector<uint8_t>& b) { put32(b, 52, bits + 8); }},
        {"bit count huge", [](std::vector<uint8_t>& b) { put32(b, 52, 0xFFFFFFFF); }},
        {"glyph offset at the end",
         [bits](std::vector<uint8_t>& b) { put32(b, glyph('W', 10), bits); }},
        {"glyph offset huge",
         [](std::vector<uint8_t>& b) { put32(b, glyph('A', 10), 0xFFFFFFF0); }},
        {"glyph larger than the bits",
         [](std::vector<uint8_t>& b) {
             put16(b, glyph('A', 4), 4096), put16(b, glyph('A', 6), 4096);
         }},
        {"glyph width too large", [](std::vector<uint8_t>& b) { put16(b, glyph('.', 4), 65535); }},
        {"glyph rows too large", [](std::vector<uint8_t>& b) { put16(b, glyph(' ', 6), 4097); }},
        {"advance too large", [](std::vector<uint8_t>& b) { put16(b, glyph('i', 8), 4096); }},
        {"last glyph past the bits",
         [bits](std::vector<uint8_t>& b) { put32(b, glyph('\xFF', 10), bits - 1); }},
    };
    GameDir dir;
    fs::remove(dir.path() / "data");
    fs::create_directory(dir.path() / "data");
    auto opens = [&](const std::vector<uint8_t>& bytes) {
        std::ofstream(PLATFORM_FONT_FILE, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        int32_t font = platform_font_open("arial", 28, true, true);
        platform_font_close(font);
        return font > 0;
    };
    ASSERT_TRUE(opens(good));
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        c.damage(bytes);
        EXPECT_FALSE(opens(bytes)) << c.what;
        // The same bytes straight to the decoder, which must not read past them.
        FontSlot slot = {};
        std::vector<uint8_t> exact(bytes.begin(), bytes.end());
        EXPECT_FALSE(
            font_file_decode(exact.data(), exact.size(), {"arial", 28, 12, true, true}, &slot))
            << c.what;
        EXPECT_TRUE(slot.coverage.empty()) << c.what;
    }
}

}  // namespace
