// The options screen: music and effects volume and the difficulty, shown as marks
// over the options picture and changed by clicks on the marks' areas.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "runtime/catalogue.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

namespace {

constexpr ResumeButton RESUME = {410, 560};
constexpr int32_t LEVELS = 4;
constexpr int32_t MARK_X[LEVELS] = {443, 466, 497, 537};
constexpr int32_t MARK_RADIUS[LEVELS] = {4, 7, 10, 13};
constexpr int32_t MUSIC_MARK_Y = 318;
constexpr int32_t EFFECTS_SHIFT = 119;  // the effects scale lies this far below the music one
constexpr int32_t DIFFICULTY_X = 443;
constexpr int32_t DIFFICULTY_Y[3] = {167, 190, 213};
constexpr int32_t DIFFICULTY_RADIUS = 4;

// An area reacting to clicks, strict on all four sides.
struct Area {
    int32_t x1, x2, y1, y2;
};

bool inside(const Area& area, int32_t x, int32_t y) {
    return area.x1 < x && x < area.x2 && area.y1 < y && y < area.y2;
}

// Each area is a little larger than the mark it belongs to; none overlap.
constexpr Area MUSIC_AREAS[LEVELS] = {
    {435, 450, 311, 326}, {455, 477, 307, 330}, {482, 513, 304, 332}, {517, 558, 300, 340}};
constexpr Area EFFECTS_AREAS[LEVELS] = {
    {435, 450, 430, 445}, {455, 477, 426, 449}, {482, 513, 423, 451}, {517, 558, 419, 459}};
constexpr Area DIFFICULTY_AREAS[3] = {
    {436, 512, 161, 173}, {436, 549, 184, 196}, {436, 518, 206, 218}};
constexpr Area RESUME_AREA = {410, 590, 518, 560};

// The rows the keyboard reaches before the menu buttons, and the frame that shows
// which one it is on.
constexpr int32_t ROW_DIFFICULTY = 0, ROW_MUSIC = 1, ROW_EFFECTS = 2, ROWS = ROW_EFFECTS + 1;
constexpr Area ROW_FRAMES[ROWS] = {{430, 556, 155, 224},
                                   {429, 564, 294, 346},
                                   {429, 564, 294 + EFFECTS_SHIFT, 346 + EFFECTS_SHIFT}};
constexpr int32_t ROW_FRAME_COLOUR = 15;

void draw_row_frame() {
    int32_t row = menu_focus_here();
    if (row < 0 || row >= ROWS) return;
    const Area& frame = ROW_FRAMES[row];
    gfx_set_color(ROW_FRAME_COLOUR);
    gfx_box(frame.x1, frame.x2, frame.y1, frame.y2);
    gfx_box(frame.x1 + 1, frame.x2 - 1, frame.y1 + 1, frame.y2 - 1);
}

// Marks 0 up to the level, growing; a level outside 0..3 draws at most the four.
void draw_level_marks(int32_t level, int32_t y) {
    for (int32_t i = 0; i <= level && i < LEVELS; i++) {
        gfx_move(MARK_X[i], y);
        gfx_fill_circle(MARK_RADIUS[i]);
    }
}

void options_on_tick() {
    draw_background();
    gfx_move(349, 519);
    gfx_put_image(images.options, OPTIONS_W, OPTIONS_H);
    gfx_set_color(0);
    draw_level_marks(profile.music_level, MUSIC_MARK_Y);
    draw_level_marks(profile.effects_level, MUSIC_MARK_Y + EFFECTS_SHIFT);
    // A difficulty outside 1..3 (from the file) becomes 1, unmarked for this frame.
    if (profile.difficulty >= 1 && profile.difficulty <= 3) {
        gfx_move(DIFFICULTY_X, DIFFICULTY_Y[profile.difficulty - 1]);
        gfx_fill_circle(DIFFICULTY_RADIUS);
    } else {
        profile.difficulty = 1;
    }
    draw_resume_if_paused(RESUME);
    draw_row_frame();
    draw_hover();
    present_frame();
}

void options_on_mouse_move(int32_t x, int32_t y) {
    menu_screen_mouse_move(RESUME, x, y);
}

// Settings act in memory at once; they reach the file only when the screen is left
// through a menu button or the resume button.
void options_on_click(int32_t x, int32_t y) {
    // A finger's tap on or near a row puts the keyboard's place there, so that a
    // swipe left or right (the arrows) then steps its value; its marks are too close
    // together to tell apart by a tap's landing, so they take only a tap on them.
    if (tap_reach > 0) {
        TapTarget rows[ROWS];
        for (int32_t row = 0; row < ROWS; row++) {
            const Area& f = ROW_FRAMES[row];
            rows[row] = {f.x1, f.x2, f.y1, f.y2, true};
        }
        land_menu_tap(&RESUME, rows, ROWS, &x, &y);
        int32_t row = tapped_target(rows, ROWS, x, y);
        if (row >= 0) focus_menu_row(row);
    }
    if (menu_click(x, y) >= 0) {
        save_profile();
        return;
    }
    if (game.game_state == GAME_PAUSED && inside(RESUME_AREA, x, y)) {
        save_profile();
        resume_game();
        return;
    }
    for (int32_t level = 0; level < LEVELS; level++) {
        if (inside(MUSIC_AREAS[level], x, y)) {
            profile.music_level = level;
            snd_set_volume(SND_MUSIC, level);
            return;
        }
    }
    for (int32_t level = 0; level < LEVELS; level++) {
        if (inside(EFFECTS_AREAS[level], x, y)) {
            profile.effects_level = level;
            snd_set_effects_volume(level);
            return;
        }
    }
    if (x <= 436) return;
    for (int32_t value = 1; value <= 3; value++) {
        if (inside(DIFFICULTY_AREAS[value - 1], x, y)) {
            profile.difficulty = value;
            return;
        }
    }
}

// Left and Right on a row click the mark beside its current one: a level lower or
// higher, an easier or harder difficulty. Nothing past either end.
void change_row(int32_t row, int32_t step) {
    const Area* area = nullptr;
    if (row == ROW_DIFFICULTY) {
        int32_t value = profile.difficulty + step;
        if (value >= 1 && value <= 3) area = &DIFFICULTY_AREAS[value - 1];
    } else {
        int32_t level = (row == ROW_MUSIC ? profile.music_level : profile.effects_level) + step;
        if (level >= 0 && level < LEVELS) {
            area = row == ROW_MUSIC ? &MUSIC_AREAS[level] : &EFFECTS_AREAS[level];
        }
    }
    if (area) options_on_click((area->x1 + area->x2) / 2, (area->y1 + area->y2) / 2);
}

void options_on_key(int32_t key) {
    int32_t row = menu_focus_here();
    if ((key == KEY_LEFT || key == KEY_RIGHT) && row >= 0 && row < ROWS) {
        change_row(row, key == KEY_RIGHT ? 1 : -1);
    } else if (!menu_screen_key(RESUME, ROWS, key)) {
        paused_on_key(key);
    }
}

// Closing the program here keeps the choices, as leaving through a button does.
void keep_choices_on_close() {
    save_profile();
}

}  // namespace

void enter_options() {
    snd_play_slot(SND_CLICK);
    install_screen(SCREEN_OPTIONS, options_on_tick, options_on_mouse_move, options_on_click,
                   options_on_key);
    screen_hooks.on_close = keep_choices_on_close;
}
