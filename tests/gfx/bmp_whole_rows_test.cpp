// The image loader on pictures as wide as the buffer, whose rows it reads straight
// into place: every length of file, every start of the pixel data, taller and
// shorter pictures, and files that are not regular files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "bmp_files.h"
#include "gfx_fixture.h"
#include "support/blocked_reader.h"

namespace {

uint8_t value(int32_t x, int32_t y) {
    return static_cast<uint8_t>(x * 7 + y * 13 + 3);
}

class WholeRowsTest : public GfxTest {
  public:
    // Fills the active buffer with 5 so that untouched pixels show.
    static void fill() { std::memset(gfx.pixels, 5, static_cast<size_t>(gfx.byte_size)); }

    // Loads `file` cut to `length` bytes and checks every pixel of the active
    // buffer against what those bytes hold: a pixel whose byte lies within the file
    // is the picture's, any other keeps 5.
    static void check(const BmpLayout& s, std::vector<uint8_t> file, size_t length,
                      const std::string& name) {
        const size_t data = 14 + (s.core ? 12 : 40) + size_t(s.palette_entries) * (s.core ? 3 : 4);
        const int64_t row_bytes = (int64_t{s.width} * 8 + 31) / 32 * 4;
        const int64_t rows = s.height < 0 ? -int64_t{s.height} : s.height;
        file.resize(length);
        fill();
        ASSERT_EQ(gfx_load_image_file(write_temp("rows", file).c_str(), LOAD_NO_REDUCE), LOAD_OK)
            << name;
        const int64_t held = length > data ? int64_t(length - data) : 0;
        int32_t errors = 0;
        for (int32_t y = 0; y < gfx.height && errors < 5; ++y) {
            int64_t row = s.height > 0 ? rows - 1 - y : y;
            for (int32_t x = 0; x < gfx.width && errors < 5; ++x) {
                bool read = x < s.width && y < rows && row * row_bytes + x < held;
                uint8_t want = read ? value(x, y) : 5;
                if (at(x, y) != want) {
                    ADD_FAILURE() << name << ": (" << x << ", " << y << ") is " << int(at(x, y))
                                  << ", not " << int(want);
                    ++errors;
                }
            }
        }
    }
};

struct RowsCase {
    const char* name;
    int32_t height;
    int32_t palette_entries;
    bool core;
};

// Whole files: the pixel data starts at different points of the first read, so
// the row that crosses its end is cut at a different place each time.
TEST_F(WholeRowsTest, FullWidthPicturesOfEveryShape) {
    const RowsCase cases[] = {
        {"600 rows", 600, 256, false},
        {"1 row", 1, 256, false},
        {"4 rows, in the first read", 4, 0, false},
        {"7 rows", 7, 256, false},
        {"599 rows", 599, 257, false},
        {"601 rows, cut", 601, 256, false},
        {"1200 rows, cut", 1200, 100, false},
        {"short header", 600, 256, true},
        {"top row first", -600, 256, false},
        {"no palette", 600, 0, false},
        {"palette of 3", 300, 3, false},
    };
    for (const RowsCase& c : cases) {
        BmpLayout s;
        s.width = 800;
        s.height = c.height;
        s.palette_entries = c.palette_entries;
        s.core = c.core;
        s.pixel = value;
        std::vector<uint8_t> file = make_bmp(s);
        check(s, file, file.size(), c.name);
    }
}

// A file that ends early keeps exactly the bytes it holds, wherever it ends: in the
// first read, at its edge, on a row boundary, inside a row, one byte short.
TEST_F(WholeRowsTest, FilesEndingAnywhereKeepTheBytesTheyHold) {
    BmpLayout s;
    s.width = 800;
    s.height = 600;
    s.pixel = value;
    std::vector<uint8_t> file = make_bmp(s);
    const size_t data = 1078;
    const size_t lengths[] = {data,
                              data + 1,
                              data + 800,
                              4095,
                              4096,
                              4097,
                              data + 800 * 4,
                              data + 800 * 5,
                              data + 800 * 5 + 1,
                              data + 800 * 300 + 17,
                              file.size() - 800,
                              file.size() - 1};
    for (size_t length : lengths) check(s, file, length, "cut at " + std::to_string(length));
}

// Bytes after the last row are never taken for pixels.
TEST_F(WholeRowsTest, BytesAfterTheLastRowAreIgnored) {
    BmpLayout s;
    s.width = 800;
    s.height = 300;
    s.pixel = value;
    std::vector<uint8_t> file = make_bmp(s);
    const size_t picture = file.size();
    file.resize(picture + 800 * 50, 0xEE);
    fill();
    ASSERT_EQ(gfx_load_image_file(write_temp("trailing", file).c_str(), LOAD_NO_REDUCE), LOAD_OK);
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t x = 0; x < 800; x += 7) {
            ASSERT_EQ(at(x, y), y < 300 ? value(x, y) : 5) << x << "," << y;
        }
    }
}

// A small buffer whose rows are exactly as wide as the picture's: the picture's
// extra rows are read past and nothing is written beyond the buffer's end.
TEST_F(WholeRowsTest, SmallBufferOfTheSameWidth) {
    int32_t small = gfx_create_buffer(40, 20);
    ASSERT_GE(small, 0);
    ASSERT_EQ(gfx_set_buffer(small), 0);
    const int32_t heights[] = {20, 30, 9, -30};
    for (int32_t height : heights) {
        BmpLayout s;
        s.width = 40;
        s.height = height;
        s.pixel = value;
        std::vector<uint8_t> file = make_bmp(s);
        check(s, file, file.size(), "40 wide, height " + std::to_string(height));
        check(s, file, file.size() - 45, "40 wide, cut, height " + std::to_string(height));
    }
}

// A named pipe or a folder named like a picture is refused at once; with no
// writer, opening a pipe the ordinary way would wait forever.
TEST_F(WholeRowsTest, OnlyRegularFilesAreOpened) {
    std::string fifo = ::testing::TempDir() + "cairnfall_gfx_fifo_" + std::to_string(getpid());
    if (!kNamedPipes) GTEST_SKIP() << "no named pipes among this system's files";
    unlink(fifo.c_str());
    ASSERT_TRUE(make_named_pipe(fifo));
    fill();
    std::atomic<bool> done{false};
    std::thread helper(release_blocked_reader, fifo, &done, std::chrono::milliseconds(2000));
    auto start = std::chrono::steady_clock::now();
    int32_t result = gfx_load_image_file(fifo.c_str(), LOAD_NO_REDUCE);
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    done = true;
    helper.join();
    unlink(fifo.c_str());
    EXPECT_EQ(result, LOAD_CANNOT_OPEN);
    EXPECT_LT(spent.count(), 1000) << "the load waited on the pipe";
    EXPECT_EQ(at(0, 0), 5);

    EXPECT_EQ(gfx_load_image_file(::testing::TempDir().c_str(), LOAD_NO_REDUCE), LOAD_CANNOT_OPEN);
}

}  // namespace
