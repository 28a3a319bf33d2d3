// Program snapshots: the records laid out flat in a fixed order, then the pixels
// of every buffer in use; cut into blocks shared between snapshots while they do
// not change, each kept compressed by a small LZ77 coder of our own.
#include "shell/snapshot.h"

#include <cstdlib>
#include <cstring>
#include <unordered_set>

#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "sound/sound.h"

struct SnapshotBlock {
    std::vector<uint8_t> packed;
};

namespace {

constexpr size_t kBlockBytes = 16384;

struct Region {
    void* address;
    size_t size;
};

void keep_region(void* address, size_t size, void* context) {
    static_cast<std::vector<Region>*>(context)->push_back({address, size});
}

// Every record of the program outside the graphics layer that a turn of the
// main loop may change: the records reset_program_state puts back, and those
// start-up fills (handles, the sound slots).
template <typename T>
void keep(std::vector<Region>* regions, T& record) {
    regions->push_back({&record, sizeof record});
}

const std::vector<Region>& records() {
    static std::vector<Region> regions;
    if (!regions.empty()) return regions;
    gfx_state_regions(keep_region, &regions);
    keep(&regions, sound_slots);
    keep(&regions, sound_device);
    keep(&regions, tick_deadline);
    keep(&regions, screen_timer);
    keep(&regions, window_dc);
    keep(&regions, game_palette);
    keep(&regions, game_font);
    keep(&regions, game_cursor);
    keep(&regions, active_buffer);
    keep(&regions, backdrop_buffer);
    keep(&regions, main_window);
    keep(&regions, tap_reach);
    keep(&regions, screen_handlers);
    keep(&regions, screen_hooks);
    keep(&regions, current_screen);
    keep(&regions, board);
    keep(&regions, game);
    keep(&regions, type_ahead);
    keep(&regions, random_state);
    keep(&regions, backdrop_builds);
    keep(&regions, clock_last_seconds);
    keep(&regions, paused_button_picture);
    keep(&regions, paused_button_second);
    keep(&regions, hover);
    keep(&regions, hover_from_keys);
    keep(&regions, menu_focus);
    keep(&regions, focus_screen);
    keep(&regions, intro_pos);
    keep(&regions, intro_speed);
    keep(&regions, high_scores);
    keep(&regions, scores_save_failed);
    keep(&regions, name_text);
    keep(&regions, name_length);
    keep(&regions, flash_key);
    keep(&regions, flash_deadline);
    keep(&regions, name_focus);
    keep(&regions, profile);
    keep(&regions, exit_status);
    return regions;
}

size_t slot_bytes(const BufferSlot& slot) {
    return static_cast<size_t>(slot.width) * static_cast<size_t>(slot.bits_per_pixel / 8) *
           static_cast<size_t>(slot.height);
}

// ---------------------------------------------------------------- LZ77 coding
//
// Tokens: a literal run (a count byte 0..127, then that many bytes plus one), a
// match (a byte 128 + length - 4 for 4..130, then a 16-bit offset back), or a
// long match (255, then a 16-bit length and offset).

constexpr size_t kMinMatch = 4;
constexpr size_t kMaxShortMatch = 130;
constexpr size_t kMaxMatch = 65535;
constexpr size_t kMaxLiterals = 128;

uint32_t hash4(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return (v * 2654435761u) >> 20;  // 12 bits
}

void flush_literals(const uint8_t* from, size_t count, std::vector<uint8_t>* out) {
    while (count > 0) {
        size_t n = count < kMaxLiterals ? count : kMaxLiterals;
        out->push_back(static_cast<uint8_t>(n - 1));
        out->insert(out->end(), from, from + n);
        from += n;
        count -= n;
    }
}

void pack(const uint8_t* in, size_t size, std::vector<uint8_t>* out) {
    static uint16_t table[1 << 12];
    std::memset(table, 0xff, sizeof table);
    out->clear();
    size_t literal_start = 0;
    size_t i = 0;
    while (i + kMinMatch <= size) {
        uint32_t h = hash4(in + i);
        size_t candidate = table[h];
        table[h] = static_cast<uint16_t>(i);
        if (candidate != 0xffff && candidate < i && i - candidate <= 0xffff &&
            std::memcmp(in + candidate, in + i, kMinMatch) == 0) {
            size_t length = kMinMatch;
            while (length < kMaxMatch && i + length < size &&
                   in[candidate + length] == in[i + length]) {
                ++length;
            }
            flush_literals(in + literal_start, i - literal_start, out);
            size_t offset = i - candidate;
            if (length <= kMaxShortMatch) {
                out->push_back(static_cast<uint8_t>(128 + length - kMinMatch));
            } else {
                out->push_back(255);
                out->push_back(static_cast<uint8_t>(length & 0xff));
                out->push_back(static_cast<uint8_t>(length >> 8));
            }
            out->push_back(static_cast<uint8_t>(offset & 0xff));
            out->push_back(static_cast<uint8_t>(offset >> 8));
            i += length;
            literal_start = i;
        } else {
            ++i;
        }
    }
    flush_literals(in + literal_start, size - literal_start, out);
}

void unpack(const std::vector<uint8_t>& packed, uint8_t* out, size_t size) {
    size_t o = 0;
    for (size_t p = 0; p < packed.size() && o < size;) {
        uint8_t token = packed[p++];
        if (token < 128) {
            size_t n = token + 1u;
            std::memcpy(out + o, packed.data() + p, n);
            p += n;
            o += n;
        } else {
            size_t length = token - 128u + kMinMatch;
            if (token == 255) {
                length = packed[p] | (static_cast<size_t>(packed[p + 1]) << 8);
                p += 2;
            }
            size_t offset = packed[p] | (static_cast<size_t>(packed[p + 1]) << 8);
            p += 2;
            // Byte by byte: a match may overlap what it writes.
            for (size_t k = 0; k < length; ++k, ++o) out[o] = out[o - offset];
        }
    }
}

// The pictures are kept as their differences, which are mostly nothing: each
// buffer against the next one of the same size (the picture drawn against the
// backdrop it is drawn over, which seldom changes), and the window's picture
// against the first buffer of its size (the window's rows run top first, the
// buffers' bottom first). XOR, so that the same makes them again.
bool window_sized(const BufferSlot& slot) {
    return slot.pixels && slot.width == 800 && slot.height == 600 && slot.bits_per_pixel == 8;
}

void mix_window(uint8_t* window, const uint8_t* buffer) {
    for (int32_t y = 0; y < 600; ++y) {
        const uint8_t* row = buffer + static_cast<size_t>(599 - y) * 800;
        uint8_t* into = window + static_cast<size_t>(y) * 800;
        for (int32_t x = 0; x < 800; ++x) into[x] ^= row[x];
    }
}

void mix(uint8_t* into, const uint8_t* with, size_t size) {
    for (size_t i = 0; i < size; ++i) into[i] ^= with[i];
}

// The window's picture's place in the flat state.
size_t window_offset() {
    size_t at = 0;
    for (const Region& r : records()) {
        if (r.address == gfx_window_indices()) return at;
        at += r.size;
    }
    return SIZE_MAX;
}

const BufferSlot* next_alike(int32_t i) {
    for (int32_t j = i + 1; j < GFX_BUFFER_SLOTS; ++j) {
        const BufferSlot& a = gfx_buffers[i];
        const BufferSlot& b = gfx_buffers[j];
        if (b.pixels && slot_bytes(a) == slot_bytes(b)) return &b;
    }
    return nullptr;
}

const BufferSlot* first_window_sized() {
    for (const BufferSlot& slot : gfx_buffers) {
        if (window_sized(slot)) return &slot;
    }
    return nullptr;
}

}  // namespace

