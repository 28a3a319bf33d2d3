// Shared by the asset tests: generates the pictures into a folder of their own
// and loads them back the way the game does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/catalogue.h"

// A picture loaded from its file as the game holds it: bottom row first, colour
// key already remapped when the catalogue says so.
struct LoadedPicture {
    int32_t load_result = -1;
    int32_t width = 0, height = 0;
    std::vector<uint8_t> pixels;  // bottom row first
    // The pixel at (x, y), y counted from the picture's top.
    uint8_t at(int32_t x, int32_t y) const { return pixels[(height - 1 - y) * width + x]; }
};

// Writes every picture into a fresh folder named after `tag` under the working
// directory and returns the folder.
std::string generate_art(const std::string& tag);
// The folder of pictures to check: the build's data/ (the files the game loads,
// written by the build before the tests run) when the working directory has it,
// otherwise a fresh folder from generate_art(tag).
std::string art_under_test(const std::string& tag);
// Removes a folder that generate_art made (never the build's data/).
void remove_art(const std::string& dir);
// The file's bytes, empty when it cannot be read.
std::vector<uint8_t> read_file(const std::string& path);
// Loads catalogue entry `entry` from dir through the graphics layer's loader;
// remap applies the colour key as start-up does for keyed pictures.
LoadedPicture load_picture(const std::string& dir, const CatalogueEntry& entry, bool remap);
// The catalogue entry with that name (the test fails when there is none).
const CatalogueEntry& entry_named(const char* name);
// Luminance 0..255 of a palette index as the files store it.
float luminance(const std::vector<uint8_t>& bmp, uint8_t index);

// Printing into a blank scratch picture to see which pixels the prints touch:
// begin_ink clears it and selects the game's font; end_ink returns an 800x600
// mask (rows top first) of every pixel drawn since, and gives the canvas back.
void begin_ink();
std::vector<bool> end_ink();
