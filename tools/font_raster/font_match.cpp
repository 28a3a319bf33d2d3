// Choosing a face file with fontconfig: the family asked for, or the nearest
// substitute the system's configuration names (on Debian "arial" leads to
// Liberation Sans).
#include <fontconfig/fontconfig.h>

#include <cstring>

#include "font_raster/font_raster.h"

namespace {

// Copies what fontconfig says about one proposed font; false when it has no file.
bool describe(FcPattern* font, FontFace* file) {
    FcChar8* path = nullptr;
    if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch || path == nullptr) {
        return false;
    }
    size_t length = std::strlen(reinterpret_cast<const char*>(path));
    if (length == 0 || length >= sizeof file->path) return false;
    std::memcpy(file->path, path, length + 1);

    int index = 0;
    if (FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch) index = 0;
    file->index = index;

    FcBool embolden = FcFalse;
    if (FcPatternGetBool(font, FC_EMBOLDEN, 0, &embolden) != FcResultMatch) embolden = FcFalse;
    file->embolden = embolden == FcTrue;

    FcMatrix* matrix = nullptr;
    file->transformed = FcPatternGetMatrix(font, FC_MATRIX, 0, &matrix) == FcResultMatch &&
                        matrix != nullptr &&
                        (matrix->xx != 1 || matrix->xy != 0 || matrix->yx != 0 || matrix->yy != 1);
    if (file->transformed) {
        file->matrix[0] = matrix->xx;
        file->matrix[1] = matrix->xy;
        file->matrix[2] = matrix->yx;
        file->matrix[3] = matrix->yy;
    }
    return true;
}

}  // namespace

int32_t font_match(const char* face, bool bold, bool italic, FontFace* files, int32_t capacity) {
    if (capacity <= 0) return 0;
    // A configuration of our own, dropped again at the end: fonts are opened once at
    // start-up, so nothing of fontconfig needs to stay loaded.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return 0;

    int32_t count = 0;
    FcPattern* pattern = FcPatternCreate();
    if (pattern != nullptr) {
        if (face != nullptr && face[0] != '\0') {
            FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face));
        }
        FcPatternAddInteger(pattern, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);

        FcResult result = FcResultNoMatch;
        FcFontSet* set = FcFontSort(config, pattern, FcTrue, nullptr, &result);
        if (set != nullptr) {
            for (int i = 0; i < set->nfont && count < capacity; ++i) {
                FcPattern* font = FcFontRenderPrepare(config, pattern, set->fonts[i]);
                if (font == nullptr) continue;
                if (describe(font, &files[count])) ++count;
                FcPatternDestroy(font);
            }
            FcFontSetDestroy(set);
        }
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return count;
}
