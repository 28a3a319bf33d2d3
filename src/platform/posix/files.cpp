// Files and folders on a POSIX system, shared by both backends.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/platform.h"

bool platform_executable_path(char* buffer, size_t size) {
    if (size == 0) return false;
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    // A path that fills the buffer may have been cut short: not to be trusted.
    if (n <= 0 || static_cast<size_t>(n) >= size - 1) return false;
    buffer[n] = '\0';
    return true;
}

bool platform_absolute_path(const char* path, char* buffer, size_t size) {
    if (path[0] == '/') return std::snprintf(buffer, size, "%s", path) < static_cast<int>(size);
    char here[kPathMax];
    if (!getcwd(here, sizeof here)) return false;
    int n = std::snprintf(buffer, size, "%s/%s", here, path);
    return n >= 0 && static_cast<size_t>(n) < size;
}

bool platform_change_directory(const char* path) {
    return chdir(path) == 0;
}

bool write_all(int fd, const void* data, size_t size) {
    const char* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        ssize_t w = write(fd, bytes + done, size - done);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) {
            if (w == 0) errno = ENOSPC;
            return false;
        }
        done += static_cast<size_t>(w);
    }
    return true;
}

int open_new_file(const char* path, bool exclusive) {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW | (exclusive ? O_EXCL : O_TRUNC);
    return open(path, flags, 0600);
}

namespace {

// Flushes a folder so that a rename in it survives a power cut. Some file systems
// refuse to flush a folder; the rename itself has happened then, so that is no
// failure of the save.
void flush_folder(const char* folder) {
    int fd = open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

}  // namespace

bool platform_write_file_atomic(const char* path, const void* data, size_t size) {
    // A name of its own for every save, created exclusively: two copies of the game
    // writing at once never share (or truncate) each other's temporary file.
    char temp[kPathMax];
    int n =
        std::snprintf(temp, sizeof temp, "%s.tmp-%ld-XXXXXX", path, static_cast<long>(getpid()));
    if (n < 0 || static_cast<size_t>(n) >= sizeof temp) {
        errno = ENAMETOOLONG;
        return false;
    }
    int fd = mkostemp(temp, O_CLOEXEC);
    if (fd < 0) return false;
    // The permissions a plain new file would get.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    bool ok = write_all(fd, static_cast<const char*>(data), size) && fsync(fd) == 0;
    int error = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (ok && std::rename(temp, path) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(temp);
        errno = error;
        return false;
    }
    char folder[kPathMax];
    folder_of(folder, path);
    flush_folder(folder);
    return true;
}

int32_t platform_file_open(const char* path) {
    // O_NONBLOCK keeps a named pipe from stalling the open; only regular files pass.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return refuse_open(std::strerror(errno), errno == ENOENT || errno == ENOTDIR);
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return refuse_open("not a regular file", false);
    }
    return fd;
}

int32_t platform_file_read(int32_t file, void* buffer, uint32_t size) {
    if (file < 0) return -1;
    if (size > 0x40000000u) size = 0x40000000u;
    // The kernel may hand over less than asked; only the end of the file stops early.
    uint8_t* bytes = static_cast<uint8_t*>(buffer);
    uint32_t got = 0;
    while (got < size) {
        ssize_t n = read(file, bytes + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return got > 0 ? static_cast<int32_t>(got) : -1;
        if (n == 0) break;
        got += static_cast<uint32_t>(n);
    }
    return static_cast<int32_t>(got);
}

int64_t platform_file_size(int32_t file) {
    struct stat info;
    if (file < 0 || fstat(file, &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

void platform_file_close(int32_t file) {
    if (file >= 0) close(file);
}
