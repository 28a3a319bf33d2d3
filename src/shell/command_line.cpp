// The command line: display choices for the window, help and version.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "shell/shell.h"

#ifndef CAIRNFALL_VERSION
#define CAIRNFALL_VERSION "0"
#endif

namespace {

const char* const kUsage =
    "Usage: cairnfall [OPTION]...\n"
    "A sliding-stone puzzle game.\n"
    "\n"
    "  --window          start in an 800x600 window\n"
    "  --fullscreen      start full screen (the default)\n"
    "  --scale=nearest   scale the picture by plain nearest-neighbour (blockier)\n"
    "  --scale=crisp     scale by whole pixels, then smoothly (the default)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "Keys: Esc pauses and skips, Alt+Enter switches full screen, F12 quits.\n";

}  // namespace

const char* const PROGRAM_VERSION = CAIRNFALL_VERSION;

int32_t parse_command_line(int32_t argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    bool windowed = false;
    bool nearest = false;
    for (int32_t i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            std::fputs(kUsage, out);
            return 0;
        }
        if (std::strcmp(arg, "--version") == 0) {
            std::fprintf(out, "cairnfall %s\n", PROGRAM_VERSION);
            return 0;
        }
        if (std::strcmp(arg, "--window") == 0) {
            windowed = true;
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            windowed = false;
        } else if (std::strcmp(arg, "--scale=nearest") == 0) {
            nearest = true;
        } else if (std::strcmp(arg, "--scale=crisp") == 0) {
            nearest = false;
        } else {
            std::fprintf(err, "cairnfall: unknown option '%s'\n%s", arg, kUsage);
            return 2;
        }
    }
    platform_set_windowed(windowed);
    platform_set_nearest_scaling(nearest);
    return -1;
}
