// The command line: display choices for the window, help and version.
#include <cstdio>
#include <cstring>

#include "platform/platform.h"
#include "shell/program.h"
#include "shell/session_tape.h"

#ifndef CAIRNFALL_VERSION
#define CAIRNFALL_VERSION "0"
#endif

namespace {

const char* const kUsage =
    "Usage: cairnfall [OPTION]...\n"
    "A sliding-stone puzzle game.\n"
    "\n"
    "  --window          start in a window (this time; Alt+Enter switches)\n"
    "  --fullscreen      start full screen (by default the game starts as it\n"
    "                    was left: full screen the first time)\n"
    "  --scale=nearest   scale the picture by plain nearest-neighbour (blockier)\n"
    "  --scale=crisp     scale by whole pixels, then smoothly (the default)\n"
    "  --record FILE     record this session into FILE\n"
    "  --no-record       do not record this session (by default the last ten\n"
    "                    sessions are kept in recordings/ of the save folder)\n"
    "  --watch FILE      play a recorded session in the window (Esc or F12 stops)\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "Keys: Esc pauses and skips, Alt+Enter switches full screen, F12 quits.\n";

}  // namespace

const char* const PROGRAM_VERSION = CAIRNFALL_VERSION;

int32_t parse_command_line(int32_t argc, const char* const* argv, std::FILE* out, std::FILE* err) {
    int32_t windowed = -1;  // as last time, unless the command line says
    bool nearest = false;
    // The program records every session unless told not to.
    record_choice = RECORD_SESSION;
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
            windowed = 1;
        } else if (std::strcmp(arg, "--fullscreen") == 0) {
            windowed = 0;
        } else if (std::strcmp(arg, "--scale=nearest") == 0) {
            nearest = true;
        } else if (std::strcmp(arg, "--scale=crisp") == 0) {
            nearest = false;
        } else if (std::strcmp(arg, "--no-record") == 0) {
            record_choice = RECORD_OFF;
        } else if (std::strcmp(arg, "--record") == 0 || std::strcmp(arg, "--watch") == 0) {
            bool record = arg[2] == 'r';
            char* target = record ? record_path : watch_path;
            // The game changes into its own folder before it opens the file.
            if (i + 1 >= argc || argv[i + 1][0] == '\0' ||
                !platform_absolute_path(argv[i + 1], target, sizeof record_path)) {
                std::fprintf(err, "cairnfall: %s needs a file name\n%s", arg, kUsage);
                return 2;
            }
            ++i;
            if (record) record_choice = RECORD_FILE;
        } else {
            std::fprintf(err, "cairnfall: unknown option '%s'\n%s", arg, kUsage);
            return 2;
        }
    }
    if (windowed >= 0) platform_set_windowed(windowed == 1);
    platform_set_nearest_scaling(nearest);
    return -1;
}
