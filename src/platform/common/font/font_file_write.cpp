// Writing the game's font file (font_file.h) from an opened font, for the asset
// generator.
#include <cstring>

#include "platform/common/font/font_file.h"

namespace {

void put16(std::vector<uint8_t>* out, uint32_t v) {
    out->push_back(static_cast<uint8_t>(v));
    out->push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>* out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

bool fits_s16(int32_t v) {
    return v >= -32768 && v <= 32767;
}
bool fits_u16(int32_t v) {
    return v >= 0 && v <= 65535;
}

}  // namespace

bool font_file_encode(const FontRequest& request, const FontSlot& slot, std::vector<uint8_t>* out) {
    out->clear();
    size_t face_length = request.face != nullptr ? std::strlen(request.face) : 0;
    if (face_length >= 16 || slot.coverage.size() > 0xFFFFFFFFu) return false;

    const uint8_t magic[4] = {'C', 'F', 'N', 'T'};
    out->insert(out->end(), magic, magic + 4);
    put16(out, kFontFileVersion);
    put16(out, 256);
    uint8_t face[16] = {};
    if (face_length > 0) std::memcpy(face, request.face, face_length);
    out->insert(out->end(), face, face + 16);
    out->push_back(static_cast<uint8_t>((request.bold ? 1 : 0) | (request.italic ? 2 : 0)));
    out->insert(out->end(), 3, 0);
    put32(out, static_cast<uint32_t>(request.cell_height));
    put32(out, static_cast<uint32_t>(request.average_width));
    put32(out, static_cast<uint32_t>(slot.metrics.height));
    put32(out, static_cast<uint32_t>(slot.metrics.ascent));
    put32(out, static_cast<uint32_t>(slot.metrics.external_leading));
    put32(out, static_cast<uint32_t>(slot.metrics.average_width));
    put32(out, static_cast<uint32_t>(slot.coverage.size()));

    for (const FontGlyph& g : slot.glyphs) {
        if (!fits_s16(g.left) || !fits_s16(g.top) || !fits_u16(g.width) || !fits_u16(g.rows) ||
            !fits_u16(g.advance)) {
            out->clear();
            return false;
        }
        put16(out, static_cast<uint32_t>(g.left) & 0xFFFF);
        put16(out, static_cast<uint32_t>(g.top) & 0xFFFF);
        put16(out, static_cast<uint32_t>(g.width));
        put16(out, static_cast<uint32_t>(g.rows));
        put16(out, static_cast<uint32_t>(g.advance));
        put32(out, g.offset);
    }

    size_t start = out->size();
    out->resize(start + (slot.coverage.size() + 7) / 8, 0);
    for (size_t i = 0; i < slot.coverage.size(); ++i) {
        if (slot.coverage[i]) (*out)[start + i / 8] |= static_cast<uint8_t>(0x80u >> (i % 8));
    }
    return true;
}
