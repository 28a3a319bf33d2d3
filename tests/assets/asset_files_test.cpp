// The picture files: every catalogue entry loads at its size, the colour key and
// index 0 are used as the game needs, the fixed palette entries stay honest, and
// generation is deterministic.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "assetgen/art_pictures.h"
#include "assetgen/sounds.h"
#include "assets/asset_fixture.h"
#include "gfx/gfx.h"

namespace {

class AssetFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { dir_ = new std::string(art_under_test("files")); }
    static void TearDownTestSuite() {
        remove_art(*dir_);
        delete dir_;
        dir_ = nullptr;
    }
    static std::string file_of(const CatalogueEntry& e) {
        const char* base = std::strrchr(e.file, '/');
        return *dir_ + "/" + (base ? base + 1 : e.file);
    }
    static std::string* dir_;
};

std::string* AssetFiles::dir_ = nullptr;

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

TEST_F(AssetFiles, GeneratorCoversTheWholeCatalogue) {
    ASSERT_EQ(art_picture_count(), catalogue_size());
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        int32_t mine = art_picture_index(e.name);
        ASSERT_GE(mine, 0) << e.name;
        EXPECT_EQ(art_picture(mine).width, e.width) << e.name;
        EXPECT_EQ(art_picture(mine).height, e.height) << e.name;
        EXPECT_EQ(art_picture(mine).keyed, e.colour_key) << e.name;
    }
}

TEST_F(AssetFiles, EveryFileIsAnEightBitBitmapOfItsCatalogueSize) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        std::vector<uint8_t> b = read_file(file_of(e));
        ASSERT_GE(b.size(), 1078u) << e.name;
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 10), 1078u) << e.name;  // 14 + 40 + 256 palette entries
        EXPECT_EQ(u32(b, 14), 40u) << e.name;
        EXPECT_EQ(static_cast<int32_t>(u32(b, 18)), e.width) << e.name;
        EXPECT_EQ(static_cast<int32_t>(u32(b, 22)), e.height) << e.name;
        EXPECT_EQ(b[28], 8) << e.name;
        EXPECT_EQ(u32(b, 30), 0u) << e.name;
        size_t row = (static_cast<size_t>(e.width) + 3) / 4 * 4;
        EXPECT_EQ(b.size(), 1078u + row * e.height) << e.name;
        EXPECT_EQ(u32(b, 2), b.size()) << e.name;
    }
}

TEST_F(AssetFiles, EveryFileLoadsThroughTheGameLoader) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        LoadedPicture pic = load_picture(*dir_, catalogue_entry(i), false);
        EXPECT_EQ(pic.load_result, LOAD_OK) << catalogue_entry(i).name;
    }
}

TEST_F(AssetFiles, FixedPaletteEntriesAreTheSystemColours) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        std::vector<uint8_t> b = read_file(file_of(catalogue_entry(i)));
        ASSERT_GE(b.size(), 1078u);
        for (int32_t k = 0; k < 256; ++k) {
            if (k >= 10 && k <= 245) continue;
            const uint8_t* q = b.data() + 54 + 4 * k;
            EXPECT_EQ(q[2], default_colors[k][0]) << catalogue_entry(i).name << " entry " << k;
            EXPECT_EQ(q[1], default_colors[k][1]) << catalogue_entry(i).name << " entry " << k;
            EXPECT_EQ(q[0], default_colors[k][2]) << catalogue_entry(i).name << " entry " << k;
        }
    }
}

TEST_F(AssetFiles, AllFilesShareOnePalette) {
    // The palette of the last file loaded colours every picture.
    std::vector<uint8_t> first = read_file(file_of(catalogue_entry(0)));
    ASSERT_GE(first.size(), 1078u);
    for (int32_t i = 1; i < catalogue_size(); ++i) {
        std::vector<uint8_t> b = read_file(file_of(catalogue_entry(i)));
        ASSERT_GE(b.size(), 1078u);
        EXPECT_TRUE(std::equal(first.begin() + 54, first.begin() + 1078, b.begin() + 54))
            << catalogue_entry(i).name;
    }
}

