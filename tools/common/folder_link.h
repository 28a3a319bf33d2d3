// Showing a folder's files in a second place, for the tools and tests that run a
// game in a folder of their own beside the build's data/: a symbolic link, or
// where the system makes none (Windows without the right to, Wine), a folder of
// hard links to the files, or of copies as a last resort.
#pragma once

#include <filesystem>
#include <system_error>

inline bool link_folder(const std::filesystem::path& target, const std::filesystem::path& link) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directory_symlink(target, link, error);
    if (!error) return true;
    if (!fs::create_directory(link, error) || error) return false;
    for (const fs::directory_entry& entry : fs::directory_iterator(target, error)) {
        fs::path to = link / entry.path().filename();
        if (entry.is_directory(error)) {
            if (!link_folder(entry.path(), to)) return false;
            continue;
        }
        fs::create_hard_link(entry.path(), to, error);
        if (error) fs::copy_file(entry.path(), to, error);
        if (error) return false;
    }
    return !error;
}
