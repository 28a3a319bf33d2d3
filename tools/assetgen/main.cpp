// cairnfall-assetgen DIR            writes DIR/data/: every picture and sound, the
//                                   game's font file, the window icon; and
//                                   DIR/icons/: the desktop icons (hicolor/) and
//                                   the web page's (web/)
// cairnfall-assetgen --sheet FILE   writes the contact sheet of every picture
// cairnfall-assetgen --preview DIR  writes mock screens and enlarged stones
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "assetgen/art_icon.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_preview.h"
#include "assetgen/sounds.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--sheet") == 0) {
        if (write_contact_sheet(argv[2])) return 0;
        std::fprintf(stderr, "cairnfall-assetgen: cannot write %s\n", argv[2]);
        return 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "--preview") == 0) {
        std::error_code error;
        std::filesystem::create_directories(argv[2], error);
        if (write_previews(argv[2])) return 0;
        std::fprintf(stderr, "cairnfall-assetgen: cannot write previews into %s\n", argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: cairnfall-assetgen DIR | --sheet FILE.png | --preview DIR\n");
        return 2;
    }
    std::string data = std::string(argv[1]) + "/data";
    std::error_code error;
    std::filesystem::create_directories(data, error);
    if (error) {
        std::fprintf(stderr, "cairnfall-assetgen: cannot create %s\n", data.c_str());
        return 1;
    }
    if (!write_game_art(data.c_str())) {
        std::fprintf(stderr, "cairnfall-assetgen: cannot write the pictures into %s\n",
                     data.c_str());
        return 1;
    }
    if (!write_game_font(data.c_str())) {
        std::fprintf(stderr, "cairnfall-assetgen: cannot write the font into %s\n", data.c_str());
        return 1;
    }
    if (!write_game_sounds(data.c_str())) {
        std::fprintf(stderr, "cairnfall-assetgen: cannot write the sounds into %s\n", data.c_str());
        return 1;
    }
    if (!write_game_icons(argv[1]) || !write_web_icons(argv[1])) {
        std::fprintf(stderr, "cairnfall-assetgen: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
