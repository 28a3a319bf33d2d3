// Named pipes in tests: a reader wrongly blocked in open must make the test fail,
// not hang it.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

// Opens the writing end of a named pipe once `delay` has passed, as long as
// `done` is not set, so that a reader wrongly blocked in open is let go and the
// test fails instead of hanging.
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
