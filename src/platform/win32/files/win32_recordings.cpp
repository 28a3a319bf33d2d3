// What recording sessions asks of Windows: the process's number, the time in
// UTC, and clearing out old sessions (the files themselves:
// desktop/session_files.cpp).
#include <algorithm>
#include <ctime>
#include <string>
#include <vector>

#include "platform/common/paths.h"
#include "platform/desktop/desktop_files.h"
#include "platform/win32/files/win32_text.h"

void keep_newest_sessions(const char* folder, size_t keep) {
    char pattern[kPathMax];
    wchar_t wide[kWidePathMax];
    if (!join_path(pattern, folder, "*.rec") || !widen(pattern, wide, kWidePathMax)) return;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> names;
    char name[MAX_PATH * 3];
    do {
        if (narrow(found.cFileName, name, sizeof name) && is_session_name(name)) {
            names.emplace_back(name);
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    if (names.size() <= keep) return;
    std::sort(names.begin(), names.end());
    char path[kPathMax];
    for (size_t i = 0; i + keep < names.size(); ++i) {
        if (join_path(path, folder, names[i].c_str()) && widen(path, wide, kWidePathMax)) {
            DeleteFileW(wide);
        }
    }
}

long process_number() {
    return static_cast<long>(GetCurrentProcessId());
}

bool utc_time(std::time_t seconds, std::tm* out) {
    return gmtime_s(out, &seconds) == 0;
}
