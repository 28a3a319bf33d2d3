// The screens: the menu bar and its highlight, the intro, the high score table and
// its file, name entry, the options screen and the profile file, the instructions,
// the quit confirmation and the game-over screen.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- start values

// Each puts one file's records back to their values at process start, so that a
// new start-up in the same process begins as a fresh one. The highlight goes with
// clear_hover.
void reset_intro();
void reset_name_entry();
void reset_profile();
void reset_high_score_file();
void reset_high_score_table();

// ---------------------------------------------------------------- menu bar

// The one highlight drawn over a screen; its image's lower-left corner at (x, y).
struct HoverHighlight {
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    const uint8_t* image;
};

extern HoverHighlight hover;

constexpr int32_t MENU_BUTTONS = 5;

using MenuAction = void (*)();
// new game, instructions, options, high scores, quit: the buttons top to bottom.
extern const MenuAction menu_actions[MENU_BUTTONS];

int32_t menu_hover(int32_t x, int32_t y);
// Where a menu button reacts surely: its centre.
void menu_button_centre(int32_t button, int32_t* x, int32_t* y);
// The keyboard at a point: the screen's own mouse move there, whose highlight
// then goes with the next press by keys; and its click there.
void hover_by_keys(int32_t x, int32_t y);
void press_by_keys(int32_t x, int32_t y);
int32_t menu_click(int32_t x, int32_t y);
// Digits 1 to 5 press menu buttons 0 to 4 as a click on them would on the current
// screen. True when the key was such a digit.
bool menu_key(int32_t key);
void clear_hover();
void draw_hover();
void draw_embossed_text(const char* text, int32_t x, int32_t y);

// The resume button a menu screen shows while a game is paused.
struct ResumeButton {
    int32_t x;  // lower-left corner of button0
    int32_t y;
};
// Mouse-move and click of a menu screen with its resume button: the menu bar
// first, then the resume button while a game is paused. The click returns the
// menu button hit (or -1), and whether the resume button was hit, in which case
// it has resumed the game (resumed may be null).
void menu_screen_mouse_move(const ResumeButton& button, int32_t x, int32_t y);
int32_t menu_screen_click(const ResumeButton& button, int32_t x, int32_t y, bool* resumed);
// The keyboard's place on a menu screen, top to bottom: the screen's own `rows`
// (the options' difficulty, music and effects), the five menu buttons, then the
// resume button while a game is paused; -1 before Up or Down was pressed on this
// screen. Up and Down move it round, showing a button's highlight as the mouse
// would; Enter presses a button with the screen's own click at its centre. True
// when the key was one of those.
bool menu_screen_key(const ResumeButton& button, int32_t rows, int32_t key);
// The keyboard's place on the current screen (-1 on a screen it has not been
// moved on).
int32_t menu_focus_here();
void reset_menu_focus();
// The keyboard's place among the menu's rows, and the screen it belongs to:
// another screen starts afresh.
extern int32_t menu_focus;
extern int32_t focus_screen;
// True while the menu's highlight shows the keyboard's place rather than the
// mouse's.
extern bool hover_from_keys;
// The resume button and the paused game's numbers, when a game is paused.
void draw_resume_if_paused(const ResumeButton& button);

// ---------------------------------------------------------------- taps

// tap_reach (runtime/main_loop.h) says how far the click being handled may miss.
// An area a tap may land on, strict on all four sides as the click areas are. A
// field (the board, a row of marks) holds targets of its own: a tap near it stays
// where it is.
struct TapTarget {
    int32_t x1, x2, y1, y2;
    bool field;
};
// The target a click at (x, y) hits, else the nearest one within tap_reach; -1 for
// none.
int32_t tapped_target(const TapTarget* targets, int32_t count, int32_t x, int32_t y);
// A tap that misses every target but lies within reach of one moves to that
// target's centre, where the screen's own click then takes it.
void land_tap(const TapTarget* targets, int32_t count, int32_t* x, int32_t* y);
// land_tap over the menu bar, the resume button while a game is paused (when
// given) and the screen's own targets.
void land_menu_tap(const ResumeButton* resume, const TapTarget* own, int32_t own_count, int32_t* x,
                   int32_t* y);
// Puts the keyboard's place on the screen's own row `row`, as Up and Down would.
void focus_menu_row(int32_t row);

// ---------------------------------------------------------------- intro

extern int32_t intro_pos;
extern int32_t intro_speed;

void enter_intro();

// ---------------------------------------------------------------- saved files

// Reads up to capacity bytes of a saved file (the newest copy among the save
// folders); the count read, or -1 when there is none.
int32_t read_saved_file(const char* name, uint8_t* bytes, int32_t capacity);

// ---------------------------------------------------------------- high scores

struct HighScoreEntry {
    char name[12];  // text ending in a zero byte; up to 12 bytes without one
    int32_t score;
};

constexpr int32_t HIGH_SCORE_ENTRIES = 10;
constexpr int32_t HIGH_SCORE_FILE_SIZE = 160;
extern HighScoreEntry high_scores[HIGH_SCORE_ENTRIES];
extern const char* const HIGH_SCORE_FILE;  // "cairnfall.dat"

void load_high_scores();
// Writes the table; false (and scores_save_failed set) when no save folder took it.
bool save_high_scores();
// Enters a score the way name entry does: under the save lock, the file is read
// again, the score inserted by the table's rule and the table written back.
bool save_new_high_score(const char* name, int32_t score);
// True while the last save of the table failed; the high score screen says so.
extern bool scores_save_failed;
// The line the high score screen shows under the table then.
extern const char* const MSG_SCORES_NOT_SAVED;
bool score_beats_table(int32_t score);
void insert_high_score(const char* name, int32_t score);
void enter_high_scores();
// The 160 bytes of the file for the table, and the table from up to 160 bytes.
void high_scores_to_bytes(uint8_t* bytes);
void high_scores_from_bytes(const uint8_t* bytes, int32_t length);
// Characters of a name field: up to its terminator, at most its 12 bytes.
int32_t name_field_length(const char* name);

// ---------------------------------------------------------------- name entry

extern char name_text[12];
extern int32_t name_length;
// Name entry: the key last pressed from the keyboard flashes until its deadline
// (FLASH_NONE: none); the key the arrows moved to is outlined.
extern int32_t flash_key;
extern int32_t flash_deadline;
extern int32_t name_focus;

void enter_name_entry();

// ---------------------------------------------------------------- options

struct Profile {
    int32_t music_level;    // 0..3, volume of SND_MUSIC
    int32_t effects_level;  // 0..3, volume of the effects
    int32_t difficulty;     // 1..3
    int32_t profile_saved;  // 1 once the record has been saved
};

constexpr int32_t PROFILE_FILE_SIZE = 16;
extern Profile profile;
extern const char* const PROFILE_FILE;  // "profile.dat"

void load_profile();
// Writes the record with profile_saved set; profile_saved changes only when the
// write succeeded, so a run that could not save still offers the first-run choice.
bool save_profile();
void profile_to_bytes(uint8_t* bytes);
void profile_from_bytes(const uint8_t* bytes, int32_t length);
void enter_options();

// ---------------------------------------------------------------- other screens

void enter_instructions();
void enter_quit_confirm();
void enter_game_over();
// Options before the first saved profile, the high score table after it.
void enter_first_run_choice();
