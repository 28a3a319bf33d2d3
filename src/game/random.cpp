// The game's pseudo-random generator: a 32-bit linear congruential state, of which
// each draw returns bits 16..30.
#include "game/game.h"

namespace {
constexpr uint32_t kSeedAtStart = 1;
}  // namespace

uint32_t random_state = kSeedAtStart;

void reset_random() {
    random_state = kSeedAtStart;
}

void game_srand(uint32_t seed) {
    random_state = seed;
}

int32_t game_rand() {
    random_state = random_state * 214013u + 2531011u;
    return static_cast<int32_t>((random_state >> 16) & 0x7FFFu);
}
