// Files and folders on a POSIX system, shared by both backends.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/platform.h"

bool platform_executable_path(char* buffer, size_t size) {
    if (size == 0) return false;
    ssize_t n = readlink("/proc/self/exe", buffer, size - 1);
    // A path that fills the buffer may have been cut short: not to be trusted.
    if (n <= 0 || static_cast<size_t>(n) >= size - 1) return false;
    buffer[n] = '\0';
    return true;
}

bool platform_change_directory(const char* path) {
    return chdir(path) == 0;
}

bool platform_write_file_atomic(const char* path, const void* data, size_t size) {
    char temp[4096];
    int n = std::snprintf(temp, sizeof temp, "%s.tmp", path);
    if (n < 0 || static_cast<size_t>(n) >= sizeof temp) return false;
    int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) return false;
    const char* bytes = static_cast<const char*>(data);
    size_t done = 0;
    while (done < size) {
        ssize_t w = write(fd, bytes + done, size - done);
        if (w <= 0) {
            close(fd);
            unlink(temp);
            return false;
        }
        done += static_cast<size_t>(w);
    }
    bool synced = fsync(fd) == 0;
    bool closed = close(fd) == 0;
    if (!synced || !closed) {
        unlink(temp);
        return false;
    }
    if (std::rename(temp, path) != 0) {
        unlink(temp);
        return false;
    }
    return true;
}

int32_t platform_file_open(const char* path) {
    // O_NONBLOCK keeps a named pipe from stalling the open; only regular files pass.
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

int32_t platform_file_read(int32_t file, void* buffer, uint32_t size) {
    if (file < 0) return -1;
    if (size > 0x40000000u) size = 0x40000000u;
    for (;;) {
        ssize_t n = read(file, buffer, size);
        if (n >= 0) return static_cast<int32_t>(n);
        if (errno != EINTR) return -1;
    }
}

int64_t platform_file_size(int32_t file) {
    struct stat info;
    if (file < 0 || fstat(file, &info) != 0) return -1;
    return static_cast<int64_t>(info.st_size);
}

void platform_file_close(int32_t file) {
    if (file >= 0) close(file);
}
