// Where saved files go: the newest copy wins on reading, a write falls back to the
// next folder, a failure is reported and changes nothing, the player's folder
// follows XDG, stale temporary files go, and a named pipe never blocks start-up.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/screens.h"
#include "support/game_dir.h"

namespace fs = std::filesystem;

namespace {

void write_bytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> read_bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void set_mtime(const fs::path& path, int seconds_ago) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::seconds(seconds_ago));
}

class SaveFolders : public ::testing::Test {
  protected:
    void SetUp() override {
        first = dir.path() / "first";
        second = dir.path() / "second" / "nested";
        fs::create_directories(first);
        use({first.string(), second.string()});
        profile = Profile{1, 3, 1, 0};
        scores_save_failed = false;
        std::memset(high_scores, 0, sizeof high_scores);
    }
    void TearDown() override { use({"."}); }
    void use(const std::vector<std::string>& list) {
        std::vector<const char*> c;
        for (const auto& f : list) c.push_back(f.c_str());
        platform_set_save_folders(c.data(), static_cast<int32_t>(c.size()));
    }
    GameDir dir;
    fs::path first, second;
};

// Reading takes the newest copy, whichever folder holds it.
TEST_F(SaveFolders, ReadingTakesTheNewestCopy) {
    struct Case {
        const char* name;
        int first_age;  // seconds; -1: no file there
        int second_age;
        uint8_t expected;
    } cases[] = {
        {"only the first", 10, -1, 1},
        {"only the second", -1, 10, 2},
        {"the second is newer", 100, 10, 2},
        {"the first is newer", 10, 100, 1},
        {"neither", -1, -1, 0},
    };
    for (const Case& c : cases) {
        fs::remove(first / "profile.dat");
        fs::remove_all(dir.path() / "second");
        fs::create_directories(second);
        if (c.first_age >= 0) {
            write_bytes(first / "profile.dat", std::vector<uint8_t>(16, 1));
            set_mtime(first / "profile.dat", c.first_age);
        }
        if (c.second_age >= 0) {
            write_bytes(second / "profile.dat", std::vector<uint8_t>(16, 2));
            set_mtime(second / "profile.dat", c.second_age);
        }
        uint8_t bytes[16] = {};
        int32_t got = platform_read_saved("profile.dat", bytes, 16);
        if (c.expected == 0) {
            EXPECT_EQ(got, -1) << c.name;
        } else {
            EXPECT_EQ(got, 16) << c.name;
            EXPECT_EQ(bytes[0], c.expected) << c.name;
        }
    }
}

