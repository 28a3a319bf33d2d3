// Recording a session: records gather in a fixed buffer and go to the file as one
// compressed chunk at the first clock reading kFlushMs (half a second) after the
// last chunk, or sooner when the buffer fills, so that a crash loses about the
// last half second of play. Everything is allocated when recording starts; a
// failing write stops the recording with one line on standard error and never
// stops the game.
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/common/tape/tape_calls.h"
#include "platform/common/tape/tape_file.h"
#include "platform/device.h"
#include "platform/platform.h"

namespace {

constexpr size_t kRawCapacity = 32 * 1024;
// The largest single record: a saved file's bytes with its code and name.
constexpr size_t kRecordMax = TAPE_NAME_MAX + 32 + 4096;
constexpr uint32_t kFlushMs = 500;
// A session left running for days stops being recorded here (about a week of
// busy play), so that a recording stays a file anyone can send and replay.
constexpr uint64_t kFileLimit = 64u << 20;

struct Recorder {
    int fd = -1;
    char path[kPathMax] = "";
    z_stream z = {};
    bool z_ready = false;
    uint8_t* raw = nullptr;
    size_t raw_size = 0;
    uint8_t* packed = nullptr;
    size_t packed_capacity = 0;
    TapeCoding coding = {};
    uint32_t last_flush = 0;
    bool clock_seen = false;
    uint64_t written = 0;
};

Recorder recorder;

void put_u32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

void release() {
    if (recorder.z_ready) deflateEnd(&recorder.z);
    recorder.z_ready = false;
    if (recorder.fd >= 0) close(recorder.fd);
    recorder.fd = -1;
    std::free(recorder.raw);
    std::free(recorder.packed);
    recorder.raw = recorder.packed = nullptr;
    recorder.raw_size = 0;
}

void give_up(const char* what) {
    std::fprintf(stderr, "cairnfall: recording stopped: %s: %s\n", recorder.path, what);
    release();
}

// Writes one chunk: length, CRC-32 and the payload (its type byte first).
bool write_chunk(uint8_t* chunk, size_t payload) {
    put_u32(chunk, static_cast<uint32_t>(payload));
    put_u32(chunk + 4, tape_crc32(chunk + TAPE_CHUNK_HEAD_BYTES, payload));
    size_t size = TAPE_CHUNK_HEAD_BYTES + payload;
    if (recorder.written + size > kFileLimit) {
        give_up("the file reached its size limit (64 MiB)");
        return false;
    }
    if (write_all(recorder.fd, chunk, size)) {
        recorder.written += size;
        return true;
    }
    give_up(std::strerror(errno));
    return false;
}

// Compresses what the buffer holds into a chunk of its own and writes it.
void flush() {
    if (recorder.fd < 0 || recorder.raw_size == 0) return;
    uint8_t* chunk = recorder.packed;
    chunk[TAPE_CHUNK_HEAD_BYTES] = TAPE_CHUNK_DATA;
    z_stream& z = recorder.z;
    z.next_in = recorder.raw;
    z.avail_in = static_cast<uInt>(recorder.raw_size);
    size_t head = TAPE_CHUNK_HEAD_BYTES + 1;
    z.next_out = chunk + head;
    z.avail_out = static_cast<uInt>(recorder.packed_capacity - head);
    int result = deflate(&z, Z_SYNC_FLUSH);
    if ((result != Z_OK && result != Z_BUF_ERROR) || z.avail_in != 0 || z.avail_out == 0) {
        give_up("cannot compress");
        return;
    }
    size_t payload = recorder.packed_capacity - head - z.avail_out + 1;
    recorder.raw_size = 0;
    write_chunk(chunk, payload);
}

}  // namespace

bool tape_recording() {
    return recorder.fd >= 0;
}

bool tape_record_start(int fd, const char* path, const char* header) {
    platform_record_stop();
    recorder = Recorder();
    recorder.fd = fd;
    if (!copy_path(recorder.path, path)) std::snprintf(recorder.path, sizeof recorder.path, "?");
    size_t header_size = std::strlen(header);
    if (header_size > TAPE_HEADER_MAX) header_size = TAPE_HEADER_MAX;
    recorder.raw = static_cast<uint8_t*>(std::malloc(kRawCapacity));
    if (deflateInit2(&recorder.z, Z_BEST_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 9,
                     Z_DEFAULT_STRATEGY) == Z_OK) {
        recorder.z_ready = true;
        recorder.packed_capacity =
            deflateBound(&recorder.z, kRawCapacity) + 64 + TAPE_CHUNK_HEAD_BYTES + TAPE_HEADER_MAX;
        recorder.packed = static_cast<uint8_t*>(std::malloc(recorder.packed_capacity));
    }
    if (!recorder.raw || !recorder.packed) {
        give_up("out of memory");
        return false;
    }
    uint8_t prefix[TAPE_PREFIX_BYTES] = {};
    std::memcpy(prefix, TAPE_MAGIC, 8);
    prefix[8] = TAPE_FORMAT;
    if (!write_all(fd, prefix, sizeof prefix)) {
        give_up(std::strerror(errno));
        return false;
    }
    uint8_t* chunk = recorder.packed;
    chunk[TAPE_CHUNK_HEAD_BYTES] = TAPE_CHUNK_HEADER;
    std::memcpy(chunk + TAPE_CHUNK_HEAD_BYTES + 1, header, header_size);
    return write_chunk(chunk, header_size + 1);
}

void tape_record(const TapeRecord& record) {
    if (recorder.fd < 0) return;
    if (kRawCapacity - recorder.raw_size < kRecordMax) flush();
    if (recorder.fd < 0) return;
    if (!tape_encode(record, &recorder.coding, recorder.raw, kRawCapacity, &recorder.raw_size)) {
        // Only a saved file larger than any the game writes gets here.
        give_up("a record too large");
        return;
    }
    if (record.kind != TAPE_TICKS) return;
    if (!recorder.clock_seen) {
        recorder.clock_seen = true;
        recorder.last_flush = record.ticks;
    } else if (record.ticks - recorder.last_flush >= kFlushMs) {
        recorder.last_flush = record.ticks;
        flush();
    }
}

bool platform_record_to(const char* path, const char* header) {
    int fd = open_new_file(path, false);
    if (fd < 0) {
        std::fprintf(stderr, "cairnfall: cannot record into %s: %s\n", path, std::strerror(errno));
        return false;
    }
    return tape_record_start(fd, path, header);
}

bool platform_record_session(const char* header) {
    char path[kPathMax];
    int fd = device_new_recording(path, sizeof path);
    return fd >= 0 && tape_record_start(fd, path, header);
}

const char* platform_recording_path() {
    return recorder.fd >= 0 ? recorder.path : "";
}

void platform_record_stop() {
    if (recorder.fd < 0) return;
    TapeRecord end;
    end.kind = TAPE_END;
    tape_record(end);
    flush();
    release();
}
