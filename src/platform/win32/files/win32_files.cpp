// Files and folders through the wide-character Win32 calls: the Windows twin of
// the POSIX files. Reads go through the C runtime's descriptors opened in binary
// mode (the text mode would turn LF into CRLF and stop at 0x1A); a save is a new
// temporary file flushed to disk, then moved over the old one with write-through.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/platform.h"
#include "platform/win32/files/win32_text.h"

bool platform_executable_path(char* buffer, size_t size) {
    if (size == 0) return false;
    wchar_t path[kWidePathMax];
    DWORD n = GetModuleFileNameW(nullptr, path, kWidePathMax);
    // A path that fills the buffer may have been cut short: not to be trusted.
    if (n == 0 || n >= kWidePathMax) return false;
    return narrow(path, buffer, size);
}

bool platform_absolute_path(const char* path, char* buffer, size_t size) {
    wchar_t wide[kWidePathMax];
    wchar_t full[kWidePathMax];
    if (!widen(path, wide, kWidePathMax)) return false;
    DWORD n = GetFullPathNameW(wide, kWidePathMax, full, nullptr);
    return n > 0 && n < kWidePathMax && narrow(full, buffer, size);
}

bool platform_change_directory(const char* path) {
    wchar_t wide[kWidePathMax];
    return widen(path, wide, kWidePathMax) && SetCurrentDirectoryW(wide);
}

bool write_all(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        size_t part = size - done > 0x40000000u ? 0x40000000u : size - done;
        int w = _write(fd, bytes + done, static_cast<unsigned>(part));
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    return true;
}

int open_new_file(const char* path, bool exclusive) {
    wchar_t wide[kWidePathMax];
    if (!widen(path, wide, kWidePathMax)) return -1;
    int flags = _O_WRONLY | _O_CREAT | _O_BINARY | _O_NOINHERIT | (exclusive ? _O_EXCL : _O_TRUNC);
    return _wopen(wide, flags, _S_IREAD | _S_IWRITE);
}

namespace {

// How often and how far apart a save tries to replace a file that is open elsewhere.
constexpr int kBusyRetries = 25;
constexpr DWORD kBusyRetryMs = 20;

// Writes the whole of data to a new file of a name of its own beside `target`;
// the handle is closed either way. False (errno set) on failure, the file removed.
bool write_temporary(const wchar_t* temp, const void* data, size_t size) {
    HANDLE file =
        CreateFileW(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        set_errno_from(GetLastError());
        return false;
    }
    const char* bytes = static_cast<const char*>(data);
    bool ok = true;
    size_t done = 0;
    while (ok && done < size) {
        DWORD part = size - done > 0x40000000u ? 0x40000000u : static_cast<DWORD>(size - done);
        DWORD wrote = 0;
        ok = WriteFile(file, bytes + done, part, &wrote, nullptr) && wrote > 0;
        done += wrote;
    }
    // On the disk before the name points at it, so that a power cut leaves the
    // old file or the new one, never an empty one.
    ok = ok && FlushFileBuffers(file);
    DWORD error = ok ? 0 : GetLastError();
    if (!CloseHandle(file) && ok) {
        ok = false;
        error = GetLastError();
    }
    if (!ok) {
        DeleteFileW(temp);
        set_errno_from(error != 0 ? error : ERROR_DISK_FULL);
    }
    return ok;
}

}  // namespace

bool platform_write_file_atomic(const char* path, const void* data, size_t size) {
    wchar_t target[kWidePathMax];
    if (!widen(path, target, kWidePathMax)) return false;
    // A name of its own for every save, created new: two copies of the game
    // writing at once never share (or truncate) each other's temporary file.
    static unsigned counter = 0;
    wchar_t temp[kWidePathMax];
    for (int attempt = 0;; ++attempt) {
        int n = _snwprintf(temp, kWidePathMax, L"%ls.tmp-%lu-%lu%03u", target,
                           static_cast<unsigned long>(GetCurrentProcessId()),
                           static_cast<unsigned long>(GetTickCount()), ++counter % 1000);
        if (n < 0 || static_cast<size_t>(n) >= kWidePathMax) {
            errno = ENAMETOOLONG;
            return false;
        }
        if (write_temporary(temp, data, size)) break;
        if (errno != EEXIST || attempt >= 100) return false;
    }
    // Unlike rename, MoveFileEx replaces a file that exists; write-through makes
    // the move itself reach the disk before it returns. A file open elsewhere
    // cannot be replaced: another copy of the game reading it, or a virus scanner
    // or indexer looking, lets go within moments, so the move is tried again.
    for (int attempt = 0;; ++attempt) {
        if (MoveFileExW(temp, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DWORD error = GetLastError();
        bool busy = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                    error == ERROR_LOCK_VIOLATION;
        if (!busy || attempt >= kBusyRetries) {
            DeleteFileW(temp);
            set_errno_from(error);
            return false;
        }
        Sleep(kBusyRetryMs);
    }
}

int32_t platform_file_open(const char* path) {
    wchar_t wide[kWidePathMax];
    if (!widen(path, wide, kWidePathMax)) return refuse_open(std::strerror(errno), false);
    // Only regular files: a folder or a device ("NUL", "CON") is refused before it
    // is opened, so that nothing can block.
    DWORD attributes = GetFileAttributesW(wide);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        set_errno_from(error);
        return refuse_open(std::strerror(errno),
                           error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
        return refuse_open("not a regular file", false);
    }
    // Shared for deleting too: another copy of the game may replace the file (or
    // a hard link to it go) while this one reads it.
    HANDLE handle =
        CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        set_errno_from(error);
        return refuse_open(std::strerror(errno),
                           error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND);
    }
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        CloseHandle(handle);
        return refuse_open("not a regular file", false);
    }
    // A C runtime descriptor over the handle, read in binary mode.
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_RDONLY | _O_BINARY);
    if (fd < 0) {
        CloseHandle(handle);
        return refuse_open(std::strerror(errno), false);
    }
    return fd;
}

int32_t platform_file_read(int32_t file, void* buffer, uint32_t size) {
    if (file < 0) return -1;
    if (size > 0x40000000u) size = 0x40000000u;
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    uint32_t got = 0;
    while (got < size) {
        int n = _read(file, bytes + got, size - got);
        if (n < 0) return got > 0 ? static_cast<int32_t>(got) : -1;
        if (n == 0) break;
        got += static_cast<uint32_t>(n);
    }
    return static_cast<int32_t>(got);
}

int64_t platform_file_size(int32_t file) {
    if (file < 0) return -1;
    return static_cast<int64_t>(_filelengthi64(file));
}

void platform_file_close(int32_t file) {
    if (file >= 0) _close(file);
}