// A first folder that cannot be written (a path through a regular file stands in
// for a read-only folder) sends the save to the player's folder, which is made
// with mode 0700.
TEST_F(SaveFolders, AFailedWriteFallsBackToTheNextFolder) {
    write_bytes(dir.path() / "plain", {1});
    use({(dir.path() / "plain" / "sub").string(), second.string()});
    EXPECT_TRUE(save_profile());
    EXPECT_EQ(profile.profile_saved, 1);
    EXPECT_EQ(read_bytes(second / "profile.dat").size(), 16u);
    struct stat info;
    ASSERT_EQ(stat(second.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    high_scores[0] = {"AMY", 500};
    EXPECT_TRUE(save_new_high_score("BO", 900));
    EXPECT_FALSE(scores_save_failed);
    std::memset(high_scores, 0, sizeof high_scores);
    load_high_scores();
    EXPECT_EQ(high_scores[0].score, 900);
    EXPECT_EQ(high_scores[1].score, 500);
}

// When no folder takes the file, nothing claims success.
TEST_F(SaveFolders, NoWritableFolderIsReportedAndChangesNothing) {
    write_bytes(dir.path() / "plain", {1});
    use({(dir.path() / "plain" / "a").string(), (dir.path() / "plain" / "b").string()});
    EXPECT_FALSE(save_profile());
    EXPECT_EQ(profile.profile_saved, 0) << "the next run still offers the first-run choice";
    EXPECT_FALSE(save_new_high_score("CY", 70));
    EXPECT_TRUE(scores_save_failed);
    EXPECT_NE(std::string(platform_save_error()).find("plain"), std::string::npos)
        << platform_save_error();
    use({first.string()});
    EXPECT_TRUE(save_new_high_score("CY", 80));
    EXPECT_FALSE(scores_save_failed) << "a later save that works clears the warning";
}

// A score entered by another copy since this one read the file is kept.
TEST_F(SaveFolders, NewScoreIsInsertedIntoWhatIsOnDiskNow) {
    high_scores[0] = {"OLD", 100};
    save_high_scores();
    // Another copy enters 300 meanwhile; this copy's table still shows only 100.
    high_scores[0] = {"OTHER", 300};
    high_scores[1] = {"OLD", 100};
    save_high_scores();
    std::memset(high_scores, 0, sizeof high_scores);
    high_scores[0] = {"OLD", 100};
    EXPECT_TRUE(save_new_high_score("ME", 200));
    EXPECT_EQ(high_scores[0].score, 300);
    EXPECT_EQ(high_scores[1].score, 200);
    EXPECT_EQ(high_scores[2].score, 100);
    EXPECT_STREQ(high_scores[1].name, "ME");
}

TEST_F(SaveFolders, PlayerFolderFollowsXdg) {
    const char* saved_xdg = std::getenv("XDG_DATA_HOME");
    const char* saved_home = std::getenv("HOME");
    std::string old_xdg = saved_xdg ? saved_xdg : "", old_home = saved_home ? saved_home : "";
    struct Case {
        const char* xdg;  // null: unset
        const char* home;
        const char* expected;
    } cases[] = {
        {"/x/data", "/home/p", "/x/data/cairnfall"},
        {nullptr, "/home/p", "/home/p/.local/share/cairnfall"},
        {"relative/data", "/home/p", "/home/p/.local/share/cairnfall"},
        {"", "/home/p", "/home/p/.local/share/cairnfall"},
    };
    for (const Case& c : cases) {
        if (c.xdg)
            setenv("XDG_DATA_HOME", c.xdg, 1);
        else
            unsetenv("XDG_DATA_HOME");
        setenv("HOME", c.home, 1);
        char folder[4096];
        ASSERT_TRUE(platform_player_folder(folder, sizeof folder));
        EXPECT_STREQ(folder, c.expected) << (c.xdg ? c.xdg : "(unset)");
    }
    if (saved_xdg)
        setenv("XDG_DATA_HOME", old_xdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    if (saved_home)
        setenv("HOME", old_home.c_str(), 1);
    else
        unsetenv("HOME");
}

// Each save uses a temporary file of its own and leaves none; start-up removes
// what a killed save left, but not another running copy's file or foreign files.
TEST_F(SaveFolders, StaleTemporaryFilesAreRemoved) {
    EXPECT_TRUE(save_profile());
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(first)) names.push_back(e.path().filename());
    EXPECT_EQ(names, std::vector<std::string>{"profile.dat"});

    std::string alive = "profile.dat.tmp-" + std::to_string(getpid()) + "-abcdef";
    struct Case {
        std::string name;
        bool removed;
    } cases[] = {
        {"cairnfall.dat.tmp", true},                 // the fixed name of earlier versions
        {"profile.dat.tmp-999999999-Xy12Ab", true},  // its writer is gone
        {alive, false},                              // a copy still running
        {"notes.txt.tmp-999999999-Xy12Ab", false},   // not the game's
        {"cairnfall.dat", false},
    };
    for (const Case& c : cases) write_bytes(first / c.name, {7});
    platform_remove_stale_temporaries();
    for (const Case& c : cases) EXPECT_EQ(!fs::exists(first / c.name), c.removed) << c.name;
}

// A named pipe where a saved file should be reads as no file, at once.
TEST_F(SaveFolders, NamedPipeNeverBlocks) {
    ASSERT_EQ(mkfifo((first / "cairnfall.dat").c_str(), 0600), 0);
    uint8_t bytes[160];
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(platform_read_saved("cairnfall.dat", bytes, 160), -1);
    high_scores[0] = {"KEPT", 5};
    load_high_scores();
    EXPECT_EQ(high_scores[0].score, 5);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
