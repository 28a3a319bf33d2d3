// The nine sound slots on the recording backend: loading, the volume levels,
// playing, restore-and-refill, silent slots and release.
#include "sound_fixture.h"

namespace {

using SoundSlotsTest = SoundTest;

TEST_F(SoundSlotsTest, LoadsNineSlotsWithTheirLevels) {
    write_all_slots();
    snd_load_all(1, 2);
    EXPECT_TRUE(sound_device);
    ASSERT_FALSE(headless_audio_log().empty());
    EXPECT_EQ(headless_audio_log().front(), "open");
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        SCOPED_TRACE(slot);
        ASSERT_NE(sound_slots[slot].clip, nullptr);
        int32_t buffer = buffer_of(slot);
        ASSERT_GT(buffer, 0);
        EXPECT_EQ(headless_buffer_bytes(buffer), sample_bytes(64, static_cast<uint8_t>(slot)))
            << "the device gets the data chunk's samples only, not the header";
        EXPECT_EQ(headless_buffer_volume(buffer), slot == SND_MUSIC ? -1000 : -500);
        EXPECT_EQ(sound_slots[slot].clip->size, 108u) << "the clip keeps the whole file";
        EXPECT_EQ(sound_slots[slot].clip->bytes, sound_slots[slot].bytes);
    }
    EXPECT_EQ(log_count_prefix("create "), 9u);
    EXPECT_EQ(log_count("create 1 22050x1x16 64"), 1u);
}

TEST_F(SoundSlotsTest, VolumeLevelsMapToAttenuations) {
    write_all_slots();
    snd_load_all(1, 3);
    const int32_t expected[4] = {-10000, -1000, -500, 0};
    for (int32_t level = 0; level < 4; ++level) {
        SCOPED_TRACE(level);
        EXPECT_EQ(snd_level_volume(level), expected[level]);
        EXPECT_EQ(snd_set_volume(SND_TICK, level), 0) << "the device's success code";
        EXPECT_EQ(headless_buffer_volume(buffer_of(SND_TICK)), expected[level]);
    }
}

TEST_F(SoundSlotsTest, EffectsLevelSetsSlotsOneToEightOnly) {
    write_all_slots();
    snd_load_all(3, 3);
    headless_clear_audio_log();
    EXPECT_EQ(snd_set_effects_volume(2), 0);
    EXPECT_EQ(headless_buffer_volume(buffer_of(SND_MUSIC)), 0) << "the music keeps its level";
    for (int32_t slot = SND_CLICK; slot < SOUND_SLOTS; ++slot) {
        EXPECT_EQ(headless_buffer_volume(buffer_of(slot)), -500) << slot;
    }
    EXPECT_EQ(headless_audio_log().size(), 8u);
}

TEST_F(SoundSlotsTest, PlayingOnceAndLooping) {
    write_all_slots();
    snd_load_all(1, 3);
    headless_clear_audio_log();
    EXPECT_EQ(snd_play(sound_slots[SND_MUSIC].clip, DSBPLAY_LOOPING), 1);
    EXPECT_EQ(snd_play_slot(SND_CLICK), 1);
    EXPECT_EQ(snd_play_slot(SND_CLICK), 1);
    const std::string music = std::to_string(buffer_of(SND_MUSIC));
    const std::string click = std::to_string(buffer_of(SND_CLICK));
    EXPECT_EQ(headless_audio_log(),
              (std::vector<std::string>{"play " + music + " loop", "play " + click + " once",
                                        "play " + click + " once"}))
        << "a second play uses the one buffer again; no copy is made";
    EXPECT_EQ(snd_play(nullptr, 0), 0);
    EXPECT_EQ(snd_play_slot(-1), 0);
    EXPECT_EQ(snd_play_slot(SOUND_SLOTS), 0);
}

