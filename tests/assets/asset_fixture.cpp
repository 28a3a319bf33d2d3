#include "assets/asset_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "gfx/gfx.h"

std::string generate_art(const std::string& tag) {
    std::filesystem::path dir = std::filesystem::current_path() / ("asset_test_" + tag);
    std::error_code error;
    std::filesystem::remove_all(dir, error);
    std::filesystem::create_directories(dir, error);
    EXPECT_FALSE(error) << dir;
    EXPECT_TRUE(write_game_art(dir.string().c_str()));
    return dir.string();
}

std::string art_under_test(const std::string& tag) {
    std::error_code error;
    if (std::filesystem::exists("data/board_", error)) return "data";
    return generate_art(tag);
}

void remove_art(const std::string& dir) {
    if (dir == "data") return;
    std::error_code error;
    std::filesystem::remove_all(dir, error);
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::vector<uint8_t> bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    uint8_t chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    std::fclose(file);
    return bytes;
}

LoadedPicture load_picture(const std::string& dir, const CatalogueEntry& entry, bool remap) {
    art_setup();
    gfx_set_buffer(art_canvas_buffer());
    LoadedPicture pic;
    // The catalogue names files "data/<name>_"; the generator wrote <name>_ into dir.
    const char* base = std::strrchr(entry.file, '/');
    std::string path = dir + "/" + (base ? base + 1 : entry.file);
    pic.load_result = gfx_load_image_file(path.c_str(), LOAD_NO_REDUCE);
    pic.width = entry.width;
    pic.height = entry.height;
    pic.pixels.assign(static_cast<size_t>(entry.width) * entry.height, 0);
    gfx_move(0, entry.height - 1);
    gfx_get_image(pic.pixels.data(), entry.width, entry.height);
    if (remap && entry.colour_key) {
        remap_colour_key(pic.pixels.data(), entry.width, entry.height, COLOUR_KEY,
                         COLOUR_KEY_OUTLINE);
    }
    return pic;
}

const CatalogueEntry& entry_named(const char* name) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        if (std::strcmp(catalogue_entry(i).name, name) == 0) return catalogue_entry(i);
    }
    ADD_FAILURE() << "no catalogue entry " << name;
    return catalogue_entry(0);
}

float luminance(const std::vector<uint8_t>& bmp, uint8_t index) {
    const uint8_t* entry = bmp.data() + 54 + 4 * index;  // blue, green, red, 0
    return 0.299f * entry[2] + 0.587f * entry[1] + 0.114f * entry[0];
}

namespace {
constexpr int32_t kBlank = 200;  // no print of the tests uses this colour
}

void begin_ink() {
    art_setup();
    gfx_set_buffer(art_scratch_buffer());
    gfx_set_font(art_font(GAME_FONT_CELL));
    gfx_set_color(kBlank);
    gfx_rect(0, 799, 0, 599);
}

std::vector<bool> end_ink() {
    std::vector<uint8_t> pixels(800 * 600);
    gfx_move(0, 599);
    gfx_get_image(pixels.data(), 800, 600);
    gfx_set_buffer(art_canvas_buffer());
    std::vector<bool> ink(800 * 600);
    for (int32_t row = 0; row < 600; ++row) {
        for (int32_t x = 0; x < 800; ++x)
            ink[(599 - row) * 800 + x] = pixels[row * 800 + x] != kBlank;
    }
    return ink;
}
