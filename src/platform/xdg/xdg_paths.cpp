// The XDG base folders of the Linux desktop.
#include "platform/xdg/xdg_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

bool xdg_game_path(const char* variable, const char* fallback, const char* name, char* out,
                   size_t size) {
    const char* base = std::getenv(variable);
    const char* sep = name[0] != '\0' ? "/" : "";
    int n = -1;
    if (base != nullptr && base[0] == '/') {
        n = std::snprintf(out, size, "%s/cairnfall%s%s", base, sep, name);
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] != '/') {
            const passwd* entry = getpwuid(getuid());
            home = entry != nullptr ? entry->pw_dir : nullptr;
        }
        if (home == nullptr || home[0] != '/') return false;
        n = std::snprintf(out, size, "%s/%s/cairnfall%s%s", home, fallback, sep, name);
    }
    if (n >= 0 && static_cast<size_t>(n) < size) return true;
    if (size > 0) out[0] = '\0';
    return false;
}
