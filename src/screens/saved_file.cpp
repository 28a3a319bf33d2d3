// Reading the game's small saved files.
#include <cstdio>

#include "screens/screens.h"

int32_t read_saved_file(const char* path, uint8_t* bytes, int32_t capacity) {
    if (capacity <= 0) return -1;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return -1;
    size_t got = std::fread(bytes, 1, static_cast<size_t>(capacity), file);
    std::fclose(file);
    return static_cast<int32_t>(got);
}