TEST_F(SoundSlotsTest, LostBufferIsRestoredAndRefilledWithTheSamples) {
    write_all_slots();
    snd_load_all(1, 3);
    int32_t buffer = buffer_of(SND_SLIDE);
    headless_lose_buffer(buffer);
    headless_clear_audio_log();
    EXPECT_EQ(snd_play_slot(SND_SLIDE), 1);
    const std::string id = std::to_string(buffer);
    EXPECT_EQ(headless_audio_log(), (std::vector<std::string>{"restore " + id, "fill " + id + " 64",
                                                              "play " + id + " once"}));
    EXPECT_EQ(headless_buffer_bytes(buffer), sample_bytes(64, SND_SLIDE));

    // A lost buffer is also brought back before its volume is set.
    headless_lose_buffer(buffer);
    headless_clear_audio_log();
    EXPECT_EQ(snd_set_volume(SND_SLIDE, 2), 0);
    EXPECT_EQ(log_count("restore " + id), 1u);
    EXPECT_EQ(headless_buffer_volume(buffer), -500);
}

TEST_F(SoundSlotsTest, MissingFileLeavesASilentSlot) {
    write_all_slots();
    std::filesystem::remove(slot_path(SND_TICK));
    snd_load_all(1, 3);
    EXPECT_EQ(sound_slots[SND_TICK].clip, nullptr);
    EXPECT_EQ(snd_play_slot(SND_TICK), 0);
    EXPECT_EQ(snd_set_volume(SND_TICK, 3), 0);
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        if (slot != SND_TICK) {
            EXPECT_EQ(snd_play_slot(slot), 1) << slot;
        }
    }
}

TEST_F(SoundSlotsTest, NoDeviceMeansSilenceAndNothingLoaded) {
    write_all_slots();
    headless_set_audio_device(false);
    snd_load_all(1, 3);
    EXPECT_FALSE(sound_device);
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        EXPECT_EQ(sound_slots[slot].clip, nullptr) << slot;
        EXPECT_EQ(snd_play_slot(slot), 0) << slot;
        EXPECT_EQ(snd_set_volume(slot, 3), 0) << slot;
    }
    EXPECT_EQ(snd_set_effects_volume(1), 0);
    snd_release_all();
    EXPECT_TRUE(headless_audio_log().empty());
}

TEST_F(SoundSlotsTest, RefusedBufferLeavesASilentSlot) {
    write_all_slots();
    headless_set_audio_device(true);
    ASSERT_TRUE(platform_audio_open());
    sound_device = true;
    headless_fail_next_create();
    SoundClip* clip = snd_create(slot_path(SND_PUSH).c_str(), SND_PUSH, 1);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->buffers[0], 0);
    EXPECT_EQ(snd_play(clip, 0), 0);
    EXPECT_EQ(snd_play_slot(SND_PUSH), 0);
}

// Files the slot refuses: each ends in a silent slot that is never handed to the
// device, while the other slots play.
struct RefusedFile {
    const char* name;
    Bytes bytes;
};

std::vector<RefusedFile> refused_files() {
    Bytes truncated = canonical_wav(sample_bytes(64));
    truncated.resize(30);
    Bytes header_only = canonical_wav(sample_bytes(64));
    header_only.resize(44);
    const Bytes fmt = fmt_body(1, 1, 22050, 16);
    Bytes bad_align = fmt_body(1, 2, 22050, 16);
    bad_align[12] = 3;  // block align 3 for 16-bit stereo
    return {
        {"truncated", truncated},
        {"header but no samples", header_only},
        {"data chunk lies about its size",
         WavBuilder().chunk("fmt ", fmt).lying_chunk("data", 1000, sample_bytes(64)).bytes()},
        {"no data chunk", WavBuilder().chunk("fmt ", fmt).chunk("LIST", Bytes(64, 0)).bytes()},
        {"odd chunk without pad before data", WavBuilder()
                                                  .chunk("fmt ", fmt)
                                                  .lying_chunk("odd ", 3, Bytes(3, 0))
                                                  .chunk("data", sample_bytes(8))
                                                  .bytes()},
        {"compressed format", canonical_wav(sample_bytes(64), 1, 22050, 16, 2)},
        {"floating point format", canonical_wav(sample_bytes(64), 1, 22050, 32, 3)},
        {"zero channels", canonical_wav(sample_bytes(64), 0, 22050, 16)},
        {"six channels", canonical_wav(sample_bytes(72), 6, 22050, 16)},
        {"24-bit samples", canonical_wav(sample_bytes(66), 1, 22050, 24)},
        {"zero sample rate", canonical_wav(sample_bytes(64), 1, 0, 16)},
        {"block align that does not match",
         WavBuilder().chunk("fmt ", bad_align).chunk("data", sample_bytes(64)).bytes()},
        {"half a sample frame", canonical_wav(sample_bytes(1), 1, 22050, 16)},
    };
}

