// Loading one face with FreeType, sizing it the way Windows sizes a font asked
// for by cell height and average width, and rendering every single-byte character
// in monochrome into the slot's glyph cache. FreeType is closed again at the end.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include "font_raster/font_raster.h"

namespace {

// Windows-1252 code points of bytes 0x80..0x9F (0: no character there).
constexpr uint32_t kWindows1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The character a byte of the game's single-byte text stands for; 0 for control
// bytes, which show the face's missing-glyph shape.
uint32_t code_point(int32_t byte) {
    if (byte < 32 || byte == 127) return 0;
    if (byte >= 0x80 && byte < 0xA0) return kWindows1252High[byte - 0x80];
    return static_cast<uint32_t>(byte);
}

// value * numerator / denominator rounded to the nearest whole number, for
// non-negative values and a positive denominator.
int32_t scale_round(int64_t value, int64_t numerator, int64_t denominator) {
    return static_cast<int32_t>((2 * value * numerator + denominator) / (2 * denominator));
}

// The vertical design metrics that fix the cell: the OS/2 table's Windows ascent
// and descent where the face has them, its general ascender and descender otherwise.
struct DesignMetrics {
    int64_t ascent;   // font units above the baseline
    int64_t total;    // ascent + descent, font units
    int64_t leading;  // external leading, font units
    int64_t average;  // average character width, font units
};

DesignMetrics design_metrics(FT_Face face) {
    DesignMetrics m = {};
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const TT_HoriHeader* hhea =
        static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA));
    if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        m.ascent = os2->usWinAscent;
        m.total = static_cast<int64_t>(os2->usWinAscent) + os2->usWinDescent;
        m.average = os2->xAvgCharWidth;
    } else {
        m.ascent = face->ascender;
        m.total = static_cast<int64_t>(face->ascender) - face->descender;
    }
    if (m.total <= 0 || m.ascent < 0 || m.ascent > m.total) {
        m.total = face->units_per_EM;
        m.ascent = face->units_per_EM * 4 / 5;
    }
    if (m.average <= 0) m.average = face->units_per_EM / 2;
    // The line gap minus what the Windows ascent and descent already add over the
    // typographic ones, as Windows reports external leading.
    if (hhea != nullptr) {
        int64_t typographic = static_cast<int64_t>(hhea->Ascender) - hhea->Descender;
        int64_t leading = hhea->Line_Gap - (m.total - typographic);
        m.leading = leading > 0 ? leading : 0;
    }
    return m;
}

// Reads pixel (x, row) of a rendered glyph bitmap, counting rows from the top.
bool bitmap_pixel(const FT_Bitmap& bitmap, int32_t x, int32_t row) {
    int32_t pitch = bitmap.pitch < 0 ? -bitmap.pitch : bitmap.pitch;
    int32_t memory_row = bitmap.pitch < 0 ? static_cast<int32_t>(bitmap.rows) - 1 - row : row;
    const uint8_t* line = bitmap.buffer + static_cast<size_t>(memory_row) * pitch;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) return (line[x >> 3] >> (7 - (x & 7))) & 1;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) return line[x] >= 128;
    return false;
}

// Renders one character into the slot's cache; a character the face cannot render
// keeps an empty glyph that does not move the pen.
void render_glyph(FT_Face face, bool embolden, int32_t byte, FontSlot* slot) {
    FontGlyph& glyph = slot->glyphs[byte];
    glyph = {};
    glyph.offset = static_cast<uint32_t>(slot->coverage.size());

    FT_UInt index = FT_Get_Char_Index(face, code_point(byte));
    if (FT_Load_Glyph(face, index, FT_LOAD_TARGET_MONO) != 0) return;
    FT_GlyphSlot g = face->glyph;
    if (embolden) FT_GlyphSlot_Embolden(g);
    if (g->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(g, FT_RENDER_MODE_MONO) != 0) {
        return;
    }

    int64_t advance = (static_cast<int64_t>(g->advance.x) + 32) / 64;
    glyph.advance = advance > 0 && advance < 4096 ? static_cast<int32_t>(advance) : 0;

    const FT_Bitmap& bitmap = g->bitmap;
    if (bitmap.buffer == nullptr || bitmap.width == 0 || bitmap.rows == 0 || bitmap.width > 4096 ||
        bitmap.rows > 4096) {
        return;
    }
    glyph.left = g->bitmap_left;
    glyph.top = g->bitmap_top;
    glyph.width = static_cast<int32_t>(bitmap.width);
    glyph.rows = static_cast<int32_t>(bitmap.rows);
    for (int32_t row = 0; row < glyph.rows; ++row) {
        for (int32_t x = 0; x < glyph.width; ++x) {
            slot->coverage.push_back(bitmap_pixel(bitmap, x, row) ? 1 : 0);
        }
    }
}

bool size_face(FT_Face face, const FontFace& file, int32_t cell_height, int32_t average_width,
               FontSlot* slot) {
    if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) return false;
    if (FT_Select_Charmap(face, FT_ENCODING_UNICODE) != 0) return false;
    DesignMetrics m = design_metrics(face);
    const int64_t upem = face->units_per_EM;

    // The em is scaled so that the Windows ascent plus descent fill the cell; the
    // width, when asked for, so that the average character width comes out right.
    FT_F26Dot6 height = static_cast<FT_F26Dot6>(upem * cell_height * 64 / m.total);
    FT_F26Dot6 width =
        average_width > 0 ? static_cast<FT_F26Dot6>(upem * average_width * 64 / m.average) : height;
    if (height < 64 || width < 64) return false;
    if (FT_Set_Char_Size(face, width, height, 72, 72) != 0) return false;

    if (file.transformed) {
        FT_Matrix matrix;
        matrix.xx = static_cast<FT_Fixed>(file.matrix[0] * 65536.0);
        matrix.xy = static_cast<FT_Fixed>(file.matrix[1] * 65536.0);
        matrix.yx = static_cast<FT_Fixed>(file.matrix[2] * 65536.0);
        matrix.yy = static_cast<FT_Fixed>(file.matrix[3] * 65536.0);
        FT_Set_Transform(face, &matrix, nullptr);
    }

    PlatformFontMetrics& metrics = slot->metrics;
    metrics.height = cell_height;
    metrics.ascent = scale_round(m.ascent, cell_height, m.total);
    metrics.external_leading = scale_round(m.leading, cell_height, m.total);
    int64_t average =
        (static_cast<int64_t>(FT_MulFix(m.average, face->size->metrics.x_scale)) + 32) / 64;
    metrics.average_width = static_cast<int32_t>(average > 0 ? average : 1);
    return true;
}

}  // namespace

bool font_load(const FontFace& file, int32_t cell_height, int32_t average_width, FontSlot* slot) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return false;
    bool ok = false;
    FT_Face face = nullptr;
    if (FT_New_Face(library, file.path, file.index, &face) == 0) {
        slot->coverage.clear();
        slot->coverage.reserve(static_cast<size_t>(cell_height) * cell_height * 128);
        ok = size_face(face, file, cell_height, average_width, slot);
        for (int32_t byte = 0; ok && byte < 256; ++byte) {
            render_glyph(face, file.embolden, byte, slot);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    if (!ok) font_clear_slot(slot);
    return ok;
}
