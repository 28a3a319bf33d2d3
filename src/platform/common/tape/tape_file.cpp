// Reading a recording file: the header, then every chunk whose length and
// checksum hold, inflated into one record stream. A file cut short or damaged
// keeps what came before the bad chunk, and says where it went wrong.
#include "platform/common/tape/tape_file.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>

#include "platform/platform.h"

namespace {

// A file larger than this is no recording of ours (ten minutes take about 100 KB).
constexpr int64_t kFileMax = 256 << 20;
// The record stream may not grow past this, whatever the chunks claim.
constexpr size_t kStreamMax = 512u << 20;

uint32_t read_u32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::string at_byte(const char* name, const char* what, size_t pos) {
    return std::string(name) + ": " + what + " at byte " + std::to_string(pos);
}

// Inflates one chunk's data onto the end of the stream. False when the data is
// not what the writer makes, or the stream would grow too large.
bool inflate_chunk(z_stream* z, const uint8_t* data, size_t size, std::vector<uint8_t>* stream) {
    z->next_in = const_cast<Bytef*>(data);
    z->avail_in = static_cast<uInt>(size);
    for (;;) {
        if (stream->size() >= kStreamMax) return false;
        size_t before = stream->size();
        stream->resize(before + 65536);
        z->next_out = stream->data() + before;
        z->avail_out = 65536;
        int result = inflate(z, Z_SYNC_FLUSH);
        stream->resize(before + (65536 - z->avail_out));
        if (result == Z_STREAM_END) return z->avail_in == 0;
        if (result != Z_OK && result != Z_BUF_ERROR) return false;
        // Done when the input is used up and the output had room to spare.
        if (z->avail_in == 0 && z->avail_out > 0) return true;
        if (result == Z_BUF_ERROR && z->avail_out > 0) return false;
    }
}

}  // namespace

uint32_t tape_crc32(const uint8_t* bytes, size_t size) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0), bytes, static_cast<uInt>(size)));
}

bool tape_read_bytes(const uint8_t* bytes, size_t size, const char* name, TapeFile* file,
                     std::string* why) {
    file->format = 0;
    file->header.clear();
    file->stream.clear();
    file->damage.clear();
    if (size < TAPE_PREFIX_BYTES || std::memcmp(bytes, TAPE_MAGIC, 8) != 0) {
        *why = std::string(name) + ": not a Cairnfall recording";
        return false;
    }
    if (bytes[8] < TAPE_FORMAT_OLDEST || bytes[8] > TAPE_FORMAT) {
        *why = std::string(name) + ": a recording of format " + std::to_string(bytes[8]) +
               "; this game reads formats " + std::to_string(TAPE_FORMAT_OLDEST) + " to " +
               std::to_string(TAPE_FORMAT);
        return false;
    }
    file->format = bytes[8];
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) {
        *why = std::string(name) + ": out of memory";
        return false;
    }
    size_t pos = TAPE_PREFIX_BYTES;
    bool have_header = false;
    while (pos < size) {
        if (size - pos < TAPE_CHUNK_HEAD_BYTES) {
            file->damage = at_byte(name, "cut short", pos);
            break;
        }
        uint32_t length = read_u32(bytes + pos);
        uint32_t crc = read_u32(bytes + pos + 4);
        const uint8_t* payload = bytes + pos + TAPE_CHUNK_HEAD_BYTES;
        if (length == 0 || length > TAPE_CHUNK_MAX) {
            file->damage = at_byte(name, "damaged (a chunk of impossible length)", pos);
            break;
        }
        if (size - pos - TAPE_CHUNK_HEAD_BYTES < length) {
            file->damage = at_byte(name, "cut short", pos);
            break;
        }
        if (tape_crc32(payload, length) != crc) {
            file->damage = at_byte(name, "damaged (a chunk's checksum does not match)", pos);
            break;
        }
        if (!have_header) {
            if (payload[0] != TAPE_CHUNK_HEADER || length - 1 > TAPE_HEADER_MAX) break;
            file->header.assign(reinterpret_cast<const char*>(payload + 1), length - 1);
            have_header = true;
        } else if (payload[0] != TAPE_CHUNK_DATA ||
                   !inflate_chunk(&z, payload + 1, length - 1, &file->stream)) {
            file->damage = at_byte(name, "damaged (a chunk that does not unpack)", pos);
            break;
        }
        pos += TAPE_CHUNK_HEAD_BYTES + length;
    }
    inflateEnd(&z);
    if (!have_header) {
        file->stream.clear();
        *why = std::string(name) + ": not a Cairnfall recording (its header is missing or damaged)";
        return false;
    }
    return true;
}

bool tape_read_file(const char* path, TapeFile* file, std::string* why) {
    int32_t handle = platform_file_open(path);
    if (handle < 0) {
        bool missing = false;
        const char* cause = platform_file_open_error(&missing);
        *why = std::string(path) + ": cannot be read (" + (missing ? "no such file" : cause) + ")";
        return false;
    }
    int64_t size = platform_file_size(handle);
    if (size < 0 || size > kFileMax) {
        platform_file_close(handle);
        *why = std::string(path) + (size < 0 ? ": cannot be read" : ": too large for a recording");
        return false;
    }
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    int32_t got =
        size > 0 ? platform_file_read(handle, bytes.data(), static_cast<uint32_t>(size)) : 0;
    platform_file_close(handle);
    if (got < 0) {
        *why = std::string(path) + ": cannot be read";
        return false;
    }
    return tape_read_bytes(bytes.data(), static_cast<size_t>(got), path, file, why);
}