TEST_F(SoundSlotsTest, BadFilesLeaveSilentSlots) {
    for (const RefusedFile& bad : refused_files()) {
        SCOPED_TRACE(bad.name);
        snd_release_all();
        headless_reset();
        write_all_slots();
        write_slot(SND_STRIKE, bad.bytes);
        snd_load_all(1, 3);
        EXPECT_EQ(buffer_of(SND_STRIKE), 0);
        EXPECT_EQ(snd_play_slot(SND_STRIKE), 0);
        EXPECT_EQ(log_count_prefix("create "), 8u) << "the device never sees the bad file";
        EXPECT_EQ(snd_play_slot(SND_SLIDE), 1);
        EXPECT_EQ(snd_play_slot(SND_CLEAR), 1);
    }
}

TEST_F(SoundSlotsTest, PartialLastFrameIsDropped) {
    // 16-bit stereo frames are 4 bytes; the 2 bytes at the end are not a frame.
    write_all_slots();
    write_slot(SND_LEVEL, canonical_wav(sample_bytes(42), 2, 44100, 16));
    snd_load_all(1, 3);
    int32_t buffer = buffer_of(SND_LEVEL);
    ASSERT_GT(buffer, 0);
    EXPECT_EQ(headless_buffer_bytes(buffer), sample_bytes(40));
}

TEST_F(SoundSlotsTest, ExtraChunksAroundTheFormatStillPlay) {
    write_all_slots();
    Bytes samples = sample_bytes(50, 9);
    write_slot(SND_UNUSED, WavBuilder()
                               .chunk("fmt ", fmt_body(1, 1, 11025, 8))
                               .chunk("LIST", Bytes(7, 'l'))
                               .chunk("data", samples)
                               .bytes());
    snd_load_all(1, 3);
    int32_t buffer = buffer_of(SND_UNUSED);
    ASSERT_GT(buffer, 0);
    EXPECT_EQ(headless_buffer_bytes(buffer), samples);
    EXPECT_EQ(log_count("create " + std::to_string(buffer) + " 11025x1x8 50"), 1u);
}

TEST_F(SoundSlotsTest, ReleaseFreesEverySlotAndClosesTheDevice) {
    write_all_slots();
    snd_load_all(1, 3);
    headless_clear_audio_log();
    snd_release_all();
    EXPECT_FALSE(sound_device);
    EXPECT_EQ(log_count_prefix("release "), 9u);
    ASSERT_FALSE(headless_audio_log().empty());
    EXPECT_EQ(headless_audio_log().back(), "close");
    for (int32_t slot = 0; slot < SOUND_SLOTS; ++slot) {
        EXPECT_EQ(sound_slots[slot].clip, nullptr);
        EXPECT_EQ(sound_slots[slot].bytes, nullptr);
        EXPECT_EQ(sound_slots[slot].format, nullptr);
    }
    EXPECT_EQ(snd_play_slot(SND_CLICK), 0);
    snd_release_all();  // a second release does nothing
    EXPECT_EQ(headless_audio_log().back(), "close");
}

TEST_F(SoundSlotsTest, CreatingASlotAgainReplacesItsClip) {
    write_all_slots();
    snd_load_all(1, 3);
    int32_t old_buffer = buffer_of(SND_CLEAR);
    SoundClip* clip = snd_create(slot_path(SND_CLEAR).c_str(), SND_CLEAR, 3);
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->buffer_count, 1);
    EXPECT_EQ(log_count("release " + std::to_string(old_buffer)), 1u);
    EXPECT_NE(buffer_of(SND_CLEAR), old_buffer);
    EXPECT_EQ(snd_create(slot_path(SND_CLEAR).c_str(), SOUND_SLOTS, 1), nullptr);
    EXPECT_EQ(snd_create(slot_path(SND_CLEAR).c_str(), -1, 1), nullptr);
}

}  // namespace