TEST_F(AssetFiles, SolidPicturesNeverUseTheTransparentIndex) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        if (e.colour_key) continue;
        LoadedPicture pic = load_picture(*dir_, e, true);
        int32_t zeros = 0, keys = 0;
        for (uint8_t p : pic.pixels) {
            zeros += p == 0;
            keys += p == COLOUR_KEY;
        }
        EXPECT_EQ(zeros, 0) << e.name;
        EXPECT_EQ(keys, 0) << e.name << " uses the key colour without being keyed";
    }
}

TEST_F(AssetFiles, KeyedPicturesAreSeeThroughOnlyAroundTheirShapes) {
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        if (!e.colour_key) continue;
        LoadedPicture pic = load_picture(*dir_, e, true);
        int32_t keys = 0, see_through = 0;
        for (uint8_t p : pic.pixels) {
            keys += p == COLOUR_KEY;
            see_through += p == 0;
        }
        EXPECT_EQ(keys, 0) << e.name << " keeps the key colour after the remap";
        // The corners are see-through, the middle is solid.
        EXPECT_GT(see_through, 0) << e.name;
        EXPECT_EQ(pic.at(0, 0), 0) << e.name;
        EXPECT_EQ(pic.at(e.width - 1, e.height - 1), 0) << e.name;
        EXPECT_NE(pic.at(e.width / 2, e.height / 2), 0) << e.name;
    }
}

TEST_F(AssetFiles, KeyedPicturesHaveNoPinholes) {
    // A see-through pixel walled in on all four sides is a stray key inside a shape.
    for (int32_t i = 0; i < catalogue_size(); ++i) {
        const CatalogueEntry& e = catalogue_entry(i);
        if (!e.colour_key) continue;
        LoadedPicture pic = load_picture(*dir_, e, true);
        int32_t pinholes = 0;
        for (int32_t y = 1; y < e.height - 1; ++y) {
            for (int32_t x = 1; x < e.width - 1; ++x) {
                if (pic.at(x, y) != 0) continue;
                if (pic.at(x - 1, y) && pic.at(x + 1, y) && pic.at(x, y - 1) && pic.at(x, y + 1)) {
                    ++pinholes;
                }
            }
        }
        EXPECT_EQ(pinholes, 0) << e.name;
    }
}

TEST_F(AssetFiles, KeyedPicturesOutlineInTheOutlineColour) {
    // Index 0 of a keyed picture shows as entry 68, so 68 must be a dark outline.
    std::vector<uint8_t> b = read_file(file_of(entry_named("stone0")));
    ASSERT_GE(b.size(), 1078u);
    EXPECT_LT(luminance(b, COLOUR_KEY_OUTLINE), 40.0f);
}

TEST(AssetGeneration, TwoRunsWriteTheSameBytes) {
    std::string first = generate_art("run_a");
    std::string second = generate_art("run_b");
    ASSERT_TRUE(write_game_sounds(first.c_str()));
    ASSERT_TRUE(write_game_sounds(second.c_str()));
    int32_t files = 0;
    for (const auto& item : std::filesystem::directory_iterator(first)) {
        std::string name = item.path().filename().string();
        std::vector<uint8_t> a = read_file(item.path().string());
        std::vector<uint8_t> b = read_file(second + "/" + name);
        EXPECT_FALSE(a.empty()) << name;
        EXPECT_EQ(a, b) << name;
        ++files;
    }
    EXPECT_EQ(files, catalogue_size() + 9);  // every picture and the nine sounds
    // The build's own data/, when there is one, came from the same generator.
    std::error_code error;
    if (std::filesystem::exists("data/board_", error)) {
        for (int32_t i = 0; i < catalogue_size(); ++i) {
            const char* base = std::strrchr(catalogue_entry(i).file, '/') + 1;
            EXPECT_EQ(read_file(first + "/" + base), read_file(std::string("data/") + base))
                << base;
        }
    }
    remove_art(first);
    remove_art(second);
}

}  // namespace
