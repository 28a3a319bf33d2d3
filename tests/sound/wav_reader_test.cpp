// Reading WAV files: the fixed-offset format fields, the whole file kept, and the
// data chunk found by walking the chunks, never past the end of the file.
#include <cstdlib>
#include <cstring>

#include "sound_fixture.h"

namespace {

struct ReadResult {
    int32_t ok = -1;
    WaveFormat format{};
    Bytes bytes;
    uint32_t size = 0;
    uint32_t data_offset = 0;
    uint32_t data_size = 0;
};

ReadResult read_wav(const std::string& path) {
    ReadResult r;
    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    r.size = 0xDEADBEEF;
    r.data_offset = 0xDEADBEEF;
    r.data_size = 0xDEADBEEF;
    r.ok = snd_read_wav(path.c_str(), &format, &bytes, &r.size, &r.data_offset, &r.data_size);
    if (r.ok) {
        r.format = *format;
        r.bytes.assign(bytes, bytes + r.size);
    } else {
        EXPECT_EQ(format, nullptr) << "nothing is written on failure";
        EXPECT_EQ(bytes, nullptr);
        EXPECT_EQ(r.size, 0xDEADBEEFu);
        EXPECT_EQ(r.data_offset, 0xDEADBEEFu);
    }
    std::free(format);
    std::free(bytes);
    return r;
}

class WavReaderTest : public SoundTest {
  protected:
    ReadResult read_file(const Bytes& bytes) {
        EXPECT_TRUE(write_bytes("data/test_", bytes));
        return read_wav("data/test_");
    }
};

TEST_F(WavReaderTest, CanonicalStereoFile) {
    Bytes samples = sample_bytes(400);
    Bytes file = canonical_wav(samples, 2, 22050, 16);
    ReadResult r = read_file(file);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(r.format.wFormatTag, 1);
    EXPECT_EQ(r.format.nChannels, 2);
    EXPECT_EQ(r.format.nSamplesPerSec, 22050u);
    EXPECT_EQ(r.format.nAvgBytesPerSec, 88200u);
    EXPECT_EQ(r.format.nBlockAlign, 4);
    EXPECT_EQ(r.format.wBitsPerSample, 16);
    EXPECT_EQ(r.format.cbSize, 0);
    EXPECT_EQ(r.size, file.size()) << "the size is the file's length";
    EXPECT_EQ(r.bytes, file) << "the whole file is kept, header included";
    EXPECT_EQ(0, std::memcmp(r.bytes.data(), "RIFF", 4));
    EXPECT_EQ(r.data_offset, 44u);
    EXPECT_EQ(r.data_size, samples.size());
}

TEST_F(WavReaderTest, MissingFileKeepsNothing) {
    ReadResult r = read_wav("data/no_such_file_");
    EXPECT_EQ(r.ok, 0);
}

TEST_F(WavReaderTest, ChunkBeforeTheFormatIsReadAtTheFixedOffsets) {
    // A 16-byte chunk in front of "fmt ": offsets 20..35 now fall inside it.
    Bytes junk = {1, 0, 2, 0, 0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0, 4, 0, 16, 0};
    Bytes samples = sample_bytes(32);
    Bytes file = WavBuilder()
                     .chunk("JUNK", junk)
                     .chunk("fmt ", fmt_body(1, 1, 8000, 8))
                     .chunk("data", samples)
                     .bytes();
    ReadResult r = read_file(file);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(r.format.wFormatTag, 1);
    EXPECT_EQ(r.format.nChannels, 2);
    EXPECT_EQ(r.format.nSamplesPerSec, 44100u);
    EXPECT_EQ(r.format.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(r.format.nBlockAlign, 4);
    EXPECT_EQ(r.format.wBitsPerSample, 16);
    EXPECT_EQ(r.data_offset, 12u + 24 + 24 + 8);
    EXPECT_EQ(r.data_size, samples.size());
}

TEST_F(WavReaderTest, ChunkAfterTheFormatIsSkipped) {
    Bytes samples = sample_bytes(100);
    Bytes file = WavBuilder()
                     .chunk("fmt ", fmt_body(1, 1, 44100, 16))
                     .chunk("LIST", Bytes(26, 'x'))
                     .chunk("data", samples)
                     .chunk("cue ", Bytes(8, 0))
                     .bytes();
    ReadResult r = read_file(file);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(r.format.nSamplesPerSec, 44100u);
    EXPECT_EQ(r.data_offset, 12u + 24 + 34 + 8);
    EXPECT_EQ(r.data_size, samples.size());
    EXPECT_EQ(Bytes(r.bytes.begin() + r.data_offset, r.bytes.begin() + r.data_offset + r.data_size),
              samples);
}

TEST_F(WavReaderTest, OddChunkIsFollowedByItsPadByte) {
    Bytes samples = sample_bytes(10);
    Bytes file = WavBuilder()
                     .chunk("fmt ", fmt_body(1, 1, 22050, 8))
                     .chunk("note", Bytes(5, 'n'))  // 5 bytes and a pad byte
                     .chunk("data", samples)
                     .bytes();
    ReadResult r = read_file(file);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(r.data_offset, 12u + 24 + 14 + 8);
    EXPECT_EQ(r.data_size, 10u);
}

TEST_F(WavReaderTest, OddDataChunkAtTheEndNeedsNoPad) {
    Bytes samples = sample_bytes(11);
    Bytes file =
        WavBuilder().chunk("fmt ", fmt_body(1, 1, 22050, 8)).chunk("data", samples, false).bytes();
    ReadResult r = read_file(file);
    ASSERT_EQ(r.ok, 1);
    EXPECT_EQ(r.data_offset, 44u);
    EXPECT_EQ(r.data_size, 11u);
}

// Files the reader refuses outright, or reads without finding usable samples.
struct BadFile {
    const char* name;
    Bytes bytes;
    int32_t ok;  // what snd_read_wav returns; with 1 the data chunk must be 0, 0
};

Bytes cut(Bytes b, size_t length) {
    b.resize(length);
    return b;
}

std::vector<BadFile> bad_files() {
    const Bytes good = canonical_wav(sample_bytes(64));
    const Bytes fmt = fmt_body(1, 1, 22050, 16);
    return {
        {"empty", Bytes{}, 0},
        {"only the RIFF tag", cut(good, 4), 0},
        {"35 bytes: the format fields cut short", cut(good, 35), 0},
        {"36 bytes: format fields but nothing after", cut(good, 36), 1},
        {"43 bytes: data chunk header cut", cut(good, 43), 1},
        {"data chunk claims more than the file holds", cut(good, 44 + 32), 1},
        {"RIFF size larger than the file",
         WavBuilder()
             .chunk("fmt ", fmt)
             .chunk("data", sample_bytes(8))
             .with_riff_size(4000)
             .bytes(),
         1},
        {"RIFF size too small for its chunks",
         WavBuilder().chunk("fmt ", fmt).chunk("data", sample_bytes(8)).with_riff_size(30).bytes(),
         1},
        {"no data chunk", WavBuilder().chunk("fmt ", fmt).chunk("LIST", Bytes(12, 0)).bytes(), 1},
        {"chunk before data claims 4 GB",
         WavBuilder()
             .chunk("fmt ", fmt)
             .lying_chunk("LIST", 0xFFFFFFF0u, Bytes(16, 0))
             .chunk("data", sample_bytes(8))
             .bytes(),
         1},
        {"data size 0xFFFFFFFF",
         WavBuilder().chunk("fmt ", fmt).lying_chunk("data", 0xFFFFFFFFu, sample_bytes(16)).bytes(),
         1},
        {"odd chunk without its pad byte",
         WavBuilder().chunk("fmt ", fmt).chunk("odd ", Bytes(3, 1), false).bytes(), 1},
        {"not RIFF",
         [] {
             Bytes b = canonical_wav(sample_bytes(16));
             std::memcpy(b.data(), "RIFX", 4);
             return b;
         }(),
         1},
        {"not WAVE",
         [] {
             Bytes b = canonical_wav(sample_bytes(16));
             std::memcpy(b.data() + 8, "AVI ", 4);
             return b;
         }(),
         1},
    };
}

TEST_F(WavReaderTest, BadFilesAreNeverReadPastTheirEnd) {
    for (const BadFile& bad : bad_files()) {
        SCOPED_TRACE(bad.name);
        ReadResult r = read_file(bad.bytes);
        EXPECT_EQ(r.ok, bad.ok);
        if (r.ok) {
            EXPECT_EQ(r.size, bad.bytes.size());
            EXPECT_EQ(r.data_offset, 0u);
            EXPECT_EQ(r.data_size, 0u);
        }
    }
}

TEST_F(WavReaderTest, FindDataChunkStaysInsideTheBytesItIsGiven) {
    // The same canonical file, handed over with fewer and fewer bytes: the chunk
    // is found only when all its samples are there.
    Bytes file = canonical_wav(sample_bytes(20));
    for (uint32_t length = 0; length <= file.size(); ++length) {
        Bytes copy(file.begin(), file.begin() + length);  // exact-size block for ASan
        uint32_t offset = 1;
        uint32_t size = 1;
        bool found = snd_find_data_chunk(copy.data(), length, &offset, &size);
        EXPECT_EQ(found, length == file.size()) << length;
        if (!found) {
            EXPECT_EQ(offset, 0u);
            EXPECT_EQ(size, 0u);
        }
    }
    uint32_t offset = 1;
    uint32_t size = 1;
    EXPECT_FALSE(snd_find_data_chunk(nullptr, 100, &offset, &size));
}

}  // namespace
