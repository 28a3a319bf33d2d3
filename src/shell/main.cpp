// Cairnfall: the whole program.
#include <cstdio>

#include "shell/program.h"

int main(int argc, char** argv) {
    int32_t status = parse_command_line(argc, argv, stdout, stderr);
    if (status >= 0) return status;
    return run_program();
}
