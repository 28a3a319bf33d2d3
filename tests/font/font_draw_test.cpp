// Measuring and drawing with the game font: only glyph pixels change, always to the
// asked colour, never outside the picture, and exactly as far as the text measures.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace {

int32_t length_of(const char* text) {
    return static_cast<int32_t>(std::strlen(text));
}

// A bottom-up 8-bit picture with guard bytes around it and padding at the end of
// every row, so that a stray write anywhere outside the picture shows.
class Picture {
  public:
    static constexpr int32_t kGuard = 4096;
    static constexpr uint8_t kGuardValue = 0xA5;

    Picture(int32_t width, int32_t height, int32_t padding, uint8_t fill)
        : width_(width),
          height_(height),
          stride_(width + padding),
          memory_(static_cast<size_t>(kGuard * 2 + stride_ * height), kGuardValue) {
        for (int32_t y = 0; y < height_; ++y) {
            for (int32_t x = 0; x < width_; ++x) at(x, y) = fill;
        }
    }

    uint8_t* pixels() { return memory_.data() + kGuard; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t stride() const { return stride_; }
    // Pixel (x, y) of the screen, y downward.
    uint8_t& at(int32_t x, int32_t y) {
        return memory_[kGuard + static_cast<size_t>(height_ - 1 - y) * stride_ + x];
    }

    void draw(int32_t font, const char* text, int32_t x, int32_t y, uint8_t colour) {
        platform_font_draw(font, text, length_of(text), x, y, colour, pixels(), stride_, width_,
                           height_);
    }

    // True when every guard byte and every row's padding still holds its mark.
    bool outside_untouched() const {
        for (int32_t i = 0; i < kGuard; ++i) {
            if (memory_[i] != kGuardValue) return false;
            if (memory_[memory_.size() - 1 - i] != kGuardValue) return false;
        }
        for (int32_t row = 0; row < height_; ++row) {
            for (int32_t x = width_; x < stride_; ++x) {
                if (memory_[kGuard + static_cast<size_t>(row) * stride_ + x] != kGuardValue) {
                    return false;
                }
            }
        }
        return true;
    }

    // The smallest box around the pixels of a colour; false when there are none.
    bool bounds(uint8_t colour, int32_t* left, int32_t* right, int32_t* top, int32_t* bottom) {
        *left = INT32_MAX, *right = INT32_MIN, *top = INT32_MAX, *bottom = INT32_MIN;
        for (int32_t y = 0; y < height_; ++y) {
            for (int32_t x = 0; x < width_; ++x) {
                if (at(x, y) != colour) continue;
                if (x < *left) *left = x;
                if (x > *right) *right = x;
                if (y < *top) *top = y;
                if (y > *bottom) *bottom = y;
            }
        }
        return *left != INT32_MAX;
    }

  private:
    int32_t width_, height_, stride_;
    std::vector<uint8_t> memory_;
};

class FontDraw : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { font_ = platform_font_open("arial", 28, true, true); }
    static void TearDownTestSuite() { platform_font_close(font_); }
    void SetUp() override {
        ASSERT_GT(font_, 0);
        platform_font_metrics(font_, &metrics_);
    }

    static int32_t font_;
    PlatformFontMetrics metrics_ = {};
};

int32_t FontDraw::font_ = 0;

const char* const kTexts[] = {
    "0",
    "Score",
    "12,345",
    "Level 7",
    "AAAAAAAAAA",
    "The quick brown fox",
    "jumps over the lazy dog",
    "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~",
    "\xC0\xE9\xF1\xFC\xDF",
};

TEST_F(FontDraw, WidthIsTheSumOfTheCharactersWidths) {
    for (const char* text : kTexts) {
        int32_t sum = 0;
        for (int32_t i = 0; text[i] != '\0'; ++i)
            sum += platform_font_text_width(font_, text + i, 1);
        EXPECT_EQ(platform_font_text_width(font_, text, length_of(text)), sum) << text;
    }
}

TEST_F(FontDraw, WidthCountsExactlyLengthCharacters) {
    EXPECT_EQ(platform_font_text_width(font_, "Score", 0), 0);
    EXPECT_EQ(platform_font_text_width(font_, "Score", -3), 0);
    EXPECT_EQ(platform_font_text_width(font_, nullptr, 4), 0);
    EXPECT_EQ(platform_font_text_width(font_, "ScoreXYZ", 5),
              platform_font_text_width(font_, "Score", 5));
    // Every printable character moves the pen.
    for (int32_t c = 33; c < 127; ++c) {
        char ch = static_cast<char>(c);
        EXPECT_GT(platform_font_text_width(font_, &ch, 1), 0) << c;
    }
    // A text need not end with a terminator: an embedded 0 is a character too.
    EXPECT_GT(platform_font_text_width(font_, "a\0b", 3), platform_font_text_width(font_, "ab", 2));
}

