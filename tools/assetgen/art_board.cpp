// The board picture: the left panel (title, next-level corner button, score,
// level and clock wells, the menu bar's faces, the pause button's slot) and the
// dawn landscape behind the stone columns.
#include <cstring>

#include "assetgen/art_buttons.h"
#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_scenery.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

// Rows that the game's panel texts cover when printed with their line's bottom at
// print_y (the game draws a shadow one pixel right and down as well).
struct InkRows {
    int32_t top, bottom;
};

InkRows panel_text_rows(const char* sample, int32_t print_y) {
    TextMask mask = print_mask(art_font(GAME_FONT_CELL), sample);
    if (mask.height == 0) return {print_y - 22, print_y - 1};
    return {print_y + mask.top, print_y + mask.top + mask.height};
}

void panel_label(const char* text, int32_t cy) {
    TextStyle style;
    style.colour = PAL_LABEL;
    style.shadow = 1;
    style.shadow_colour = PAL_OUTLINE;
    style.highlight = false;
    draw_text_centred(title_type(18), text, 100, cy, style);
    // Small gold diamonds either side of the label.
    TextMask mask = text_mask(title_type(18), text);
    for (int32_t side = -1; side <= 1; side += 2) {
        int32_t dx = 100 + side * (mask.width / 2 + 12);
        for (int32_t k = -3; k <= 3; ++k) {
            int32_t span = 3 - (k < 0 ? -k : k);
            for (int32_t j = -span; j <= span; ++j) {
                put_px(
                    dx + j, cy + k,
                    j == -span || k == -3 ? ramp_entry(RAMP_GOLD, 11) : ramp_entry(RAMP_GOLD, 6));
            }
        }
    }
}

void corner_button() {
    // The next-level square: a small raised tile with two chevrons pointing up.
    const int32_t x1 = 28, y1 = 11, x2 = 61, y2 = 53;
    stone_texture(x1, y1, x2, y2, RAMP_SLATE, 0.42f, 0.06f, 61u);
    frame_rect(x1 - 1, y1 - 1, x2 + 1, y2 + 1, PAL_OUTLINE);
    bevel_rect(x1, y1, x2, y2, 2, RAMP_SLATE, 15, 2, true);
    const int32_t cx = (x1 + x2) / 2;
    for (int32_t k = 0; k < 2; ++k) {
        int32_t tip = y1 + 9 + k * 11;
        for (int32_t pass = 0; pass < 2; ++pass) {
            uint8_t c = pass == 0 ? PAL_OUTLINE : ramp_entry(RAMP_GOLD, 10);
            float grow = pass == 0 ? 1.4f : 0.0f;
            draw_line(float(cx) - 9.0f, float(tip) + 9.0f, float(cx), float(tip), 3.4f + grow * 2,
                      c);
            draw_line(float(cx), float(tip), float(cx) + 9.0f, float(tip) + 9.0f, 3.4f + grow * 2,
                      c);
        }
    }
    // A short bar over the chevrons: "to the top".
    fill_rect(cx - 10, y1 + 5, cx + 10, y1 + 7, PAL_OUTLINE);
    fill_rect(cx - 9, y1 + 5, cx + 9, y1 + 6, ramp_entry(RAMP_GOLD, 12));
}

void title() {
    const char* name = "CAIRNFALL";
    int32_t cell = fit_font_cell(&name, 1, 170, 20, 40);
    draw_text_centred(title_type(cell), name, 100, 80, ramp_style(RAMP_GOLD, 1.0f, 0.45f, 1, 2));
}

void gold_rule(int32_t y) {
    for (int32_t x = 16; x <= 183; ++x) {
        put_px(x, y, ramp_entry(RAMP_GOLD, 4));
        put_px(x, y + 1, ramp_entry(RAMP_GOLD, 9));
        put_px(x, y + 2, PAL_OUTLINE);
    }
}

}  // namespace

void draw_board(int32_t) {
    canvas_begin(800, 600, ramp_entry(RAMP_SLATE, 2));
    draw_landscape(200, 0, 799, 599);
    // Cairns on the visible hillsides either side of a narrow board.
    draw_cairn(262.0f, 548.0f, 30.0f, 5, 5u);
    draw_cairn(318.0f, 566.0f, 16.0f, 3, 8u);
    draw_cairn(728.0f, 560.0f, 34.0f, 6, 9u);
    draw_cairn(678.0f, 582.0f, 14.0f, 3, 12u);

    // The left panel: a dry-stone wall with a pillar edge.
    draw_stone_wall(0, 0, 193, 599, 4242u, 0.3f);
    const uint8_t pillar[6] = {PAL_OUTLINE,
                               ramp_entry(RAMP_SLATE, 13),
                               ramp_entry(RAMP_SLATE, 8),
                               ramp_entry(RAMP_SLATE, 5),
                               ramp_entry(RAMP_SLATE, 2),
                               PAL_OUTLINE};
    for (int32_t y = 0; y < 600; ++y) {
        for (int32_t i = 0; i < 6; ++i) put_px(194 + i, y, pillar[i]);
    }

    corner_button();
    draw_cairn(128.0f, 54.0f, 14.0f, 4, 3u);
    draw_cairn(160.0f, 54.0f, 9.0f, 3, 4u);
    title();
    gold_rule(104);

    // Score and level wells, sized round where the game prints the numbers.
    InkRows score = panel_text_rows("0123456789,", 203);
    InkRows level = panel_text_rows("0123456789", 280);
    int32_t score_top = score.top - 6, score_bottom = score.bottom + 5;
    int32_t level_top = level.top - 6, level_bottom = level.bottom + 5;
    if (level_bottom > 292) level_bottom = 292;
    panel_label("SCORE", score_top - 13);
    draw_well(12, score_top, 187, score_bottom, 71u);
    panel_label("LEVEL", level_top - 13);
    draw_well(40, level_top, 159, level_bottom, 72u);

    // The menu bar's five faces, exactly where their highlights are drawn.
    for (int32_t i = 0; i < 5; ++i) {
        draw_button_face(10, 296 + 42 * i, 180, 42, LOOK_NORMAL, MENU_LABELS[i], ICON_NONE,
                         button_font_cell());
    }
    // One well holds the pause button's slot and, below it, the clock. The button
    // (10..189 x 507..548) covers its top; without the button, during a row's drop
    // animation, the bonus is printed where the clock stands and reaches up into
    // the slot, so the well spans both with a margin under the lower of the texts.
    InkRows clock = panel_text_rows("0:00", 575);
    InkRows bonus = panel_text_rows("BONUS 1000", 570);
    int32_t low = clock.bottom > bonus.bottom ? clock.bottom : bonus.bottom;
    int32_t well_bottom = low + 7 > 596 ? 596 : low + 7;
    draw_well(10, 507, 189, well_bottom, 73u);
    // Hourglass marks either side of the clock, clear of the widest bonus text.
    for (int32_t side = 0; side < 2; ++side) {
        int32_t hx = side == 0 ? 25 : 174;
        int32_t hy = (clock.top + clock.bottom) / 2;
        for (int32_t k = -7; k <= 7; ++k) {
            int32_t half = (k < 0 ? -k : k) * 5 / 7 + 1;
            if (k == -7 || k == 7) half = 6;
            fill_rect(hx - half, hy + k, hx + half, hy + k, ramp_entry(RAMP_GOLD, 7));
        }
        put_px(hx, hy, ramp_entry(RAMP_GOLD, 12));
    }
}
