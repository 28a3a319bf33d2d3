// Before the window opens: every picture and sound of the catalogue and the font
// file must be there and readable, every picture must be a bitmap of the
// catalogue's size and the font file must hold the game font. A damaged sound only
// warns: its slot stays silent, as without a sound device. The pictures and
// sounds read here are the ones start-up loads (checked_picture, snd_read_ahead).
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx/gfx.h"
#include "platform/platform.h"
#include "runtime/catalogue.h"
#include "shell/error_message.h"
#include "shell/program.h"
#include "sound/sound.h"

namespace {

// The pictures as the check read them, by catalogue index, and whether each is
// its whole file.
std::vector<std::vector<uint8_t>> pictures;
std::vector<bool> pictures_whole;

// Reads a picture file, up to the most bytes its loader uses, into `bytes`: the
// count read, or -1 when it cannot be opened.
int64_t read_picture(const CatalogueEntry& e, std::vector<uint8_t>* bytes, bool* whole) {
    int32_t file = platform_file_open(e.file);
    if (file < 0) return -1;
    const int64_t most = gfx_bitmap_bytes_used(e.width, e.height);
    const int64_t size = platform_file_size(file);
    const int64_t want = size >= 0 && size < most ? size : most;
    bytes->resize(static_cast<size_t>(want));
    int64_t got = 0;
    while (got < want) {
        int32_t n =
            platform_file_read(file, bytes->data() + got, static_cast<uint32_t>(want - got));
        if (n <= 0) break;
        got += n;
    }
    platform_file_close(file);
    bytes->resize(static_cast<size_t>(got));
    *whole = got == size;
    return got;
}

// Reads the first bytes of a file: the count read, or -1 when it cannot be opened.
int32_t read_start(const char* path, uint8_t* bytes, int32_t capacity) {
    int32_t file = platform_file_open(path);
    if (file < 0) return -1;
    int32_t got = platform_file_read(file, bytes, static_cast<uint32_t>(capacity));
    platform_file_close(file);
    return got < 0 ? 0 : got;
}

// True when the bytes start a Windows bitmap of exactly width x height pixels.
bool bitmap_of_size(const uint8_t* bytes, int64_t length, int32_t width, int32_t height) {
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
    // Each picture is read here, once: loading and the data fingerprint take these
    // bytes (checked_picture).
    reset_checked_pictures();
    pictures.resize(static_cast<size_t>(catalogue_size()));
    pictures_whole.resize(pictures.size());
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        bool whole = false;
        int64_t got = read_picture(e, &pictures[i], &whole);
        pictures_whole[i] = whole;
        if (got < 0) {
            reset_checked_pictures();
            describe_unopened(problem, size, e.file);
            return false;
        }
        if (!bitmap_of_size(pictures[i].data(), got, e.width, e.height)) {
            reset_checked_pictures();
            char what[64];
            std::snprintf(what, sizeof what, "is damaged (not a %dx%d picture)", e.width, e.height);
            describe(problem, size, what, e.file, MSG_REINSTALL);
            return false;
        }
    }
    uint8_t start[1];
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

bool checked_picture(int32_t index, CheckedPicture* picture) {
    if (index < 0 || static_cast<size_t>(index) >= pictures.size()) return false;
    const std::vector<uint8_t>& bytes = pictures[static_cast<size_t>(index)];
    *picture = {bytes.data(), static_cast<int64_t>(bytes.size()), pictures_whole[index]};
    return true;
}

void reset_checked_pictures() {
    std::vector<std::vector<uint8_t>>().swap(pictures);
    std::vector<bool>().swap(pictures_whole);
}
