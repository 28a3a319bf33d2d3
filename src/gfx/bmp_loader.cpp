// The image loader: decodes a Windows bitmap of 1, 4 or 8 bits per pixel straight
// into the active buffer, top-left pixel at (0, 0), and installs its colours.
//
// The file streams through one 4096-byte read buffer; the header and the palette
// must lie within its first fill. Reads go straight to the system, unbuffered: an
// 8-bit bottom-up picture exactly as wide as the buffer is stored the way the
// buffer holds it, so once the read buffer is used up the rest of its rows are
// read straight into place in one call. Files are untrusted: every field is checked
// against the bytes actually read, and nothing is written outside the buffer or
// the colour table. Beyond the five documented results:
//   - a file too short for its header, a width of 0 or less, a height of 0, a
//     header or palette past the first 4096 bytes, or a pixel data offset before
//     the end of the header is refused with LOAD_NOT_BMP;
//   - bit counts other than 1, 4 and 8 are refused with LOAD_BAD_DEPTH;
//   - a negative height means rows stored top row first, and is decoded so;
//   - a picture larger than the buffer is cut to it (the rest of its rows and
//     columns are read past);
//   - palettes of more than 256 entries give their first 256;
//   - a file that ends before its last row stops there: the rows read so far stay,
//     the colours are installed and the result is LOAD_OK.
// Only the flags value LOAD_NO_REDUCE is supported; other bits are ignored. A file
// already read into memory (gfx_load_image_bytes) is decoded the same way.
#include <cstring>

#include "gfx/gfx_internal.h"
#include "platform/platform.h"

