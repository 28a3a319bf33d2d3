// The game core: the board and its generation, the level progression, the row
// timer, moves with their slide, row matching and clearing, and the drawing of the
// game screen.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------- records

constexpr int32_t NO_STONE = -1;
constexpr int32_t STONE_SPECIAL = 3;
constexpr int32_t MAX_COLS = 11;
constexpr int32_t MAX_ROWS = 10;
constexpr int32_t CELL_COUNT = 121;  // 11 x 11 records
constexpr int32_t CELL_SIZE = 50;

struct Cell {
    int32_t row;          // board row, 0 = bottom; -1 off the board
    int32_t col;          // board column, 0 = left; -1 off the board
    int32_t kind;         // stone kind 0..30, or NO_STONE
    int32_t picked;       // 1 once this cell served a column of the preview row
    int32_t slide_ticks;  // frames left of this stone's slide
};

struct Board {
    Cell cells[CELL_COUNT];     // row r, column c is cells[r * cols + c]
    int32_t cols;               // 5, 7, 9 or 11
    int32_t rows;               // 7 when a level starts, at most 10 in play
    int32_t left_x;             // x of column 0's left edge
    int32_t bottom_y;           // y of row 0's lower edge: 574
    int32_t gap;                // index of the one empty cell
    int32_t slide_dx;           // direction of the current slide on screen
    int32_t slide_dy;           // +1 is downwards
    int32_t preview[MAX_COLS];  // the target row's kinds
};

enum GameState : int32_t { GAME_NONE = 0, GAME_PLAYING = 1, GAME_PAUSED = 2 };
enum BusyState : int32_t { BUSY_IDLE = 0, BUSY_MATCHING = 1, BUSY_PUSHING = 2, BUSY_SLIDING = 3 };

struct Game {
    int32_t score;
    int32_t level;             // 1 for the first level
    int32_t kind_count;        // stone kinds the generator draws from
    int32_t size_index;        // into BOARD_COLUMNS
    int32_t speed_index;       // into ROW_TIME_MS
    int32_t penalty;           // each unit shortens the row time by 5000 ms
    int32_t time_limit;        // the current row time in ms
    int32_t deadline;          // clock value the row runs out at; while suspended,
                               // the time already used in the row
    int32_t game_state;        // GameState
    int32_t start_difficulty;  // the difficulty the game started with
    int32_t busy;              // BusyState
    int32_t blink;             // counter of the gap frame
    int32_t frozen_bar_x;      // the time bar's elapsed width when suspended
};

extern Board board;
extern Game game;

// Each puts one file's records back to their values at process start, so that a
// new start-up in the same process begins as a fresh one: the board and the game,
// the generator, the pause button's animation, the HUD's clock.
void reset_game_records();
void reset_random();
void reset_board_drawing();
void reset_hud_drawing();
void reset_type_ahead();

// Arrow presses that came while a stone was on its way (or a row cleared), kept
// to be applied in order as fresh presses once the board is still again.
constexpr int32_t TYPE_AHEAD_MAX = 3;
struct TypeAhead {
    int32_t count;
    int32_t dx[TYPE_AHEAD_MAX];
    int32_t dy[TYPE_AHEAD_MAX];
};
extern TypeAhead type_ahead;
// The random generator's state (random.cpp).
extern uint32_t random_state;
// Rebuilds of the board's background so far (board_drawing.cpp).
extern int32_t backdrop_builds;

extern const int32_t ROW_TIME_MS[4];
extern const int32_t BOARD_COLUMNS[4];
constexpr int32_t PENALTY_MS = 5000;

// ---------------------------------------------------------------- random numbers

// The game's generator: state = state * 214013 + 2531011; draws (state >> 16) & 0x7FFF.
void game_srand(uint32_t seed);
int32_t game_rand();

// ---------------------------------------------------------------- board

void clear_cells();
void generate_board();
void generate_preview();
void start_level();

// ---------------------------------------------------------------- game flow

void start_game();
void start_row_timer();
bool row_time_up();
void push_preview_row();
void pause_game();
// The pause button of the game screen, where the pause screen shows its resume
// picture (bounds exclusive).
bool in_pause_button(int32_t x, int32_t y);
void resume_game();
void game_on_tick();
void game_on_mouse_move(int32_t x, int32_t y);
void game_on_click(int32_t x, int32_t y);
void game_on_key(int32_t key);
void pause_on_tick();
void pause_on_mouse_move(int32_t x, int32_t y);
void pause_on_click(int32_t x, int32_t y);
void paused_on_key(int32_t key);
void pause_on_key(int32_t key);
// Enters the game screen: its four slots, and its focus hook.
void install_game_screen();
// The window lost the keyboard focus or was minimised: a running game with no
// move under way pauses as Esc would pause it.
void game_on_focus_lost();

// ---------------------------------------------------------------- moves

int32_t cell_at(int32_t x, int32_t y);
void try_move(int32_t cell);
// The stone a move in screen direction (dx, dy) brings into the gap (dx -1 left,
// dy -1 up), or -1 when no stone stands on that side of the gap.
int32_t stone_toward_gap(int32_t dx, int32_t dy);

// ---------------------------------------------------------------- matching

int32_t find_matching_row();
void clear_row(int32_t row);
void settle_matches();

// ---------------------------------------------------------------- drawing

void draw_background();
void draw_board_strips();
void draw_pause_button();
void draw_paused_button();
void rebuild_backdrop();
void draw_frame_base();
void draw_stones();
void draw_preview_row();
void draw_time_bar();
void draw_frozen_time_bar();
void draw_clock();
void draw_hud_numbers();
// Puts "," between groups of three digits, in place; the sign stays in front.
void format_thousands(char* text);
// The elapsed width of the time bar for `remaining` ms of a `limit` ms row on a
// bar `width` pixels wide: width when the timer ran out or is ill-defined.
int32_t time_bar_elapsed(int32_t remaining, int32_t limit, int32_t width);
// The clock text for `remaining` ms ("1:02") into text (16 bytes or more); returns
// the seconds shown and stores the minutes.
int32_t format_clock(int32_t remaining, char* text, int32_t* minutes);

// The clock's last shown seconds (for the countdown tick), the pause button's
// picture number and the second it was last drawn at.
extern int32_t clock_last_seconds;
extern int32_t paused_button_picture;
extern int32_t paused_button_second;

// ---------------------------------------------------------------- helpers

// A table index (size_index, speed_index) kept within 0..3.
int32_t table_index(int32_t index);
// rows * cols of the board, with both bounded so that the count never passes the
// 121 records.
int32_t board_cell_count();
// The picture of a stone kind, or nullptr for a value that is no kind.
const uint8_t* stone_image(int32_t kind);
// Draws a stone with its lower-left corner at (x, y), cut to the buffer.
void draw_stone(int32_t kind, int32_t x, int32_t y);
// Adds points to the score, holding it within the 32-bit range.
void add_score(int32_t points);
// The time bonus of a row cleared with `remaining` ms left of a `row_ms` row.
int32_t row_bonus(int32_t remaining, int32_t row_ms);
// Marks a running game paused and turns its deadline into the time used in the
// row (what both the pause button and the menu bar do to a running game).
void suspend_game();
// The sliding stone's frame: 20 pixels along, or its landing with the matches
// after it. True when the stone is still on its way.
bool slide_step(int32_t cell);
// Ticks of the gap frame: visible while blink is in this range.
constexpr int32_t BLINK_SHOW_FIRST = 61;
constexpr int32_t BLINK_SHOW_LAST = 64;
