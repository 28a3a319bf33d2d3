// Name entry: an on-screen keyboard of lettered stones for a name of up to eight
// characters. D O N E puts the name and the finished game's score into the table.
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/events.h"
#include "platform/platform.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "sound/sound.h"

char name_text[12];
int32_t name_length = 0;

namespace {

constexpr int32_t NAME_MAX = 8;
constexpr int32_t LETTERS = 26;
constexpr int32_t LETTERS_PER_ROW = 9;
constexpr int32_t SLOT_X = 375;
constexpr int32_t SLOT_STEP = 32;

// A labelled key: its stones (lower-left corners) and the area it reacts to,
// strict on all four sides.
struct LabelledKey {
    const char* label;
    int32_t label_x, label_y;
    int32_t stone_count;
    int32_t stone_x[3];
    int32_t stone_y;
    int32_t x1, x2, y1, y2;
};

constexpr LabelledKey KEY_SPACE = {"SPACE", 333, 365, 2, {327, 373, 0}, 374, 333, 433, 315, 365};
constexpr LabelledKey KEY_BACK = {"BACK", 590, 365, 2, {577, 623, 0}, 374, 590, 690, 315, 365};
constexpr LabelledKey KEY_DONE = {"D O N E", 450, 465, 3, {429, 475, 521}, 474, 450, 550, 415, 465};

// Letter n's reference point, where its label goes. Its stone sits 15 pixels to
// the left and 10 below; its area starts at the reference point and ends just
// above it, so the areas do not cover their stones exactly.
int32_t letter_x(int32_t n) {
    return 290 + 50 * (n % LETTERS_PER_ROW);
}
int32_t letter_y(int32_t n) {
    return 214 + 50 * (n / LETTERS_PER_ROW);
}

// The top edge of letter n's click area; the area is 50 by 50 from letter_x.
int32_t letter_area_top(int32_t n) {
    return 165 + 50 * (n / LETTERS_PER_ROW);
}

bool letter_hit(int32_t n, int32_t x, int32_t y) {
    int32_t cx = letter_x(n);
    int32_t top = letter_area_top(n);
    return cx < x && x < cx + 50 && top < y && y < top + 50;
}

// The lower-left corner of letter n's stone.
int32_t letter_stone_x(int32_t n) {
    return letter_x(n) - 15;
}
int32_t letter_stone_y(int32_t n) {
    return letter_y(n) + 10;
}

bool key_hit(const LabelledKey& key, int32_t x, int32_t y) {
    return key.x1 < x && x < key.x2 && key.y1 < y && y < key.y2;
}

void draw_letter_key(int32_t n) {
    gfx_move(letter_stone_x(n), letter_stone_y(n));
    gfx_put_image(images.stone[0], STONE_SIZE, STONE_SIZE);
    const char label[2] = {static_cast<char>('A' + n), '\0'};
    draw_embossed_text(label, letter_x(n), letter_y(n) + 1);
}

void draw_labelled_key(const LabelledKey& key) {
    for (int32_t i = 0; i < key.stone_count; i++) {
        gfx_move(key.stone_x[i], key.stone_y);
        gfx_put_image(images.stone[1], STONE_SIZE, STONE_SIZE);
    }
    draw_embossed_text(key.label, key.label_x, key.label_y);
}

// Each slot is a small embossed bar under the place of one character.
void draw_slots() {
    for (int32_t k = 0; k < NAME_MAX; k++) {
        int32_t x = SLOT_X + SLOT_STEP * k;
        gfx_set_color(13);
        gfx_rect(x, x + 24, 122, 125);
        gfx_set_color(0);
        gfx_rect(x + 2, x + 26, 124, 127);
        gfx_set_color(10);
        gfx_rect(x + 1, x + 25, 123, 126);
    }
}

void draw_name() {
    for (int32_t i = 0; i < name_length && i < NAME_MAX; i++) {
        const char character[2] = {name_text[i], '\0'};
        draw_embossed_text(character, SLOT_X + 1 + SLOT_STEP * i, 123);
    }
    int32_t x = SLOT_X + 1 + SLOT_STEP * name_length;
    gfx_set_color(10);
    gfx_box(x, x + 24, 123, 137);
}

// The on-screen keys by place: the letters 0..25, then SPACE, BACK and D O N E.
constexpr int32_t PLACE_SPACE = LETTERS, PLACE_BACK = LETTERS + 1, PLACE_DONE = LETTERS + 2;
constexpr int32_t PLACES = LETTERS + 3;

// The key last pressed from the physical keyboard (any but D O N E) flashes until
// its deadline; the tick ends it.
constexpr int32_t FLASH_NONE = -1;
constexpr int32_t FLASH_MS = 200;
constexpr int32_t FLASH_COLOUR = 255;
}  // namespace

int32_t flash_key = FLASH_NONE;
int32_t flash_deadline = 0;

namespace {

// The key the arrows (a pad's D-pad) have moved to, outlined; none until an arrow
// is pressed.
constexpr int32_t FOCUS_COLOUR = 15;

}  // namespace

int32_t name_focus = FLASH_NONE;

void reset_name_entry() {
    name_text[0] = '\0';
    name_length = 0;
    flash_key = FLASH_NONE;
    flash_deadline = 0;
    name_focus = FLASH_NONE;
}