TEST_F(FontDraw, OnlyGlyphPixelsChangeAndOnlyToTheColour) {
    Picture picture(400, 40, 12, 200);
    picture.draw(font_, "Score 12,345", 5, 5, 7);
    int32_t changed = 0;
    for (int32_t y = 0; y < picture.height(); ++y) {
        for (int32_t x = 0; x < picture.width(); ++x) {
            uint8_t p = picture.at(x, y);
            ASSERT_TRUE(p == 200 || p == 7) << x << "," << y;
            if (p == 7) ++changed;
        }
    }
    EXPECT_GT(changed, 100);
    EXPECT_TRUE(picture.outside_untouched());
}

TEST_F(FontDraw, GlyphPixelsAreSetWhateverWasBeneath) {
    Picture zero(300, 40, 0, 0);
    Picture busy(300, 40, 0, 0);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 300; ++x) busy.at(x, y) = static_cast<uint8_t>(x * 7 + y * 13);
    }
    zero.draw(font_, "Hello", 3, 4, 255);
    busy.draw(font_, "Hello", 3, 4, 255);
    for (int32_t y = 0; y < 40; ++y) {
        for (int32_t x = 0; x < 300; ++x) {
            uint8_t beneath = static_cast<uint8_t>(x * 7 + y * 13);
            EXPECT_EQ(busy.at(x, y), zero.at(x, y) == 255 ? 255 : beneath) << x << "," << y;
        }
    }
}

struct Placement {
    int32_t x, y;
};

TEST_F(FontDraw, NothingIsWrittenOutsideThePicture) {
    const Placement placements[] = {
        {-60, -20},
        {-5, -10},
        {-5, 10},
        {20, -25},
        {30, 20},
        {45, 5},
        {-200, 0},
        {0, -200},
        {1000, 0},
        {0, 1000},
        {INT32_MIN, 0},
        {0, INT32_MIN},
        {INT32_MAX, 0},
        {0, INT32_MAX},
        {INT32_MAX, INT32_MAX},
        {INT32_MIN, INT32_MIN},
    };
    for (const Placement& at : placements) {
        Picture picture(50, 30, 3, 0);
        picture.draw(font_, "Wg@|_Q", at.x, at.y, 9);
        EXPECT_TRUE(picture.outside_untouched()) << at.x << "," << at.y;
    }
}

TEST_F(FontDraw, ACutTextShowsTheSamePixelsAsAWholeOne) {
    // Drawn whole into a big picture and cut into a small one at an offset: the
    // small picture holds exactly the window of the big one it overlaps.
    const Placement offsets[] = {{-7, -5}, {-40, 3}, {10, -15}, {15, 12}};
    for (const Placement& at : offsets) {
        Picture big(400, 80, 0, 0);
        big.draw(font_, "Wavy jig", 100, 20, 4);
        Picture small(60, 25, 5, 0);
        small.draw(font_, "Wavy jig", 100 + at.x - 100, 20 + at.y - 20, 4);
        for (int32_t y = 0; y < small.height(); ++y) {
            for (int32_t x = 0; x < small.width(); ++x) {
                int32_t bx = x - at.x + 100, by = y - at.y + 20;
                uint8_t expected = (bx >= 0 && bx < 400 && by >= 0 && by < 80) ? big.at(bx, by) : 0;
                ASSERT_EQ(small.at(x, y), expected) << at.x << "," << at.y << ": " << x << "," << y;
            }
        }
        EXPECT_TRUE(small.outside_untouched());
    }
}

TEST_F(FontDraw, DrawingMovesThePenByTheMeasuredWidth) {
    const char* const pairs[][2] = {
        {"A", "B"}, {"Score", " 12"}, {"ff", "ii"}, {"W", "AV"}, {"1", "1"}};
    for (const auto& pair : pairs) {
        char joined[64];
        std::snprintf(joined, sizeof joined, "%s%s", pair[0], pair[1]);
        Picture whole(300, 40, 0, 0);
        whole.draw(font_, joined, 10, 5, 3);
        Picture parts(300, 40, 0, 0);
        parts.draw(font_, pair[0], 10, 5, 3);
        parts.draw(font_, pair[1],
                   10 + platform_font_text_width(font_, pair[0], length_of(pair[0])), 5, 3);
        for (int32_t y = 0; y < 40; ++y) {
            for (int32_t x = 0; x < 300; ++x) ASSERT_EQ(whole.at(x, y), parts.at(x, y)) << joined;
        }
    }
}

