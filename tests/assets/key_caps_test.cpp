// The name-entry keys are stones 0 and 1 with a caption printed over them: the
// captions must land on a clean face, never on the stone's engraved symbol.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/palette.h"
#include "assets/asset_fixture.h"
#include "gfx/gfx.h"

namespace {

// A key as the name-entry screen draws it: its stones' lower-left corners and its
// caption, printed embossed (one pixel up-left, one down-right, then in place).
struct KeyCap {
    const char* caption;
    int32_t caption_x, caption_y;
    int32_t kind;
    int32_t stone_count;
    int32_t stone_x[3];
    int32_t stone_y;
};

std::vector<KeyCap> name_entry_keys() {
    std::vector<KeyCap> keys = {
        {"SPACE", 333, 365, 1, 2, {327, 373, 0}, 374},
        {"BACK", 590, 365, 1, 2, {577, 623, 0}, 374},
        {"D O N E", 450, 465, 1, 3, {429, 475, 521}, 474},
    };
    static char letters[26][2];
    for (int32_t n = 0; n < 26; ++n) {
        letters[n][0] = static_cast<char>('A' + n);
        letters[n][1] = '\0';
        int32_t x = 290 + 50 * (n % 9), y = 214 + 50 * (n / 9);
        keys.push_back({letters[n], x, y + 1, 0, 1, {x - 15, 0, 0}, y + 10});
    }
    return keys;
}

// Every screen pixel the caption's three prints touch, as a 800x600 mask.
std::vector<bool> caption_ink(const KeyCap& key) {
    begin_ink();
    int32_t length = static_cast<int32_t>(std::strlen(key.caption));
    const int32_t offsets[3] = {-1, 1, 0};
    const int32_t colours[3] = {PAL_BRIGHT, PAL_BLACK, PAL_LABEL};
    for (int32_t i = 0; i < 3; ++i) {
        gfx_move(key.caption_x + offsets[i], key.caption_y + offsets[i]);
        gfx_set_color(colours[i]);
        gfx_print(key.caption, length);
    }
    return end_ink();
}

TEST(KeyCaps, CaptionsLieOnTheStonesFaceClearOfTheirSymbols) {
    for (const KeyCap& key : name_entry_keys()) {
        std::vector<bool> ink = caption_ink(key);
        int32_t inked = 0;
        for (bool b : ink) inked += b;
        ASSERT_GT(inked, 20) << key.caption;
        int32_t clashes = 0, on_face = 0;
        for (int32_t p = 0; p < 800 * 600; ++p) {
            if (!ink[p]) continue;
            int32_t sx = p % 800, sy = p / 800;
            // The stone drawn last shows where two stones of a key overlap.
            int32_t x = -1, y = -1;
            for (int32_t s = 0; s < key.stone_count; ++s) {
                int32_t left = key.stone_x[s], top = key.stone_y - 49;
                if (sx >= left && sx < left + 50 && sy >= top && sy < top + 50) {
                    x = sx - left;
                    y = sy - top;
                }
            }
            if (x < 0) continue;
            ++on_face;
            // The engraving's groove and lip reach one pixel round the symbol.
            bool near = false;
            for (int32_t dy = -1; dy <= 1; ++dy) {
                for (int32_t dx = -1; dx <= 1; ++dx)
                    near |= stone_symbol_pixel(key.kind, x + dx, y + dy);
            }
            clashes += near;
        }
        EXPECT_EQ(on_face, inked) << key.caption << " runs off its stones";
        EXPECT_EQ(clashes, 0) << key.caption << " is printed over the symbol of stone" << key.kind;
    }
}

}  // namespace
