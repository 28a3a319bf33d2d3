// The program's icons: the hicolor PNGs at every size and the window icon BMP,
// transparent round an opaque stone, with the headers the desktop and SDL read;
// and the web page's, the opaque ones whole and the maskable one's stone inside
// the circle a mask keeps.
#include <gtest/gtest.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include "assetgen/art_icon.h"
#include "assets/asset_fixture.h"

namespace {

uint32_t u32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return (uint32_t(b[at]) << 24) | (b[at + 1] << 16) | (b[at + 2] << 8) | b[at + 3];
}

// A PNG decoded to RGBA bytes, rows top first; empty when it cannot be read.
struct Rgba {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> bytes;
    uint8_t alpha(int32_t x, int32_t y) const { return bytes[(y * width + x) * 4 + 3]; }
    float lum(int32_t x, int32_t y) const {
        const uint8_t* p = &bytes[(y * width + x) * 4];
        return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
    }
};

Rgba read_png(const std::string& path) {
    Rgba out;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> bytes(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, bytes.data(), 0, nullptr)) return out;
    out.width = static_cast<int32_t>(image.width);
    out.height = static_cast<int32_t>(image.height);
    out.bytes = std::move(bytes);
    return out;
}

std::string png_path(const std::string& root, int32_t n) {
    return root + "/icons/hicolor/" + std::to_string(n) + "x" + std::to_string(n) +
           "/apps/cairnfall.png";
}

std::string scratch_folder(const char* name) {
    return (std::filesystem::temp_directory_path() /
            ("cairnfall-icons-" + std::to_string(getpid()) + "-" + name))
        .string();
}

class IconFiles : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        // A folder of this process's own: CTest runs each test case as a process of
        // its own, several at a time.
        root_ = new std::string(scratch_folder("a"));
        std::error_code error;
        std::filesystem::remove_all(*root_, error);
        ok_ = write_game_icons(root_->c_str()) && write_web_icons(root_->c_str());
    }
    static void TearDownTestSuite() {
        std::error_code error;
        std::filesystem::remove_all(*root_, error);
        delete root_;
        root_ = nullptr;
    }
    static std::string* root_;
    static bool ok_;
};

std::string* IconFiles::root_ = nullptr;
bool IconFiles::ok_ = false;

TEST_F(IconFiles, EverySizeIsAnRgbaPngOfThatSize) {
    ASSERT_TRUE(ok_);
    for (int32_t n : {16, 32, 48, 64, 128, 256}) {
        std::vector<uint8_t> b = read_file(png_path(*root_, n));
        ASSERT_GE(b.size(), 33u) << n;
        EXPECT_EQ(b[1], 'P');
        EXPECT_EQ(be32(b, 16), uint32_t(n)) << n;  // IHDR width
        EXPECT_EQ(be32(b, 20), uint32_t(n)) << n;  // IHDR height
        EXPECT_EQ(b[24], 8) << n;                  // bit depth
        EXPECT_EQ(b[25], 6) << n;                  // RGBA
    }
}

TEST_F(IconFiles, CornersAreTransparentAndTheStoneOpaque) {
    ASSERT_TRUE(ok_);
    for (int32_t n : {16, 32, 48, 64, 128, 256}) {
        Rgba png = read_png(png_path(*root_, n));
        ASSERT_EQ(png.width, n);
        ASSERT_EQ(png.height, n);
        for (int32_t c : {0, n - 1}) {
            EXPECT_EQ(png.alpha(c, 0), 0) << n;
            EXPECT_EQ(png.alpha(c, n - 1), 0) << n;
        }
        // Opaque across the middle, edge to edge of the stone.
        for (int32_t x = n / 8; x < n - n / 8; ++x) EXPECT_EQ(png.alpha(x, n / 2), 255) << n;
        // The sun's bright heart in the middle, a darker stone round it.
        EXPECT_GT(png.lum(n / 2, n / 2), 200.0f) << n;
        EXPECT_LT(png.lum(n / 2, n / 8 + 1), png.lum(n / 2, n / 2) - 30.0f) << n;
    }
}

TEST_F(IconFiles, SmallSizesAreDrawnNotScaledDown) {
    // The 16-pixel icon keeps an outline and the sun's rays: it is not the 256 one
    // averaged down, which would blur them away.
    ASSERT_TRUE(ok_);
    Rgba small = read_png(png_path(*root_, 16));
    ASSERT_EQ(small.width, 16);
    // Dark outline just inside the transparent margin, at the middle of each side.
    EXPECT_LT(small.lum(8, 0) + small.lum(8, 1), 200.0f);
    EXPECT_LT(small.lum(0, 8) + small.lum(1, 8), 200.0f);
    // Around the bright centre, some pixels clearly darker (the rays' edges).
    int32_t dark = 0;
    for (int32_t y = 4; y < 12; ++y) {
        for (int32_t x = 4; x < 12; ++x) dark += small.lum(x, y) < 150.0f ? 1 : 0;
    }
    EXPECT_GT(dark, 4);
}