TEST_F(FontDraw, InkStaysWithinTheMeasuredBoxAndCell) {
    // Italic glyphs lean a little past their advances; never by more than a few pixels.
    for (const char* text : kTexts) {
        Picture picture(700, 60, 0, 0);
        const int32_t x = 50, y = 10;
        picture.draw(font_, text, x, y, 1);
        int32_t left, right, top, bottom;
        ASSERT_TRUE(picture.bounds(1, &left, &right, &top, &bottom)) << text;
        int32_t width = platform_font_text_width(font_, text, length_of(text));
        EXPECT_GE(left, x - 3) << text;
        EXPECT_LE(right, x + width + 3) << text;
        EXPECT_GE(top, y) << text;
        EXPECT_LT(bottom, y + metrics_.height) << text;
    }
}

TEST_F(FontDraw, LettersSitOnTheBaselineAndFillTheirWidth) {
    Picture picture(700, 60, 0, 0);
    const int32_t x = 20, y = 10;
    const char* text = "HHHHHHHHHH";
    picture.draw(font_, text, x, y, 1);
    int32_t left, right, top, bottom;
    ASSERT_TRUE(picture.bounds(1, &left, &right, &top, &bottom));
    // Flat-bottomed capitals end on the row just above the baseline.
    EXPECT_EQ(bottom, y + metrics_.ascent - 1);
    EXPECT_GE(top, y + 1);
    // Ten letters cover about ten advances.
    int32_t width = platform_font_text_width(font_, text, length_of(text));
    EXPECT_NEAR(right - left + 1, width, 4);
}

TEST_F(FontDraw, RowsAreStoredBottomFirst) {
    // A text at the top of a picture lands in the last rows of its memory.
    const int32_t width = 100, height = 100;
    std::vector<uint8_t> memory(width * height, 0);
    platform_font_draw(font_, "HH", 2, 0, 0, 6, memory.data(), width, width, height);
    int32_t lowest_row = height, highest_row = -1;
    for (int32_t row = 0; row < height; ++row) {
        for (int32_t x = 0; x < width; ++x) {
            if (memory[row * width + x] != 6) continue;
            if (row < lowest_row) lowest_row = row;
            if (row > highest_row) highest_row = row;
        }
    }
    ASSERT_GE(highest_row, 0);
    EXPECT_GE(lowest_row, height - metrics_.ascent);
    EXPECT_LT(highest_row, height - 1);  // capitals stay below the cell's top row
}

TEST_F(FontDraw, DegenerateCallsChangeNothing) {
    Picture picture(40, 30, 0, 0);
    picture.draw(font_, "", 0, 0, 1);
    platform_font_draw(font_, "abc", -1, 0, 0, 1, picture.pixels(), 40, 40, 30);
    platform_font_draw(font_, nullptr, 3, 0, 0, 1, picture.pixels(), 40, 40, 30);
    platform_font_draw(font_, "abc", 3, 0, 0, 1, nullptr, 40, 40, 30);
    platform_font_draw(font_, "abc", 3, 0, 0, 1, picture.pixels(), 40, 0, 30);
    platform_font_draw(font_, "abc", 3, 0, 0, 1, picture.pixels(), 40, 40, 0);
    platform_font_draw(font_, "abc", 3, 0, 0, 1, picture.pixels(), 20, 40, 30);
    int32_t left, right, top, bottom;
    EXPECT_FALSE(picture.bounds(1, &left, &right, &top, &bottom));
    EXPECT_TRUE(picture.outside_untouched());
}

TEST_F(FontDraw, ControlAndHighBytesAreDrawnSafely) {
    char every[256];
    for (int32_t i = 0; i < 256; ++i) every[i] = static_cast<char>(i);
    int32_t width = platform_font_text_width(font_, every, 256);
    EXPECT_GT(width, 0);
    Picture picture(200, 40, 8, 0);
    platform_font_draw(font_, every, 256, -1000, 3, 2, picture.pixels(), picture.stride(),
                       picture.width(), picture.height());
    EXPECT_TRUE(picture.outside_untouched());
}

}  // namespace
