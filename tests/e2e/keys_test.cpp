// Esc and F12 on every screen of a run.
#include "e2e_support.h"

namespace {

struct KeyCase {
    const char* name;
    std::string reach;      // steps from the start that reach the screen
    const char* after_esc;  // the screen Esc leads to
};

std::vector<KeyCase> key_cases() {
    const std::string paused = reach::GAME + reach::click(at::INSTRUCTIONS);
    return {
        {"intro", "start\nwait 100\nexpect screen intro\n", "options"},
        {"options", reach::OPTIONS, "options"},
        {"instructions", reach::OPTIONS + reach::click(at::INSTRUCTIONS), "instructions"},
        {"high scores", reach::OPTIONS + reach::click(at::HIGH_SCORES), "high_scores"},
        {"quit", reach::OPTIONS + reach::click(at::QUIT), "high_scores"},
        {"game", reach::GAME, "pause"},
        {"pause", reach::GAME + "key esc\nwait 50\nexpect screen pause\n", "game"},
        {"paused instructions", paused, "game"},
        {"paused options", paused + reach::click(at::OPTIONS), "game"},
        {"paused high scores", paused + reach::click(at::HIGH_SCORES), "game"},
        {"paused quit", paused + reach::click(at::QUIT), "game"},
        {"game over", reach::GAME_OVER, "name_entry"},
        {"name entry", reach::GAME_OVER + "key esc\nwait 50\nexpect screen name_entry\n",
         "name_entry"},
    };
}

TEST_F(EndToEnd, EscOnEveryScreen) {
    for (const KeyCase& c : key_cases()) {
        SCOPED_TRACE(c.name);
        std::remove(dir.file("profile.dat").c_str());
        run(c.reach + "key esc\nwait 50\nexpect screen " + c.after_esc + "\nexpect window 1\n");
    }
}

TEST_F(EndToEnd, F12OnEveryScreenEndsTheProgramAtOnce) {
    for (const KeyCase& c : key_cases()) {
        SCOPED_TRACE(c.name);
        std::remove(dir.file("profile.dat").c_str());
        run(c.reach + "key f12\nturn\nexpect window 0\n");
    }
}

}  // namespace
