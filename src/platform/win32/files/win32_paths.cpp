// Path helpers of the Windows file code, the twin of the POSIX ones: both '\'
// and '/' separate folders, a drive ("C:\") or a share ("\\server\share\") is a
// root, and new folders are made with the wide-character calls.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "platform/common/paths.h"
#include "platform/platform.h"
#include "platform/win32/files/win32_text.h"

namespace {

constexpr int64_t kStaleSeconds = 3600;

bool is_separator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

// The length of the root at the start of a wide path: "C:\" 3, "\\server\share\"
// up to its last separator, "\" 1, none 0.
size_t root_length(const wchar_t* path) {
    if (path[0] != L'\0' && path[1] == L':') return is_separator(path[2]) ? 3 : 2;
    if (is_separator(path[0]) && is_separator(path[1])) {
        size_t i = 2;
        for (int parts = 0; parts < 2 && path[i] != L'\0'; ++parts) {
            while (path[i] != L'\0' && !is_separator(path[i])) ++i;
            if (path[i] != L'\0') ++i;
        }
        return i;
    }
    return is_separator(path[0]) ? 1 : 0;
}

bool is_wide_folder(const wchar_t* path) {
    DWORD attributes = GetFileAttributesW(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether a process of that number still runs.
bool process_running(unsigned long pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
    DWORD code = 0;
    bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

}  // namespace

bool copy_path(char* out, const char* path) {
    int n = std::snprintf(out, kPathMax, "%s", path);
    if (n < 0 || static_cast<size_t>(n) >= kPathMax) {
        out[0] = '\0';
        return false;
    }
    return true;
}

void platform_shown_path(char* out, size_t size, const char* folder, const char* name) {
    if (size == 0) return;
    size_t length = std::strlen(folder);
    bool separated = length > 0 && (folder[length - 1] == '\\' || folder[length - 1] == '/');
    int n = std::snprintf(out, size, "%s%s%s", folder, separated ? "" : "\\", name);
    if (n < 0) {
        out[0] = '\0';
        return;
    }
    for (char* c = out; *c != '\0'; ++c) {
        if (*c == '/') *c = '\\';
    }
}

bool join_path(char* out, const char* folder, const char* name) {
    size_t length = std::strlen(folder);
    bool separated = length > 0 && (folder[length - 1] == '\\' || folder[length - 1] == '/');
    int n = std::snprintf(out, kPathMax, "%s%s%s", folder, separated ? "" : "\\", name);
    if (n < 0 || static_cast<size_t>(n) >= kPathMax) {
        out[0] = '\0';
        return false;
    }
    return true;
}

bool make_folders(const char* folder) {
    wchar_t path[kWidePathMax];
    if (!widen(folder, path, kWidePathMax)) return false;
    if (is_wide_folder(path)) return true;
    // Each component after the root in turn, the way mkdir -p does.
    for (wchar_t* p = path + root_length(path); *p; ++p) {
        if (!is_separator(*p) || is_separator(p[-1])) continue;
        wchar_t kept = *p;
        *p = L'\0';
        if (!CreateDirectoryW(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            set_errno_from(GetLastError());
            return false;
        }
        *p = kept;
    }
    if (!CreateDirectoryW(path, nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        set_errno_from(GetLastError());
        return false;
    }
    if (is_wide_folder(path)) return true;
    errno = ENOTDIR;
    return false;
}

void folder_of(char* out, const char* path) {
    if (!copy_path(out, path)) return;
    char* cut = nullptr;
    for (char* p = out; *p; ++p) {
        if (*p == '\\' || *p == '/') cut = p;
    }
    // "C:\x" and "\x" keep their root; "C:x" and "x" are in the working folder.
    bool drive = out[0] != '\0' && out[1] == ':';
    if (cut == nullptr) {
        if (drive) {
            out[2] = '\0';
        } else {
            copy_path(out, ".");
        }
    } else if (cut == out || (drive && cut == out + 2)) {
        cut[1] = '\0';
    } else {
        *cut = '\0';
    }
}

bool is_stale_temporary(const char* folder, const char* name) {
    long pid = 0;
    SaveTemporary kind = save_temporary(name, &pid);
    if (kind != SaveTemporary::kOfWriter) return kind == SaveTemporary::kOld;
    if (!process_running(static_cast<unsigned long>(pid))) return true;
    char path[kPathMax];
    wchar_t wide[kWidePathMax];
    int64_t written = 0;
    if (!join_path(path, folder, name) || !widen(path, wide, kWidePathMax) ||
        !wide_regular_file(wide, &written)) {
        return false;
    }
    // File times count 100 ns steps from 1601; the calendar, seconds from 1970.
    int64_t seconds = written / 10000000 - 11644473600LL;
    return static_cast<int64_t>(std::time(nullptr)) - seconds > kStaleSeconds;
}
