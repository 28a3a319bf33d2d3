// Leaving the window: a running game with no move under way pauses as Esc pauses
// it; nothing else changes, and nothing resumes by itself.
#include "keyboard_support.h"

namespace {

TEST_F(Keyboard, LosingTheFocusPausesOnlyARunningIdleGame) {
    const std::string paused = reach::GAME + "key esc\nwait 50\nexpect screen pause\n";
    const std::string menu = reach::GAME + reach::click(at::INSTRUCTIONS);
    const std::string sliding = reach::GAME + TestBoard(1, 2).setup() + "key left\n";
    struct Case {
        const char* name;
        std::string reach;
        const char* screen;  // after the focus left
        int32_t game_state;
    };
    const std::vector<Case> cases = {
        {"playing", reach::GAME, "pause", 2},
        {"paused", paused, "pause", 2},
        {"paused on a menu screen", menu, "instructions", 2},
        {"paused on the quit screen", menu + reach::click(at::QUIT), "quit", 2},
        // The loss comes in the same turn as the move, while the stone slides.
        {"a stone sliding", sliding, "game", 1},
        {"a row pushed", reach::GAME + "set game.busy 2\n", "game", 1},
        {"no game: intro", "start\nwait 100\n", "intro", 0},
        {"no game: options", reach::OPTIONS, "options", 0},
        {"game over", reach::GAME_OVER, "game_over", 0},
        {"name entry", reach::GAME_OVER + "key esc\nwait 50\n", "name_entry", 0},
    };
    for (const Case& c : cases) {
        for (const char* event : {"blur", "focus lost"}) {
            SCOPED_TRACE(std::string(c.name) + ", " + event);
            play(c.reach + event + "\nwait 50\nexpect screen " + c.screen +
                 "\nexpect game.game_state " + std::to_string(c.game_state) + "\n");
        }
    }
}

TEST_F(Keyboard, LosingTheFocusIsEsc) {
    // The same pause: the time left, the frozen bar, the click, the picture.
    const std::string before = reach::GAME + "wait 2500\n";
    expect_same_run(before + "key esc\nwait 50\nstate\n", before + "blur\nwait 50\nstate\n");
}

TEST_F(Keyboard, NothingResumesByItself) {
    play(reach::GAME +
         "blur\nwait 50\nfocus gained\nwait 5000\nexpect screen pause\n"
         "expect game.game_state 2\nexpect remaining > 40000\n"
         // The sliding stone that kept the game running lands; the next loss pauses.
         + TestBoard(1, 2).setup() +
         "key space\nwait 50\nexpect screen game\nkey left\nblur\nwait 50\n"
         "expect screen game\nblur\nwait 50\nexpect screen pause\n");
}

TEST_F(Keyboard, AFocusLossDoesNotUndoAPauseFromAMenu) {
    // Paused by the menu bar, the game stays on its screen; Esc then resumes it.
    play(reach::GAME + reach::click(at::HIGH_SCORES) +
         "blur\nwait 50\nexpect screen high_scores\nkey esc\nwait 50\nexpect screen game\n"
         "expect game.game_state 1\n");
}

}  // namespace
