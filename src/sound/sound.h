// Sound: the WAV reader, the nine sound slots, playback and the two volume levels.
#pragma once

#include <cstddef>
#include <cstdint>

// The format fields of a WAV file, read from their fixed offsets 20..35.
struct WaveFormat {
    uint16_t wFormatTag;
    uint16_t nChannels;
    uint32_t nSamplesPerSec;
    uint32_t nAvgBytesPerSec;
    uint16_t nBlockAlign;
    uint16_t wBitsPerSample;
    uint16_t cbSize;
};

// Reads a WAV file whole. On success (1) the caller owns *format and *bytes (free
// both with std::free) and *size is the file's length; *data_offset and *data_size
// locate the samples of the file's data chunk inside *bytes (0 and 0 when the file
// has no usable data chunk). On failure (0) nothing is written or kept.
int32_t snd_read_wav(const char* path, WaveFormat** format, uint8_t** bytes, uint32_t* size,
                     uint32_t* data_offset, uint32_t* data_size);
// The same, saying in *opened whether the file opened at all.
int32_t snd_read_wav_opened(const char* path, WaveFormat** format, uint8_t** bytes, uint32_t* size,
                            uint32_t* data_offset, uint32_t* data_size, bool* opened);

// Walks the RIFF chunks of a file held in memory and locates the samples of its
// data chunk. False (and 0, 0) when the file is not RIFF WAVE, has no data chunk,
// or a chunk claims more bytes than the file holds.
bool snd_find_data_chunk(const uint8_t* bytes, uint32_t size, uint32_t* data_offset,
                         uint32_t* data_size);
// True for a format the game plays: PCM, 1 or 2 channels of 8 or 16 bits, a block
// alignment that matches them and a sensible sample rate.
bool snd_format_playable(const WaveFormat* format);

constexpr int32_t SOUND_SLOTS = 9;

enum SoundSlotName : int32_t {
    SND_MUSIC = 0,
    SND_CLICK = 1,
    SND_SLIDE = 2,
    SND_STRIKE = 3,
    SND_TICK = 4,
    SND_PUSH = 5,
    SND_CLEAR = 6,
    SND_LEVEL = 7,
    SND_UNUSED = 8,
};

constexpr int32_t DSBPLAY_LOOPING = 1;
// The result of a volume change the sound device refused (success is 0).
constexpr int32_t SND_DEVICE_FAILED = -1;
constexpr int32_t VOLUME_SILENT = -10000;

// A loaded sound: its file bytes (kept for refilling a lost buffer) and its buffer.
struct SoundClip {
    uint8_t* bytes;        // the whole file
    uint32_t size;         // the file's length
    uint32_t data_offset;  // where the samples start inside bytes
    uint32_t data_size;    // how many sample bytes the device gets
    int32_t buffer_count;  // always 1
    int32_t current;       // the buffer play and volume use: 0
    int32_t buffers[1];    // platform buffer handles; 0 = none
};

struct SoundSlot {
    SoundClip* clip;  // none when loading failed
    WaveFormat* format;
    uint8_t* bytes;
};

extern SoundSlot sound_slots[SOUND_SLOTS];
// True while the sound device is open.
extern bool sound_device;

// Opens the device and loads every slot, at the music and effects levels 0..3. A
// slot read ahead (snd_read_ahead) takes that read; the others read their files.
void snd_load_all(int32_t music_level, int32_t effects_level);
// What reading a slot's file ahead found.
enum SoundFileState : int32_t { SOUND_FILE_UNOPENED, SOUND_FILE_DAMAGED, SOUND_FILE_PLAYABLE };
// Reads a slot's file whole before the device opens, so that start-up's data check
// and snd_load_all share one read. SOUND_FILE_UNOPENED when the file cannot be
// opened (platform_file_open_error says why), SOUND_FILE_DAMAGED when it is no WAV
// the game can play (the slot stays silent).
int32_t snd_read_ahead(int32_t slot);
// Frees the reads no snd_load_all took.
void reset_sound_read_ahead();
// The file of a sound slot: "data/sound<slot>_".
void sound_file_name(char* out, size_t size, int32_t slot);
void snd_release_all();
// Plays a slot's clip once (flags 0) or looping (DSBPLAY_LOOPING); 1 when started.
int32_t snd_play(SoundClip* clip, int32_t flags);
// While held, sounds played once are not heard (a watched recording running
// ahead to a frame); looping ones still start, so that they go on afterwards.
void snd_hold_effects(bool hold);
// Plays a slot by its name once: the game's usual way to make a sound.
int32_t snd_play_slot(int32_t slot);
// Sets a slot's volume by its level: the device's result (0 when set), or 0 when
// the slot has no buffer.
int32_t snd_set_volume(int32_t slot, int32_t level);
// Sets slots 1..8 to the effects level: the last slot's result.
int32_t snd_set_effects_volume(int32_t level);
SoundClip* snd_create(const char* path, int32_t slot, int32_t buffer_count);
void snd_destroy(int32_t slot);
int32_t snd_current_buffer(SoundClip* clip);
int32_t snd_fill(int32_t buffer, const uint8_t* bytes, uint32_t size);
// The attenuation of a level 0..3 in hundredths of a decibel.
int32_t snd_level_volume(int32_t level);
