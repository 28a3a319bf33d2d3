// Snapshots of the whole program's state between two turns of the main loop:
// every record that reset_program_state puts back, the graphics layer's records
// and buffers, the sound slots, and where the recording being played stands. A
// watched recording jumps by restoring the nearest one and running on from it.
//
// The state is cut into blocks; a block that did not change since the snapshot
// before is shared with it, a changed one is kept compressed, so that snapshots
// every few seconds of a long session stay small.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/common/tape/tape.h"

struct SnapshotBlock;

struct ProgramSnapshot {
    int64_t frame = 0;
    int64_t position_ms = 0;
    TapeMark tape = {};
    std::vector<std::shared_ptr<const SnapshotBlock>> blocks;
};

class SnapshotStore {
  public:
    // Takes the program's state now; `frame` and `position_ms` say where.
    void take(int64_t frame, int64_t position_ms);
    // Puts back the program's state of snapshots()[index] (the program must
    // still hold the handles it made at start-up).
    void restore(size_t index);
    const std::vector<ProgramSnapshot>& snapshots() const { return list_; }
    // The bytes the snapshots hold.
    size_t bytes_held() const { return held_; }
    // Drops every other snapshot but the first and the newest (a long session
    // keeps within its memory so, with longer runs between snapshots).
    void thin();
    void clear();

  private:
    std::vector<ProgramSnapshot> list_;
    std::vector<uint8_t> image_;  // the state laid out flat (scratch)
    std::vector<uint8_t> last_;   // the flat state of the newest snapshot
    size_t held_ = 0;
};
