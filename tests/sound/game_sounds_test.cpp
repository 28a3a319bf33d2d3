// The synthesised sound files: canonical PCM that the game's reader takes, of the
// right lengths, not clipped, the music looping without a seam, and the same
// bytes on every run.
#include <cmath>
#include <cstdlib>

#include "assetgen/sounds.h"
#include "sound_fixture.h"

namespace {

struct Wave {
    WaveFormat format{};
    Bytes bytes;
    uint32_t data_offset = 0;
    uint32_t data_size = 0;

    double seconds() const {
        return static_cast<double>(data_size) / format.nBlockAlign / format.nSamplesPerSec;
    }
    size_t sample_count() const { return data_size / 2; }
    int32_t sample(size_t i) const {
        const uint8_t* p = bytes.data() + data_offset + 2 * i;
        return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
    }
};

bool load(const std::string& path, Wave* wave) {
    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t size = 0;
    if (!snd_read_wav(path.c_str(), &format, &bytes, &size, &wave->data_offset, &wave->data_size)) {
        return false;
    }
    wave->format = *format;
    wave->bytes.assign(bytes, bytes + size);
    std::free(format);
    std::free(bytes);
    return true;
}

// Shortest and longest length in seconds of each file.
constexpr double LENGTHS[SOUND_SLOTS][2] = {
    {20.0, 40.0},  // music
    {0.02, 0.20},  // click
    {0.15, 0.25},  // stone slide
    {0.10, 0.60},  // strike
    {0.02, 0.15},  // tick
    {0.30, 1.20},  // row push
    {0.40, 2.00},  // row clear
    {0.50, 2.00},  // new level
    {0.20, 2.50},  // bell
};

class GameSoundsTest : public SoundTest {
  protected:
    // The files are made once per test program, on first use: the synthesis takes
    // a moment.
    static bool generated() {
        if (folder_.empty()) {
            folder_ = std::filesystem::temp_directory_path() /
                      ("cairnfall-sounds-" + std::to_string(std::random_device()()));
            std::filesystem::create_directories(folder_);
            written_ = write_game_sounds(folder_.string().c_str());
        }
        return written_;
    }
    static void TearDownTestSuite() {
        std::error_code ignored;
        if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
        folder_.clear();
    }
    static std::string file(int32_t slot) {
        return (folder_ / ("sound" + std::to_string(slot) + "_")).string();
    }

    static std::filesystem::path folder_;
    static bool written_;
};

std::filesystem::path GameSoundsTest::folder_;
bool GameSoundsTest::written_ = false;

TEST_F(GameSoundsTest, EveryFileIsCanonicalPcmOfTheRightLengthAndLevel) {
    ASSERT_TRUE(generated());
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        SCOPED_TRACE(slot);
        Wave wave;
        ASSERT_TRUE(load(file(slot), &wave));
        const WaveFormat& f = wave.format;
        EXPECT_TRUE(snd_format_playable(&f));
        EXPECT_EQ(f.wFormatTag, 1);
        EXPECT_EQ(f.wBitsPerSample, 16);
        EXPECT_TRUE(f.nChannels == 1 || f.nChannels == 2);
        EXPECT_TRUE(f.nSamplesPerSec == 22050 || f.nSamplesPerSec == 44100);
        EXPECT_EQ(f.nAvgBytesPerSec, f.nSamplesPerSec * f.nBlockAlign);
        EXPECT_EQ(wave.data_offset, 44u) << "a 44-byte header";
        EXPECT_EQ(wave.data_size, wave.bytes.size() - 44);
        EXPECT_EQ(wave.data_size % f.nBlockAlign, 0u);
        EXPECT_GE(wave.seconds(), LENGTHS[slot][0]);
        EXPECT_LE(wave.seconds(), LENGTHS[slot][1]);

        int32_t peak = 0;
        double sum = 0.0;
        for (size_t i = 0; i < wave.sample_count(); ++i) {
            peak = std::max(peak, std::abs(wave.sample(i)));
            sum += wave.sample(i);
        }
        EXPECT_LE(peak, 23200) << "peaks stay below -3 dBFS: nothing clips";
        EXPECT_GE(peak, 3300) << "and are not lost in silence (above -20 dBFS)";
        EXPECT_LT(std::fabs(sum / wave.sample_count()), 30.0) << "no DC offset";
        if (slot != SND_MUSIC) {
            EXPECT_LE(std::abs(wave.sample(0)), 200) << "an effect starts in silence";
            EXPECT_LE(std::abs(wave.sample(wave.sample_count() - 1)), 50) << "and ends in it";
        }
    }
}

TEST_F(GameSoundsTest, MusicLoopsWithoutAJump) {
    ASSERT_TRUE(generated());
    Wave wave;
    ASSERT_TRUE(load(file(SND_MUSIC), &wave));
    const size_t channels = wave.format.nChannels;
    const size_t frames = wave.sample_count() / channels;
    // The step from the last frame to the first is no bigger than the steps the
    // music takes anywhere else around the seam.
    for (size_t c = 0; c < channels; ++c) {
        int32_t largest_step = 0;
        for (size_t i = frames - 200; i + 1 < frames; ++i) {
            largest_step = std::max(largest_step, std::abs(wave.sample((i + 1) * channels + c) -
                                                           wave.sample(i * channels + c)));
        }
        for (size_t i = 0; i < 200; ++i) {
            largest_step = std::max(largest_step, std::abs(wave.sample((i + 1) * channels + c) -
                                                           wave.sample(i * channels + c)));
        }
        int32_t seam = std::abs(wave.sample(c) - wave.sample((frames - 1) * channels + c));
        EXPECT_LE(seam, largest_step) << "channel " << c;
        EXPECT_LE(seam, 400) << "channel " << c;
    }
}

TEST_F(GameSoundsTest, EveryRunWritesTheSameBytes) {
    ASSERT_TRUE(generated());
    std::filesystem::path again = dir_ / "again";
    std::filesystem::create_directory(again);
    ASSERT_TRUE(write_game_sounds(again.string().c_str()));
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        std::string name = "sound" + std::to_string(slot) + "_";
        EXPECT_EQ(read_bytes((again / name).string()), read_bytes(file(slot))) << slot;
    }
}

TEST_F(GameSoundsTest, MissingFolderIsReported) {
    EXPECT_FALSE(write_game_sounds((dir_ / "no" / "such" / "folder").string().c_str()));
    EXPECT_FALSE(write_game_sounds(nullptr));
}

TEST_F(GameSoundsTest, TheGameLoadsThem) {
    ASSERT_TRUE(generated());
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        std::filesystem::copy_file(file(slot), slot_path(slot));
    }
    snd_load_all(1, 3);
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        EXPECT_EQ(snd_play_slot(slot), 1) << slot;
    }
}

}  // namespace
