// A folder of a test's own to run the program in: it links the generated data/
// of the build and holds the test's own saved files, so tests run in parallel
// never share "cairnfall.dat" or "profile.dat". The test's working folder is the
// build folder (where data/ is generated); the GameDir becomes the working folder
// for its lifetime.
#pragma once

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>

#include "common/folder_link.h"

class GameDir {
  public:
    GameDir() {
        namespace fs = std::filesystem;
        previous_ = fs::current_path();
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            fs::path candidate =
                fs::temp_directory_path() / ("cairnfall-test-" + std::to_string(random()));
            if (fs::create_directory(candidate)) {
                path_ = candidate;
                break;
            }
        }
        // A test run without the data would fail far from the cause, or wait on it.
        if (path_.empty() || !link_folder(previous_ / "data", path_ / "data")) {
            throw std::runtime_error("cannot make a game folder with " +
                                     (previous_ / "data").string() + " in " +
                                     fs::temp_directory_path().string());
        }
        fs::current_path(path_);
        text_ = path_.u8string();
    }
    ~GameDir() {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    GameDir(const GameDir&) = delete;
    GameDir& operator=(const GameDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder's path as the game's calls take it (UTF-8, on every system).
    const std::string& text() const { return text_; }
    // The full path of a file inside the folder.
    std::string file(const char* name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
    std::string text_;
};
