// Cairnfall: the whole program.
#include "shell/shell.h"

int main() { return run_program(); }
