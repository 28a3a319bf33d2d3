// UTF-8 and UTF-16 paths, and Win32 errors as errno values.
#include "platform/win32/files/win32_text.h"

#include <cerrno>
#include <cstdint>

bool widen(const char* text, wchar_t* out, size_t count) {
    if (count == 0) return false;
    out[0] = L'\0';
    if (text[0] == '\0') return true;
    int n =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, out, static_cast<int>(count));
    if (n <= 0) {
        errno = GetLastError() == ERROR_INSUFFICIENT_BUFFER ? ENAMETOOLONG : EILSEQ;
        out[0] = L'\0';
        return false;
    }
    return true;
}

bool narrow(const wchar_t* text, char* out, size_t size) {
    if (size == 0) return false;
    out[0] = '\0';
    if (text[0] == L'\0') return true;
    int n =
        WideCharToMultiByte(CP_UTF8, 0, text, -1, out, static_cast<int>(size), nullptr, nullptr);
    if (n <= 0) {
        out[0] = '\0';
        return false;
    }
    return true;
}

void set_errno_from(DWORD error) {
    struct Pair {
        DWORD error;
        int value;
    };
    static const Pair kPairs[] = {
        {ERROR_FILE_NOT_FOUND, ENOENT},
        {ERROR_PATH_NOT_FOUND, ENOENT},
        {ERROR_INVALID_NAME, ENOENT},
        {ERROR_BAD_PATHNAME, ENOENT},
        {ERROR_ACCESS_DENIED, EACCES},
        {ERROR_SHARING_VIOLATION, EACCES},
        {ERROR_LOCK_VIOLATION, EACCES},
        {ERROR_WRITE_PROTECT, EROFS},
        {ERROR_FILE_EXISTS, EEXIST},
        {ERROR_ALREADY_EXISTS, EEXIST},
        {ERROR_DISK_FULL, ENOSPC},
        {ERROR_HANDLE_DISK_FULL, ENOSPC},
        {ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG},
        {ERROR_DIRECTORY, ENOTDIR},
        {ERROR_NOT_ENOUGH_MEMORY, ENOMEM},
        {ERROR_OUTOFMEMORY, ENOMEM},
    };
    for (const Pair& pair : kPairs) {
        if (pair.error == error) {
            errno = pair.value;
            return;
        }
    }
    errno = EIO;
}

bool wide_regular_file(const wchar_t* path, int64_t* written) {
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExW(path, GetFileExInfoStandard, &info)) return false;
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return false;
    *written =
        static_cast<int64_t>(static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                             info.ftLastWriteTime.dwLowDateTime);
    return true;
}
