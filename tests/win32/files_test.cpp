// The Windows twin of the file code, where Windows differs: paths in messages
// are written with backslashes, a save replaces the old file (also while another
// copy of the game reads it), bytes pass unchanged (no text mode), wide paths
// come and go as UTF-8, a failed save is reported, stale temporaries go, and the
// save lock holds between two copies of the game.
#include <gtest/gtest.h>
#include <process.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace fs = std::filesystem;

namespace {

// A folder of the test's own, named as UTF-8 text.
class Folder {
  public:
    explicit Folder(const char* name) {
        path_ = fs::temp_directory_path() / fs::u8path(name);
        fs::remove_all(path_);
        fs::create_directories(path_);
        text_ = path_.u8string();
    }
    ~Folder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    std::string file(const char* name) const { return (path_ / fs::u8path(name)).u8string(); }
    const std::string& text() const { return text_; }
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
    std::string text_;
};

std::vector<uint8_t> read_all(const std::string& path) {
    std::vector<uint8_t> bytes(4096);
    int32_t file = platform_file_open(path.c_str());
    if (file < 0) return {};
    int32_t got = platform_file_read(file, bytes.data(), static_cast<uint32_t>(bytes.size()));
    platform_file_close(file);
    bytes.resize(got < 0 ? 0 : static_cast<size_t>(got));
    return bytes;
}

TEST(WindowsFiles, MessagesShowPathsWithBackslashes) {
    struct Case {
        const char* folder;
        const char* name;
        size_t size;
        const char* shown;
    };
    const Case cases[] = {
        {"C:\\Games\\Cairnfall", "data/board_", 64, "C:\\Games\\Cairnfall\\data\\board_"},
        {"C:\\", "data/font_", 64, "C:\\data\\font_"},
        {"Z:\\tmp/game/", "data", 64, "Z:\\tmp\\game\\data"},
        {"C:\\Games", "data/board_", 12, "C:\\Games\\da"},  // cut short, still ended
    };
    for (const Case& c : cases) {
        char out[64];
        platform_shown_path(out, c.size, c.folder, c.name);
        EXPECT_STREQ(out, c.shown) << c.folder << " + " << c.name;
    }
}

TEST(WindowsFiles, SavesReplaceAndKeepEveryByte) {
    Folder folder(u8"cairnfall-files-Spieler Ünïcødé 名前");
    const std::string path = folder.file(u8"höhe.dat");
    // LF, CR LF and 0x1A, which a text-mode file would change or stop at.
    const std::vector<uint8_t> first = {'a', '\n', 'b', '\r', '\n', 0x1a, 'c', 0};
    const std::vector<uint8_t> second = {0x1a, 0x1a, '\n', 0xff};
    ASSERT_TRUE(platform_write_file_atomic(path.c_str(), first.data(), first.size()));
    EXPECT_EQ(read_all(path), first);
    // Replacing a file that exists, while another copy of the game reads it for
    // a moment.
    int32_t reader = platform_file_open(path.c_str());
    ASSERT_GE(reader, 0);
    std::thread other([reader] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        platform_file_close(reader);
    });
    EXPECT_TRUE(platform_write_file_atomic(path.c_str(), second.data(), second.size()));
    other.join();
    EXPECT_EQ(read_all(path), second);
    // Nothing else is left in the folder: the temporary file became the save.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(WindowsFiles, SavedFilesGoToTheFirstFolderThatTakesThem) {
    Folder folder(u8"cairnfall-saves-ñ");
    // A file where the first save folder should be: no folder can be made there.
    std::ofstream(folder.path() / "blocked") << "x";
    const std::string blocked = folder.file("blocked") + "\\saves";
    const std::string good = folder.file("saves");
    const char* list[] = {blocked.c_str(), good.c_str()};
    platform_set_save_folders(list, 2);
    const uint8_t bytes[] = {1, 2, 3};
    EXPECT_TRUE(platform_write_saved("cairnfall.dat", bytes, sizeof bytes));
    EXPECT_TRUE(fs::exists(fs::u8path(good) / "cairnfall.dat"));
    uint8_t back[8] = {};
    EXPECT_EQ(platform_read_saved("cairnfall.dat", back, sizeof back), 3);

    // With no folder that takes it, the save fails and says where and why.
    const char* only[] = {blocked.c_str()};
    platform_set_save_folders(only, 1);
    EXPECT_FALSE(platform_write_saved("cairnfall.dat", bytes, sizeof bytes));
    EXPECT_NE(std::string(platform_save_error()).find("blocked"), std::string::npos)
        << platform_save_error();
    const char* here[] = {"."};
    platform_set_save_folders(here, 1);
}

TEST(WindowsFiles, StaleTemporariesGoAndLiveOnesStay) {
    Folder folder("cairnfall-stale");
    struct Case {
        std::string name;
        bool removed;
    };
    const std::string own = "cairnfall.dat.tmp-" + std::to_string(_getpid()) + "-1";
    const Case cases[] = {
        {"cairnfall.dat.tmp", true},            // the fixed name of older versions
        {"profile.dat.tmp-999999991-7", true},  // its writer is gone
        {own, false},                           // this process writes it
        {"notes.txt.tmp-999999991-7", false},   // not the game's
        {"cairnfall.dat", false},
    };
    for (const Case& c : cases) std::ofstream(folder.path() / c.name) << "x";
    const std::string text = folder.text();
    const char* list[] = {text.c_str()};
    platform_set_save_folders(list, 1);
    platform_remove_stale_temporaries();
    for (const Case& c : cases) EXPECT_EQ(!fs::exists(folder.path() / c.name), c.removed) << c.name;
    const char* here[] = {"."};
    platform_set_save_folders(here, 1);
}

std::string program_path;

TEST(WindowsFiles, TheSaveLockHoldsBetweenTwoCopies) {
    Folder folder("cairnfall-lock");
    const std::string held = folder.file("held");
    // The other copy: this program again, holding the lock for a second.
    intptr_t other = _spawnl(_P_NOWAIT, program_path.c_str(), program_path.c_str(), "--hold-lock",
                             folder.text().c_str(), nullptr);
    ASSERT_NE(other, -1);
    for (int i = 0; i < 300 && !fs::exists(fs::u8path(held)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(fs::exists(fs::u8path(held))) << "the other copy never took the lock";
    const std::string text = folder.text();
    const char* list[] = {text.c_str()};
    platform_set_save_folders(list, 1);
    auto start = std::chrono::steady_clock::now();
    platform_lock_saves();
    auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    platform_unlock_saves();
    int status = 0;
    _cwait(&status, other, 0);
    EXPECT_GE(waited.count(), 500) << "the lock did not wait for the other copy";
    const char* here[] = {"."};
    platform_set_save_folders(here, 1);
}

}  // namespace

int main(int argc, char** argv) {
    // The other copy of the lock test: takes the lock, says so, holds it a second.
    if (argc == 3 && std::string(argv[1]) == "--hold-lock") {
        const char* list[] = {argv[2]};
        platform_set_save_folders(list, 1);
        platform_lock_saves();
        std::ofstream(fs::u8path(std::string(argv[2]) + "\\held")) << "x";
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        platform_unlock_saves();
        return 0;
    }
    program_path = argv[0];
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
