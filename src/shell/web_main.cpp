// Cairnfall in a web page: the page has unpacked the pictures and the font into
// the game's folder before this runs; a worker makes the sounds once the game
// shows (stand-ins take their place until they come). Then the whole program
// runs as on the desktop, and the page hears how it ended.
#include <cstdio>

#include "platform/web/web_program.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    web_prepare_game_folder();
    int32_t status = parse_command_line(argc, argv, stdout, stderr);
    if (status < 0) status = run_program();
    web_program_ended(status);
    return status;
}
