// "cairnfall.dat": the high score table's 160 bytes, read at start-up and written
// after each entered name.
#include <cstdio>

#include "platform/platform.h"
#include "screens/screens.h"

const char* const HIGH_SCORE_FILE = "cairnfall.dat";

bool scores_save_failed = false;

void reset_high_score_file() {
    scores_save_failed = false;
}

// A missing file leaves the table as it is; a short one fills what it covers.
void load_high_scores() {
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    int32_t got = read_saved_file(HIGH_SCORE_FILE, bytes, HIGH_SCORE_FILE_SIZE);
    if (got > 0) high_scores_from_bytes(bytes, got);
}

// Written whole into a temporary file and renamed over the old one, so a crash or
// a full disk never leaves a short table behind. A failure is remembered for the
// high score screen and said on standard error.
bool save_high_scores() {
    uint8_t bytes[HIGH_SCORE_FILE_SIZE];
    high_scores_to_bytes(bytes);
    scores_save_failed = !platform_write_saved(HIGH_SCORE_FILE, bytes, sizeof bytes);
    if (scores_save_failed) {
        std::fprintf(stderr, "cairnfall: the high scores could not be saved: %s\n",
                     platform_save_error());
    }
    return !scores_save_failed;
}

// Another copy of the game may have entered a score since this one read the file:
// under the lock, the table is read again and the new score inserted into what is
// on disk now, so neither copy's score is lost.
bool save_new_high_score(const char* name, int32_t score) {
    platform_lock_saves();
    load_high_scores();
    insert_high_score(name, score);
    bool saved = save_high_scores();
    platform_unlock_saves();
    return saved;
}
