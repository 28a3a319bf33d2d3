// A game's flow: its start, the row timer with its time-outs and penalty, pausing
// and resuming with the time kept, the corner square, the game's end.
#include "game/game_fixture.h"

namespace {

constexpr int32_t PAUSE_X = 100, PAUSE_Y = 527;  // the pause button
constexpr int32_t CORNER_X = 45, CORNER_Y = 30;  // the next-level square

}  // namespace

class Flow : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        new_game(3);
    }
    // Lets the current row run out and runs the tick that notices it.
    void time_out() {
        headless_advance(static_cast<uint32_t>(remaining() + 1));
        tick();
    }
};

TEST_F(Flow, ANewGameStartsAtLevelOneWithAFullRow) {
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(board.rows, 7);
    EXPECT_EQ(game.time_limit, 30000);
    EXPECT_EQ(remaining(), 30000);
    EXPECT_EQ(game.start_difficulty, 3);
    EXPECT_EQ(screen_handlers.on_tick, &game_on_tick);
    EXPECT_EQ(std::string(replay_board_problem()), "");
}

TEST_F(Flow, ATimeOutPushesThePreviewRowAndShortensTheNextRows) {
    std::vector<int32_t> preview(board.preview, board.preview + board.cols);
    uint32_t before = platform_ticks_ms();
    time_out();
    EXPECT_GE(platform_ticks_ms() - before, 1650u);  // three pictures of 550 ms
    EXPECT_EQ(board.rows, 8);
    for (int32_t c = 0; c < board.cols; c++) {
        const Cell& cell = board.cells[7 * board.cols + c];
        EXPECT_EQ(cell.kind, preview[c]);
        EXPECT_EQ(cell.row, 7);
        EXPECT_EQ(cell.col, c);
    }
    EXPECT_EQ(game.penalty, 1);
    EXPECT_EQ(game.time_limit, 25000);
    EXPECT_EQ(remaining(), 25000);
    EXPECT_EQ(game.blink, BLINK_SHOW_FIRST);
    EXPECT_EQ(plays(SND_PUSH), 1);
    time_out();
    EXPECT_EQ(game.time_limit, 20000);
    EXPECT_EQ(board.rows, 9);
}

TEST_F(Flow, ATimeOutShowsThreeFlashPicturesAfterItsFrame) {
    game.deadline = clock_add(clock_now(), -1);
    int32_t presents = headless_present_count();
    tick();
    EXPECT_EQ(headless_present_count() - presents, 1 + 3);
    // The last picture is the filled band with the preview stones over it.
    int32_t top = board.bottom_y - 50 * 7 - 50;
    EXPECT_EQ(pixel(board.left_x + 250, top + 10), 255);
}

TEST_F(Flow, TheEleventhRowEndsTheGame) {
    for (int32_t pushes = 0; pushes < 3; pushes++) time_out();
    EXPECT_EQ(board.rows, 10);
    EXPECT_EQ(screen_handlers.on_tick, &game_on_tick);
    time_out();
    EXPECT_EQ(board.rows, 11);
    EXPECT_NE(screen_handlers.on_tick, &game_on_tick);
}

TEST_F(Flow, ARowTimeOfZeroOrLessPushesRowsUntilTheGameEnds) {
    game.penalty = 7;  // 30000 - 35000: a negative row time
    start_row_timer();
    EXPECT_EQ(game.time_limit, -5000);
    int32_t ticks = 0;
    while (screen_handlers.on_tick == &game_on_tick && ticks < 20) {
        headless_advance(16);
        tick();
        ticks++;
    }
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(board.rows, 11);
}

TEST_F(Flow, PausingKeepsTheTimeLeftAndTheBar) {
    game.deadline = clock_add(clock_now(), 12000);
    click(PAUSE_X, PAUSE_Y);
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    EXPECT_EQ(screen_handlers.on_tick, &pause_on_tick);
    EXPECT_EQ(game.frozen_bar_x, 250 - 100);
    headless_advance(60000);
    tick();
    EXPECT_EQ(board.rows, 7);  // no time-out while paused
    click(PAUSE_X, PAUSE_Y);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(remaining(), 12000);
    EXPECT_EQ(plays(SND_CLICK), 2);
}

