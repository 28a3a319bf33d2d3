// "cairnfall.dat": the high score table's 160 bytes, read at start-up and written
// after each entered name.
#include "platform/platform.h"
#include "screens/screens.h"

const char* const HIGH_SCORE_FILE = "cairnfall.dat";

// A missing file leaves the table as it is; a short one fills what it covers.
void load_high_scores() {
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    int32_t got = read_saved_file(HIGH_SCORE_FILE, bytes, HIGH_SCORE_FILE_SIZE);
    if (got > 0) high_scores_from_bytes(bytes, got);
}

// Written whole into a temporary file and renamed over the old one, so a crash or
// a full disk never leaves a short table behind. A failed write is not reported.
void save_high_scores() {
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);
    platform_write_file_atomic(HIGH_SCORE_FILE, bytes, sizeof bytes);
}