namespace {

constexpr int64_t kReadSize = 4096;
constexpr int64_t kFileHeaderSize = 14;
constexpr int64_t kCoreHeaderSize = 12;
constexpr int32_t kFirstFreeEntry = 10;  // entries 0..9 and 246..255 are the system's
constexpr int32_t kFreeEntries = 236;

// The read buffer and how much of it holds file bytes. The bytes come from a file,
// or from a file already read into memory.
struct Stream {
    int32_t file;
    const uint8_t* memory;  // the file's bytes when not read from the file
    int64_t memory_length;
    int64_t memory_pos;
    uint8_t bytes[kReadSize];
    int64_t length;  // bytes the last read delivered
    int64_t pos;     // next byte to decode
};

Stream stream{-1, nullptr, 0, 0, {}, 0, 0};
// The file's palette as red, green, blue; entries past the file's keep old values.
uint8_t file_colours[256 * 3];

// Reads up to n of the next bytes into dest: the count read, 0 at the end or on an
// error.
int64_t read_bytes(uint8_t* dest, int64_t n) {
    if (stream.memory == nullptr) {
        int32_t got = platform_file_read(stream.file, dest, static_cast<uint32_t>(n));
        return got > 0 ? got : 0;
    }
    int64_t left = stream.memory_length - stream.memory_pos;
    if (n > left) n = left;
    if (n > 0) std::memcpy(dest, stream.memory + stream.memory_pos, static_cast<size_t>(n));
    stream.memory_pos += n;
    return n;
}

// Fills the read buffer; it is short only at the end of the file or on an error.
bool refill() {
    stream.length = read_bytes(stream.bytes, kReadSize);
    stream.pos = 0;
    return stream.length > 0;
}

uint32_t u16_at(const uint8_t* bytes, int64_t at) {
    return bytes[at] | uint32_t{bytes[at + 1]} << 8;
}
uint32_t u32_at(const uint8_t* bytes, int64_t at) {
    return u16_at(bytes, at) | u16_at(bytes, at + 2) << 16;
}

struct Header {
    bool core;  // the 12-byte header: 3-byte palette entries
    int64_t data_offset;
    int64_t header_size;
    int64_t width;
    int64_t height;  // negative: rows stored top row first
    uint32_t bits;
    uint32_t compression;
};

// Reads the fields of both header forms from a file's first `length` bytes; false
// when they are not a bitmap or cannot hold the fields.
bool read_header(const uint8_t* bytes, int64_t length, Header* h) {
    if (length < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    h->data_offset = u32_at(bytes, 10);
    h->header_size = u32_at(bytes, 14);
    h->core = h->header_size == kCoreHeaderSize;
    if (h->core) {
        if (length < 26) return false;
        h->width = u16_at(bytes, 18);
        h->height = u16_at(bytes, 20);
        h->bits = u16_at(bytes, 24) & 0xFF;
        h->compression = 0;
    } else {
        if (length < 34) return false;
        h->width = static_cast<int32_t>(u32_at(bytes, 18));
        h->height = static_cast<int32_t>(u32_at(bytes, 22));
        h->bits = u16_at(bytes, 28) & 0xFF;
        h->compression = u32_at(bytes, 30) & 0xFF;
    }
    return true;
}

// The palette runs from the end of the header to the pixel data; both ends must
// lie within the first read.
bool header_fits(const Header& h) {
    int64_t palette_start = kFileHeaderSize + h.header_size;
    if (h.width <= 0 || h.height == 0) return false;
    if (palette_start > stream.length || h.data_offset > stream.length) return false;
    return h.data_offset >= palette_start;
}

// Converts the file's palette into file_colours; returns the entries converted.
int32_t read_palette(const Header& h) {
    int64_t entry_size = h.core ? 3 : 4;
    int64_t start = kFileHeaderSize + h.header_size;
    int64_t count = (h.data_offset - start) / entry_size;
    if (count > 256) count = 256;
    for (int64_t k = 0; k < count; ++k) {
        const uint8_t* e = stream.bytes + start + k * entry_size;
        file_colours[3 * k] = e[2];
        file_colours[3 * k + 1] = e[1];
        file_colours[3 * k + 2] = e[0];
    }
    return static_cast<int32_t>(count);
}

// Decodes n file bytes of a row, starting at byte `first` of the row, into the
// pixels of dest below `width`. 4- and 1-bit values are stored + 10.
void decode(const uint8_t* src, int64_t first, int64_t n, uint32_t bits, uint8_t* dest,
            int64_t width) {
    if (bits == 8) {
        int64_t end = first + n < width ? first + n : width;
        if (end > first) std::memcpy(dest + first, src, static_cast<size_t>(end - first));
        return;
    }
    int64_t per_byte = 8 / bits;
    uint32_t mask = (1u << bits) - 1;
    for (int64_t k = 0; k < n; ++k) {
        int64_t px = (first + k) * per_byte;
        if (px >= width) return;
        for (int64_t j = 0; j < per_byte && px + j < width; ++j) {
            uint32_t shift = static_cast<uint32_t>(8 - bits * (j + 1));
            dest[px + j] = static_cast<uint8_t>(((src[k] >> shift) & mask) + kFirstFreeEntry);
        }
    }
}

// True when the file's rows lie in the file as they lie in the buffer: 8-bit,
// bottom row first, each file row (padding included) exactly one buffer row.
bool rows_match_buffer(const Header& h, int64_t row_bytes) {
    return h.bits == 8 && h.height > 0 && h.width == gfx.width && row_bytes == gfx.stride;
}

// Streams every row into the buffer. Stops early when the file ends.
void decode_rows(const Header& h) {
    int64_t rows = h.height < 0 ? -h.height : h.height;
    int64_t row_bytes = (h.width * h.bits + 31) / 32 * 4;
    int64_t width = h.width < gfx.width ? h.width : gfx.width;
    int64_t total = rows * row_bytes;
    bool direct = rows_match_buffer(h, row_bytes);
    uint8_t* buffer_end = gfx.pixels + gfx.byte_size;
    stream.pos = h.data_offset;
    for (int64_t at = 0; at < total;) {
        int64_t i = at / row_bytes;
        int64_t done = at % row_bytes;
        // The first row of a bottom-up file is the picture's bottom row.
        int64_t y = h.height > 0 ? h.height - 1 - i : i;
        uint8_t* dest = y < gfx.height ? gfx_pixel_address(0, static_cast<int32_t>(y)) : nullptr;
        if (stream.pos == stream.length) {
            if (direct && dest != nullptr) {
                // This row's rest and every row above it follow on in the buffer up
                // to its end: read them there directly.
                int64_t want = total - at;
                if (want > buffer_end - (dest + done)) want = buffer_end - (dest + done);
                int64_t got = read_bytes(dest + done, want);
                if (got <= 0) return;
                at += got;
                continue;
            }
            if (!refill()) return;
        }
        int64_t n = stream.length - stream.pos;
        if (n > row_bytes - done) n = row_bytes - done;
        if (dest != nullptr) decode(stream.bytes + stream.pos, done, n, h.bits, dest, width);
        stream.pos += n;
        at += n;
    }
}

int32_t load(const Header& h) {
    if (h.compression != 0) return LOAD_COMPRESSED;
    if (h.bits == 16 || h.bits == 24 || h.bits == 32) return LOAD_BAD_DEPTH;
    if (h.bits != 1 && h.bits != 4 && h.bits != 8) return LOAD_BAD_DEPTH;
    if (!header_fits(h)) return LOAD_NOT_BMP;

    int64_t palette_length = h.data_offset - kFileHeaderSize - h.header_size;
    int32_t entries = palette_length != 0 ? read_palette(h) : 0;
    decode_rows(h);
    if (palette_length != 0 && gfx_buffers[gfx.active].bits_per_pixel == 8) {
        if (h.bits == 8) {
            gfx_set_palette_range(kFirstFreeEntry, kFreeEntries,
                                  file_colours + 3 * kFirstFreeEntry);
        } else {
            // File colour k is palette entry k + 10, as the pixel values are.
            int32_t n = entries < kFreeEntries ? entries : kFreeEntries;
            gfx_set_palette_range(kFirstFreeEntry, n, file_colours);
        }
    }
    return LOAD_OK;
}

// Decodes the stream from its start.
int32_t load_stream() {
    refill();
    Header h{};
    return read_header(stream.bytes, stream.length, &h) ? load(h) : LOAD_NOT_BMP;
}

}  // namespace

int32_t gfx_load_image_file(const char* path, int32_t /*flags*/) {
    if (gfx.active < 0) return LOAD_OK;
    if (path == nullptr) return LOAD_CANNOT_OPEN;
    // Only a regular file is opened: a named pipe would block the game.
    stream.file = platform_file_open(path);
    if (stream.file < 0) return LOAD_CANNOT_OPEN;
    int32_t result = load_stream();
    platform_file_close(stream.file);
    stream.file = -1;
    return result;
}

int32_t gfx_load_image_bytes(const uint8_t* bytes, int64_t length, int32_t /*flags*/) {
    if (gfx.active < 0) return LOAD_OK;
    if (length < 0 || (bytes == nullptr && length > 0)) return LOAD_CANNOT_OPEN;
    stream.memory = bytes;
    stream.memory_length = length;
    stream.memory_pos = 0;
    int32_t result = load_stream();
    stream.memory = nullptr;
    return result;
}

int64_t gfx_bitmap_bytes_used(int32_t width, int32_t height) {
    // The header and palette must lie within the first read; then the rows.
    int64_t rows = height < 0 ? -int64_t{height} : height;
    return kReadSize + (int64_t{width} * 8 + 31) / 32 * 4 * rows;
}

bool gfx_bitmap_size(const uint8_t* bytes, int64_t length, int64_t* width, int64_t* height) {
    Header h{};
    if (!read_header(bytes, length, &h)) return false;
    *width = h.width;
    *height = h.height;
    return true;
}
