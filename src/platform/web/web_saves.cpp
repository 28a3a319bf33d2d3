// Saved files in the browser: kept by the page in IndexedDB, read and written
// whole each time, so that a tab always reads what another tab wrote last. A new
// high score is read, inserted and written under a Web Lock that every tab of
// the game shares, as the lock file does on the desktop. When the browser
// refuses storage (a private window) the page keeps the files for this visit
// only and says so.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/common/paths.h"
#include "platform/device.h"
#include "platform/platform.h"
#include "platform/web/web_js.h"

namespace {

int32_t lock_depth = 0;

}  // namespace

EM_ASYNC_JS(int, cf_read_saved, (const char* name, uint8_t* bytes, int capacity), {
    var data = await CF.storage.get("saves", UTF8ToString(name));
    if (!data) return -1;
    var n = Math.min(data.length, capacity);
    HEAPU8.set(data.subarray(0, n), bytes);
    return n;
});
EM_ASYNC_JS(int, cf_write_saved, (const char* name, const uint8_t* data, uint32_t size), {
    var copy = HEAPU8.slice(data, data + size);
    return (await CF.storage.put("saves", UTF8ToString(name), copy)) ? 1 : 0;
});
EM_JS(void, cf_storage_error, (char* out, int size),
      { stringToUTF8(CF.storage.error || "the browser refused to store it", out, size); });
EM_ASYNC_JS(void, cf_lock_saves, (), { await CF.lockSaves(); });
EM_JS(void, cf_unlock_saves, (), { CF.unlockSaves(); });

// The saved files have no folders in the browser: the page's storage is the one
// place, whatever the program asks for.
void platform_set_save_folders(const char* const*, int32_t) {}

int32_t device_read_saved(const char* name, uint8_t* bytes, int32_t capacity) {
    if (name == nullptr || bytes == nullptr || capacity <= 0) return -1;
    return cf_read_saved(name, bytes, capacity);
}

bool device_write_saved(const char* name, const void* data, size_t size) {
    set_save_error("");
    if (name == nullptr || (data == nullptr && size > 0) || size > 0x7FFFFFFF) return false;
    if (cf_write_saved(name, static_cast<const uint8_t*>(data), static_cast<uint32_t>(size))) {
        return true;
    }
    char why[256];
    cf_storage_error(why, sizeof why);
    set_save_error_of(name, why);
    return false;
}

void platform_lock_saves() {
    if (lock_depth++ > 0) return;
    cf_lock_saves();
}

void platform_unlock_saves() {
    if (lock_depth <= 0 || --lock_depth > 0) return;
    cf_unlock_saves();
}

// Every save is one put into the store: there are no temporary files to leave.
void platform_remove_stale_temporaries() {}

bool platform_player_folder(char* folder, size_t size) {
    return size > 0 && std::snprintf(folder, size, "%s", kWebGameFolder) < static_cast<int>(size);
}

bool platform_enter_game_folder(char* folder, size_t size) {
    if (size == 0) return false;
    std::snprintf(folder, size, "%s", kWebGameFolder);
    return chdir(kWebGameFolder) == 0;
}
