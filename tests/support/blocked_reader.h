// Named pipes in tests: a reader wrongly blocked in open must make the test fail,
// not hang it. Windows keeps no named pipes among its files: the tests that need
// one are skipped there.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

// Opens the writing end of a named pipe once `delay` has passed, as long as
// `done` is not set, so that a reader wrongly blocked in open is let go and the
// test fails instead of hanging.
#ifdef _WIN32
constexpr bool kNamedPipes = false;
inline bool make_named_pipe(const std::string&) {
    return false;
}
inline void release_blocked_reader(const std::string&, const std::atomic<bool>*,
                                   std::chrono::milliseconds) {}
#else
constexpr bool kNamedPipes = true;
inline bool make_named_pipe(const std::string& path) {
    return mkfifo(path.c_str(), 0600) == 0;
}
inline void release_blocked_reader(const std::string& path, const std::atomic<bool>* done,
                                   std::chrono::milliseconds delay) {
    auto start = std::chrono::steady_clock::now();
    while (!done->load()) {
        if (std::chrono::steady_clock::now() - start >= delay) {
            int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) close(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
#endif
