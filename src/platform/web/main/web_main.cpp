// Cairnfall in a web page: the page has unpacked the pictures and the font into
// the game's folder before this runs; a worker makes the sounds once the game
// shows (stand-ins take their place until they come, web_js.h). Then the whole
// program runs as on the desktop, and the page hears how it ended.
#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/web/web_js.h"
#include "shell/program.h"

EM_JS(void, cf_program_ended, (int status), { CF.programEnded(status); });

int main(int argc, char** argv) {
    // Files are written readable, whatever mode the runtime starts with.
    umask(022);
    std::string data = std::string(kWebGameFolder) + "/data";
    mkdir(kWebGameFolder, 0755);
    mkdir(data.c_str(), 0755);
    if (!web_write_sound_stand_ins(data.c_str())) {
        std::fprintf(stderr, "cairnfall: the sounds' stand-ins could not be written in %s\n",
                     data.c_str());
    }
    int32_t status = parse_command_line(argc, argv, stdout, stderr);
    if (status < 0) status = run_program();
    cf_program_ended(status);
    return status;
}
