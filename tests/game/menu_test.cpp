// The menu bar's hit areas and highlight, and the resume button the menu screens
// show while a game is paused.
#include "game/game_fixture.h"

namespace {

struct MenuPoint {
    int32_t x, y, button;
};

const MenuPoint MENU_POINTS[] = {
    {11, 297, 0},   {189, 337, 0},  {100, 338, -1}, {100, 339, 1},  {100, 379, 1},
    {100, 380, -1}, {100, 422, -1}, {100, 464, -1}, {100, 465, 4},  {100, 505, 4},
    {100, 506, -1}, {10, 317, -1},  {190, 317, -1}, {100, 296, -1}, {-5, 317, -1},
};

const ResumeButton OPTIONS_RESUME = {410, 560};

}  // namespace

class Menu : public GameTest {};

TEST_F(Menu, ButtonsAreStrictOnEveryEdge) {
    for (const MenuPoint& p : MENU_POINTS) {
        EXPECT_EQ(menu_hover(p.x, p.y), p.button) << p.x << "," << p.y;
        if (p.button >= 0) {
            EXPECT_EQ(hover.x, 10);
            EXPECT_EQ(hover.y, 337 + 42 * p.button);
            EXPECT_EQ(hover.image, images.menu[p.button]);
        } else {
            EXPECT_EQ(hover.width, 1);
            EXPECT_EQ(hover.image, images.menu[0]);
        }
    }
}

TEST_F(Menu, AClickBesideTheButtonsChangesNothing) {
    new_game();
    EXPECT_EQ(menu_click(100, 338), -1);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
}

TEST_F(Menu, AMenuButtonPausesARunningGameFirst) {
    new_game();
    game.deadline = clock_add(clock_now(), 21000);
    EXPECT_EQ(menu_click(100, 401), 2);  // options
    EXPECT_EQ(game.game_state, GAME_PAUSED);
    EXPECT_EQ(game.deadline, 30000 - 21000);  // the time used in the row
}

TEST_F(Menu, NewGameDuringAGameStartsAFreshOne) {
    new_game();
    game.score = 700;
    EXPECT_EQ(menu_click(100, 317), 0);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(screen_handlers.on_tick, &game_on_tick);
}

TEST_F(Menu, ResumeButtonOnlyWhileAGameIsPaused) {
    menu_screen_mouse_move(OPTIONS_RESUME, 500, 540);
    EXPECT_EQ(hover.width, 1);
    bool resumed = true;
    EXPECT_EQ(menu_screen_click(OPTIONS_RESUME, 500, 540, &resumed), -1);
    EXPECT_FALSE(resumed);
    EXPECT_EQ(game.game_state, GAME_NONE);

    new_game();
    game.deadline = clock_add(clock_now(), 8000);
    key(KEY_ESCAPE);
    menu_screen_mouse_move(OPTIONS_RESUME, 500, 540);
    EXPECT_EQ(hover.image, images.button[1]);
    EXPECT_EQ(hover.x, 411);
    EXPECT_EQ(hover.y, 561);
    menu_screen_mouse_move(OPTIONS_RESUME, 410, 540);  // its edge
    EXPECT_EQ(hover.width, 1);
    EXPECT_EQ(menu_screen_click(OPTIONS_RESUME, 500, 560, &resumed), -1);
    EXPECT_FALSE(resumed);
    headless_advance(4000);
    EXPECT_EQ(menu_screen_click(OPTIONS_RESUME, 500, 540, &resumed), -1);
    EXPECT_TRUE(resumed);
    EXPECT_EQ(game.game_state, GAME_PLAYING);
    EXPECT_EQ(remaining(), 8000);
}

TEST_F(Menu, TheMenuBarComesBeforeTheResumeButton) {
    new_game();
    key(KEY_ESCAPE);
    const ResumeButton over_menu = {50, 330};  // a resume button lying over button 0
    bool resumed = false;
    EXPECT_EQ(menu_screen_click(over_menu, 100, 317, &resumed), 0);
    EXPECT_FALSE(resumed);
}

TEST_F(Menu, TheResumeButtonAndNumbersAreDrawnOnlyWhilePaused) {
    draw_background();
    draw_resume_if_paused(OPTIONS_RESUME);
    present_frame();
    EXPECT_EQ(pixel(500, 540), BOARD_PAINT);
    new_game();
    key(KEY_ESCAPE);
    draw_background();
    draw_resume_if_paused(OPTIONS_RESUME);
    present_frame();
    EXPECT_EQ(pixel(500, 540), BUTTON_PAINT + 0);
    EXPECT_EQ(pixel(411, 519), BUTTON_PAINT + 0);
    EXPECT_EQ(pixel(410, 540), BUTTON_PAINT + 0);
}

TEST_F(Menu, EmbossedTextIsDrawnThreeTimes) {
    draw_background();
    draw_embossed_text("HI", 300, 300);
    present_frame();
    int32_t colours[256] = {};
    for (int32_t y = 260; y < 310; y++) {
        for (int32_t x = 290; x < 360; x++) colours[pixel(x, y)]++;
    }
    EXPECT_GT(colours[13], 0);
    EXPECT_GT(colours[0], 0);
    EXPECT_GT(colours[10], 0);
}
