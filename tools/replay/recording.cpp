// A recorded session played again through the real game: the recording answers
// every clock reading, event and saved-file read, and each presented frame can be
// hashed or saved.
#include "replay/recording.h"

#include <cstdio>
#include <filesystem>

#include "common/png_write.h"
#include "platform/common/tape/tape.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "replay/replay.h"
#include "replay/tape_text.h"
#include "runtime/main_loop.h"
#include "shell/program.h"
#include "shell/session_tape.h"

namespace {

struct FrameSink {
    const RecordingOptions* options = nullptr;
    std::string folder;
    int32_t frames = 0;
    std::string failed;
};

std::string in_folder(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

void on_present(const uint32_t* argb, void* context) {
    FrameSink& sink = *static_cast<FrameSink*>(context);
    ++sink.frames;
    if (sink.options->frame_hashes) sink.options->frame_hashes->push_back(frame_hash(argb));
    int32_t every = sink.options->shots_every;
    if (every > 0 && sink.frames % every == 0) {
        char name[32];
        std::snprintf(name, sizeof name, "frame-%06d.png", sink.frames);
        std::string path = in_folder(sink.folder, name);
        if (!write_png_argb(path.c_str(), argb, 800, 600) && sink.failed.empty()) {
            sink.failed = "cannot write " + path;
        }
    }
}

}  // namespace

int32_t replay_recording(const char* path, const RecordingOptions& options, std::string* output) {
    FrameSink sink;
    sink.options = &options;
    sink.folder = options.out_dir;
    const char* folder = options.out_dir.empty() ? "." : options.out_dir.c_str();
    std::error_code ignored;  // a folder that cannot be made fails at the first write
    std::filesystem::create_directories(folder, ignored);
    platform_set_save_folders(&folder, 1);
    char problem[8192 + 256];
    if (!play_recording(path, false, problem, sizeof problem)) {
        *output += std::string(problem) + "\n";
        return 1;
    }
    reset_program_state();
    headless_reset();
    headless_on_present(on_present, &sink);
    if (start_program()) {
        while (main_loop_turn()) {
        }
    }
    headless_on_present(nullptr, nullptr);
    uint32_t played = tape_session_ms();
    bool whole = platform_playback_finished();
    if (options.write_last) {
        std::string last = in_folder(sink.folder, "last.png");
        if (!write_png_argb(last.c_str(), headless_last_frame(), 800, 600) && sink.failed.empty()) {
            sink.failed = "cannot write " + last;
        }
    }
    if (!whole) {
        *output += std::string(platform_tape_error()) + "\n";
        return 1;
    }
    if (!sink.failed.empty()) {
        *output += sink.failed + "\n";
        return 1;
    }
    *output += std::string(path) + ": " + tape_seconds(played) + " of play, " +
               std::to_string(sink.frames) + " frames, made again to the end\n";
    return 0;
}
