// Shared set-up for the graphics tests: a fresh headless platform, the palette,
// the layer and one active 800x600 buffer, plus pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "gfx/gfx.h"
#include "gfx/gfx_internal.h"
#include "platform/headless/headless.h"

using Pixel = std::pair<int32_t, int32_t>;  // (x, y)
using Pixels = std::vector<Pixel>;

class GfxTest : public ::testing::Test {
  public:
    void SetUp() override {
        headless_reset();
        gfx_set_window_dc(GFX_WINDOW_DC);
        gfx_create_palette();
        gfx_select_palette(1);
        gfx_init();
        gfx_set_text_dc(gfx_memory_dc());
        buffer = gfx_create_buffer(800, 600);
        ASSERT_EQ(buffer, 0);
        ASSERT_EQ(gfx_set_buffer(buffer), 0);
        gfx_update_color_table();
    }

    void TearDown() override {
        gfx_unselect_buffer();
        for (int32_t i = 0; i < GFX_BUFFER_SLOTS; ++i) gfx_free_buffer(i);
        gfx_shutdown();
    }

    // Pixel (x, y) of the active buffer, through the bottom-up layout.
    static uint8_t at(int32_t x, int32_t y) {
        return gfx.pixels[static_cast<int64_t>(gfx.height - 1 - y) * gfx.stride + x];
    }
    static void set(int32_t x, int32_t y, uint8_t v) {
        gfx.pixels[static_cast<int64_t>(gfx.height - 1 - y) * gfx.stride + x] = v;
    }

    // Every pixel of the active buffer that is not 0, in (y, x) order of rows.
    static Pixels painted() {
        Pixels out;
        for (int32_t y = 0; y < gfx.height; ++y)
            for (int32_t x = 0; x < gfx.width; ++x)
                if (at(x, y) != 0) out.push_back({x, y});
        return out;
    }

    static Pixels sorted(Pixels p) {
        std::sort(p.begin(), p.end(), [](const Pixel& a, const Pixel& b) {
            return a.second != b.second ? a.second < b.second : a.first < b.first;
        });
        return p;
    }

    int32_t buffer = -1;
};
