// Start-up refuses missing or damaged game data before the window opens, naming
// the file and the folder it looked in; a damaged sound only warns.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "runtime/main_loop.h"
#include "shell/error_message.h"
#include "shell/program.h"
#include "shell/session_tape.h"
#include "sound/sound.h"
#include "support/game_dir.h"

namespace fs = std::filesystem;

namespace {

// A game folder whose data/ holds links to every generated file, so single files
// can be taken away or replaced.
class DataCheck : public ::testing::Test {
  protected:
    void SetUp() override {
        generated = fs::read_symlink(dir.path() / "data");
        fresh_data();
    }
    void fresh_data() {
        reset_program_state();
        headless_reset();
        fs::remove_all(dir.path() / "data");
        fs::create_directory(dir.path() / "data");
        for (const auto& e : fs::directory_iterator(generated)) {
            fs::create_symlink(e.path(), dir.path() / "data" / e.path().filename());
        }
    }
    void TearDown() override { destroy_main_window(); }
    void replace(const char* name, const std::vector<uint8_t>& bytes) {
        fs::remove(dir.path() / "data" / name);
        std::ofstream out(dir.path() / "data" / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    // A bitmap header claiming width x height.
    static std::vector<uint8_t> bitmap_header(int32_t width, int32_t height) {
        std::vector<uint8_t> b(54, 0);
        b[0] = 'B', b[1] = 'M', b[14] = 40;
        for (int i = 0; i < 4; ++i) {
            b[18 + i] = static_cast<uint8_t>(static_cast<uint32_t>(width) >> (8 * i));
            b[22 + i] = static_cast<uint8_t>(static_cast<uint32_t>(height) >> (8 * i));
        }
        b[26] = 1, b[28] = 8;
        return b;
    }
    GameDir dir;
    fs::path generated;
};

TEST_F(DataCheck, MissingOrDamagedFilesAreNamedBeforeTheWindowOpens) {
    struct Case {
        const char* file;
        std::vector<uint8_t> bytes;  // empty: the file is removed
        bool loop;                   // a link to itself instead: it cannot be opened
        const char* named;
    } cases[] = {
        {"board_", {}, false, "a game file is missing."},
        {"stone7_", {}, false, "is missing"},
        {"sound4_", {}, false, "a game file is missing."},
        {"button5_", {'X', 'Y'}, false, "is damaged (not a 180x42"},
        {"options_", bitmap_header(311, 484), false, "not a 310x484"},
        {"stone0_", bitmap_header(50, 49), false, "is damaged"},
        {"stone3_", {}, true, "cannot be read (Too many"},
        {"sound2_", {}, true, "cannot be read (Too many"},
        {"font_", {}, false, "a game file is missing."},
        {"font_", {'C', 'F', 'N', 'T'}, false, "is damaged (not a font)"},
        {"font_", {}, true, "cannot be read (Too many"},
    };
    for (const Case& c : cases) {
        fresh_data();
        fs::remove(dir.path() / "data" / c.file);
        if (c.loop) {
            fs::create_symlink(c.file, dir.path() / "data" / c.file);
        } else if (!c.bytes.empty()) {
            replace(c.file, c.bytes);
        }
        char problem[8192];
        EXPECT_FALSE(check_game_data(problem, sizeof problem)) << c.file;
        std::string text = problem;
        EXPECT_NE(text.find(c.named), std::string::npos) << text;
        // The file on a line of its own, then what to do.
        std::string path = std::string("\n./data/") + c.file + "\n";
        EXPECT_NE(text.find(path), std::string::npos) << text;
        // The cause in the system's own words; what to do.
        if (c.loop) {
            EXPECT_NE(text.find("(Too many levels of symbolic links)"), std::string::npos);
        } else {
            EXPECT_NE(text.find("Reinstall the game, or run make again"), std::string::npos);
        }
        EXPECT_FALSE(start_program()) << c.file;
        EXPECT_FALSE(headless_window_open()) << "no window for missing data";
        EXPECT_EQ(exit_status, 1);
        ASSERT_EQ(headless_messages().size(), 1u);
        EXPECT_NE(headless_messages()[0].find(c.named), std::string::npos);
        EXPECT_NE(headless_messages()[0].find(path), std::string::npos);
    }
}

// Messages are wrapped for a box that fits an 800-pixel screen: lines of at
// most 64 characters, paths on lines of their own.
TEST(ErrorMessage, LinesFitTheBoxAndPathsStandAlone) {
    const std::string long_path =
        "/home/player/games/a-folder-with-a-long-name/another-long-folder-name/data/board_";
    struct Case {
        std::string text, wrapped;
    } cases[] = {
        {"Cannot set 800x600 desktop", "Cannot set 800x600 desktop"},
        {"Change to 800x600 desktop. Go to desktop properties to change then run this game.",
         "Change to 800x600 desktop. Go to desktop properties to change\nthen run this game."},
        {"The file /tmp/x/data is gone now", "The file\n/tmp/x/data\nis gone now"},
        {"A file is missing.\n./data/board_\nReinstall.",
         "A file is missing.\n./data/board_\nReinstall."},
        {"First.\n\nSecond.", "First.\n\nSecond."},
        {"Looked in:\n/a/data and /b/share/data\nDone.",
         "Looked in:\n/a/data\nand\n/b/share/data\nDone."},
        {"At " + long_path,
         "At\n/home/player/games/a-folder-with-a-long-name/\nanother-long-folder-name/data/board_"},
        {"Spaces   between  words ", "Spaces between words"},
    };
    for (const Case& c : cases) {
        char out[512];
        wrap_message(c.text.c_str(), out, sizeof out);
        EXPECT_EQ(std::string(out), c.wrapped) << c.text;
    }
    // Cut short, still terminated.
    char small[8];
    wrap_message("Cannot set 800x600 desktop", small, sizeof small);
    EXPECT_STREQ(small, "Cannot ");
}

TEST_F(DataCheck, TopDownBitmapsOfTheRightSizePass) {
    replace("highscores_", bitmap_header(243, -31));
    char problem[8192];
    EXPECT_TRUE(check_game_data(problem, sizeof problem)) << problem;
}

// A damaged sound is not fatal: its slot stays silent, with one warning.
TEST_F(DataCheck, DamagedSoundOnlyWarns) {
    replace("sound3_", {'R', 'I', 'F', 'F'});
    testing::internal::CaptureStderr();
    ASSERT_TRUE(start_program());
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("damaged sound file ./data/sound3_"), std::string::npos) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(exit_status, 0);
}

// Start-up reads each data file once: the sounds and pictures the check read are
// the ones loaded and fingerprinted, so a file changed after the check is read
// only by the next start.
TEST_F(DataCheck, StartUpTakesTheFilesTheCheckRead) {
    char problem[8192];
    ASSERT_TRUE(check_game_data(problem, sizeof problem)) << problem;
    const uint64_t checked = data_checksum();
    replace("sound3_", {'R', 'I', 'F', 'F'});
    replace("board_", {'R', 'I', 'F', 'F'});
    EXPECT_EQ(data_checksum(), checked);
    snd_load_all(1, 3);
    EXPECT_NE(sound_slots[SND_STRIKE].clip, nullptr);
    reset_checked_pictures();
    EXPECT_NE(data_checksum(), checked);
    snd_load_all(1, 3);
    EXPECT_EQ(sound_slots[SND_STRIKE].clip, nullptr);
    snd_release_all();
}

// The recording's data fingerprint tells apart what changes the game's pictures
// or decisions (a picture, the font), not what only changes its sound.
TEST_F(DataCheck, TheFingerprintCoversPicturesAndFontNotSounds) {
    const uint64_t original = data_checksum();
    struct Case {
        const char* file;
        bool changes;
    } cases[] = {{"board_", true},
                 {"stone5_", true},
                 {"font_", true},
                 {"sound0_", false},
                 {"sound8_", false}};
    for (const Case& c : cases) {
        fresh_data();
        replace(c.file, {'R', 'I', 'F', 'F'});
        EXPECT_EQ(data_checksum() != original, c.changes) << c.file;
    }
}

}  // namespace
