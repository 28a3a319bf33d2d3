// Image blits: the keyed put, its clipped form and the get.
#include <numeric>

#include "gfx_fixture.h"

namespace {

using BlitTest = GfxTest;

// A width x height image whose byte r * width + c is 1 + (r * width + c) % 250,
// so every pixel tells where it came from; never 0.
std::vector<uint8_t> numbered(int32_t width, int32_t height) {
    std::vector<uint8_t> img(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < img.size(); ++i) img[i] = static_cast<uint8_t>(1 + i % 250);
    return img;
}

TEST_F(BlitTest, PutPlacesTheBottomLeftPixelAtThePosition) {
    const uint8_t img[] = {1, 2, 3, 4};
    gfx_move(10, 20);
    gfx_put_image(img, 2, 2);
    EXPECT_EQ(at(10, 20), 1);
    EXPECT_EQ(at(11, 20), 2);
    EXPECT_EQ(at(10, 19), 3);
    EXPECT_EQ(at(11, 19), 4);
    EXPECT_EQ(painted().size(), 4u);
    uint8_t back[4] = {9, 9, 9, 9};
    gfx_get_image(back, 2, 2);
    EXPECT_EQ(std::vector<uint8_t>(back, back + 4), std::vector<uint8_t>(img, img + 4));
    EXPECT_EQ(gfx.pos_x, 10);
    EXPECT_EQ(gfx.pos_y, 20);
}

TEST_F(BlitTest, ZeroIsSeeThroughForBothPuts) {
    gfx_set_color(5);
    gfx_rect(0, 99, 0, 99);
    std::vector<uint8_t> img(70 * 3, 0);
    img[0] = 8;
    img[69] = 9;   // last of the bottom row
    img[140] = 7;  // first of the top row
    gfx_move(10, 50);
    gfx_put_image(img.data(), 70, 3);
    gfx_move(10, 60);
    gfx_put_image_clipped(img.data(), 70, 3);
    for (int32_t y : {50, 60}) {
        EXPECT_EQ(at(10, y), 8);
        EXPECT_EQ(at(79, y), 9);
        EXPECT_EQ(at(10, y - 2), 7);
        EXPECT_EQ(at(11, y), 5);
        EXPECT_EQ(at(78, y), 5);
        EXPECT_EQ(at(40, y - 1), 5);
    }
}

TEST_F(BlitTest, GetCopiesZerosToo) {
    gfx_set_color(6);
    gfx_rect(10, 10, 20, 20);
    uint8_t out[4] = {9, 9, 9, 9};
    gfx_move(10, 20);
    gfx_get_image(out, 2, 2);
    EXPECT_EQ(out[0], 6);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 0);
}

struct ClipCase {
    const char* name;
    int32_t x, y, width, height;
    // Expected: image rows r0..r1 and columns c0..c1 land on screen; empty when
    // r0 > r1.
    int32_t r0, r1, c0, c1;
};

TEST_F(BlitTest, ClippedPutCases) {
    const ClipCase cases[] = {
        {"inside", 100, 200, 50, 50, 0, 49, 0, 49},
        {"top cut at y 10", 100, 10, 50, 50, 0, 10, 0, 49},
        {"wholly above", 100, -1, 50, 50, 1, 0, 0, 0},
        {"only row 0 at y 0", 100, 0, 50, 50, 0, 0, 0, 49},
        {"left cut", -10, 100, 50, 50, 0, 49, 10, 49},
        {"bottom cut at y 620", 100, 620, 50, 50, 21, 49, 0, 49},
        {"right cut", 780, 100, 50, 50, 0, 49, 0, 19},
        {"wholly right", 800, 100, 50, 50, 1, 0, 0, 0},
        {"wholly left", -50, 100, 50, 50, 1, 0, 0, 0},
        {"wholly below", 100, 649, 50, 50, 1, 0, 0, 0},
        {"zero width", 100, 100, 0, 50, 1, 0, 0, 0},
        {"zero height", 100, 100, 50, 0, 1, 0, 0, 0},
        {"larger than the buffer", -10, 610, 900, 700, 11, 610, 10, 809},
    };
    for (const ClipCase& c : cases) {
        std::vector<uint8_t> img = numbered(c.width > 0 ? c.width : 1, c.height > 0 ? c.height : 1);
        gfx_erase();
        gfx_move(c.x, c.y);
        gfx_put_image_clipped(img.data(), c.width, c.height);
        Pixels expected;
        bool ok = true;
        for (int32_t r = c.r0; r <= c.r1 && ok; ++r) {
            for (int32_t col = c.c0; col <= c.c1; ++col) {
                int32_t sx = c.x + col, sy = c.y - r;
                expected.push_back({sx, sy});
                uint8_t want = img[static_cast<size_t>(r) * c.width + col];
                if (at(sx, sy) != want) {
                    ADD_FAILURE() << c.name << ": image (" << col << ", " << r << ") at (" << sx
                                  << ", " << sy << ") is " << int(at(sx, sy));
                    ok = false;
                    break;
                }
            }
        }
        EXPECT_EQ(painted().size(), expected.size()) << c.name;
        // The unclipped put, when it strays, is cut the same way.
        gfx_erase();
        gfx_put_image(img.data(), c.width, c.height);
        EXPECT_EQ(painted().size(), expected.size()) << c.name << " (unclipped)";
    }
}

