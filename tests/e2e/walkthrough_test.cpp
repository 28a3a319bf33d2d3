// A player's way through the program: the first run, the options and their file,
// later runs, games that end with and without a place in the table.
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "e2e_support.h"
#include "replay/tape_text.h"
#include "runtime/catalogue.h"
#include "screens/screens.h"

namespace {

TEST_F(EndToEnd, FirstRunShowsTheIntroThenTheOptions) {
    run("start\n"
        "expect screen intro\n"
        "wait 1000\n"
        "expect intro_pos 59\n"
        "wait 1400\n"
        "expect intro_pos > 59\n"
        "wait 5000\n"
        "expect intro_pos 331\n"
        "expect screen intro\n"
        "wait 1000\n"
        "expect screen options\n"
        "expect profile.profile_saved 0\n");
    EXPECT_FALSE(exists("profile.dat"));
    EXPECT_FALSE(exists("cairnfall.dat"));
    // The last picture is the options screen: the options picture in its place.
    int32_t differing = 0;
    for (int32_t y = 36; y < 150; y++) {
        for (int32_t x = 349; x < 659; x++) {
            differing += frame(x, y) != colour(images.options[(519 - y) * OPTIONS_W + (x - 349)]);
        }
    }
    EXPECT_EQ(differing, 0);
    // The music started when the intro ended, looping.
    bool looping = false;
    for (const std::string& line : headless_audio_log()) looping |= line.find(" loop") != line.npos;
    EXPECT_TRUE(looping);
}

TEST_F(EndToEnd, IntroTitleIsShownCentredBeforeTheEnd) {
    run("start\n"
        "wait 7000\n"
        "expect screen intro\n"
        "expect intro_pos 331\n");
    int32_t differing = 0;
    for (int32_t y = 151; y <= 450; y += 3) {
        for (int32_t x = 100; x < 700; x += 3) {
            uint8_t index = images.splash3[(450 - y) * SPLASH_W + (x - 100)];
            differing += frame(x, y) != colour(index);  // see-through shows the cleared 0
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(frame(50, 300), colour(0));
    EXPECT_EQ(frame(400, 100), colour(0));
}

TEST_F(EndToEnd, OptionsLeftThroughAMenuButtonAreSavedAndRead) {
    // Closing the game on the options screen keeps them, as a menu button does;
    // a script that merely ends there does not close it.
    const std::vector<uint8_t> expected = {3, 0, 0, 0, 0, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0};
    for (const char* close : {"key f12\n", "close\n", ""}) {
        SCOPED_TRACE(close);
        run(reach::OPTIONS +
            "click 540 318\n"  // music 3
            "click 440 437\n"  // effects 0
            "click 450 213\n"  // difficulty 3
            "wait 50\n"
            "expect profile.music_level 3\n"
            "expect profile.effects_level 0\n"
            "expect profile.difficulty 3\n" +
            std::string(close) + "wait 50\n");
        EXPECT_EQ(file("profile.dat"), *close ? expected : std::vector<uint8_t>{});
        std::remove(dir.file("profile.dat").c_str());
    }

    run(reach::OPTIONS + "click 540 318\nclick 440 437\nclick 450 213\nwait 50\n" +
        reach::click(at::HIGH_SCORES) +
        "expect screen high_scores\n"
        "expect profile.profile_saved 1\n");
    EXPECT_EQ(file("profile.dat"), expected);

    // The next run reads the levels back and opens on the high score table.
    run("start\n"
        "expect profile.music_level 3\n"
        "expect profile.effects_level 0\n"
        "expect profile.difficulty 3\n"
        "expect profile.profile_saved 1\n"
        "wait 9000\n"
        "expect screen high_scores\n");
}

TEST_F(EndToEnd, QualifyingGameLeadsThroughNameEntryIntoTheTableAndItsFile) {
    run(reach::GAME_OVER +
        "expect game.game_state 0\n"
        "wait 8300\n"
        "expect screen game_over\n"
        "wait 1100\n"
        "expect screen name_entry\n"
        "click 315 190\n"  // A
        "click 665 240\n"  // Q: row 2, column 7
        "click 380 340\n"  // SPACE
        "click 665 290\n"  // Z
        "click 640 340\n"  // BACK
        "click 415 190\n"  // C
        "wait 50\n"
        "expect name_length 4\n"
        "click 500 440\n"  // D O N E
        "wait 50\n"
        "expect screen high_scores\n"
        "expect high_score.0 1234\n");
    EXPECT_STREQ(high_scores[0].name, "AQ C");
    std::vector<uint8_t> bytes = file("cairnfall.dat");
    ASSERT_EQ(bytes.size(), 160u);
    EXPECT_EQ(std::memcmp(bytes.data(), "AQ C", 5), 0);
    EXPECT_EQ(bytes[12] | bytes[13] << 8 | bytes[14] << 16 | bytes[15] << 24, 1234);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 16, bytes.end()), std::vector<uint8_t>(144, 0));

    // The table shows the name in the first row, and nothing in the empty second.
    auto face_pixels = [&](int32_t y1, int32_t y2) {
        int32_t n = 0;
        for (int32_t y = y1; y <= y2; y++) {
            for (int32_t x = 325; x < 500; x++) n += frame(x, y) == colour(10);
        }
        return n;
    };
    EXPECT_GT(face_pixels(130, 151), 20);
    EXPECT_EQ(face_pixels(156, 176), 0);

    // The next run shows the same table.
    run("start\nexpect high_score.0 1234\n");
    EXPECT_STREQ(high_scores[0].name, "AQ C");
}

TEST_F(EndToEnd, ScoreThatDoesNotBeatTheTableGoesStraightToIt) {
    std::vector<uint8_t> table(160, 0);
    for (int32_t i = 0; i < 10; i++) {
        std::memcpy(table.data() + 16 * i, "OLD", 3);
        table[16 * i + 12] = 0xD2;  // 1234, as the game below will score
        table[16 * i + 13] = 0x04;
    }
    write("cairnfall.dat", table);
    run(reach::GAME_OVER +
        "key esc\n"
        "wait 50\n"
        "expect screen high_scores\n"
        "expect game.game_state 0\n"
        "expect high_score.9 1234\n");
    EXPECT_EQ(file("cairnfall.dat"), table) << "no name entered, nothing written";
}

TEST_F(EndToEnd, QuitConfirmationGoesBackOrEnds) {
    run(reach::OPTIONS + reach::click(at::QUIT) +
        "expect screen quit\n"
        "click 400 216\n"
        "wait 50\n"
        "expect screen high_scores\n"  // leaving the options saved the profile
        + reach::click(at::QUIT) +
        "key esc\n"
        "wait 50\n"
        "expect screen high_scores\n" +
        reach::click(at::QUIT) +
        "click 490 216\n"  // between the buttons
        "wait 50\n"
        "expect screen quit\n"
        "click 580 216\n"
        "wait 50\n"
        "expect window 0\n");

    // A game running when quit is pressed is paused, and going back resumes it.
    std::remove(dir.file("profile.dat").c_str());
    run(reach::GAME + "set game.score 300\n" + reach::click(at::QUIT) +
        "expect screen quit\n"
        "expect game.game_state 2\n"
        "click 400 216\n"
        "wait 50\n"
        "expect screen game\n"
        "expect game.game_state 1\n"
        "expect game.score 300\n");
}

TEST_F(EndToEnd, DifficultyChangedDuringAPauseStartsANewGameOnResume) {
    // Esc resumes: a new game, and nothing saved.
    run(reach::GAME + "set game.score 700\n" + reach::click(at::OPTIONS) +
        "expect screen options\n"
        "expect game.game_state 2\n"
        "click 450 190\n"
        "key esc\n"
        "wait 50\n"
        "expect screen game\n"
        "expect game.start_difficulty 2\n"
        "expect game.score 0\n");
    EXPECT_EQ(file("profile.dat")[8], 1) << "saved on the way in, not by Esc";
    // The resume button saves first.
    std::remove(dir.file("profile.dat").c_str());
    run(reach::GAME + "set game.score 700\n" + reach::click(at::OPTIONS) +
        "click 450 213\n"
        "click 500 540\n"
        "wait 50\n"
        "expect screen game\n"
        "expect game.start_difficulty 3\n"
        "expect game.score 0\n");
    EXPECT_EQ(file("profile.dat"),
              (std::vector<uint8_t>{1, 0, 0, 0, 3, 0, 0, 0, 3, 0, 0, 0, 1, 0, 0, 0}));
    // An unchanged difficulty resumes the same game.
    run("start\nkey esc\nwait 50\n" + reach::click(at::NEW_GAME) + "set game.score 700\n" +
        reach::click(at::INSTRUCTIONS) +
        "expect screen instructions\n"
        "click 330 540\n"
        "wait 50\n"
        "expect screen game\n"
        "expect game.score 700\n");
}

}  // namespace

