// WAV files built byte by byte for the sound tests, and a folder of the test's own
// with a data/ folder in it, so that "data/sound%d_" names the test's files.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "sound/sound.h"

using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint32_t v) {
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

inline void put_tag(Bytes& b, const char* tag) {
    b.insert(b.end(), tag, tag + 4);
}

// The 16-byte body of a format chunk.
inline Bytes fmt_body(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    Bytes b;
    uint16_t align = static_cast<uint16_t>(channels * (bits / 8));
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * align);
    put16(b, align);
    put16(b, bits);
    return b;
}

// Samples that are easy to recognise: byte i is (i * 7 + seed) & 0xFF.
inline Bytes sample_bytes(size_t count, uint8_t seed = 1) {
    Bytes b(count);
    for (size_t i = 0; i < count; ++i) b[i] = static_cast<uint8_t>(i * 7 + seed);
    return b;
}

// A RIFF WAVE file assembled from chunks; the RIFF size is right unless a test
// overrides it.
struct WavBuilder {
    Bytes chunks;
    bool riff_size_set = false;
    uint32_t riff_size = 0;

    WavBuilder& chunk(const char* tag, const Bytes& body, bool pad = true) {
        put_tag(chunks, tag);
        put32(chunks, static_cast<uint32_t>(body.size()));
        chunks.insert(chunks.end(), body.begin(), body.end());
        if (pad && body.size() % 2 == 1) chunks.push_back(0);
        return *this;
    }
    // A chunk header whose size field says `claimed` while `body` follows.
    WavBuilder& lying_chunk(const char* tag, uint32_t claimed, const Bytes& body) {
        put_tag(chunks, tag);
        put32(chunks, claimed);
        chunks.insert(chunks.end(), body.begin(), body.end());
        return *this;
    }
    WavBuilder& with_riff_size(uint32_t size) {
        riff_size_set = true;
        riff_size = size;
        return *this;
    }
    Bytes bytes() const {
        Bytes b;
        put_tag(b, "RIFF");
        put32(b, riff_size_set ? riff_size : static_cast<uint32_t>(4 + chunks.size()));
        put_tag(b, "WAVE");
        b.insert(b.end(), chunks.begin(), chunks.end());
        return b;
    }
};

// The canonical file: RIFF header, 16-byte format chunk, data chunk.
inline Bytes canonical_wav(const Bytes& samples, uint16_t channels = 1, uint32_t rate = 22050,
                           uint16_t bits = 16, uint16_t tag = 1) {
    return WavBuilder()
        .chunk("fmt ", fmt_body(tag, channels, rate, bits))
        .chunk("data", samples)
        .bytes();
}

// Fixture files go through the platform's own file writer.
inline bool write_bytes(const std::string& path, const Bytes& bytes) {
    return platform_write_file_atomic(path.c_str(), bytes.data(), bytes.size());
}

inline Bytes read_bytes(const std::string& path) {
    Bytes bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    int c;
    while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
    std::fclose(file);
    return bytes;
}

// A fresh temporary folder holding data/, made the working folder, with the
// headless backend and the sound slots reset around each test.
class SoundTest : public ::testing::Test {
  protected:
    void SetUp() override {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100 && dir_.empty(); ++attempt) {
            fs::path candidate =
                fs::temp_directory_path() / ("cairnfall-sound-" + std::to_string(random()));
            if (fs::create_directory(candidate)) dir_ = candidate;
        }
        ASSERT_FALSE(dir_.empty());
        fs::create_directory(dir_ / "data");
        fs::current_path(dir_);
        headless_reset();
        profile = Profile{3, 3, 1, 0};
    }
    void TearDown() override {
        snd_release_all();
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(dir_, ignored);
    }

    std::string slot_path(int32_t slot) const { return "data/sound" + std::to_string(slot) + "_"; }
    void write_slot(int32_t slot, const Bytes& bytes) {
        ASSERT_TRUE(write_bytes(slot_path(slot), bytes));
    }
    // Every slot gets a small canonical file of its own samples.
    void write_all_slots() {
        for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
            write_slot(slot, canonical_wav(sample_bytes(64, static_cast<uint8_t>(slot))));
        }
    }
    int32_t buffer_of(int32_t slot) const {
        const SoundClip* clip = sound_slots[slot].clip;
        return clip ? clip->buffers[0] : 0;
    }
    size_t log_count(const std::string& line) const {
        size_t n = 0;
        for (const std::string& entry : headless_audio_log()) n += entry == line ? 1 : 0;
        return n;
    }
    size_t log_count_prefix(const std::string& prefix) const {
        size_t n = 0;
        for (const std::string& entry : headless_audio_log()) n += entry.rfind(prefix, 0) == 0;
        return n;
    }

    std::filesystem::path dir_;
    std::filesystem::path previous_;
};
