// The game's own mouse cursor, made from a monochrome AND/XOR pattern.
#include "platform/desktop/cursor_rules.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_state.h"

namespace {

SDL_Cursor* cursors[kCursorSlots];
SDL_Cursor* current;              // the cursor the game made current
bool game_cursor_visible = true;  // whether the game wants its cursor shown
bool pointer_in_picture = true;   // whether the pointer was last over the picture

// Puts on the pointer the game asked for, or the system's over the letterbox.
void apply_cursor() {
    if (pointer_in_picture) {
        SDL_SetCursor(current != nullptr ? current : SDL_GetDefaultCursor());
        SDL_ShowCursor(game_cursor_visible ? SDL_ENABLE : SDL_DISABLE);
    } else {
        SDL_SetCursor(SDL_GetDefaultCursor());
        SDL_ShowCursor(SDL_ENABLE);
    }
}
uint8_t cursor_data[kMaxCursorSide * kMaxCursorSide / 8];
uint8_t cursor_mask[kMaxCursorSide * kMaxCursorSide / 8];

}  // namespace

void sdl_cursor_planes(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t bytes,
                       uint8_t* data, uint8_t* mask) {
    // AND 0 XOR 0 black (data 1, mask 1), AND 0 XOR 1 white (0, 1), AND 1 XOR 0
    // transparent (0, 0), AND 1 XOR 1 inverted (1, 0).
    for (int32_t i = 0; i < bytes; ++i) {
        data[i] = static_cast<uint8_t>(~(and_plane[i] ^ xor_plane[i]));
        mask[i] = static_cast<uint8_t>(~and_plane[i]);
    }
}

bool device_mouse_present() {
    return true;
}

void platform_cursor_size(int32_t* width, int32_t* height) {
    if (width != nullptr) *width = 32;
    if (height != nullptr) *height = 32;
}

int32_t platform_cursor_create(const uint8_t* and_plane, const uint8_t* xor_plane, int32_t width,
                               int32_t height, int32_t hot_x, int32_t hot_y) {
    if (and_plane == nullptr || xor_plane == nullptr || !sdl_display.video_started) return 0;
    if (!cursor_shape_allowed(width, height, hot_x, hot_y)) return 0;
    int32_t slot = 0;
    while (slot < kCursorSlots && cursors[slot] != nullptr) ++slot;
    if (slot == kCursorSlots) return 0;

    sdl_cursor_planes(and_plane, xor_plane, width / 8 * height, cursor_data, cursor_mask);
    SDL_Cursor* cursor = SDL_CreateCursor(cursor_data, cursor_mask, width, height, hot_x, hot_y);
    if (cursor == nullptr) return 0;
    cursors[slot] = cursor;
    return slot + 1;
}

void platform_cursor_set(int32_t cursor) {
    if (!sdl_display.video_started) return;
    SDL_Cursor* wanted = cursor >= 1 && cursor <= kCursorSlots ? cursors[cursor - 1] : nullptr;
    if (wanted == nullptr) wanted = SDL_GetDefaultCursor();
    if (wanted == current) return;
    current = wanted;
    apply_cursor();
}

void platform_cursor_show(bool visible) {
    if (!sdl_display.video_started) return;
    game_cursor_visible = visible;
    apply_cursor();
}

void sdl_pointer_moved(int32_t x, int32_t y) {
    bool inside = x >= 0 && x < kPictureWidth && y >= 0 && y < kPictureHeight;
    if (inside == pointer_in_picture || !sdl_display.video_started) return;
    pointer_in_picture = inside;
    apply_cursor();
}

void sdl_release_cursors() {
    SDL_SetCursor(SDL_GetDefaultCursor());
    current = nullptr;
    game_cursor_visible = true;
    pointer_in_picture = true;
    for (SDL_Cursor*& cursor : cursors) {
        if (cursor != nullptr) SDL_FreeCursor(cursor);
        cursor = nullptr;
    }
}
