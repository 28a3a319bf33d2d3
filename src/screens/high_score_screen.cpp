// The high score screen: the title, the ten names and right-aligned scores
// between two rows of stones.
#include <cstdio>
#include <cstring>

#include "game/game.h"
#include "gfx/gfx.h"
#include "runtime/catalogue.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

constexpr ResumeButton RESUME = {410, 520};
constexpr int32_t NAME_X = 325;
constexpr int32_t SCORE_RIGHT_X = 673;
constexpr int32_t FIRST_ROW_Y = 151;
constexpr int32_t ROW_STEP = 25;
constexpr int32_t BORDER_X = 275;
constexpr int32_t BORDER_STONES = 9;
constexpr int32_t UPPER_BORDER_Y = 125;
constexpr int32_t LOWER_BORDER_Y = 424;
constexpr int32_t TABLE_CENTRE_X = BORDER_X + BORDER_STONES * STONE_SIZE / 2;
constexpr int32_t SAVE_FAILURE_Y = 462;

void draw_stone_border(int32_t y) {
    for (int32_t k = 0; k < BORDER_STONES; k++) {
        gfx_move(BORDER_X + STONE_SIZE * k, y);
        gfx_put_image(images.stone[0], STONE_SIZE, STONE_SIZE);
    }
}

void draw_entry(const HighScoreEntry& entry, int32_t y) {
    // A name field need not hold a terminator: draw at most its 12 bytes.
    char name[sizeof entry.name + 1];
    int32_t length = name_field_length(entry.name);
    std::memcpy(name, entry.name, static_cast<size_t>(length));
    name[length] = '\0';
    draw_embossed_text(name, NAME_X, y);

    char score[32];  // "-2,147,483,648" at most
    std::snprintf(score, sizeof score, "%d", static_cast<int>(entry.score));
    format_thousands(score);
    int32_t width = gfx_text_width(score, static_cast<int32_t>(std::strlen(score)));
    draw_embossed_text(score, SCORE_RIGHT_X - width, y);
}

// One line between the lower border and the resume button, centred on the table.
void draw_save_failure() {
    int32_t width = gfx_text_width(MSG_SCORES_NOT_SAVED,
                                   static_cast<int32_t>(std::strlen(MSG_SCORES_NOT_SAVED)));
    draw_embossed_text(MSG_SCORES_NOT_SAVED, TABLE_CENTRE_X - width / 2, SAVE_FAILURE_Y);
}

void high_scores_on_tick() {
    draw_background();
    gfx_move(381, 66);
    gfx_put_image(images.highscores, HIGHSCORES_W, HIGHSCORES_H);
    draw_stone_border(UPPER_BORDER_Y);
    for (int32_t i = 0; i < HIGH_SCORE_ENTRIES; i++) {
        draw_entry(high_scores[i], FIRST_ROW_Y + ROW_STEP * i);
    }
    draw_stone_border(LOWER_BORDER_Y);
    if (scores_save_failed) draw_save_failure();
    draw_resume_if_paused(RESUME);
    draw_hover();
    present_frame();
}

void high_scores_on_mouse_move(int32_t x, int32_t y) {
    menu_screen_mouse_move(RESUME, x, y);
}

void high_scores_on_click(int32_t x, int32_t y) {
    menu_screen_click(RESUME, x, y, nullptr);
}

void high_scores_on_key(int32_t key) {
    if (!menu_screen_key(RESUME, 0, key)) paused_on_key(key);
}

}  // namespace

const char* const MSG_SCORES_NOT_SAVED = "Scores could not be saved";

void enter_high_scores() {
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_HIGH_SCORES, high_scores_on_tick, high_scores_on_mouse_move,
                   high_scores_on_click, high_scores_on_key);
}