void SnapshotStore::take(int64_t frame, int64_t position_ms) {
    // Lay the state out flat.
    image_.clear();
    for (const Region& r : records()) {
        const uint8_t* bytes = static_cast<const uint8_t*>(r.address);
        image_.insert(image_.end(), bytes, bytes + r.size);
    }
    size_t window = window_offset();
    if (const BufferSlot* first = first_window_sized()) {
        mix_window(image_.data() + window, first->pixels);
    }
    for (int32_t i = 0; i < GFX_BUFFER_SLOTS; ++i) {
        const BufferSlot& slot = gfx_buffers[i];
        if (!slot.pixels) continue;
        size_t at = image_.size();
        image_.insert(image_.end(), slot.pixels, slot.pixels + slot_bytes(slot));
        if (const BufferSlot* next = next_alike(i)) {
            mix(image_.data() + at, next->pixels, slot_bytes(slot));
        }
    }
    ProgramSnapshot shot;
    shot.frame = frame;
    shot.position_ms = position_ms;
    shot.tape = tape_mark();
    const ProgramSnapshot* before = list_.empty() ? nullptr : &list_.back();
    size_t count = (image_.size() + kBlockBytes - 1) / kBlockBytes;
    shot.blocks.reserve(count);
    for (size_t b = 0; b < count; ++b) {
        size_t start = b * kBlockBytes;
        size_t size = image_.size() - start < kBlockBytes ? image_.size() - start : kBlockBytes;
        if (before && b < before->blocks.size() && start + size <= last_.size() &&
            std::memcmp(last_.data() + start, image_.data() + start, size) == 0) {
            shot.blocks.push_back(before->blocks[b]);
            continue;
        }
        auto block = std::make_shared<SnapshotBlock>();
        pack(image_.data() + start, size, &block->packed);
        block->packed.shrink_to_fit();
        held_ += block->packed.size() + sizeof(SnapshotBlock);
        shot.blocks.push_back(std::move(block));
    }
    held_ += shot.blocks.size() * sizeof shot.blocks[0] + sizeof shot;
    last_.swap(image_);
    list_.push_back(std::move(shot));
}

