// Reading the game's small saved files: the newest copy among the save folders.
#include "platform/platform.h"
#include "screens/screens.h"

int32_t read_saved_file(const char* name, uint8_t* bytes, int32_t capacity) {
    return platform_read_saved(name, bytes, capacity);
}