namespace {

const LabelledKey& labelled_key(int32_t place) {
    return place == PLACE_SPACE ? KEY_SPACE : place == PLACE_BACK ? KEY_BACK : KEY_DONE;
}

// A key's stones outlined, two pixels wide.
void outline_key(int32_t place, int32_t colour) {
    int32_t x1;
    int32_t x2;
    int32_t y2;
    if (place < LETTERS) {
        x1 = letter_stone_x(place);
        x2 = x1 + STONE_SIZE - 1;
        y2 = letter_stone_y(place);
    } else {
        const LabelledKey& key = labelled_key(place);
        x1 = key.stone_x[0];
        x2 = key.stone_x[key.stone_count - 1] + STONE_SIZE - 1;
        y2 = key.stone_y;
    }
    int32_t y1 = y2 - STONE_SIZE + 1;
    gfx_set_color(colour);
    gfx_box(x1, x2, y1, y2);
    gfx_box(x1 + 1, x2 - 1, y1 + 1, y2 - 1);
}

// The flashing key in white, over the arrows' key.
void draw_key_outlines() {
    if (name_focus != FLASH_NONE) outline_key(name_focus, FOCUS_COLOUR);
    if (flash_key == FLASH_NONE) return;
    if (clock_passed(flash_deadline)) {
        flash_key = FLASH_NONE;
        return;
    }
    outline_key(flash_key, FLASH_COLOUR);
}

// Where a key reacts surely: the centre of its area.
void key_centre(int32_t place, int32_t* x, int32_t* y) {
    if (place < LETTERS) {
        *x = letter_x(place) + 25;
        *y = letter_area_top(place) + 25;
        return;
    }
    const LabelledKey& key = labelled_key(place);
    *x = (key.x1 + key.x2) / 2;
    *y = (key.y1 + key.y2) / 2;
}

// The key an arrow leads to: Left and Right the next key along the row; Up and
// Down the nearest row that way, and in it the key nearest across. The same key
// when there is none.
int32_t neighbour(int32_t from, int32_t dx, int32_t dy) {
    int32_t fx;
    int32_t fy;
    key_centre(from, &fx, &fy);
    int32_t best = from;
    int32_t best_score = 0;
    for (int32_t place = 0; place < PLACES; place++) {
        int32_t x;
        int32_t y;
        key_centre(place, &x, &y);
        int32_t along = dx != 0 ? (x - fx) * dx : (y - fy) * dy;
        int32_t across = dx != 0 ? y - fy : x - fx;
        if (across < 0) across = -across;
        if (along <= 0 || (dx != 0 && across > STONE_SIZE / 2)) continue;
        int32_t score = dx != 0 ? along : along * 1000 + across;
        if (best == from || score < best_score) {
            best = place;
            best_score = score;
        }
    }
    return best;
}

void name_entry_on_tick() {
    draw_background();
    draw_hover();
    draw_hud_numbers();
    draw_embossed_text("Enter your name for high score", 325, 75);
    draw_slots();
    draw_name();
    for (int32_t n = 0; n < LETTERS; n++) draw_letter_key(n);
    draw_labelled_key(KEY_SPACE);
    draw_labelled_key(KEY_BACK);
    draw_labelled_key(KEY_DONE);
    draw_key_outlines();
    present_frame();
}

void add_character(char character) {
    if (name_length >= NAME_MAX) return;
    name_text[name_length] = character;
    name_length++;
    name_text[name_length] = '\0';
}

void name_entry_on_click(int32_t x, int32_t y) {
    for (int32_t n = 0; n < LETTERS; n++) {
        if (letter_hit(n, x, y)) {
            add_character(static_cast<char>('A' + n));
            return;
        }
    }
    if (key_hit(KEY_SPACE, x, y)) {
        add_character(' ');
    } else if (key_hit(KEY_BACK, x, y)) {
        if (name_length > 0) name_length--;
        name_text[name_length] = '\0';
    } else if (key_hit(KEY_DONE, x, y)) {
        save_new_high_score(name_text, game.score);
        platform_set_text_entry(false);
        enter_high_scores();
    }
}

// The physical keyboard presses an on-screen key: the same click at the key's
// centre, and the key flashes for a moment so the player sees which it was
// (D O N E leaves the screen at once).
void press_key(int32_t place) {
    flash_key = place == PLACE_DONE ? FLASH_NONE : place;
    flash_deadline = clock_add(clock_now(), FLASH_MS);
    int32_t x;
    int32_t y;
    key_centre(place, &x, &y);
    name_entry_on_click(x, y);
}

// An arrow moves the outline (the first one shows it on A); Enter then presses
// the outlined key, and without an outline finishes as D O N E does.
bool focus_key(int32_t key) {
    int32_t dx = key == KEY_RIGHT ? 1 : key == KEY_LEFT ? -1 : 0;
    int32_t dy = key == KEY_DOWN ? 1 : key == KEY_UP ? -1 : 0;
    if (dx != 0 || dy != 0) {
        name_focus = name_focus == FLASH_NONE ? 0 : neighbour(name_focus, dx, dy);
        return true;
    }
    if (key != KEY_ENTER || name_focus == FLASH_NONE) return false;
    press_key(name_focus);
    return true;
}

void name_entry_on_key(int32_t key) {
    if (focus_key(key)) return;
    if (key >= KEY_A && key <= KEY_Z) {
        press_key(key - KEY_A);
    } else if (key == ::KEY_SPACE) {  // the space bar, not the on-screen key
        press_key(PLACE_SPACE);
    } else if (key == KEY_BACKSPACE) {
        press_key(PLACE_BACK);
    } else if (key == KEY_ENTER || key == KEY_PAUSE) {
        press_key(PLACE_DONE);
    }
}

}  // namespace

void enter_name_entry() {
    snd_play_slot(SND_CLICK);
    name_text[0] = '\0';
    name_length = 0;
    name_focus = FLASH_NONE;
    // A device's own keyboard (a phone's, a Steam Deck's) may type the name too.
    platform_set_text_entry(true);
    install_screen(SCREEN_NAME_ENTRY, name_entry_on_tick, ignore_point, name_entry_on_click,
                   name_entry_on_key);
}
