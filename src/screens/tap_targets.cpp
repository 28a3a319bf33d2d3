// Where a finger's tap lands: on the target it hits, or else on the nearest target
// within the finger's reach, so that a tap a little beside a small button still
// presses it. A mouse's click has no reach and lands where it is.
#include <cstdint>

#include "game/game.h"
#include "runtime/catalogue.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"

namespace {

// How far outside a target's strict area the point lies, squared (0 inside).
int64_t miss_squared(const TapTarget& t, int32_t x, int32_t y) {
    int64_t dx = x <= t.x1 ? int64_t{t.x1} + 1 - x : x >= t.x2 ? int64_t{x} - t.x2 + 1 : 0;
    int64_t dy = y <= t.y1 ? int64_t{t.y1} + 1 - y : y >= t.y2 ? int64_t{y} - t.y2 + 1 : 0;
    return dx * dx + dy * dy;
}

}  // namespace

int32_t tapped_target(const TapTarget* targets, int32_t count, int32_t x, int32_t y) {
    // A reach beyond the picture's size is no finger's; it is cut there.
    int64_t reach = tap_reach < 0 ? 0 : tap_reach > 800 ? 800 : tap_reach;
    int32_t best = -1;
    int64_t best_miss = reach * reach;
    for (int32_t i = 0; i < count; i++) {
        int64_t miss = miss_squared(targets[i], x, y);
        if (miss == 0) return i;
        if (miss <= best_miss && (best < 0 || miss < best_miss)) {
            best = i;
            best_miss = miss;
        }
    }
    return best;
}

void land_tap(const TapTarget* targets, int32_t count, int32_t* x, int32_t* y) {
    int32_t i = tapped_target(targets, count, *x, *y);
    if (i < 0 || targets[i].field || miss_squared(targets[i], *x, *y) == 0) return;
    *x = (targets[i].x1 + targets[i].x2) / 2;
    *y = (targets[i].y1 + targets[i].y2) / 2;
}

void land_menu_tap(const ResumeButton* resume, const TapTarget* own, int32_t own_count, int32_t* x,
                   int32_t* y) {
    if (tap_reach <= 0) return;
    constexpr int32_t MOST = MENU_BUTTONS + 1 + 4;
    TapTarget targets[MOST];
    int32_t count = 0;
    for (int32_t i = 0; i < MENU_BUTTONS; i++) {
        int32_t cx;
        int32_t cy;
        menu_button_centre(i, &cx, &cy);
        targets[count++] = {cx - BUTTON_W / 2, cx + BUTTON_W / 2, cy - BUTTON_H / 2,
                            cy + BUTTON_H / 2, false};
    }
    if (resume && game.game_state == GAME_PAUSED) {
        targets[count++] = {resume->x, resume->x + BUTTON_W, resume->y - BUTTON_H, resume->y,
                            false};
    }
    for (int32_t i = 0; i < own_count && count < MOST; i++) targets[count++] = own[i];
    land_tap(targets, count, x, y);
}