TEST_F(IconFiles, WindowIconIsAV4BitmapWithAlpha) {
    ASSERT_TRUE(ok_);
    std::vector<uint8_t> b = read_file(*root_ + "/data/icon.bmp");
    ASSERT_EQ(b.size(), 14u + 108u + 64u * 64u * 4u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size());
    EXPECT_EQ(u32(b, 10), 122u);
    EXPECT_EQ(u32(b, 14), 108u);  // BITMAPV4HEADER
    EXPECT_EQ(u32(b, 18), 64u);
    EXPECT_EQ(u32(b, 22), 64u);  // positive: bottom row first
    EXPECT_EQ(b[26] | (b[27] << 8), 1);
    EXPECT_EQ(b[28] | (b[29] << 8), 32);
    EXPECT_EQ(u32(b, 30), 3u);  // BI_BITFIELDS
    EXPECT_EQ(u32(b, 34), 64u * 64u * 4u);
    EXPECT_EQ(u32(b, 54), 0x00FF0000u);
    EXPECT_EQ(u32(b, 58), 0x0000FF00u);
    EXPECT_EQ(u32(b, 62), 0x000000FFu);
    EXPECT_EQ(u32(b, 66), 0xFF000000u);
    // Bottom-up: the file's first pixel is the bottom-left corner, transparent; the
    // middle opaque; and the pixels are the 64-pixel PNG's, row for row.
    Rgba png = read_png(png_path(*root_, 64));
    ASSERT_EQ(png.width, 64);
    for (int32_t y = 0; y < 64; ++y) {
        for (int32_t x = 0; x < 64; ++x) {
            const uint8_t* p = &b[122 + ((63 - y) * 64 + x) * 4];  // blue, green, red, alpha
            const uint8_t* q = &png.bytes[(y * 64 + x) * 4];       // red, green, blue, alpha
            ASSERT_EQ(p[3], q[3]) << x << "," << y;
            if (q[3] == 0) continue;
            ASSERT_EQ(p[2], q[0]) << x << "," << y;
            ASSERT_EQ(p[1], q[1]) << x << "," << y;
            ASSERT_EQ(p[0], q[2]) << x << "," << y;
        }
    }
    EXPECT_EQ(b[122 + 3], 0);
    EXPECT_EQ(b[122 + (32 * 64 + 32) * 4 + 3], 255);
}

TEST_F(IconFiles, WebIconsOpaqueWhereTheyMustBeAndTheMaskableStoneInsideItsCircle) {
    ASSERT_TRUE(ok_);
    for (const WebIcon& w : WEB_ICONS) {
        Rgba png = read_png(*root_ + "/icons/web/" + w.name);
        const int32_t n = w.size;
        ASSERT_EQ(png.width, n) << w.name;
        ASSERT_EQ(png.height, n) << w.name;
        EXPECT_EQ(png.alpha(0, 0), w.opaque ? 255 : 0) << w.name;
        EXPECT_GT(png.lum(n / 2, n / 2), 200.0f) << w.name;  // the sun in the middle
        if (!w.opaque) continue;
        // The stone's farthest pixel from the centre: one that stands out from the
        // sky at the left end of its row (the sky shades only from top to bottom).
        float farthest = 0.0f;
        for (int32_t y = 0; y < n; ++y) {
            for (int32_t x = 0; x < n; ++x) {
                ASSERT_EQ(png.alpha(x, y), 255) << w.name << " " << x << "," << y;
                if (std::abs(png.lum(x, y) - png.lum(0, y)) < 40.0f) continue;
                farthest = std::max(farthest, std::hypot(x + 0.5f - n / 2.0f, y + 0.5f - n / 2.0f));
            }
        }
        EXPECT_GT(farthest, 0.3f * n) << w.name;
        if (std::string(w.name).find("maskable") != std::string::npos) {
            EXPECT_LT(farthest, 0.4f * n) << w.name;
        }
    }
}

TEST_F(IconFiles, TwoRunsWriteTheSameBytes) {
    ASSERT_TRUE(ok_);
    std::string second = scratch_folder("b");
    std::error_code error;
    std::filesystem::remove_all(second, error);
    ASSERT_TRUE(write_game_icons(second.c_str()));
    for (int32_t n : {16, 32, 48, 64, 128, 256}) {
        std::vector<uint8_t> a = read_file(png_path(*root_, n));
        EXPECT_FALSE(a.empty()) << n;
        EXPECT_EQ(a, read_file(png_path(second, n))) << n;
    }
    EXPECT_EQ(read_file(*root_ + "/data/icon.bmp"), read_file(second + "/data/icon.bmp"));
    // The build's own icons, when it made them, came from the same generator.
    if (std::filesystem::exists("icons/hicolor/64x64/apps/cairnfall.png", error)) {
        for (int32_t n : {16, 32, 48, 64, 128, 256}) {
            EXPECT_EQ(read_file(png_path(*root_, n)), read_file(png_path(".", n))) << n;
        }
        EXPECT_EQ(read_file(*root_ + "/data/icon.bmp"), read_file("data/icon.bmp"));
    }
    std::filesystem::remove_all(second, error);
}

}  // namespace
