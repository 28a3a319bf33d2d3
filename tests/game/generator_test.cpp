// The generator's exact sequence, and the boards and preview rows it makes for a
// fixed clock. The expected boards come from an independent model of the rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/game.h"
#include "platform/headless/headless.h"

namespace {

// Sets the manual clock so that clock_now reads `value` (below 1000).
void clock_reads(uint32_t value) {
    headless_reset();
    headless_set_ticks(value);
}

std::string row_of(int32_t r) {
    std::string text;
    for (int32_t c = 0; c < board.cols; c++) {
        int32_t kind = board.cells[r * board.cols + c].kind;
        text += kind == NO_STONE ? '.' : static_cast<char>('0' + kind);
    }
    return text;
}

std::vector<int32_t> preview_of() {
    return {board.preview, board.preview + board.cols};
}

void board_for(uint32_t generator_seed, uint32_t clock, int32_t kinds, int32_t size_index) {
    clock_reads(clock);
    game_srand(generator_seed);
    game.kind_count = kinds;
    game.size_index = size_index;
    clear_cells();
    generate_board();
    generate_preview();
}

}  // namespace

TEST(Generator, SeededWithOneGivesTheKnownSequence) {
    const int32_t expected[] = {41,    18467, 6334,  26500, 19169, 15724, 11478,
                                29358, 26962, 24464, 5705,  28145, 23281, 16827};
    game_srand(1);
    for (int32_t value : expected) EXPECT_EQ(game_rand(), value);
}

TEST(Generator, StateWrapsWithoutLeavingTheRange) {
    game_srand(0xFFFFFFFFu);
    for (int32_t i = 0; i < 100000; i++) {
        int32_t v = game_rand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

TEST(BoardGeneration, ThreeKindsFromClockOne) {
    board_for(1, 1, 3, 0);
    const char* rows[] = {"21121", "0.122", "21012", "12000", "02011", "02222", "02001"};
    ASSERT_EQ(board.rows, 7);
    ASSERT_EQ(board.cols, 5);
    for (int32_t r = 0; r < 7; r++) EXPECT_EQ(row_of(r), rows[r]) << "row " << r;
    EXPECT_EQ(board.gap, 6);
    EXPECT_EQ(preview_of(), (std::vector<int32_t>{0, 0, 2, 2, 1}));
    EXPECT_EQ(board.left_x, 375);
    EXPECT_EQ(board.bottom_y, 574);
}

TEST(BoardGeneration, SpecialBudgetAndParityOnSevenColumns) {
    // Seed 2's first draw gives a budget of one special: the first drawn special
    // stays (row 0, column 5); later ones become 2 on odd squares, 4 on even ones.
    board_for(2, 777, 5, 1);
    const char* rows[] = {"1212230", "2422204", "4241401", "220002.",
                          "2222042", "1424121", "1022212"};
    ASSERT_EQ(board.cols, 7);
    for (int32_t r = 0; r < 7; r++) EXPECT_EQ(row_of(r), rows[r]) << "row " << r;
    EXPECT_EQ(board.gap, 27);
    EXPECT_EQ(preview_of(), (std::vector<int32_t>{2, 1, 2, 4, 0, 0, 3}));
    EXPECT_EQ(board.left_x, 325);
}

TEST(BoardGeneration, GapOnADrawnSpecialLeavesOneSpecialFewer) {
    board_for(1, 1, 5, 0);  // budget 2: row 1 columns 0 and 1 drew specials
    EXPECT_EQ(row_of(1), "3.240");
    EXPECT_EQ(row_of(0), "24044");
}

TEST(BoardGeneration, FourKindsArePlayedAsFive) {
    board_for(1, 1, 4, 0);
    EXPECT_EQ(game.kind_count, 5);
    EXPECT_EQ(row_of(1), "3.240");  // the same board as five kinds
}

TEST(BoardGeneration, KindsAboveTheLimitAreClampedAfterTheBudget) {
    board_for(1, 1, 40, 3);
    EXPECT_EQ(game.kind_count, 31);
    EXPECT_EQ(board.cols, 11);
    EXPECT_EQ(board.left_x, 225);
    for (int32_t i = 0; i < 77; i++) EXPECT_LT(board.cells[i].kind, 31);
}

TEST(BoardGeneration, FewKindsHaveNoSpecialsYetThePreviewMay) {
    int32_t special_columns = 0;
    for (uint32_t clock = 1; clock < 400; clock++) {
        board_for(1, clock, 3, 0);
        for (int32_t i = 0; i < 35; i++) ASSERT_NE(board.cells[i].kind, STONE_SPECIAL);
        for (int32_t c = 0; c < 5; c++) special_columns += board.preview[c] == STONE_SPECIAL;
    }
    // One column in twenty on average: about 100 of 2000.
    EXPECT_GT(special_columns, 50);
    EXPECT_LT(special_columns, 150);
}

TEST(BoardGeneration, SameClockAndStateGiveTheSameBoard) {
    board_for(9, 4242 % 1000, 8, 2);
    std::vector<std::string> first;
    for (int32_t r = 0; r < 7; r++) first.push_back(row_of(r));
    std::vector<int32_t> first_preview = preview_of();
    board_for(9, 4242 % 1000, 8, 2);
    for (int32_t r = 0; r < 7; r++) EXPECT_EQ(row_of(r), first[r]);
    EXPECT_EQ(preview_of(), first_preview);
}

TEST(BoardGeneration, RecordsBeyondTheBoardAreLeftAlone) {
    clear_cells();
    board.cells[100] = {3, 4, 7, 0, 0};
    board_for(1, 1, 3, 0);  // clears first
    board.cells[100] = {3, 4, 7, 0, 0};
    generate_board();
    EXPECT_EQ(board.cells[100].kind, 7);
    EXPECT_EQ(board.cells[100].row, 3);
}

TEST(PreviewGeneration, EveryColumnComesFromADifferentStone) {
    for (uint32_t clock = 1; clock < 200; clock++) {
        board_for(3, clock, 7, 3);
        int32_t picked = 0;
        for (int32_t i = 0; i < board.rows * board.cols; i++) {
            picked += board.cells[i].picked;
            if (board.cells[i].picked) {
                ASSERT_NE(board.cells[i].kind, NO_STONE);
            }
        }
        int32_t specials = 0;
        for (int32_t c = 0; c < board.cols; c++) specials += board.preview[c] == STONE_SPECIAL;
        // Each non-special column marked one cell; a special may also be taken.
        EXPECT_GE(picked, board.cols - specials);
        EXPECT_LE(picked, board.cols);
    }
}

TEST(PreviewGeneration, OneRowLeavesThePreviewAlone) {
    board_for(1, 1, 3, 0);
    std::vector<int32_t> before = preview_of();
    board.rows = 1;
    clock_reads(500);
    generate_preview();
    EXPECT_EQ(preview_of(), before);
}
