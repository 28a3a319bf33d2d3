// The buffer table: up to 32 off-screen 8-bit pictures, one of them active, and
// the block copy between two of them.
#include <cstdlib>
#include <cstring>

#include "gfx/gfx_internal.h"

BufferSlot gfx_buffers[GFX_BUFFER_SLOTS];

namespace {

constexpr int32_t kNewBufferDepth = 8;
// The largest pixel block a buffer may have: its byte size must fit the signed
// 32-bit field of the layer state.
constexpr int64_t kMaxBufferBytes = INT32_MAX;

void release_slot(BufferSlot& slot) {
    std::free(slot.pixels);
    slot = BufferSlot{};
}

}  // namespace

int32_t gfx_init() {
    gfx_set_stock_font(OEM_FIXED_FONT);
    // A second initialisation must not lose blocks the table still holds.
    for (BufferSlot& slot : gfx_buffers) release_slot(slot);
    gfx.colour = 0;
    gfx.pos_x = 0;
    gfx.pos_y = 0;
    gfx.border_h = 1;
    gfx.border_v = 1;
    gfx.active = -1;
    gfx.pixels = nullptr;
    gfx_contexts.memory_dc = GFX_MEMORY_DC;
    return 0;
}

int32_t gfx_create_buffer(int32_t width, int32_t height) {
    int32_t handle = 0;
    while (handle < GFX_BUFFER_SLOTS && gfx_buffers[handle].pixels != nullptr) ++handle;
    if (handle == GFX_BUFFER_SLOTS) return -1;

    // Rows are whole multiples of 4 pixels.
    int64_t rounded = (static_cast<int64_t>(width) + 3) & ~int64_t{3};
    if (width <= 0 || height <= 0 || rounded * height > kMaxBufferBytes) return -2;
    void* pixels = std::calloc(static_cast<size_t>(rounded * height), 1);
    if (pixels == nullptr) return -2;

    BufferSlot& slot = gfx_buffers[handle];
    slot.pixels = static_cast<uint8_t*>(pixels);
    slot.bits_per_pixel = kNewBufferDepth;
    slot.width = static_cast<int32_t>(rounded);
    slot.height = height;
    slot.xmin = 0;
    slot.xmax = slot.width - 1;
    slot.ymin = 0;
    slot.ymax = height - 1;
    std::memcpy(slot.colors, color_table, sizeof color_table);
    return handle;
}

int32_t gfx_set_buffer(int32_t handle) {
    if (static_cast<uint32_t>(handle) >= static_cast<uint32_t>(GFX_BUFFER_SLOTS)) return -1;
    const BufferSlot& slot = gfx_buffers[handle];
    if (slot.pixels == nullptr) return -2;
    gfx.active = handle;
    gfx.pixels = slot.pixels;
    gfx.width = slot.width;
    gfx.height = slot.height;
    gfx.stride = static_cast<int32_t>(int64_t{slot.width} * slot.bits_per_pixel / 8);
    gfx.byte_size = gfx.stride * slot.height;
    gfx.xmin = slot.xmin;
    gfx.xmax = slot.xmax;
    gfx.ymin = slot.ymin;
    gfx.ymax = slot.ymax;
    gfx_update_color_table();
    return 0;
}

int32_t gfx_free_buffer(int32_t handle) {
    if (static_cast<uint32_t>(handle) >= static_cast<uint32_t>(GFX_BUFFER_SLOTS)) return 0;
    if (handle == gfx.active) return 0;
    release_slot(gfx_buffers[handle]);
    return 0;
}

// Nothing draws until the next gfx_set_buffer. The sizes stay, as the text
// position rule still compares against the last active width.
int32_t gfx_unselect_buffer() {
    gfx.active = -1;
    gfx.pixels = nullptr;
    return 0;
}

// Goes ahead only when at least one slot is free, as the game calls it after
// freeing its buffers.
int32_t gfx_shutdown() {
    bool any_free = false;
    for (const BufferSlot& slot : gfx_buffers) any_free = any_free || slot.pixels == nullptr;
    if (!any_free) return 0;
    gfx_unselect_buffer();
    gfx_contexts.memory_dc = 0;
    return 0;
}

int32_t gfx_memory_dc() {
    return gfx_contexts.memory_dc;
}

// Copies the whole picture of one buffer over another of the same size; only the
// low five bits of each handle count.
int32_t gfx_copy_buffer(int32_t from, int32_t to) {
    const BufferSlot& src = gfx_buffers[static_cast<uint32_t>(from) & 31u];
    BufferSlot& dst = gfx_buffers[static_cast<uint32_t>(to) & 31u];
    if (src.pixels == nullptr || dst.pixels == nullptr || &src == &dst) return 0;
    int64_t row_bytes = int64_t{src.width} * src.bits_per_pixel / 8;
    if (row_bytes != int64_t{dst.width} * dst.bits_per_pixel / 8) return 0;
    if (src.height != dst.height) return 0;
    std::memcpy(dst.pixels, src.pixels, static_cast<size_t>(row_bytes * src.height));
    return 0;
}
