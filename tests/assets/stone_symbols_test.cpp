// The stones are told apart by shape as well as by colour.
#include <gtest/gtest.h>

#include <cmath>

#include "assetgen/art_symbols.h"
#include "assetgen/palette.h"

namespace {

constexpr int32_t kGrid = 40;

std::vector<bool> sample(int32_t kind) {
    std::vector<bool> bits;
    for (int32_t j = 0; j < kGrid; ++j) {
        for (int32_t i = 0; i < kGrid; ++i) {
            float u = -1.3f + 2.6f * (float(i) + 0.5f) / kGrid;
            float v = -1.3f + 2.6f * (float(j) + 0.5f) / kGrid;
            bits.push_back(symbol_inside(kind, u, v));
        }
    }
    return bits;
}

TEST(StoneSymbols, EverySymbolHasASubstantialShape) {
    for (int32_t k = 0; k < SYMBOL_COUNT; ++k) {
        std::vector<bool> bits = sample(k);
        int32_t on = 0;
        for (bool b : bits) on += b;
        EXPECT_GT(on, kGrid * kGrid / 20) << "symbol " << k;
        EXPECT_LT(on, kGrid * kGrid / 2) << "symbol " << k;
    }
}

TEST(StoneSymbols, NoTwoSymbolsLookAlike) {
    std::vector<std::vector<bool>> all;
    for (int32_t k = 0; k < SYMBOL_COUNT; ++k) all.push_back(sample(k));
    for (int32_t a = 0; a < SYMBOL_COUNT; ++a) {
        for (int32_t b = a + 1; b < SYMBOL_COUNT; ++b) {
            int32_t differ = 0, either = 0;
            for (size_t i = 0; i < all[a].size(); ++i) {
                differ += all[a][i] != all[b][i];
                either += all[a][i] || all[b][i];
            }
            // At least a fifth of the ink of the two differs.
            EXPECT_GT(differ * 5, either) << "symbols " << a << " and " << b;
        }
    }
}

TEST(StoneSymbols, KeyCapsKeepTheirMiddleClearForALetter) {
    // stone0 and stone1 are the name-entry keys: a letter sits in their middle.
    for (int32_t k : {0, 1}) {
        for (float v = -0.55f; v <= 0.55f; v += 0.05f) {
            for (float u = -0.5f; u <= 0.5f; u += 0.05f) {
                EXPECT_FALSE(symbol_inside(k, u, v)) << "symbol " << k << " at " << u << "," << v;
            }
        }
    }
}

TEST(StoneColours, EveryKindHasItsOwnColour) {
    build_art_palette();
    // The wildcard (kind 3) is drawn in gold with a rainbow rim instead.
    for (int32_t a = 0; a < 31; ++a) {
        for (int32_t b = a + 1; b < 31; ++b) {
            if (a == 3 || b == 3) continue;
            uint8_t ia = ramp_entry(static_cast<Ramp>(RAMP_STONE0 + a), 2);
            uint8_t ib = ramp_entry(static_cast<Ramp>(RAMP_STONE0 + b), 2);
            float d = 0;
            for (int32_t c = 0; c < 3; ++c) {
                float diff = float(art_palette[ia][c]) - float(art_palette[ib][c]);
                d += diff * diff;
            }
            EXPECT_GT(std::sqrt(d), 30.0f) << "stones " << a << " and " << b;
        }
    }
}

}  // namespace
