// The keys of the other screens: typing a name, skipping the intro and the game
// over, and the digits that press the menu buttons.
#include <cstring>

#include "keyboard_support.h"
#include "screens/screens.h"

namespace {

const std::string NAME_ENTRY = reach::GAME_OVER + "key enter\nwait 50\nexpect screen name_entry\n";

// Name entry's keys, and the name they store with the finished game's score.
TEST_F(Keyboard, TypedNamesAreStored) {
    struct Case {
        const char* name;
        std::vector<const char*> keys;
        const char* stored;
    };
    const std::vector<Case> cases = {
        {"letters", {"c", "a", "i", "r", "n"}, "CAIRN"},
        {"letter codes", {"72", "73"}, "HI"},
        {"space", {"a", "space", "b"}, "A B"},
        {"only spaces", {"space", "space"}, "  "},
        {"backspace", {"a", "b", "backspace", "c"}, "AC"},
        {"backspace on nothing", {"backspace", "backspace", "z"}, "Z"},
        {"eight at most", {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}, "ABCDEFGH"},
        {"back from the limit",
         {"a", "b", "c", "d", "e", "f", "g", "h", "i", "backspace", "x"},
         "ABCDEFGX"},
        {"empty", {}, ""},
        // Digits and Esc type nothing and leave the screen where it is.
        {"other keys", {"1", "5", "esc", "p", "0x6A"}, "P"},
        // The first arrow outlines A; Enter presses the outlined key, here B, K
        // below it, then D O N E (down from T to SPACE, then to D O N E).
        {"arrows and enter",
         {"right", "right", "enter", "down", "enter", "down", "down", "down"},
         "BK"},
        {"arrows stop at the edge",
         {"left", "left", "up", "enter", "down", "down", "down", "down"},
         "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string script = NAME_ENTRY;
        for (const char* key : c.keys) script += std::string("key ") + key + "\nwait 20\n";
        script += "expect screen name_entry\nexpect name_length " +
                  std::to_string(std::strlen(c.stored)) + "\nkey enter\nwait 50\n" +
                  "expect screen high_scores\nexpect high_score.0 1234\n";
        play(script);
        EXPECT_STREQ(high_scores[0].name, c.stored);
        EXPECT_EQ(high_scores[0].score, 1234);
    }
    // A pad's Start (the Pause key) finishes as Enter does.
    expect_same_run(NAME_ENTRY + "key c\nwait 20\nkey enter\nwait 50\nstate\n",
                    NAME_ENTRY + "key c\nwait 20\nkey pause\nwait 50\nstate\n");
}

TEST_F(Keyboard, TypedKeysDrawAsClickedKeysOnceTheFlashIsOver) {
    // A, M, Z on the three rows of letters, a space and a deletion.
    const std::string typed = NAME_ENTRY +
                              "key a\nwait 20\nkey m\nwait 20\nkey z\nwait 20\n"
                              "key space\nwait 20\nkey s\nwait 20\nkey backspace\nwait 300\n";
    const std::string clicked = NAME_ENTRY +
                                "click 315 190\nwait 20\nclick 465 240\nwait 20\n"
                                "click 665 290\nwait 20\nclick 383 340\nwait 20\n"
                                "click 315 290\nwait 20\nclick 640 340\nwait 300\n";
    expect_same_run(typed + "state\n", clicked + "state\n");
}

TEST_F(Keyboard, TheTypedKeyFlashesForAMoment) {
    // Letter n's stone has its lower-left corner at (275 + 50 c, 224 + 50 r); SPACE's
    // stones cover x 327..422 and BACK's 577..672, both rows 325..374.
    struct Case {
        const char* key;
        int32_t x1, x2, y1, y2;  // the outline
    };
    const Case cases[] = {
        {"a", 275, 324, 175, 224}, {"i", 675, 724, 175, 224},     {"m", 425, 474, 225, 274},
        {"z", 625, 674, 275, 324}, {"space", 327, 422, 325, 374}, {"backspace", 577, 672, 325, 374},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        play(NAME_ENTRY + "key " + c.key + "\nwait 40\n");
        // Asked only once a run has set the game's palette up.
        const uint32_t outline = colour(255);
        // Every pixel of the outline's two rings, corners included.
        int32_t missing = 0;
        for (int32_t ring = 0; ring < 2; ring++) {
            for (int32_t x = c.x1 + ring; x <= c.x2 - ring; x++) {
                missing += frame(x, c.y1 + ring) != outline;
                missing += frame(x, c.y2 - ring) != outline;
            }
            for (int32_t y = c.y1 + ring; y <= c.y2 - ring; y++) {
                missing += frame(c.x1 + ring, y) != outline;
                missing += frame(c.x2 - ring, y) != outline;
            }
        }
        EXPECT_EQ(missing, 0);
        // A few ticks later the key looks as it always does.
        Outcome later = play(NAME_ENTRY + "key " + c.key + "\nwait 300\n");
        Outcome untouched = play(NAME_ENTRY + "wait 300\n");
        int32_t still_outlined = 0;
        for (int32_t x = c.x1; x <= c.x2; x++) {
            still_outlined += later.frame[c.y1 * 800 + x] != untouched.frame[c.y1 * 800 + x];
        }
        EXPECT_EQ(still_outlined, 0);
    }
}

TEST_F(Keyboard, IntroAndGameOverGoOnByKeyOrClick) {
    struct Case {
        const char* name;
        std::string reach;
        const char* input;
        const char* screen;
    };
    const std::string intro = "start\nwait 100\nexpect screen intro\n";
    const std::vector<Case> cases = {
        {"intro: space", intro, "key space", "options"},
        {"intro: click", intro, "click 400 300", "options"},
        {"intro: click outside the picture", intro, "click -5 700", "options"},
        {"intro: mouse move", intro, "move 400 300", "intro"},
        {"intro: enter", intro, "key enter", "intro"},
        {"intro: digit", intro, "key 1", "intro"},
        {"game over: enter", reach::GAME_OVER, "key enter", "name_entry"},
        {"game over: click", reach::GAME_OVER, "click 400 300", "name_entry"},
        {"game over: mouse move", reach::GAME_OVER, "move 400 300", "game_over"},
        {"game over: space", reach::GAME_OVER, "key space", "game_over"},
        {"game over: digit", reach::GAME_OVER, "key 1", "game_over"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        play(c.reach + c.input + "\nwait 50\nexpect screen " + c.screen + "\n");
    }
    // Each goes on exactly as Esc does: the music, the screen, the records.
    for (const char* input : {"key space", "click 400 300"}) {
        SCOPED_TRACE(input);
        expect_same_run(intro + "key esc\nwait 50\nstate\n", intro + input + "\nwait 50\nstate\n");
    }
    for (const char* input : {"key enter", "click 400 300"}) {
        SCOPED_TRACE(input);
        expect_same_run(reach::GAME_OVER + "key esc\nwait 50\nstate\n",
                        reach::GAME_OVER + input + "\nwait 50\nstate\n");
    }
}

// Digit d presses menu button d - 1 wherever the menu bar takes clicks, and
// nothing anywhere else.
TEST_F(Keyboard, DigitsPressTheMenuButtons) {
    const std::string paused = reach::GAME + reach::click(at::INSTRUCTIONS);
    struct Case {
        const char* name;
        std::string reach;
        bool menu;           // the menu bar takes clicks here
        const char* screen;  // where the screen stays otherwise
    };
    const std::vector<Case> cases = {
        {"options", reach::OPTIONS, true, ""},
        {"instructions", reach::OPTIONS + reach::click(at::INSTRUCTIONS), true, ""},
        {"high scores", reach::OPTIONS + reach::click(at::HIGH_SCORES), true, ""},
        {"game", reach::GAME, true, ""},
        {"paused instructions", paused, true, ""},
        {"paused options", paused + reach::click(at::OPTIONS), true, ""},
        {"paused high scores", paused + reach::click(at::HIGH_SCORES), true, ""},
        {"pause", reach::GAME + "key esc\nwait 50\n", false, "pause"},
        {"quit", reach::OPTIONS + reach::click(at::QUIT), false, "quit"},
        {"name entry", NAME_ENTRY, false, "name_entry"},
    };
    const char* const pressed[] = {"game", "instructions", "options", "high_scores", "quit"};
    for (const Case& c : cases) {
        for (int32_t button = 0; button < 5; button++) {
            SCOPED_TRACE(std::string(c.name) + ", digit " + std::to_string(button + 1));
            std::string expected = c.menu ? pressed[button] : c.screen;
            std::string digit = "key " + std::to_string(button + 1) + "\n";
            std::string check = "wait 50\nexpect screen " + expected + "\nstate\n";
            // The same run as a click on the button: the screen, the paused game,
            // the saved profile, the sounds.
            std::string click = "click 100 " + std::to_string(317 + 42 * button) + "\n";
            expect_same_run(c.reach + click + check, c.reach + digit + check);
        }
    }
}

TEST_F(Keyboard, DigitsLeaveTheOptionsAsAClickDoes) {
    // A menu button on the options screen saves the profile; so does its digit.
    play(reach::OPTIONS + "click 540 318\nkey 4\nwait 50\nexpect screen high_scores\n" +
         "expect profile.profile_saved 1\n");
    EXPECT_TRUE(exists("profile.dat"));
}

// Up and Down move over the options' rows and the menu buttons, Left and Right
// change a row as a click on the mark beside its value, Enter presses a button.
TEST_F(Keyboard, ArrowsAndEnterWorkEveryMenuScreen) {
    struct Case {
        const char* name;
        std::string reach;
        const char* keys;
        const char* screen;
        int32_t difficulty, music, effects;  // the profile afterwards
    };
    const std::string instructions = reach::OPTIONS + reach::click(at::INSTRUCTIONS);
    const std::vector<Case> cases = {
        {"harder", reach::OPTIONS, "down right right right", "options", 3, 1, 3},
        {"easier at the end", reach::OPTIONS, "down left", "options", 1, 1, 3},
        {"music off", reach::OPTIONS, "down down left", "options", 1, 0, 3},
        {"effects down", reach::OPTIONS, "down down down left left", "options", 1, 1, 1},
        {"effects full already", reach::OPTIONS, "up up up up up up right", "options", 1, 1, 3},
        {"new game", reach::OPTIONS, "down down down down enter", "game", 1, 1, 3},
        {"up from nowhere is quit", reach::OPTIONS, "up enter", "quit", 1, 1, 3},
        {"round past the end", reach::OPTIONS, "up down down right enter", "options", 1, 2, 3},
        {"left on a button", reach::OPTIONS, "down down down down left", "options", 1, 1, 3},
        {"instructions: high scores", instructions, "down down down down enter", "high_scores", 1,
         1, 3},
        {"instructions: enter alone", instructions, "enter", "instructions", 1, 1, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string script = c.reach;
        std::string keys = c.keys;
        for (size_t at = 0; at < keys.size();) {
            size_t end = keys.find(' ', at);
            if (end == std::string::npos) end = keys.size();
            script += "key " + keys.substr(at, end - at) + "\nwait 20\n";
            at = end + 1;
        }
        play(script + "wait 50\nexpect screen " + c.screen + "\nexpect profile.difficulty " +
             std::to_string(c.difficulty) + "\nexpect profile.music_level " +
             std::to_string(c.music) + "\nexpect profile.effects_level " +
             std::to_string(c.effects) + "\n");
    }
    // A changed row is the click on its mark: the same sounds, records and picture
    // (the row's frame aside, gone once the mouse reaches a menu button).
    expect_same_run(reach::OPTIONS +
                        "click 497 318\nkey down\nkey down\nkey down\nkey down\n"
                        "wait 50\nstate\n",
                    reach::OPTIONS +
                        "key down\nkey down\nkey right\nkey down\nkey down\n"
                        "wait 50\nstate\n");
}

// The quit dialog: Enter or Y quit, N goes back as Esc does.
TEST_F(Keyboard, QuitDialogKeys) {
    const std::string quit = reach::OPTIONS + reach::click(at::QUIT) + "expect screen quit\n";
    for (const char* key : {"enter", "y", "89"}) {
        SCOPED_TRACE(key);
        play(quit + "key " + key + "\nturn\nexpect window 0\n");
    }
    expect_same_run(quit + "key esc\nwait 50\nexpect screen high_scores\nstate\n",
                    quit + "key n\nwait 50\nexpect screen high_scores\nstate\n");
    // Back leaves no highlight over the QUIT button that opened the dialog.
    Outcome back = play(quit + "click 400 216\nwait 50\nexpect screen high_scores\n");
    Outcome plain =
        play(reach::OPTIONS + reach::click(at::HIGH_SCORES) + "move 400 216\nwait 50\n");
    EXPECT_TRUE(back.frame == plain.frame) << "the QUIT button still shows its highlight";
}

TEST_F(Keyboard, OtherDigitsAndKeysDoNothingOnTheMenus) {
    for (const char* key : {"0", "6", "9", "97", "space", "enter", "left", "a"}) {
        SCOPED_TRACE(key);
        play(reach::OPTIONS + "key " + key + "\nwait 50\nexpect screen options\n" +
             "expect game.game_state 0\n");
    }
}

}  // namespace