void SnapshotStore::restore(size_t index) {
    const ProgramSnapshot& shot = list_[index];
    // The records first, then the sizes of the buffers they name.
    image_.resize(shot.blocks.size() * kBlockBytes);
    for (size_t b = 0; b < shot.blocks.size(); ++b) {
        unpack(shot.blocks[b]->packed, image_.data() + b * kBlockBytes, kBlockBytes);
    }
    uint8_t* held[GFX_BUFFER_SLOTS];
    size_t held_size[GFX_BUFFER_SLOTS];
    for (int32_t i = 0; i < GFX_BUFFER_SLOTS; ++i) {
        held[i] = gfx_buffers[i].pixels;
        held_size[i] = held[i] ? slot_bytes(gfx_buffers[i]) : 0;
    }
    size_t at = 0;
    for (const Region& r : records()) {
        std::memcpy(r.address, image_.data() + at, r.size);
        at += r.size;
    }
    for (int32_t i = 0; i < GFX_BUFFER_SLOTS; ++i) {
        BufferSlot& slot = gfx_buffers[i];
        if (!slot.pixels) {
            std::free(held[i]);
            continue;
        }
        size_t size = slot_bytes(slot);
        uint8_t* pixels = held[i];
        if (!pixels || held_size[i] != size) {
            std::free(pixels);
            pixels = static_cast<uint8_t*>(std::calloc(size, 1));
        }
        if (pixels) std::memcpy(pixels, image_.data() + at, size);
        at += size;
        slot.pixels = pixels;
    }
    for (int32_t i = GFX_BUFFER_SLOTS - 1; i >= 0; --i) {
        const BufferSlot* next = next_alike(i);
        if (gfx_buffers[i].pixels && next) {
            mix(gfx_buffers[i].pixels, next->pixels, slot_bytes(gfx_buffers[i]));
        }
    }
    if (const BufferSlot* first = first_window_sized()) {
        mix_window(gfx_window_picture(), first->pixels);
    }
    gfx.pixels = gfx.active >= 0 ? gfx_buffers[gfx.active].pixels : nullptr;
    tape_return(shot.tape);
}

void SnapshotStore::thin() {
    std::vector<ProgramSnapshot> kept;
    for (size_t i = 0; i < list_.size(); ++i) {
        if (i % 2 == 0 || i + 1 == list_.size()) kept.push_back(std::move(list_[i]));
    }
    list_.swap(kept);
    held_ = 0;
    std::unordered_set<const SnapshotBlock*> counted;
    for (const ProgramSnapshot& shot : list_) {
        held_ += shot.blocks.size() * sizeof shot.blocks[0] + sizeof shot;
        for (const auto& block : shot.blocks) {
            if (counted.insert(block.get()).second) {
                held_ += block->packed.size() + sizeof(SnapshotBlock);
            }
        }
    }
}

void SnapshotStore::clear() {
    list_.clear();
    list_.shrink_to_fit();
    image_.clear();
    image_.shrink_to_fit();
    last_.clear();
    last_.shrink_to_fit();
    held_ = 0;
}
