// cairnfall-replay: runs a replay script, or a recorded session, against the game
// on the headless backend.
//
//   cairnfall-replay SCRIPT [--out DIR] [--dir GAME_DIR] [--record FILE]
//   cairnfall-replay --recording FILE [--shots-every N] [--out DIR] [--dir GAME_DIR]
//   cairnfall-replay --recording FILE --to-script
//   cairnfall-replay --recording FILE --link
//
// GAME_DIR (default: the folder of this program) must hold the game's data/ folder.
// A script reads and writes its saved files there; a recording writes them into
// DIR. Pictures go to DIR (default: the folder the tool was started in). With
// --record, the session a script drives is recorded into FILE as the game
// records its own (long sessions made in seconds, for tests of watching).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/platform.h"
#include "replay/recording.h"
#include "replay/replay.h"
#include "shell/session_tape.h"

namespace fs = std::filesystem;

namespace {

const char* const kUsage =
    "usage: cairnfall-replay SCRIPT [--out DIR] [--dir GAME_DIR] [--record FILE]\n"
    "       cairnfall-replay --recording FILE [--shots-every N] [--out DIR] [--dir GAME_DIR]\n"
    "       cairnfall-replay --recording FILE --to-script\n"
    "       cairnfall-replay --recording FILE --link\n";

struct Arguments {
    std::string script;
    std::string recording;
    std::string out_dir;
    std::string game_dir;
    std::string record;
    int32_t shots_every = 0;
    bool to_script = false;
    bool link = false;
};

bool parse(int argc, char** argv, Arguments* a) {
    for (int i = 1; i < argc; i++) {
        std::string arg = argv[i];
        bool has_value = i + 1 < argc;
        if (arg == "--out" && has_value) {
            a->out_dir = argv[++i];
        } else if (arg == "--dir" && has_value) {
            a->game_dir = argv[++i];
        } else if (arg == "--record" && has_value) {
            a->record = argv[++i];
        } else if (arg == "--recording" && has_value) {
            a->recording = argv[++i];
        } else if (arg == "--shots-every" && has_value) {
            char* end = nullptr;
            long n = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || n < 1 || n > 1000000) return false;
            a->shots_every = static_cast<int32_t>(n);
        } else if (arg == "--to-script") {
            a->to_script = true;
        } else if (arg == "--link") {
            a->link = true;
        } else if (a->script.empty() && arg.rfind("--", 0) != 0) {
            a->script = arg;
        } else {
            return false;
        }
    }
    if (a->recording.empty()) {
        return !a->script.empty() && !a->to_script && !a->link && a->shots_every == 0;
    }
    if (a->link && (a->to_script || a->shots_every > 0 || !a->out_dir.empty())) return false;
    return a->script.empty() && a->record.empty();
}

std::string absolute(const std::string& path) {
    std::error_code error;
    fs::path full = fs::absolute(path.empty() ? fs::current_path() : fs::path(path), error);
    return error ? path : full.string();
}

}  // namespace

int main(int argc, char** argv) {
    Arguments a;
    if (!parse(argc, argv, &a)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string output;
    if (a.link) {
        std::string link;
        int32_t result = recording_link(a.recording.c_str(), &link, &output);
        if (result == 0) std::printf("%s\n", link.c_str());
        std::fputs(output.c_str(), stderr);
        return result;
    }
    if (a.to_script) {
        std::string script;
        int32_t result = recording_to_script(a.recording.c_str(), &script, &output);
        std::fputs(script.c_str(), stdout);
        std::fputs(output.c_str(), stderr);
        return result == 0 ? 0 : 1;
    }
    std::string script;
    if (a.recording.empty()) {
        std::ifstream file(a.script);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", a.script.c_str());
            return 2;
        }
        std::stringstream text;
        text << file.rdbuf();
        script = text.str();
    }
    // Paths given on the command line mean what they meant where the tool started.
    std::string out_dir = absolute(a.out_dir);
    std::string recording = a.recording.empty() ? "" : absolute(a.recording);
    if (!a.record.empty()) {
        record_choice = RECORD_FILE;
        std::snprintf(record_path, sizeof record_path, "%s", absolute(a.record).c_str());
    }
    std::string game_dir = a.game_dir;
    if (game_dir.empty()) {
        char exe[4096];
        if (platform_executable_path(exe, sizeof exe)) {
            game_dir = fs::u8path(exe).parent_path().u8string();
        }
    }
    std::error_code error;
    if (!game_dir.empty()) fs::current_path(fs::u8path(game_dir), error);
    if (error) {
        std::fprintf(stderr, "cannot enter %s\n", game_dir.c_str());
        return 2;
    }

    int32_t result;
    if (!recording.empty()) {
        RecordingOptions options;
        options.out_dir = out_dir;
        options.shots_every = a.shots_every;
        options.write_last = !a.out_dir.empty() || a.shots_every > 0;
        result = replay_recording(recording.c_str(), options, &output);
        std::fputs(output.c_str(), result == 0 ? stdout : stderr);
    } else {
        result = replay_run(script.c_str(), &output, out_dir.c_str());
        platform_record_stop();
        std::fputs(output.c_str(), stdout);
    }
    return result == 0 ? 0 : 1;
}
