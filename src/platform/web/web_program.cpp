// The page's program's start and end, on the browser's side.
#include "platform/web/web_program.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "platform/web/web_js.h"

EM_JS(void, cf_program_ended, (int status), { CF.programEnded(status); });
// 7: the close event (PEV_CLOSE).
EM_JS(void, cf_push_close, (), { CF.push(7, 0, 0, 0); });

void web_prepare_game_folder() {
    // Files are written readable, whatever mode the runtime starts with.
    umask(022);
    std::string data = std::string(kWebGameFolder) + "/data";
    mkdir(kWebGameFolder, 0755);
    mkdir(data.c_str(), 0755);
    if (!web_write_sound_stand_ins(data.c_str())) {
        std::fprintf(stderr, "cairnfall: the sounds' stand-ins could not be written in %s\n",
                     data.c_str());
    }
}

void web_program_ended(int32_t status) {
    cf_program_ended(status);
}

void web_close_window() {
    cf_push_close();
}
