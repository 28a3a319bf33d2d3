// Feeds arbitrary bytes to the image loader as a file and from memory, loading
// into an 800x600 buffer and into a small one, so that cutting to both sizes is
// exercised; both ways must give the same result.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "gfx/gfx.h"
#include "platform/headless/headless.h"

namespace {

std::string input_path;
int32_t large_buffer = -1;
int32_t small_buffer = -1;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    headless_reset();
    // A memory-backed folder when there is one: the loader then reads from RAM.
    const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    input_path = std::string(dir) + "/fuzz_bmp_loader_" + std::to_string(getpid()) + ".bmp";
    gfx_set_window_dc(GFX_WINDOW_DC);
    gfx_create_palette();
    gfx_init();
    large_buffer = gfx_create_buffer(800, 600);
    small_buffer = gfx_create_buffer(37, 23);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(input_path.c_str(), "wb");
    if (f == nullptr) return 0;
    if (size > 0) std::fwrite(data, 1, size, f);
    std::fclose(f);

    const int32_t buffers[] = {large_buffer, small_buffer};
    for (int32_t b : buffers) {
        gfx_set_buffer(b);
        int32_t result = gfx_load_image_file(input_path.c_str(), LOAD_NO_REDUCE);
        if (result < LOAD_OK || result > LOAD_COMPRESSED) __builtin_trap();
        // The same bytes from memory, as start-up loads them: the same result.
        if (gfx_load_image_bytes(data, static_cast<int64_t>(size), LOAD_NO_REDUCE) != result) {
            __builtin_trap();
        }
    }
    return 0;
}
