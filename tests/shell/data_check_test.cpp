// Start-up refuses missing or damaged game data before the window opens, naming
// the file and the folder it looked in; a damaged sound only warns.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "shell/main_loop.h"
#include "shell/program.h"
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
        const char* named;
    } cases[] = {
        {"board_", {}, "Missing or unreadable game file ./data/board_"},
        {"stone7_", {}, "data/stone7_"},
        {"sound4_", {}, "Missing or unreadable game file ./data/sound4_"},
        {"button5_", {'X', 'Y'}, "Damaged (not a 180x42 picture) game file ./data/button5_"},
        {"options_", bitmap_header(311, 484), "not a 310x484 picture"},
        {"stone0_", bitmap_header(50, 49), "data/stone0_"},
    };
    for (const Case& c : cases) {
        fresh_data();
        if (c.bytes.empty()) {
            fs::remove(dir.path() / "data" / c.file);
        } else {
            replace(c.file, c.bytes);
        }
        char problem[8192];
        EXPECT_FALSE(check_game_data(problem, sizeof problem)) << c.file;
        EXPECT_NE(std::string(problem).find(c.named), std::string::npos) << problem;
        EXPECT_NE(std::string(problem).find("looked for its data in ./data"), std::string::npos)
            << problem;
        EXPECT_FALSE(start_program()) << c.file;
        EXPECT_FALSE(headless_window_open()) << "no window for missing data";
        EXPECT_EQ(exit_status, 1);
        ASSERT_EQ(headless_messages().size(), 1u);
        EXPECT_NE(headless_messages()[0].find(c.named), std::string::npos);
    }
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

}  // namespace
