// The headless sound device: records every call so tests can check what the game
// asked for, and lets a test mark a buffer lost.
#include <cstdio>
#include <map>

#include "platform/headless/headless.h"

namespace {

struct Buffer {
    uint32_t size = 0;
    std::vector<uint8_t> bytes;
    int32_t volume = 0;
    bool lost = false;
};

struct HeadlessAudio {
    bool available = true;
    bool open = false;
    bool fail_next_create = false;
    int32_t next_buffer = 1;
    std::map<int32_t, Buffer> buffers;
    std::vector<std::string> log;
};

HeadlessAudio& audio() {
    static HeadlessAudio a;
    return a;
}

void record(const char* format, int32_t a = 0, int32_t b = 0, int32_t c = 0, int32_t d = 0) {
    char line[128];
    std::snprintf(line, sizeof line, format, a, b, c, d);
    audio().log.emplace_back(line);
}

Buffer* find(int32_t buffer) {
    auto it = audio().buffers.find(buffer);
    return it == audio().buffers.end() ? nullptr : &it->second;
}

}  // namespace

void headless_reset_audio() {
    HeadlessAudio& a = audio();
    a.available = true;
    a.open = false;
    a.fail_next_create = false;
    a.next_buffer = 1;
    a.buffers.clear();
    a.log.clear();
}

void headless_set_audio_device(bool available) { audio().available = available; }
const std::vector<std::string>& headless_audio_log() { return audio().log; }
void headless_clear_audio_log() { audio().log.clear(); }

void headless_lose_buffer(int32_t buffer) {
    if (Buffer* b = find(buffer)) b->lost = true;
}

const std::vector<uint8_t>& headless_buffer_bytes(int32_t buffer) {
    static const std::vector<uint8_t> none;
    Buffer* b = find(buffer);
    return b ? b->bytes : none;
}

int32_t headless_buffer_volume(int32_t buffer) {
    Buffer* b = find(buffer);
    return b ? b->volume : 0;
}

void headless_fail_next_create() { audio().fail_next_create = true; }

// ---------------------------------------------------------------- platform.h

bool platform_audio_open() {
    if (!audio().available) return false;
    audio().open = true;
    record("open");
    return true;
}

void platform_audio_close() {
    if (!audio().open) return;
    audio().open = false;
    audio().buffers.clear();
    record("close");
}

int32_t platform_audio_create(const PlatformSoundFormat* format, uint32_t size) {
    HeadlessAudio& a = audio();
    if (!a.open) return 0;
    if (a.fail_next_create) {
        a.fail_next_create = false;
        return 0;
    }
    int32_t id = a.next_buffer++;
    a.buffers[id].size = size;
    record("create %d %dx%dx%d", id, static_cast<int32_t>(format->samples_per_sec),
           format->channels, format->bits_per_sample);
    char tail[32];
    std::snprintf(tail, sizeof tail, " %u", size);
    a.log.back() += tail;
    return id;
}

bool platform_audio_fill(int32_t buffer, const uint8_t* samples, uint32_t size) {
    Buffer* b = find(buffer);
    if (!b || size > b->size) return false;
    b->bytes.assign(samples, samples + size);
    record("fill %d %d", buffer, static_cast<int32_t>(size));
    return true;
}

bool platform_audio_lost(int32_t buffer) {
    Buffer* b = find(buffer);
    return b && b->lost;
}

bool platform_audio_restore(int32_t buffer) {
    Buffer* b = find(buffer);
    if (!b) return false;
    b->lost = false;
    b->bytes.assign(b->bytes.size(), 0);  // contents are undefined after a restore
    record("restore %d", buffer);
    return true;
}

bool platform_audio_play(int32_t buffer, bool loop) {
    Buffer* b = find(buffer);
    if (!b || b->lost) return false;
    record(loop ? "play %d loop" : "play %d once", buffer);
    return true;
}

bool platform_audio_set_volume(int32_t buffer, int32_t hundredths_db) {
    Buffer* b = find(buffer);
    if (!b || b->lost) return false;
    b->volume = hundredths_db;
    record("volume %d %d", buffer, hundredths_db);
    return true;
}

void platform_audio_release(int32_t buffer) {
    if (audio().buffers.erase(buffer)) record("release %d", buffer);
}