TEST_F(BlitTest, GetOutsideTheBufferLeavesThoseImageBytes) {
    gfx_set_color(4);
    gfx_rect(0, 799, 0, 599);
    std::vector<uint8_t> img(20 * 10, 77);
    gfx_move(-15, 5);  // columns -15..4, rows -4..5
    gfx_get_image(img.data(), 20, 10);
    for (int32_t r = 0; r < 10; ++r) {
        for (int32_t c = 0; c < 20; ++c) {
            bool inside = c >= 15 && 5 - r >= 0;
            EXPECT_EQ(img[static_cast<size_t>(r) * 20 + c], inside ? 4 : 77) << c << "," << r;
        }
    }
    gfx_move(INT32_MAX, INT32_MIN);
    gfx_get_image(img.data(), 20, 10);
    gfx_put_image(img.data(), 20, 10);
    gfx_get_image(img.data(), -3, 10);
    gfx_put_image(img.data(), 20, -1);
}

TEST_F(BlitTest, NoActiveBufferTouchesNeither) {
    gfx_set_color(4);
    gfx_rect(0, 799, 0, 599);
    gfx_unselect_buffer();
    std::vector<uint8_t> img(4, 9);
    gfx_move(1, 1);
    gfx_get_image(img.data(), 2, 2);
    EXPECT_EQ(img[0], 9);
    gfx_put_image(img.data(), 2, 2);
    gfx_put_image_clipped(img.data(), 2, 2);
    gfx_set_buffer(buffer);
    EXPECT_EQ(at(1, 1), 4);
}

TEST_F(BlitTest, WideRowsUseEveryChunkAndTheTail) {
    // 77 columns: two whole 32-byte chunks and a 13-byte tail, over a pattern.
    std::vector<uint8_t> img(77 * 2);
    for (size_t i = 0; i < img.size(); ++i) img[i] = i % 3 == 0 ? 0 : static_cast<uint8_t>(i);
    for (int32_t x = 0; x < 100; ++x) set(x, 300, static_cast<uint8_t>(200 + x % 50));
    gfx_move(3, 300);
    gfx_put_image(img.data(), 77, 2);
    for (int32_t c = 0; c < 77; ++c) {
        uint8_t want = img[c] != 0 ? img[c] : static_cast<uint8_t>(200 + (3 + c) % 50);
        EXPECT_EQ(at(3 + c, 300), want) << c;
    }
}

TEST_F(BlitTest, EveryRowWidthMatchesAPixelByPixelPut) {
    for (int32_t width = 1; width <= 140; ++width) {
        std::vector<uint8_t> img(static_cast<size_t>(width) * 3);
        for (size_t i = 0; i < img.size(); ++i)
            img[i] = (i * 7 + width) % 5 == 0 ? 0 : static_cast<uint8_t>(1 + (i * 13) % 200);
        for (int32_t y = 0; y < 4; ++y)
            for (int32_t x = 0; x < 150; ++x) set(x, y, static_cast<uint8_t>(210 + (x + y) % 40));
        gfx_move(1, 3);
        gfx_put_image(img.data(), width, 3);
        for (int32_t r = 0; r < 3; ++r) {
            for (int32_t c = -1; c <= width; ++c) {
                uint8_t under = static_cast<uint8_t>(210 + (1 + c + 3 - r) % 40);
                bool in = c >= 0 && c < width;
                uint8_t v = in ? img[static_cast<size_t>(r) * width + c] : 0;
                ASSERT_EQ(at(1 + c, 3 - r), v != 0 ? v : under) << width << ": " << c << "," << r;
            }
        }
    }
}

}  // namespace
