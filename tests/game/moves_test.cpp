// Moves: which clicks slide a stone, the two frames of the slide, and what is
// ignored while a stone is on its way.
#include "game/game_fixture.h"

namespace {

struct MoveCase {
    const char* what;
    int32_t row, col;  // the clicked cell; the gap is at row 1, column 2
    bool slides;
    int32_t dx, dy;
};

const MoveCase MOVES[] = {
    {"left of the gap slides right", 1, 1, true, 1, 0},
    {"right of the gap slides left", 1, 3, true, -1, 0},
    {"above the gap slides down", 2, 2, true, 0, 1},
    {"below the gap slides up", 0, 2, true, 0, -1},
    {"the gap itself", 1, 2, false, 0, 0},
    {"two cells away", 1, 0, false, 0, 0},
    {"two rows away", 3, 2, false, 0, 0},
    {"diagonal", 2, 1, false, 0, 0},
    {"other diagonal", 0, 3, false, 0, 0},
};

}  // namespace

class Moves : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        prepare();
    }
    void prepare() {
        new_game();
        set_board({"01201", "12.01", "20120", "01201"});
        set_preview("44444");
        game.blink = 0;
    }
};

TEST_F(Moves, AdjacencyTable) {
    for (const MoveCase& m : MOVES) {
        SCOPED_TRACE(m.what);
        prepare();
        std::string before = row_text(0) + row_text(1) + row_text(2) + row_text(3);
        click_cell(m.row, m.col);
        EXPECT_EQ(plays(SND_SLIDE), m.slides ? 1 : 0);
        if (!m.slides) {
            EXPECT_EQ(game.busy, BUSY_IDLE);
            tick();
            EXPECT_EQ(row_text(0) + row_text(1) + row_text(2) + row_text(3), before);
            continue;
        }
        EXPECT_EQ(board.slide_dx, m.dx);
        EXPECT_EQ(board.slide_dy, m.dy);
        EXPECT_EQ(game.busy, BUSY_SLIDING);
        int32_t moved = board.cells[m.row * 5 + m.col].kind;
        tick();
        EXPECT_EQ(game.busy, BUSY_IDLE);
        EXPECT_EQ(board.gap, m.row * 5 + m.col);
        EXPECT_EQ(board.cells[1 * 5 + 2].kind, moved);
        EXPECT_EQ(board.cells[board.gap].kind, NO_STONE);
    }
}

TEST_F(Moves, GapAtARowEndIsNoNeighbourOfTheNextRowsStart) {
    set_board({"01201", "1201.", "20120"});
    click_cell(2, 0);  // index gap + 1, but not adjacent
    EXPECT_EQ(plays(SND_SLIDE), 0);
    EXPECT_EQ(game.busy, BUSY_IDLE);
}

TEST_F(Moves, HitTestIsStrictOnEveryEdge) {
    int32_t x0 = board.left_x + 50;  // cell (0, 1)
    int32_t y0 = board.bottom_y;
    EXPECT_EQ(cell_at(x0 + 1, y0 - 1), 1);
    EXPECT_EQ(cell_at(x0 + 49, y0 - 49), 1);
    EXPECT_EQ(cell_at(x0, y0 - 10), -1);           // its left pixel column
    EXPECT_EQ(cell_at(x0 + 10, y0), -1);           // its bottom pixel row
    EXPECT_EQ(cell_at(x0 + 10, y0 - 50), -1);      // the line to the row above
    EXPECT_EQ(cell_at(x0 + 50, y0 - 10), -1);      // the line to the next column
    EXPECT_EQ(cell_at(cell_x(2), cell_y(1)), -1);  // the gap
    EXPECT_EQ(cell_at(cell_x(0), cell_y(4)), -1);  // the preview row
}

TEST_F(Moves, TheFirstFrameShowsTheStoneTwentyPixelsAlong) {
    click_cell(1, 1);  // kind 2, sliding right
    int32_t x = board.left_x + 50;
    int32_t y = cell_y(1);
    EXPECT_EQ(pixel(x + 5, y), CHECKER_PAINT);     // uncovered part of its cell
    EXPECT_EQ(pixel(x + 25, y), STONE_PAINT + 2);  // the stone, moved on
    EXPECT_EQ(pixel(x + 65, y), STONE_PAINT + 2);  // reaching into the gap
    EXPECT_EQ(pixel(x + 75, y), CHECKER_PAINT);
    tick();
    EXPECT_EQ(pixel(x + 5, y), CHECKER_PAINT);  // now the gap
    EXPECT_EQ(pixel(x + 55, y), STONE_PAINT + 2);
    EXPECT_EQ(pixel(x + 99, y), STONE_PAINT + 2);
}

TEST_F(Moves, ClicksAndEscapeWaitWhileAStoneSlides) {
    click_cell(1, 1);
    click_cell(0, 2);  // a neighbour of the gap, but a stone is on its way
    key(KEY_ESCAPE);   // would pause mid-move
    EXPECT_EQ(plays(SND_SLIDE), 1);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(screen_handlers.on_tick, &game_on_tick);
    tick();
    EXPECT_EQ(board.gap, 1 * 5 + 1);
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PAUSED);
}

TEST_F(Moves, ATimeOutWaitsForTheLanding) {
    click_cell(1, 1);
    headless_advance(40000);  // the row ran out during the slide
    tick();                   // the landing frame handles the time-out after it
    EXPECT_EQ(board.rows, 5);
    EXPECT_EQ(game.penalty, 1);
}
