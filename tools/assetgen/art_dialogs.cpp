// The quit confirmation, the high score title plaque and the game-over caption.
#include <cstdlib>

#include "assetgen/art_buttons.h"
#include "assetgen/art_context.h"
#include "assetgen/art_pictures.h"
#include "assetgen/art_scenery.h"
#include "assetgen/canvas.h"
#include "assetgen/text.h"

namespace {

TextStyle gold_text() {
    return ramp_style(RAMP_GOLD, 1.0f, 0.5f, 1, 2);
}

}  // namespace

void draw_quit(int32_t) {
    // The picture's top-left is at (259, 82) on the screen; its two buttons lie
    // exactly over the screen areas 359..434 and 545..620 by 196..236.
    const int32_t left = 259, top = 82;
    canvas_begin(485, 243, ramp_entry(RAMP_SLATE, 4));
    draw_tablet(0, 0, 484, 242, 4301u);
    draw_text_centred(title_type(32), "LEAVE CAIRNFALL?", 242, 42, gold_text());
    TextStyle body;
    body.colour = PAL_LABEL;
    body.shadow = 1;
    body.shadow_colour = PAL_OUTLINE;
    draw_text_centred(body_type(18), "Your best scores are kept.", 242, 78, body);
    const char* labels[2] = {"BACK", "QUIT"};
    int32_t cell = fit_font_cell(labels, 2, 50, 14, 24);
    draw_button_face(359 - left, 196 - top, 76, 41, LOOK_NORMAL, nullptr, ICON_NONE, cell);
    draw_button_face(545 - left, 196 - top, 76, 41, LOOK_ALERT, nullptr, ICON_NONE, cell);
    // Labels without the studs' room: centred on each button.
    TextStyle label;
    label.colour = PAL_LABEL;
    label.shadow = 2;
    label.shadow_colour = PAL_OUTLINE;
    label.highlight = true;
    draw_text_centred(title_type(cell), "BACK", 359 - left + 38, 196 - top + 20, label);
    draw_text_centred(title_type(cell), "QUIT", 545 - left + 38, 196 - top + 20, label);
    draw_cairn(242.0f, 168.0f, 22.0f, 4, 77u);
    TextStyle hint = body;
    hint.colour = ramp_entry(RAMP_SLATE, 14);
    draw_text_centred(body_type(16), "Enter or Y quits, N or Esc goes back", 242, 212, hint);
}

void draw_highscores_title(int32_t) {
    canvas_begin(243, 31, ramp_entry(RAMP_SLATE, 3));
    stone_texture(0, 0, 242, 30, RAMP_SLATE, 0.2f, 0.05f, 4401u);
    frame_rect(0, 0, 242, 30, PAL_OUTLINE);
    bevel_rect(1, 1, 241, 29, 2, RAMP_SLATE, 10, 1, true);
    for (int32_t x = 5; x <= 237; ++x) {
        put_px(x, 4, ramp_entry(RAMP_GOLD, 5));
        put_px(x, 26, ramp_entry(RAMP_GOLD, 4));
    }
    const char* title = "HIGH SCORES";
    int32_t cell = fit_font_cell(&title, 1, 210, 14, 32);
    while (cell > 14 && text_mask(title_type(cell), title).height > 19) --cell;
    draw_text_centred(title_type(cell), title, 121, 15, gold_text());
}

void draw_game_over(int32_t) {
    canvas_begin(470, 60, PAL_KEY);
    // A dark slate band, so that the caption reads over any board.
    draw_band(0, 6, 469, 53, 20, 4, 4501u);
    const char* text = "GAME OVER";
    int32_t cell = fit_font_cell(&text, 1, 400, 28, 72);
    TextMask mask = text_mask(title_type(cell), text);
    if (mask.height > 36) {
        // Keep the caption inside the band with its outline and shadow.
        for (int32_t c = cell - 1; c > 28 && mask.height > 36; --c) {
            cell = c;
            mask = text_mask(title_type(cell), text);
        }
    }
    TextStyle style = ramp_style(RAMP_EMBER, 1.0f, 0.3f, 2, 3);
    style.highlight = true;
    style.highlight_colour = ramp_entry(RAMP_GOLD, 12);
    draw_text_mask(mask, (470 - mask.width) / 2, (60 - mask.height) / 2 - 1, style);
}
