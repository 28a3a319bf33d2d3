// Sound through XAudio2: every game buffer keeps its samples and plays on a source
// voice of its own, made anew at every start so that playing a sound again
// restarts it and a sound never plays twice at once. XAudio2 converts rates and
// channels itself. A machine without a sound device (no default endpoint) opens
// no sound at all: the game plays silent. XAudio2 is looked up when the sound
// opens (xaudio2_9, else xaudio2_8 of Windows 8), so the program starts where
// neither exists.
#include <mmdeviceapi.h>
#include <objbase.h>
#include <xaudio2.h>

#include <cstdlib>
#include <cstring>

#include "platform/common/pcm_sound.h"
#include "platform/platform.h"

namespace {

constexpr int32_t kMaxBuffers = 16;

using Create = HRESULT(WINAPI*)(IXAudio2**, UINT32, XAUDIO2_PROCESSOR);

struct AudioBuffer {
    bool in_use;
    PlatformSoundFormat format;
    uint32_t size;     // sample bytes the buffer was made for
    uint8_t* samples;  // owned here
    uint32_t filled;   // whole blocks of samples held
    float gain;        // from the volume in hundredths of a decibel
    IXAudio2SourceVoice* voice;
};

struct Audio {
    bool open;
    bool com_started;
    IXAudio2* engine;
    IXAudio2MasteringVoice* master;
    AudioBuffer buffers[kMaxBuffers];
};

Audio audio = {};

AudioBuffer* buffer_of(int32_t handle) {
    if (!audio.open || handle < 1 || handle > kMaxBuffers) return nullptr;
    AudioBuffer* buffer = &audio.buffers[handle - 1];
    return buffer->in_use ? buffer : nullptr;
}

void stop_voice(AudioBuffer* buffer) {
    if (buffer->voice == nullptr) return;
    buffer->voice->DestroyVoice();
    buffer->voice = nullptr;
}

// Whether Windows has a default output device. XAudio2 itself must not be asked
// without one: some versions fail inside making the mastering voice.
bool have_endpoint() {
    IMMDeviceEnumerator* devices = nullptr;
    if (FAILED(CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                __uuidof(IMMDeviceEnumerator),
                                reinterpret_cast<void**>(&devices)))) {
        return false;
    }
    IMMDevice* device = nullptr;
    bool found = SUCCEEDED(devices->GetDefaultAudioEndpoint(eRender, eConsole, &device));
    if (device != nullptr) device->Release();
    devices->Release();
    return found;
}

Create find_xaudio2() {
    const wchar_t* libraries[] = {L"xaudio2_9.dll", L"xaudio2_8.dll"};
    for (const wchar_t* name : libraries) {
        HMODULE library = LoadLibraryW(name);
        if (library == nullptr) continue;
        auto create = reinterpret_cast<Create>(
            reinterpret_cast<void*>(GetProcAddress(library, "XAudio2Create")));
        if (create != nullptr) return create;
        FreeLibrary(library);
    }
    return nullptr;
}

void shut_down() {
    if (audio.master != nullptr) audio.master->DestroyVoice();
    if (audio.engine != nullptr) audio.engine->Release();
    if (audio.com_started) CoUninitialize();
    audio = {};
}

}  // namespace

bool platform_audio_open() {
    if (audio.open) return true;
    HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    audio.com_started = SUCCEEDED(com);
    Create create = have_endpoint() ? find_xaudio2() : nullptr;
    if (create == nullptr || FAILED(create(&audio.engine, 0, XAUDIO2_DEFAULT_PROCESSOR)) ||
        FAILED(audio.engine->CreateMasteringVoice(&audio.master))) {
        shut_down();
        return false;
    }
    audio.open = true;
    return true;
}

void platform_audio_close() {
    if (!audio.open) return;
    for (int32_t handle = 1; handle <= kMaxBuffers; ++handle) platform_audio_release(handle);
    shut_down();
}

int32_t platform_audio_create(const PlatformSoundFormat* format, uint32_t size) {
    if (!audio.open ||
        !pcm_format_playable(format, XAUDIO2_MIN_SAMPLE_RATE, XAUDIO2_MAX_SAMPLE_RATE) ||
        size < format->block_align) {
        return 0;
    }
    for (int32_t i = 0; i < kMaxBuffers; ++i) {
        AudioBuffer& buffer = audio.buffers[i];
        if (buffer.in_use) continue;
        buffer = AudioBuffer{};
        buffer.samples = static_cast<uint8_t*>(std::malloc(size));
        if (buffer.samples == nullptr) return 0;
        buffer.in_use = true;
        buffer.format = *format;
        buffer.size = size;
        buffer.gain = 1.0f;
        return i + 1;
    }
    return 0;
}

bool platform_audio_fill(int32_t handle, const uint8_t* samples, uint32_t size) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer || !samples || size == 0 || size > buffer->size) return false;
    uint32_t whole = size - size % buffer->format.block_align;
    if (whole == 0) return false;
    // The voice reads the samples while it plays: it goes before they change.
    stop_voice(buffer);
    std::memcpy(buffer->samples, samples, whole);
    buffer->filled = whole;
    return true;
}

bool platform_audio_lost(int32_t) {
    return false;
}

bool platform_audio_restore(int32_t handle) {
    return buffer_of(handle) != nullptr;
}

bool platform_audio_play(int32_t handle, bool loop) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer || buffer->filled == 0) return false;
    stop_voice(buffer);
    const PlatformSoundFormat& f = buffer->format;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = f.channels;
    format.nSamplesPerSec = f.samples_per_sec;
    format.nBlockAlign = f.block_align;
    format.nAvgBytesPerSec = f.samples_per_sec * f.block_align;
    format.wBitsPerSample = f.bits_per_sample;
    if (FAILED(audio.engine->CreateSourceVoice(&buffer->voice, &format))) {
        buffer->voice = nullptr;
        return false;
    }
    XAUDIO2_BUFFER samples = {};
    samples.Flags = XAUDIO2_END_OF_STREAM;
    samples.AudioBytes = buffer->filled;
    samples.pAudioData = buffer->samples;
    samples.LoopCount = loop ? XAUDIO2_LOOP_INFINITE : 0;
    if (FAILED(buffer->voice->SetVolume(buffer->gain)) ||
        FAILED(buffer->voice->SubmitSourceBuffer(&samples)) || FAILED(buffer->voice->Start(0))) {
        stop_voice(buffer);
        return false;
    }
    return true;
}

bool platform_audio_set_volume(int32_t handle, int32_t hundredths_db) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer) return false;
    buffer->gain = static_cast<float>(pcm_gain(hundredths_db));
    return buffer->voice == nullptr || SUCCEEDED(buffer->voice->SetVolume(buffer->gain));
}

void platform_audio_release(int32_t handle) {
    AudioBuffer* buffer = buffer_of(handle);
    if (!buffer) return;
    stop_voice(buffer);
    std::free(buffer->samples);
    *buffer = AudioBuffer{};
}
