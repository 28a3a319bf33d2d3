// Reading the game's font file (font_file.h): every field is checked against the
// bytes held before anything is taken from it.
#include <cstring>

#include "platform/common/font/font_file.h"

namespace {

// The rasteriser's own limits on one glyph.
constexpr int32_t kMaxGlyphSide = 4096;
constexpr int32_t kMaxAdvance = 4095;

uint32_t u16_at(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (p[1] << 8);
}
int32_t s16_at(const uint8_t* p) {
    return static_cast<int16_t>(u16_at(p));
}
uint32_t u32_at(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int32_t s32_at(const uint8_t* p) {
    return static_cast<int32_t>(u32_at(p));
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Face names compare as fontconfig compares families: ignoring ASCII case.
bool same_face(const char* asked, const uint8_t* stored, size_t capacity) {
    if (asked == nullptr) return false;
    size_t i = 0;
    for (; i < capacity && stored[i] != 0; ++i) {
        if (lower(asked[i]) != lower(static_cast<char>(stored[i]))) return false;
    }
    return i < capacity && asked[i] == '\0';
}

// The header fields: the font it holds is the one asked for, its metrics are sane
// and its length is exactly what the coverage bit count makes it.
bool header_fits(const uint8_t* b, size_t size, const FontRequest& request, uint32_t* bits) {
    if (size < kFontCoverageStart || std::memcmp(b, "CFNT", 4) != 0) return false;
    if (u16_at(b + 4) != kFontFileVersion || u16_at(b + 6) != 256) return false;
    if (!same_face(request.face, b + 8, 16)) return false;
    uint32_t style = b[24];
    if (style > 3 || b[25] != 0 || b[26] != 0 || b[27] != 0) return false;
    if (((style & 1) != 0) != request.bold || ((style & 2) != 0) != request.italic) return false;
    if (s32_at(b + 28) != request.cell_height || s32_at(b + 32) != request.average_width) {
        return false;
    }
    int32_t height = s32_at(b + 36), ascent = s32_at(b + 40);
    int32_t leading = s32_at(b + 44), average = s32_at(b + 48);
    if (height != request.cell_height || ascent < 0 || ascent > height) return false;
    if (leading < 0 || leading > height || average < 1 || average > kMaxGlyphSide) return false;
    *bits = u32_at(b + 52);
    return size - kFontCoverageStart == (static_cast<uint64_t>(*bits) + 7) / 8;
}

}  // namespace

bool font_file_decode(const uint8_t* bytes, size_t size, const FontRequest& request,
                      FontSlot* slot) {
    font_clear_slot(slot);
    uint32_t bits = 0;
    if (bytes == nullptr || !font_request_in_range(request) ||
        !header_fits(bytes, size, request, &bits)) {
        return false;
    }
    for (int32_t byte = 0; byte < 256; ++byte) {
        const uint8_t* r = bytes + kFontFileHeader + byte * kFontGlyphRecord;
        FontGlyph& g = slot->glyphs[byte];
        g.left = s16_at(r);
        g.top = s16_at(r + 2);
        g.width = static_cast<int32_t>(u16_at(r + 4));
        g.rows = static_cast<int32_t>(u16_at(r + 6));
        g.advance = static_cast<int32_t>(u16_at(r + 8));
        g.offset = u32_at(r + 10);
        uint64_t area = static_cast<uint64_t>(g.width) * static_cast<uint64_t>(g.rows);
        if (g.width > kMaxGlyphSide || g.rows > kMaxGlyphSide || g.advance > kMaxAdvance ||
            g.offset > bits || area > bits - g.offset) {
            font_clear_slot(slot);
            return false;
        }
    }
    slot->metrics.height = s32_at(bytes + 36);
    slot->metrics.ascent = s32_at(bytes + 40);
    slot->metrics.external_leading = s32_at(bytes + 44);
    slot->metrics.average_width = s32_at(bytes + 48);
    slot->coverage.resize(bits);
    const uint8_t* packed = bytes + kFontCoverageStart;
    for (uint32_t i = 0; i < bits; ++i) slot->coverage[i] = (packed[i >> 3] >> (7 - (i & 7))) & 1;
    return true;
}

bool font_file_load(const FontRequest& request, FontSlot* slot) {
    font_clear_slot(slot);
    int32_t file = platform_file_open(PLATFORM_FONT_FILE);
    if (file < 0) return false;
    int64_t size = platform_file_size(file);
    std::vector<uint8_t> bytes;
    bool read = false;
    if (size >= static_cast<int64_t>(kFontCoverageStart) &&
        size <= static_cast<int64_t>(kFontFileMaxBytes)) {
        bytes.resize(static_cast<size_t>(size));
        read = platform_file_read(file, bytes.data(), static_cast<uint32_t>(size)) == size;
    }
    platform_file_close(file);
    return read && font_file_decode(bytes.data(), bytes.size(), request, slot);
}
