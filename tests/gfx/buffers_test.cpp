// The buffer table: slots, width rounding, the bottom-up layout, activation and
// the copy between buffers.
#include <cstring>

#include "gfx_fixture.h"

namespace {

using BufferTest = GfxTest;

TEST_F(BufferTest, SlotsRunOutAfterThirtyTwoAndAFreedSlotIsReused) {
    for (int32_t i = 1; i < GFX_BUFFER_SLOTS; ++i) EXPECT_EQ(gfx_create_buffer(8, 2), i);
    EXPECT_EQ(gfx_create_buffer(8, 2), -1);
    EXPECT_EQ(gfx_free_buffer(5), 0);
    EXPECT_EQ(gfx_create_buffer(8, 2), 5);
    EXPECT_EQ(gfx_create_buffer(8, 2), -1);
}

TEST_F(BufferTest, LowestFreeSlotIsTaken) {
    for (int32_t i = 1; i <= 6; ++i) ASSERT_EQ(gfx_create_buffer(4, 4), i);
    gfx_free_buffer(4);
    gfx_free_buffer(2);
    EXPECT_EQ(gfx_create_buffer(4, 4), 2);
    EXPECT_EQ(gfx_create_buffer(4, 4), 4);
    EXPECT_EQ(gfx_create_buffer(4, 4), 7);
}

struct RoundingCase {
    int32_t width, height, rounded;
};

TEST_F(BufferTest, WidthIsRoundedUpToAMultipleOfFour) {
    const RoundingCase cases[] = {{801, 10, 804}, {800, 600, 800}, {1, 1, 4},
                                  {2, 3, 4},      {4, 1, 4},       {5, 7, 8}};
    for (const RoundingCase& c : cases) {
        int32_t h = gfx_create_buffer(c.width, c.height);
        ASSERT_GE(h, 0);
        const BufferSlot& slot = gfx_buffers[h];
        EXPECT_EQ(slot.width, c.rounded) << c.width;
        EXPECT_EQ(slot.height, c.height);
        EXPECT_EQ(slot.xmin, 0);
        EXPECT_EQ(slot.xmax, c.rounded - 1);
        EXPECT_EQ(slot.ymin, 0);
        EXPECT_EQ(slot.ymax, c.height - 1);
        ASSERT_EQ(gfx_set_buffer(h), 0);
        EXPECT_EQ(gfx.stride, c.rounded);
        EXPECT_EQ(gfx.byte_size, c.rounded * c.height);
        EXPECT_EQ(gfx.xmax, c.rounded - 1);
        EXPECT_EQ(gfx.ymax, c.height - 1);
        gfx_set_buffer(buffer);
        gfx_free_buffer(h);
    }
}

TEST_F(BufferTest, NewBuffersAreZeroAndNotActive) {
    int32_t h = gfx_create_buffer(13, 9);
    ASSERT_EQ(h, 1);
    EXPECT_EQ(gfx.active, buffer);
    for (int32_t i = 0; i < 16 * 9; ++i) ASSERT_EQ(gfx_buffers[h].pixels[i], 0);
}

TEST_F(BufferTest, ImpossibleSizesAreRefusedAndLeaveTheSlotFree) {
    EXPECT_EQ(gfx_create_buffer(0, 10), -2);
    EXPECT_EQ(gfx_create_buffer(10, 0), -2);
    EXPECT_EQ(gfx_create_buffer(-4, 10), -2);
    EXPECT_EQ(gfx_create_buffer(65536, 65536), -2);
    EXPECT_EQ(gfx_create_buffer(INT32_MAX, 1), -2);
    EXPECT_EQ(gfx_create_buffer(4, 4), 1);
}

TEST_F(BufferTest, PixelAddressingIsBottomUp) {
    gfx_set_color(7);
    gfx_rect(0, 0, 599, 599);
    EXPECT_EQ(gfx.pixels[0], 7);
    gfx_set_color(8);
    gfx_rect(799, 799, 0, 0);
    EXPECT_EQ(gfx.pixels[479999], 8);
    gfx_set_color(9);
    gfx_rect(0, 0, 0, 0);
    EXPECT_EQ(gfx.pixels[479200], 9);
}

TEST_F(BufferTest, SetBufferRejectsBadHandlesAndKeepsTheActiveOne) {
    int32_t other = gfx_create_buffer(16, 16);
    gfx_free_buffer(other);
    const int32_t bad[] = {32, -1, 1000, INT32_MIN};
    for (int32_t h : bad) EXPECT_EQ(gfx_set_buffer(h), -1) << h;
    EXPECT_EQ(gfx_set_buffer(other), -2);
    EXPECT_EQ(gfx.active, buffer);
    EXPECT_EQ(gfx.width, 800);
}

TEST_F(BufferTest, TheActiveBufferCannotBeFreed) {
    EXPECT_EQ(gfx_free_buffer(buffer), 0);
    EXPECT_NE(gfx_buffers[buffer].pixels, nullptr);
    EXPECT_EQ(gfx.active, buffer);
    EXPECT_EQ(gfx_free_buffer(-1), 0);
    EXPECT_EQ(gfx_free_buffer(99), 0);
}

TEST_F(BufferTest, AfterUnselectNothingDrawsAndTheBufferCanBeFreed) {
    gfx_unselect_buffer();
    uint8_t* pixels = gfx_buffers[buffer].pixels;
    gfx_set_color(5);
    gfx_rect(0, 10, 0, 10);
    gfx_erase();
    gfx_move(0, 0);
    gfx_line_to(10, 10);
    gfx_fill_circle(5);
    for (int32_t i = 0; i < 800 * 600; ++i) ASSERT_EQ(pixels[i], 0);
    EXPECT_EQ(gfx.pos_x, 10);
    gfx_free_buffer(buffer);
    EXPECT_EQ(gfx_buffers[buffer].pixels, nullptr);
}

struct CopyCase {
    int32_t from_w, from_h, to_w, to_h;
    bool copies;
};

TEST_F(BufferTest, CopyNeedsTheSameRowLengthAndHeight) {
    const CopyCase cases[] = {
        {800, 600, 800, 600, true}, {800, 600, 800, 599, false}, {800, 600, 804, 600, false},
        {801, 600, 804, 600, true}, {16, 2, 16, 2, true},
    };
    for (const CopyCase& c : cases) {
        int32_t from = gfx_create_buffer(c.from_w, c.from_h);
        int32_t to = gfx_create_buffer(c.to_w, c.to_h);
        ASSERT_GE(from, 0);
        ASSERT_GE(to, 0);
        std::memset(gfx_buffers[from].pixels, 3,
                    static_cast<size_t>(gfx_buffers[from].width) * c.from_h);
        EXPECT_EQ(gfx_copy_buffer(from, to), 0);
        EXPECT_EQ(gfx_buffers[to].pixels[0], c.copies ? 3 : 0) << c.from_w << "x" << c.from_h;
        int32_t last = gfx_buffers[to].width * c.to_h - 1;
        EXPECT_EQ(gfx_buffers[to].pixels[last], c.copies ? 3 : 0);
        gfx_free_buffer(from);
        gfx_free_buffer(to);
    }
}

TEST_F(BufferTest, CopyUsesTheLowFiveBitsOfEachHandle) {
    int32_t second = gfx_create_buffer(800, 600);
    ASSERT_EQ(second, 1);
    gfx_set_color(4);
    gfx_rect(0, 799, 0, 599);
    gfx_copy_buffer(32 + 0, 32 + second);
    EXPECT_EQ(gfx_buffers[second].pixels[12345], 4);
    gfx_erase();
    gfx_copy_buffer(33, 0);  // as from 1 to 0
    EXPECT_EQ(at(10, 10), 4);
    EXPECT_EQ(gfx.active, buffer);
}

TEST_F(BufferTest, CopyFromOrToAFreeSlotDoesNothing) {
    gfx_set_color(4);
    gfx_rect(0, 799, 0, 599);
    gfx_copy_buffer(7, 0);
    gfx_copy_buffer(0, 7);
    EXPECT_EQ(at(5, 5), 4);
    EXPECT_EQ(gfx_buffers[7].pixels, nullptr);
}

TEST_F(BufferTest, ShutdownWithAllSlotsInUseDoesNothing) {
    for (int32_t i = 1; i < GFX_BUFFER_SLOTS; ++i) ASSERT_EQ(gfx_create_buffer(4, 4), i);
    gfx_shutdown();
    EXPECT_EQ(gfx.active, buffer);
    EXPECT_EQ(gfx_memory_dc(), GFX_MEMORY_DC);
    gfx_free_buffer(3);
    gfx_shutdown();
    EXPECT_EQ(gfx.active, -1);
    EXPECT_EQ(gfx_memory_dc(), 0);
}

}  // namespace
