// Completed rows: the preview match, special-stone runs, the gap's fate when a row
// holding it is cleared, several rows at once, the bonus and the next level.
#include "game/game_fixture.h"

class Matching : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        new_game(3);
    }
};

namespace {

struct MatchCase {
    const char* what;
    const char* row0;  // the bottom row; rows 1 and 2 never match
    const char* preview;
    int32_t found;
    int32_t penalty_change;
};

const MatchCase MATCHES[] = {
    {"equal to the preview", "01201", "01201", 0, 0},
    {"one column differs", "01202", "01201", -1, 0},
    {"a gap never matches the preview", "0120.", "01201", -1, 0},
    {"a special in the row matches anything", "03201", "01201", 0, 0},
    {"a special in the preview matches anything", "01201", "31231", 0, 0},
    {"specials on both sides", "31201", "31201", 0, 0},
    {"a special does not match the gap", "0120.", "01203", -1, 0},
    {"two adjacent specials, whatever the preview", "24334", "01201", 0, 0},
    {"two adjacent specials even with the gap", "2.334", "01201", 0, 0},
    {"specials apart are no run", "32434", "01201", -1, 0},
    {"three specials lower the penalty", "23334", "01201", 0, -1},
    {"four specials count once as three", "33332", "01201", 0, -1},
    {"a run at the right end", "21033", "01201", 0, 0},
    {"three at the right end", "21333", "01201", 0, -1},
};

}  // namespace

TEST_F(Matching, RowRules) {
    for (const MatchCase& m : MATCHES) {
        SCOPED_TRACE(m.what);
        set_board({m.row0, "44444", "55555"});
        if (board.gap < 0 || board.cells[board.gap].kind != NO_STONE) {
            board.cells[14].kind = NO_STONE;  // the gap elsewhere when the row is full
            board.gap = 14;
        }
        set_preview(m.preview);
        game.penalty = 2;
        EXPECT_EQ(find_matching_row(), m.found);
        EXPECT_EQ(game.penalty, 2 + m.penalty_change);
    }
}

TEST_F(Matching, TheLowestCompletedRowIsFound) {
    set_board({"44444", "01201", "01201", "0120."});
    set_preview("01201");
    EXPECT_EQ(find_matching_row(), 1);
}

TEST_F(Matching, RowClearedBelowTheTopLosesTheStoneAboveTheGap) {
    set_board({"33.12", "45012", "12045"});
    set_preview("00000");
    clear_row(0);
    EXPECT_EQ(board.rows, 2);
    EXPECT_EQ(row_text(0), "45.12");  // the 0 above the gap is gone
    EXPECT_EQ(row_text(1), "12045");
    EXPECT_EQ(board.gap, 2);
    EXPECT_EQ(row_text(2), ".....");
}

TEST_F(Matching, TopRowClearedLosesTheStoneBelowTheGap) {
    set_board({"12045", "45012", "1.334"});
    set_preview("00000");
    clear_row(2);
    EXPECT_EQ(board.rows, 2);
    EXPECT_EQ(row_text(0), "12045");
    EXPECT_EQ(row_text(1), "4.012");
    EXPECT_EQ(board.gap, 6);
}

TEST_F(Matching, TheGapMovesDownWithItsRow) {
    set_board({"01201", "4.012", "12045"});
    set_preview("00000");
    clear_row(0);
    EXPECT_EQ(row_text(0), "4.012");
    EXPECT_EQ(row_text(1), "12045");
    EXPECT_EQ(board.gap, 1);
}

TEST_F(Matching, FifteenOfThirtySecondsLeftGiveABonusOfFiveHundred) {
    set_board({"0120.", "56781", "67895", "78956"});
    set_preview("01201");
    game.deadline = clock_add(clock_now(), 15000);
    slide(1, 4);  // the 1 drops into the gap and completes row 0
    EXPECT_EQ(game.score, 600);
    EXPECT_EQ(board.rows, 3);
    // The landing frame shows the board as it now stands, from its first cell.
    EXPECT_EQ(pixel(cell_x(0), cell_y(0)), STONE_PAINT + 5);
    EXPECT_EQ(pixel(cell_x(3), cell_y(1)), STONE_PAINT + 9);
    EXPECT_EQ(plays(SND_CLEAR), 1);
    EXPECT_EQ(plays(SND_STRIKE), 1);
    // A fresh row timer after the clear.
    EXPECT_EQ(remaining(), 30000);
}

TEST_F(Matching, TheBonusUsesTheTableTimeNotThePenalisedOne) {
    EXPECT_EQ(row_bonus(15000, 30000), 500);
    EXPECT_EQ(row_bonus(25000, 30000), 833);   // a full row with one penalty
    EXPECT_EQ(row_bonus(40000, 30000), 1333);  // a negative penalty
    EXPECT_EQ(row_bonus(-16, 30000), 0);       // truncated toward zero
    EXPECT_EQ(row_bonus(-60, 30000), -2);
    EXPECT_EQ(row_bonus(INT32_MIN, 30000), -71582788);
}

TEST_F(Matching, ARowCompletedJustAfterTheTimeRanOutScoresItsNegativeBonus) {
    set_board({"0120.", "56781", "67895", "78956"});
    set_preview("01201");
    click_cell(1, 4);
    game.deadline = clock_add(clock_now(), -60);
    tick();
    EXPECT_EQ(game.score, 98);
}

TEST_F(Matching, TheDropAnimationRunsInFramesOfItsOwn) {
    // The bottom row of a ten-row board: 28 frames of 16 ms each.
    const char* upper[] = {"56789", "67895", "78956", "89567"};
    std::vector<std::string> rows = {"0120.", "56781"};
    for (int32_t r = 2; r < 10; r++) rows.push_back(upper[r % 4]);
    set_board(rows);
    set_preview("01201");
    click_cell(1, 4);
    int32_t presents = headless_present_count();
    uint32_t before = platform_ticks_ms();
    tick();
    EXPECT_EQ(headless_present_count() - presents, 28 + 1);
    EXPECT_GE(platform_ticks_ms() - before, 28u * 16u);
    EXPECT_EQ(game.busy, BUSY_IDLE);
}

TEST_F(Matching, TwoCompletedRowsGoLowestFirstAndThePreviewIsDrawnAgain) {
    // Row 0 is complete already (its special matches the 0); the move completes
    // row 1 as well.
    set_board({"31201", "0120.", "56781", "67895", "78956"});
    set_preview("01201");
    int32_t level = game.level;
    slide(2, 4);
    ASSERT_EQ(game.level, level);
    ASSERT_LE(board.rows, 4);
    // Each cleared row had the full 30 s left: 100 + 1000.
    EXPECT_EQ(game.score, 1100 * (5 - board.rows));
    if (board.rows == 4) {
        EXPECT_EQ(row_text(0), "01201");  // the lower one went
    }
    EXPECT_EQ(find_matching_row(), -1);
    EXPECT_EQ(board.cells[board.gap].kind, NO_STONE);
}

TEST_F(Matching, ClearingARowOfATwoRowBoardStartsTheNextLevel) {
    set_board({"0120.", "44441"});
    set_preview("01201");
    game.level = 3;
    slide(1, 4);
    EXPECT_EQ(game.level, 4);
    EXPECT_EQ(board.rows, 7);
    EXPECT_EQ(board.cols, 7);  // level 4 widens the board
    EXPECT_EQ(plays(SND_LEVEL), 1);
    EXPECT_EQ(find_matching_row(), -1);  // the new board was tested too
}
