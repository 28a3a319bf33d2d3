// What recording sessions asks of the Linux desktop: the process's number, the time in UTC,
// and clearing out old sessions (the files themselves: session_files.cpp).
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"

void keep_newest_sessions(const char* folder, size_t keep) {
    DIR* dir = opendir(folder);
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* entry = readdir(dir)) {
        if (is_session_name(entry->d_name)) names.emplace_back(entry->d_name);
    }
    closedir(dir);
    if (names.size() <= keep) return;
    std::sort(names.begin(), names.end());
    char path[kPathMax];
    for (size_t i = 0; i + keep < names.size(); ++i) {
        if (join_path(path, folder, names[i].c_str())) unlink(path);
    }
}

long process_number() {
    return static_cast<long>(getpid());
}

bool utc_time(std::time_t seconds, std::tm* out) {
    return gmtime_r(&seconds, out) != nullptr;
}
