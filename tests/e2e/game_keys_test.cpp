// The game screen's keys: arrows and WASD slide the stone on that side of the gap
// into it, as a click on the stone does; Space and P pause and resume.
#include "keyboard_support.h"

namespace {

struct Arrow {
    const char* key;
    int32_t dx;  // screen direction of the stone's move
    int32_t dy;
};

const Arrow ARROWS[] = {
    {"left", -1, 0}, {"right", 1, 0}, {"up", 0, -1}, {"down", 0, 1},
    {"a", -1, 0},    {"d", 1, 0},     {"w", 0, -1},  {"s", 0, 1},
};

// Gaps in every corner, on every edge and inside: in each, the arrows with no
// stone on their side do nothing.
struct GapPlace {
    const char* name;
    int32_t row;
    int32_t col;
};

const GapPlace GAPS[] = {
    {"bottom left", 0, 0}, {"bottom right", 0, 4}, {"top left", 2, 0},
    {"top right", 2, 4},   {"bottom edge", 0, 2},  {"top edge", 2, 2},
    {"left edge", 1, 0},   {"right edge", 1, 4},   {"inside", 1, 2},
};

TEST_F(Keyboard, EachArrowSlidesTheStoneOnItsSideIntoTheGap) {
    const std::string after = "\nwait 40\nexpect game.busy 0\nexpect screen game\ncheck\n";
    for (const GapPlace& gap : GAPS) {
        const std::string before = reach::GAME + TestBoard(gap.row, gap.col).setup();
        const Outcome still = play(before + "wait 40" + after);
        for (const Arrow& arrow : ARROWS) {
            SCOPED_TRACE(std::string(gap.name) + ", key " + arrow.key);
            TestBoard board(gap.row, gap.col);
            bool moves = board.move(arrow.dx, arrow.dy);
            Outcome outcome = play(before + "key " + arrow.key + after + board.expectation());
            // A move sounds once, the slide; no move makes no sound.
            EXPECT_EQ(outcome.audio.size(), still.audio.size() + (moves ? 1 : 0));
        }
    }
}

TEST_F(Keyboard, AnArrowIsTheClickOnItsStone) {
    // Same sound, same slide frames, same board: the runs cannot be told apart.
    struct Case {
        const char* key;
        const char* cell;  // the stone that moves, for a gap at row 1, column 2
    };
    const Case cases[] = {{"left", "1 3"}, {"right", "1 1"}, {"up", "0 2"}, {"down", "2 2"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        std::string before = reach::GAME + TestBoard(1, 2).setup();
        expect_same_run(before + "clickcell " + c.cell + "\nturn\nstate\nwait 40\nstate\n",
                        before + "key " + c.key + "\nturn\nstate\nwait 40\nstate\n");
    }
}

TEST_F(Keyboard, ArrowsWhileAStoneSlidesAreKeptOtherInputIsIgnored) {
    // The second input comes while the first move's stone is on its way: an arrow
    // is applied once the stone has landed, a click or another key is ignored.
    struct Case {
        const char* name;
        const char* first;
        const char* second;
        int32_t dx, dy;  // the kept arrow's move; 0, 0 for none
    };
    const Case cases[] = {
        {"arrow then arrow back", "key left", "key right", 1, 0},
        {"arrow then another arrow", "key left", "key up", 0, -1},
        {"click then arrow back", "clickcell 1 3", "key right", 1, 0},
        {"arrow then click back", "key left", "clickcell 1 2", 0, 0},
        {"arrow then space", "key left", "key space", 0, 0},
        {"arrow then p", "key left", "key p", 0, 0},
        {"arrow then digit", "key left", "key 2", 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBoard board(1, 2);
        std::string script = reach::GAME + board.setup();
        board.move(-1, 0);
        if (c.dx != 0 || c.dy != 0) board.move(c.dx, c.dy);
        play(script + c.first + "\n" + c.second +
             "\nturn\nwait 80\nexpect screen game\nexpect game.game_state 1\n" +
             board.expectation());
    }
}

TEST_F(Keyboard, QuickPressesMoveAStoneEach) {
    // Presses `apart` ms apart from a gap at the left of the middle row; up to
    // three that come while the board moves are kept and applied in order.
    struct Case {
        const char* name;
        std::vector<const char*> keys;
        int32_t apart;
        int32_t moved;  // how many of the presses move a stone
    };
    const std::vector<Case> cases = {
        {"six 10 ms apart", {"left", "left", "left", "left", "right", "right"}, 10, 6},
        {"six at once", {"left", "left", "left", "left", "right", "right"}, 0, 4},
        // The fifth finds no stone right of the gap: nothing, as a fresh press.
        {"one that cannot move", {"left", "left", "left", "left", "left", "right"}, 10, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestBoard board(1, 0);
        std::string script = reach::GAME + board.setup();
        int32_t moved = 0;
        for (const char* key : c.keys) {
            script += std::string("key ") + key + "\n" +
                      (c.apart > 0 ? "wait " + std::to_string(c.apart) + "\n" : "");
            if (moved < c.moved && board.move(std::string(key) == "left" ? -1 : 1, 0)) moved++;
        }
        play(script + "wait 200\n" + board.expectation());
    }
}

TEST_F(Keyboard, ArrowsRepeatedMoveStoneAfterStone) {
    // A held key repeats: each repeat after the slide landed moves the next stone.
    TestBoard board(1, 0);
    std::string script = reach::GAME + board.setup();
    for (int32_t i = 0; i < 4; i++) {
        board.move(-1, 0);
        script += "key left\nwait 40\n";
    }
    script += board.expectation() + "expect board.gap 9\n";
    play(script);
}

TEST_F(Keyboard, SpaceAndPPauseAndResume) {
    const std::string paused = reach::GAME + "key esc\nwait 50\nexpect screen pause\n";
    const std::string instructions = reach::GAME + reach::click(at::INSTRUCTIONS);
    struct Case {
        const char* name;
        std::string reach;
        const char* key;
        const char* screen;
        int32_t game_state;
    };
    const Case cases[] = {
        {"space in the game", reach::GAME, "space", "pause", 2},
        {"p in the game", reach::GAME, "p", "pause", 2},
        {"upper-case code of p", reach::GAME, "80", "pause", 2},
        {"space on the pause screen", paused, "space", "game", 1},
        {"p on the pause screen", paused, "p", "game", 1},
        // Only the pause screen resumes by them; the menu screens keep Esc.
        {"space on a menu screen", instructions, "space", "instructions", 2},
        {"p on a menu screen", instructions, "p", "instructions", 2},
        // The pause screen has no arrows, digits or Enter.
        {"arrow on the pause screen", paused, "left", "pause", 2},
        {"digit on the pause screen", paused, "1", "pause", 2},
        {"enter in the game", reach::GAME, "enter", "game", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.reach + "key " + c.key + "\nwait 50\nexpect screen " + c.screen +
             "\nexpect game.game_state " + std::to_string(c.game_state) + "\n");
    }
}

TEST_F(Keyboard, SpaceIsThePauseButton) {
    // The pause keeps the row's time left and frozen bar exactly as the button.
    const std::string before = reach::GAME + "wait 3000\n";
    expect_same_run(before + "click 100 527\nwait 500\nstate\n",
                    before + "key space\nwait 500\nstate\n");
    expect_same_run(before + "click 100 527\nwait 500\nclick 100 527\nwait 50\nstate\n",
                    before + "key p\nwait 500\nkey space\nwait 50\nstate\n");
}

}  // namespace