TEST_F(Flow, EscapePausesAndResumes) {
    game.deadline = clock_add(clock_now(), 20000);
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    headless_advance(5000);
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(remaining(), 20000);
    key('A');
    EXPECT_EQ(game.game_state, GAME_PLAYING);
}

TEST_F(Flow, AGamePausedFromTheMenuBarResumesWithItsTimeLeft) {
    game.deadline = clock_add(clock_now(), 17000);
    click(100, 443);  // high scores
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    EXPECT_NE(screen_handlers.on_tick, &game_on_tick);
    EXPECT_NE(screen_handlers.on_tick, &pause_on_tick);
    headless_advance(90000);
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(remaining(), 17000);
}

TEST_F(Flow, AChangedDifficultyMakesTheResumeANewGame) {
    game.score = 1234;
    game.level = 3;
    key(KEY_ESCAPE);
    profile.difficulty = 1;
    key(KEY_ESCAPE);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(game.level, 1);
    EXPECT_EQ(game.time_limit, 45000);
}

TEST_F(Flow, TheCornerSquareStartsTheNextLevelButKeepsTheRowsClock) {
    game.deadline = clock_add(clock_now(), 9000);
    game.penalty = 2;
    int32_t limit = game.time_limit;
    click(CORNER_X, CORNER_Y);
    EXPECT_EQ(game.level, 2);
    EXPECT_EQ(game.penalty, 0);
    EXPECT_EQ(remaining(), 9000);
    EXPECT_EQ(game.time_limit, limit);
    click(27, CORNER_Y);  // its edge does nothing
    EXPECT_EQ(game.level, 2);
}

TEST_F(Flow, F12EndsTheProgramFromTheGameAndThePause) {
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

TEST_F(Flow, PauseScreenF12) {
    key(KEY_ESCAPE);
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

TEST_F(Flow, PauseButtonHighlights) {
    move(PAUSE_X, PAUSE_Y);
    EXPECT_EQ(hover.image, images.button[3]);
    EXPECT_EQ(hover.x, 11);
    EXPECT_EQ(hover.y, 549);
    move(PAUSE_X, 548);  // its edge
    EXPECT_EQ(hover.width, 1);
    click(PAUSE_X, PAUSE_Y);
    EXPECT_EQ(hover.width, 1);  // pausing clears it
    move(PAUSE_X, PAUSE_Y);
    EXPECT_EQ(hover.image, images.button[5]);
    move(100, 317);  // the menu bar gives no highlight on the pause screen
    EXPECT_EQ(hover.width, 1);
    click(100, 317);  // nor does it react
    EXPECT_EQ(game.game_state, GAME_PAUSED);
}

TEST_F(Flow, ThePauseButtonAlternatesOnceASecond) {
    key(KEY_ESCAPE);
    std::string pictures;
    for (int32_t i = 0; i < 5; i++) {
        tick();
        pictures += std::to_string(pixel(100, 527) - BUTTON_PAINT);
        headless_advance(1001);
    }
    EXPECT_TRUE(pictures == "45454" || pictures == "54545") << pictures;
}

TEST_F(Flow, ARowAcrossTheClocksWrapRunsOutOnTime) {
    // clock_now passes INT32_MAX ten seconds into the row.
    headless_set_calendar_base(INT32_MAX - 10 - static_cast<int64_t>(platform_ticks_ms()) -
                               platform_ticks_ms() / 1000);
    new_game(3);
    ASSERT_GT(clock_now(), INT32_MAX - 20000);
    headless_advance(29000);
    tick();
    EXPECT_LT(clock_now(), 0);  // wrapped
    EXPECT_EQ(board.rows, 7);
    EXPECT_GT(remaining(), 0);
    key(KEY_ESCAPE);
    headless_advance(5000);
    key(KEY_ESCAPE);
    EXPECT_GT(remaining(), 0);
    headless_advance(2000);
    tick();
    EXPECT_EQ(board.rows, 8);
}
