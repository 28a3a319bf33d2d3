// The engraved symbols that tell the 31 stone kinds apart by shape: rounded
// square ring, corner rivets, triangle, sun, diamond, cross, crescent, star,
// waves, hollow hexagon, arrow, spiral, heart, saltire, three dots, hourglass,
// chevrons, eye, leaf, bolt, bars, four dots, pierced square, hollow triangle,
// pine, flower, hash, dome, peaks, twin rings, snowflake.
#pragma once

#include <cstdint>

constexpr int32_t SYMBOL_COUNT = 31;

// True when the point (u, v) of symbol space lies on symbol `kind`. Symbol space
// has its origin at the symbol's centre, v pointing down, and the symbol's extent
// about 1 to 1.2 units from the centre.
bool symbol_inside(int32_t kind, float u, float v);
// Fraction of the pixel square centred on (u, v), `pixel` units wide, covered by
// the symbol (4 x 4 samples).
float symbol_coverage(int32_t kind, float u, float v, float pixel);
