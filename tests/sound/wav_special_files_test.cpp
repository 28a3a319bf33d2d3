// Sound files that are not regular files: a named pipe in place of a sound is
// refused at once (the slot stays silent) instead of stalling start-up, and so is a
// folder; a large file read through unbuffered reads keeps every byte.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>

#include "sound_fixture.h"
#include "support/blocked_reader.h"

namespace {

class WavSpecialFilesTest : public SoundTest {};

TEST_F(WavSpecialFilesTest, NamedPipeLeavesASilentSlotAtOnce) {
    write_all_slots();
    std::filesystem::remove(slot_path(SND_TICK));
    if (!kNamedPipes) GTEST_SKIP() << "no named pipes among this system's files";
    ASSERT_TRUE(make_named_pipe(slot_path(SND_TICK)));
    std::atomic<bool> done{false};
    std::string fifo = (dir_ / slot_path(SND_TICK)).string();
    std::thread helper(release_blocked_reader, fifo, &done, std::chrono::milliseconds(2000));
    auto start = std::chrono::steady_clock::now();
    snd_load_all(1, 3);
    auto spent = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    done = true;
    helper.join();
    EXPECT_LT(spent.count(), 1000) << "start-up waited on the pipe";
    EXPECT_EQ(sound_slots[SND_TICK].clip, nullptr);
    EXPECT_EQ(snd_play_slot(SND_TICK), 0);
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        if (slot != SND_TICK) {
            EXPECT_EQ(snd_play_slot(slot), 1) << slot;
        }
    }
}

TEST_F(WavSpecialFilesTest, FolderIsRefused) {
    write_all_slots();
    std::filesystem::remove(slot_path(SND_MUSIC));
    std::filesystem::create_directory(slot_path(SND_MUSIC));
    snd_load_all(1, 3);
    EXPECT_EQ(sound_slots[SND_MUSIC].clip, nullptr);
    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t size = 0, offset = 0, samples = 0;
    EXPECT_EQ(snd_read_wav(slot_path(SND_MUSIC).c_str(), &format, &bytes, &size, &offset, &samples),
              0);
    EXPECT_EQ(bytes, nullptr);
}

// A sound of a few megabytes arrives whole, byte for byte.
TEST_F(WavSpecialFilesTest, LargeFileArrivesWhole) {
    Bytes samples = sample_bytes(3 * 1024 * 1024 + 5, 9);
    Bytes file = canonical_wav(samples, 1, 22050, 8);
    write_slot(SND_MUSIC, file);
    WaveFormat* format = nullptr;
    uint8_t* bytes = nullptr;
    uint32_t size = 0, offset = 0, data = 0;
    ASSERT_EQ(snd_read_wav(slot_path(SND_MUSIC).c_str(), &format, &bytes, &size, &offset, &data),
              1);
    ASSERT_EQ(size, file.size());
    EXPECT_EQ(std::memcmp(bytes, file.data(), file.size()), 0);
    EXPECT_EQ(offset, 44u);
    EXPECT_EQ(data, samples.size());
    std::free(format);
    std::free(bytes);
}

}  // namespace
