// Picks a share of a fuzzer's inputs for slow work (drawing), the same way every
// time an input runs, so that a corpus replay does what the fuzzer did.
#pragma once

#include <cstddef>
#include <cstdint>

// True for about one input in 2^bits (bits 0..31), chosen by a hash of its bytes.
inline bool in_input_share(const uint8_t* data, size_t size, int32_t bits) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; i++) hash = (hash ^ data[i]) * 16777619u;
    return bits == 0 || (hash >> (32 - bits)) == 0;
}
