// Saves killed at random moments, two copies saving at once, and writes the file
// system refuses: every saved file is always a whole version that was written.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "screens/screens.h"
#include "support/game_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Version v of the table: every entry depends on v, so a file mixing two versions
// matches neither.
void set_table_version(int32_t v) {
    for (int32_t k = 0; k < HIGH_SCORE_ENTRIES; ++k) {
        std::snprintf(high_scores[k].name, sizeof high_scores[k].name, "V%d.%d", v, k);
        high_scores[k].score = v * 100 - k;
    }
}

void set_profile_version(int32_t v) {
    profile = Profile{v % 4, (v / 4) % 4, v, 1};
}

std::vector<uint8_t> table_bytes(int32_t v) {
    set_table_version(v);
    std::vector<uint8_t> bytes(HIGH_SCORE_FILE_SIZE);
    high_scores_to_bytes(bytes.data());
    return bytes;
}

std::vector<uint8_t> profile_bytes(int32_t v) {
    set_profile_version(v);
    std::vector<uint8_t> bytes(PROFILE_FILE_SIZE);
    profile_to_bytes(bytes.data());
    return bytes;
}

// The version a file holds, or -1 when it holds none of them whole.
int32_t version_of(const std::vector<uint8_t>& bytes, bool table) {
    if (bytes.size() != static_cast<size_t>(table ? HIGH_SCORE_FILE_SIZE : PROFILE_FILE_SIZE))
        return -1;
    // The version sits in the first score (table) or the difficulty (profile).
    int32_t v = 0;
    const uint8_t* p = bytes.data() + (table ? 12 : 8);
    std::memcpy(&v, p, 4);
    if (table) v /= 100;
    if (v < 1 || v > 1000000) return -1;
    return (table ? table_bytes(v) : profile_bytes(v)) == bytes ? v : -1;
}

class CrashConsistency : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* here[] = {"."};
        platform_set_save_folders(here, 1);
    }
    GameDir dir;
};

// A child saves both files over and over; the parent kills it at random moments.
TEST_F(CrashConsistency, KilledSavesLeaveWholeVersions) {
    std::mt19937 random(12345);
    int32_t rounds_with_files = 0;
    for (int32_t round = 0; round < 200; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int32_t v = 1;; ++v) {
                set_table_version(v);
                save_high_scores();
                set_profile_version(v);
                save_profile();
            }
        }
        usleep(std::uniform_int_distribution<useconds_t>(0, 4000)(random));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));

        for (bool table : {true, false}) {
            std::string path = dir.file(table ? "cairnfall.dat" : "profile.dat");
            if (!fs::exists(path)) continue;  // killed before its first save
            std::vector<uint8_t> bytes = read_bytes(path);
            ASSERT_NE(version_of(bytes, table), -1)
                << path << " holds " << bytes.size() << " bytes of no written version (round "
                << round << ")";
            if (table) ++rounds_with_files;
        }
        // The temporary file of the killed save is stale now, and goes.
        platform_remove_stale_temporaries();
        for (const auto& e : fs::directory_iterator(dir.path())) {
            std::string name = e.path().filename();
            EXPECT_TRUE(name == "data" || name == "cairnfall.dat" || name == "profile.dat")
                << "left behind: " << name;
        }
    }
    EXPECT_GT(rounds_with_files, 150) << "most kills should land after the first save";
}

// Two copies enter a score each at the same moment; either may be killed. A copy
// that finished has its score in the file, and the file is always whole.
TEST_F(CrashConsistency, TwoCopiesSavingAtOnceKeepBothScores) {
    std::mt19937 random(777);
    int32_t both_finished = 0;
    for (int32_t round = 0; round < 100; ++round) {
        std::memset(high_scores, 0, sizeof high_scores);
        high_scores[0] = {"BASE", 50};
        save_high_scores();
        int gate[2];
        ASSERT_EQ(pipe(gate), 0);
        pid_t children[2];
        const int32_t scores[2] = {1000 + round, 2000 + round};
        for (int32_t c = 0; c < 2; ++c) {
            children[c] = fork();
            ASSERT_GE(children[c], 0);
            if (children[c] == 0) {
                close(gate[1]);
                char byte;
                while (read(gate[0], &byte, 1) < 0) {
                }
                save_new_high_score(c == 0 ? "A" : "B", scores[c]);
                _exit(0);
            }
        }
        close(gate[0]);
        close(gate[1]);                                                 // both start now
        int victim = std::uniform_int_distribution<int>(0, 2)(random);  // 2: nobody
        if (victim < 2) {
            usleep(std::uniform_int_distribution<useconds_t>(0, 3000)(random));
            kill(children[victim], SIGKILL);
        }
        bool finished[2];
        for (int32_t c = 0; c < 2; ++c) {
            int status = 0;
            waitpid(children[c], &status, 0);
            finished[c] = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        std::vector<uint8_t> bytes = read_bytes(dir.file("cairnfall.dat"));
        ASSERT_EQ(bytes.size(), 160u) << "round " << round;
        high_scores_from_bytes(bytes.data(), 160);
        std::set<int32_t> present;
        for (const HighScoreEntry& e : high_scores) present.insert(e.score);
        EXPECT_TRUE(present.count(50)) << "round " << round;
        for (int32_t c = 0; c < 2; ++c) {
            if (finished[c]) {
                EXPECT_TRUE(present.count(scores[c])) << "round " << round;
            }
        }
        if (finished[0] && finished[1]) ++both_finished;
    }
    EXPECT_GT(both_finished, 20);
}

// A file size limit below the file's size makes every write fail part-way: the old
// files stay as they were, no temporary file is left, and the failure is reported.
TEST_F(CrashConsistency, WritesTheFileSystemRefusesKeepTheOldFiles) {
    const std::vector<uint8_t> old_table = table_bytes(7);
    save_high_scores();
    const std::vector<uint8_t> old_profile = profile_bytes(7);
    save_profile();
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        rlimit limit = {8, 8};
        setrlimit(RLIMIT_FSIZE, &limit);
        set_table_version(8);
        bool table_saved = save_high_scores();
        set_profile_version(8);
        profile.profile_saved = 0;
        bool profile_saved = save_profile();
        _exit(!table_saved && !profile_saved && scores_save_failed && profile.profile_saved == 0
                  ? 0
                  : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failures were reported as failures";
    EXPECT_EQ(read_bytes(dir.file("cairnfall.dat")), old_table);
    EXPECT_EQ(read_bytes(dir.file("profile.dat")), old_profile);
    int32_t files = 0;
    for (const auto& e : fs::directory_iterator(dir.path())) files += e.path().filename() != "data";
    EXPECT_EQ(files, 2) << "no temporary file is left";
}

}  // namespace
