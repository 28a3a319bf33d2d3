// cairnfall-replay: runs a replay script against the game on the headless backend.
//
//   cairnfall-replay SCRIPT [--out DIR] [--dir GAME_DIR]
//
// GAME_DIR (default: the folder of this program) must hold the game's data/ folder;
// the saved files are read and written there. Pictures go to DIR (default: the
// folder the tool was started in).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/platform.h"
#include "replay/replay.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    std::string script_path;
    std::string out_dir;
    std::string game_dir;
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            out_dir = argv[++i];
        } else if (arg == "--dir" && i + 1 < argc) {
            game_dir = argv[++i];
        } else if (script_path.empty() && arg.rfind("--", 0) != 0) {
            script_path = arg;
        } else {
            script_path.clear();
            break;
        }
    }
    if (script_path.empty()) {
        std::fprintf(stderr, "usage: cairnfall-replay SCRIPT [--out DIR] [--dir GAME_DIR]\n");
        return 2;
    }
    std::ifstream file(script_path);
    if (!file) {
        std::fprintf(stderr, "cannot read %s\n", script_path.c_str());
        return 2;
    }
    std::stringstream script;
    script << file.rdbuf();

    std::error_code error;
    fs::path shots = fs::absolute(out_dir.empty() ? fs::current_path() : fs::path(out_dir), error);
    if (game_dir.empty()) {
        char exe[4096];
        if (platform_executable_path(exe, sizeof exe)) game_dir = fs::path(exe).parent_path();
    }
    if (!game_dir.empty()) fs::current_path(game_dir, error);
    if (error) {
        std::fprintf(stderr, "cannot enter %s\n", game_dir.c_str());
        return 2;
    }

    std::string output;
    int32_t result = replay_run(script.str().c_str(), &output, shots.string().c_str());
    std::fputs(output.c_str(), stdout);
    return result == 0 ? 0 : 1;
}
