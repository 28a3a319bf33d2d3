// The column strips behind the board: slate channels of sunken cells, light and
// dark column by column, with a raised frame rail on the outer 25 pixels and
// along the top and bottom.
//
// checker1 (125 wide): the left rail, then a light column, then a dark column.
// checker0 (75 wide): a light column, then the right rail. The game lays them so
// that each strip's rail side is covered by its neighbour except at the ends.
#include "assetgen/art_pictures.h"
#include "assetgen/canvas.h"

namespace {

constexpr int32_t kRail = 25;
constexpr int32_t kCellTop = 25;  // first cell row (the top preview place)

void draw_column(int32_t x1, bool light, uint32_t seed) {
    float base = light ? 0.52f : 0.3f;
    for (int32_t cell = 0; cell < 11; ++cell) {
        int32_t y1 = kCellTop + cell * 50, y2 = y1 + 49;
        for (int32_t y = y1; y <= y2; ++y) {
            for (int32_t x = x1; x < x1 + 50; ++x) {
                int32_t cx = x - x1, cy = y - y1;
                float t = base + (hash_noise(x, y, seed) - 0.5f) * 0.07f +
                          (fractal_noise(x / 13.0f, y / 11.0f, 2, seed + 3u) - 0.5f) * 0.1f;
                // A shallow dish: darker near the cell's top-left edges, lighter
                // near its bottom-right.
                if (cx == 0 || cy == 0) {
                    t = base - 0.2f;
                } else if (cx == 1 || cy == 1) {
                    t = base - 0.1f;
                } else if (cx == 49 || cy == 49) {
                    t = base + 0.14f;
                }
                put_px(x, y, ramp_shade(RAMP_SLATE, t, x, y));
            }
        }
    }
}

void draw_rail_vertical(int32_t x1, bool left_side, uint32_t seed) {
    stone_texture(x1, 0, x1 + kRail - 1, 599, RAMP_GRANITE, 0.34f, 0.08f, seed);
    for (int32_t y = 0; y < 600; ++y) {
        int32_t outer = left_side ? x1 : x1 + kRail - 1;
        int32_t inner = left_side ? x1 + kRail - 1 : x1;
        int32_t step = left_side ? 1 : -1;
        put_px(outer, y, PAL_OUTLINE);
        put_px(outer + step, y, ramp_entry(RAMP_GRANITE, left_side ? 10 : 3));
        put_px(outer + 2 * step, y, ramp_entry(RAMP_GRANITE, left_side ? 8 : 4));
        put_px(inner, y, PAL_OUTLINE);
        put_px(inner - step, y, ramp_entry(RAMP_GRANITE, left_side ? 3 : 10));
        // A gold inlay line along the rail.
        put_px(x1 + kRail / 2, y, ramp_entry(RAMP_GOLD, left_side ? 5 : 4));
    }
}

void draw_rail_horizontal(int32_t width, int32_t y1, bool top, uint32_t seed) {
    stone_texture(0, y1, width - 1, y1 + kRail - 1, RAMP_GRANITE, 0.34f, 0.08f, seed);
    int32_t outer = top ? y1 : y1 + kRail - 1;
    int32_t inner = top ? y1 + kRail - 1 : y1;
    int32_t step = top ? 1 : -1;
    for (int32_t x = 0; x < width; ++x) {
        put_px(x, outer, PAL_OUTLINE);
        put_px(x, outer + step, ramp_entry(RAMP_GRANITE, top ? 10 : 3));
        put_px(x, outer + 2 * step, ramp_entry(RAMP_GRANITE, top ? 8 : 4));
        put_px(x, inner, PAL_OUTLINE);
        put_px(x, inner - step, ramp_entry(RAMP_GRANITE, top ? 3 : 10));
        put_px(x, y1 + kRail / 2, ramp_entry(RAMP_GOLD, top ? 5 : 4));
    }
}

}  // namespace

void draw_checker(int32_t variant) {
    int32_t width = variant == 0 ? 75 : 125;
    canvas_begin(width, 600, ramp_entry(RAMP_SLATE, 4));
    if (variant == 0) {
        draw_column(0, true, 801u);
        draw_rail_horizontal(width, 0, true, 811u);
        draw_rail_horizontal(width, 575, false, 812u);
        draw_rail_vertical(50, false, 813u);
    } else {
        draw_column(25, true, 802u);
        draw_column(75, false, 803u);
        draw_rail_horizontal(width, 0, true, 821u);
        draw_rail_horizontal(width, 575, false, 822u);
        draw_rail_vertical(0, true, 823u);
    }
}
