// Name entry: the keyboard's shifted areas, the eight-character limit, BACK,
// D O N E, and the keys.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "screen_fixture.h"

namespace {

class NameEntry : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        game.score = 4321;
        enter_name_entry();
    }
    std::string name() const { return std::string(name_text, name_length); }
    // A point well inside letter n's area.
    void press_letter(int32_t n) { click(290 + 50 * (n % 9) + 25, 190 + 50 * (n / 9)); }
    void press_space() { click(380, 340); }
    void press_back() { click(640, 340); }
    void press_done() { click(500, 440); }
};

TEST_F(NameEntry, StartsEmptyWithItsClick) {
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_EQ(name_length, 0);
    EXPECT_STREQ(name_text, "");
    EXPECT_TRUE(headless_text_entry());  // a device's own keyboard may type
    EXPECT_EQ(screen_after_tick(), Drawn::name_entry);
}

TEST_F(NameEntry, EveryLetterKeyGivesItsLetter) {
    for (int32_t n = 0; n < 26; n++) {
        enter_name_entry();
        press_letter(n);
        EXPECT_EQ(name(), std::string(1, static_cast<char>('A' + n)));
    }
}

TEST_F(NameEntry, AreasAreShiftedFromTheStones) {
    struct Case {
        int32_t x, y;
        const char* added;  // "" for nothing
    };
    const Case cases[] = {
        {291, 166, "A"},
        {339, 214, "A"},
        {290, 190, ""},
        {340, 190, ""},
        {300, 165, ""},
        {300, 215, ""},
        {341, 190, "B"},
        {689, 190, "H"},
        {690, 190, ""},
        {691, 190, "I"},
        {739, 190, "I"},
        {740, 190, ""},
        // the lowest rows of A's stone (y 216..224) belong to J, below it
        {300, 220, "J"},
        {300, 224, "J"},
        // the leftmost 15 columns of a stone belong to the letter on its left
        {280, 200, ""},
        {330, 200, "A"},
        {326, 200, "A"},
        {291, 216, "J"},
        {291, 266, "S"},
        {641, 266, "Z"},
        {691, 290, ""},
        {700, 290, ""},
        {300, 314, "S"},
        {300, 315, ""},
    };
    for (const Case& c : cases) {
        enter_name_entry();
        click(c.x, c.y);
        EXPECT_EQ(name(), c.added) << c.x << "," << c.y;
    }
}

TEST_F(NameEntry, LabelledKeysReactInsideTheirEdgesOnly) {
    struct Case {
        int32_t x, y;
        const char* name;  // after "AB" was typed
        bool done;
    };
    const Case cases[] = {
        {334, 316, "AB ", false}, {432, 364, "AB ", false}, {333, 340, "AB", false},
        {433, 340, "AB", false},  {380, 315, "AB", false},  {380, 365, "AB", false},
        {591, 316, "A", false},   {689, 364, "A", false},   {590, 340, "AB", false},
        {690, 340, "AB", false},  {640, 365, "AB", false},  {451, 416, "AB", true},
        {549, 464, "AB", true},   {450, 440, "AB", false},  {550, 440, "AB", false},
        {500, 415, "AB", false},  {500, 465, "AB", false},  {510, 340, "AB", false},
    };
    for (const Case& c : cases) {
        destroy_main_window();
        std::remove("cairnfall.dat");  // written by an earlier D O N E
        start();
        game.score = 10;
        enter_name_entry();
        press_letter(0);
        press_letter(1);
        click(c.x, c.y);
        EXPECT_EQ(name(), c.name) << c.x << "," << c.y;
        EXPECT_EQ(high_scores[0].score == 10, c.done) << c.x << "," << c.y;
    }
}

TEST_F(NameEntry, NameStopsAtEightCharacters) {
    for (int32_t n = 0; n < 9; n++) press_letter(n);
    EXPECT_EQ(name(), "ABCDEFGH");
    EXPECT_STREQ(name_text, "ABCDEFGH");
    press_space();
    EXPECT_EQ(name(), "ABCDEFGH");
    tick();
    // The cursor stands right of the eighth slot.
    EXPECT_EQ(pixel(376 + 32 * 8, 130), 10);
    press_back();
    EXPECT_EQ(name(), "ABCDEFG");
    EXPECT_STREQ(name_text, "ABCDEFG");
    press_letter(25);
    EXPECT_EQ(name(), "ABCDEFGZ");
}

TEST_F(NameEntry, BackStopsAtTheEmptyName) {
    press_back();
    EXPECT_EQ(name_length, 0);
    EXPECT_STREQ(name_text, "");
    press_letter(2);
    press_back();
    press_back();
    EXPECT_EQ(name_length, 0);
    tick();
    EXPECT_EQ(pixel(376, 130), 10) << "the cursor at the first slot";
}

TEST_F(NameEntry, SpacesAreStoredAsTyped) {
    press_space();
    press_letter(10);
    press_space();
    press_done();
    EXPECT_STREQ(high_scores[0].name, " K ");
    EXPECT_EQ(high_scores[0].score, 4321);
}

TEST_F(NameEntry, DoneEntersTheNameSavesTheFileAndShowsTheTable) {
    high_scores[0] = HighScoreEntry{"BEST", 9000};
    high_scores[1] = HighScoreEntry{"NEXT", 100};
    press_letter(4);
    press_letter(21);
    press_letter(0);
    headless_clear_audio_log();
    press_done();
    EXPECT_STREQ(high_scores[1].name, "EVA");
    EXPECT_EQ(high_scores[1].score, 4321);
    EXPECT_STREQ(high_scores[2].name, "NEXT");
    std::vector<uint8_t> file = file_bytes("cairnfall.dat");
    ASSERT_EQ(file.size(), 160u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(file.data()) + 16), "EVA");
    EXPECT_EQ(file[28] | file[29] << 8, 4321);
    EXPECT_EQ(plays(SND_CLICK), 1);
    EXPECT_FALSE(headless_text_entry());
    EXPECT_EQ(screen_after_tick(), Drawn::high_scores);
}

TEST_F(NameEntry, DoneWithAnEmptyNameStoresAnEmptyRow) {
    press_done();
    EXPECT_STREQ(high_scores[0].name, "");
    EXPECT_EQ(high_scores[0].score, 4321);
}

TEST_F(NameEntry, TheKeyboardTypesAndF12Quits) {
    press_letter(7);
    key('A');  // types A
    key(' ');  // a space
    key(KEY_BACKSPACE);
    key(KEY_ESCAPE);  // nothing
    key('1');         // nothing: the menu bar does not react here
    move(100, 317);
    click(100, 317);  // nor to the mouse
    EXPECT_EQ(name(), "HA");
    EXPECT_EQ(screen_after_tick(), Drawn::name_entry);
    key(KEY_F12);
    EXPECT_EQ(main_window, 0);
}

TEST_F(NameEntry, EveryEntryStartsAnEmptyName) {
    press_letter(3);
    enter_name_entry();
    EXPECT_EQ(name(), "");
}

}  // namespace