// A start after a whole session is indistinguishable from a fresh process: the
// same script gives the same frames before and after another session ran in the
// process (one that left a key flashing on name entry, the intro half-way, a
// paused game's numbers). ctest runs each test in a process of its own, so the
// first run is a fresh process's.
TEST_F(EndToEnd, AStartAfterASessionRunsAsAFreshProcess) {
    const std::string to_name_entry = reach::GAME_OVER + "wait 9400\nexpect screen name_entry\n";
    const std::string session = to_name_entry + "key b\nwait 30\nkey c\nwait 300\n";
    const std::string other =
        to_name_entry + "key a\nwait 30\nkey f12\nwait 30\nstart\nwait 2500\nkey esc\nwait 50\n" +
        reach::click(at::NEW_GAME) + "key p\nwait 100\nkey f12\nwait 30\n";
    std::vector<uint64_t> fresh;
    std::vector<uint64_t> again;
    auto collect = [](const uint32_t* argb, void* frames) {
        static_cast<std::vector<uint64_t>*>(frames)->push_back(frame_hash(argb));
    };
    headless_on_present(collect, &fresh);
    run(session);
    headless_on_present(nullptr, nullptr);
    std::filesystem::remove(dir.file("profile.dat"));
    run(other);
    std::filesystem::remove(dir.file("profile.dat"));
    headless_on_present(collect, &again);
    run(session);
    headless_on_present(nullptr, nullptr);
    ASSERT_GT(fresh.size(), 100u);
    ASSERT_EQ(again.size(), fresh.size());
    for (size_t i = 0; i < fresh.size(); ++i) ASSERT_EQ(again[i], fresh[i]) << "frame " << i;
}
