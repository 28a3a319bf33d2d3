// Before the window opens: every picture and sound of the catalogue and the font
// file must be there and readable, every picture must be a bitmap of the
// catalogue's size and the font file must hold the game font. A damaged sound only
// warns: its slot stays silent, as without a sound device. The sounds read here
// are the ones start-up loads (snd_read_ahead).
#include <cstdio>
#include <cstring>

#include "gfx/gfx.h"
#include "platform/platform.h"
#include "runtime/catalogue.h"
#include "shell/error_message.h"
#include "shell/program.h"
#include "sound/sound.h"

namespace {

// Reads the first bytes of a file: the count read, or -1 when it cannot be opened.
int32_t read_start(const char* path, uint8_t* bytes, int32_t capacity) {
    int32_t file = platform_file_open(path);
    if (file < 0) return -1;
    int32_t got = platform_file_read(file, bytes, static_cast<uint32_t>(capacity));
    platform_file_close(file);
    return got < 0 ? 0 : got;
}

// True when the bytes start a Windows bitmap of exactly width x height pixels.
bool bitmap_of_size(const uint8_t* bytes, int32_t length, int32_t width, int32_t height) {
    int64_t w = 0, h = 0;
    if (!gfx_bitmap_size(bytes, length, &w, &h)) return false;
    if (h < 0) h = -h;  // rows stored top first
    return w == width && h == height;
}

// The full name of a data file, for messages: "<game folder>/data/board_".
void full_name(char* out, size_t size, const char* file) {
    platform_shown_path(out, size, game_folder, file);
}

// "Cairnfall cannot start: a game file <what>" with the file's full name on a line
// of its own, and what to do about it.
void describe(char* problem, size_t size, const char* what, const char* file, const char* advice) {
    char name[4096 + 64];
    full_name(name, sizeof name, file);
    std::snprintf(problem, size, "Cairnfall cannot start: a game file %s.\n%s\n%s", what, name,
                  advice);
}

// A file that could not be opened: missing, or unreadable in the system's words.
void describe_unopened(char* problem, size_t size, const char* file) {
    bool missing = false;
    const char* why = platform_file_open_error(&missing);
    if (missing) {
        describe(problem, size, "is missing", file, MSG_REINSTALL);
        return;
    }
    char what[192];
    std::snprintf(what, sizeof what, "cannot be read (%s)", why);
    describe(problem, size, what, file, "Check that it can be read, or reinstall the game.");
}

// A sound file the game could not play gets one warning line.
void warn_sound_damaged(const char* file) {
    char name[4096 + 64];
    full_name(name, sizeof name, file);
    std::fprintf(stderr, "cairnfall: warning: damaged sound file %s: it stays silent\n", name);
}

}  // namespace

bool check_game_data(char* problem, size_t size) {
    uint8_t start[GFX_BITMAP_HEADER_BYTES];
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        int32_t got = read_start(e.file, start, GFX_BITMAP_HEADER_BYTES);
        if (got < 0) {
            describe_unopened(problem, size, e.file);
            return false;
        }
        if (!bitmap_of_size(start, got, e.width, e.height)) {
            char what[64];
            std::snprintf(what, sizeof what, "is damaged (not a %dx%d picture)", e.width, e.height);
            describe(problem, size, what, e.file, MSG_REINSTALL);
            return false;
        }
    }
    if (read_start(PLATFORM_FONT_FILE, start, 1) < 0) {
        describe_unopened(problem, size, PLATFORM_FONT_FILE);
        return false;
    }
    int32_t font =
        platform_font_open(GAME_FONT_FACE, GAME_FONT_HEIGHT, GAME_FONT_BOLD, GAME_FONT_ITALIC);
    if (font == 0) {
        describe(problem, size, "is damaged (not a font)", PLATFORM_FONT_FILE, MSG_REINSTALL);
        return false;
    }
    platform_font_close(font);
    // Each sound is read whole here, once: loading takes these reads.
    char file[32];
    int32_t state[SOUND_SLOTS];
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        state[slot] = snd_read_ahead(slot);
        if (state[slot] == SOUND_FILE_UNOPENED) {
            sound_file_name(file, sizeof file, slot);
            describe_unopened(problem, size, file);
            return false;
        }
    }
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        if (state[slot] != SOUND_FILE_DAMAGED) continue;
        sound_file_name(file, sizeof file, slot);
        warn_sound_damaged(file);
    }
    return true;
}
