// Replaying a recorded session of the real game on the headless backend, and
// turning a recording into a replay script.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct RecordingOptions {
    // Every this many presented frames a picture "frame-NNNNNN.png" (0: none).
    int32_t shots_every = 0;
    // Where pictures and the saved files of the replay go (empty: the current
    // folder).
    std::string out_dir;
    // Also writes the last frame presented as "last.png".
    bool write_last = false;
    // Receives the hash of every frame presented, in order (may be null).
    std::vector<uint64_t>* frame_hashes = nullptr;
};

// Plays the recording in `path` through the real game in the current folder,
// which must hold (or link) the game's data/. Returns 0 when the game made the
// recorded session again up to its end, 1 otherwise; `output` receives a summary
// line or the reason.
int32_t replay_recording(const char* path, const RecordingOptions& options, std::string* output);

// The link that opens the recording in the page: "index.html#watch=" and the
// file's bytes in base64url; 0 on success, 1 with the reason in `output` (the
// file cannot be read, or is no recording).
int32_t recording_link(const char* path, std::string* link, std::string* output);

// Writes the recording as a replay script (tools/replay/README.md); 0 on success, 1 with
// the reason in `output`.
int32_t recording_to_script(const char* path, std::string* script, std::string* output);
