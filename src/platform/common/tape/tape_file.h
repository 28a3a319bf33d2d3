// The layout of a recording file, shared by its writer and its reader.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/common/tape/tape.h"

constexpr char TAPE_MAGIC[9] = "CAIRNREC";
// The format this game writes and plays. Format 1 (whose header names no build)
// has the same layout and record codes: it is still read, to be printed.
constexpr uint8_t TAPE_FORMAT = 2;
constexpr uint8_t TAPE_FORMAT_OLDEST = 1;
// The magic, the format byte and three zero bytes.
constexpr size_t TAPE_PREFIX_BYTES = 12;
// A chunk's length and CRC-32, each 32 bits little-endian.
constexpr size_t TAPE_CHUNK_HEAD_BYTES = 8;
// No chunk the writer makes is larger; a reader refuses larger ones as damage.
constexpr uint32_t TAPE_CHUNK_MAX = 1u << 20;
constexpr size_t TAPE_HEADER_MAX = 4096;
constexpr uint8_t TAPE_CHUNK_HEADER = 'H';
constexpr uint8_t TAPE_CHUNK_DATA = 'D';

uint32_t tape_crc32(const uint8_t* bytes, size_t size);
