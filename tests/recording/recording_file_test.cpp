// Recording files: every record comes back as written; damage anywhere is found
// and named; the recorder writes often enough that a crash loses little, keeps
// ten sessions, and never stops the game when it cannot write.
#include <gtest/gtest.h>

#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_file.h"
#include "recording/recording_support.h"
#include "replay/recording.h"
#include "support/game_dir.h"

namespace {

namespace fs = std::filesystem;

TapeRecord make(TapeKind kind) {
    TapeRecord r;
    r.kind = kind;
    return r;
}

TapeRecord ticks(uint32_t value) {
    TapeRecord r = make(TAPE_TICKS);
    r.ticks = value;
    return r;
}

TapeRecord calendar(int64_t value) {
    TapeRecord r = make(TAPE_CALENDAR);
    r.calendar = value;
    return r;
}

TapeRecord event(TapeKind kind, PlatformEvent e) {
    TapeRecord r = make(kind);
    r.delivered = true;
    r.event = e;
    return r;
}

TEST(TapeCodes, EveryRecordComesBackAsWrittenInBytesAndInWords) {
    static const uint8_t saved[] = {1, 0, 0, 0, 3, 0, 0, 0, 0xFF};
    TapeRecord read = make(TAPE_READ);
    std::snprintf(read.name, sizeof read.name, "profile.dat");
    read.count = sizeof saved;
    read.bytes = saved;
    TapeRecord missing = make(TAPE_READ);
    std::snprintf(missing.name, sizeof missing.name, "cairnfall.dat");
    missing.count = -1;
    TapeRecord wrote = make(TAPE_WRITE);
    std::snprintf(wrote.name, sizeof wrote.name, "cairnfall.dat");
    wrote.ok = true;
    TapeRecord desktop = make(TAPE_DESKTOP);
    desktop.ok = true;
    desktop.width = 1920;
    desktop.height = 1080;
    TapeRecord depth = make(TAPE_DEPTH);
    depth.width = 32;
    TapeRecord mouse = make(TAPE_MOUSE);
    mouse.ok = true;
    const std::vector<TapeRecord> records = {
        read,
        missing,
        desktop,
        depth,
        mouse,
        calendar(1700000000),
        ticks(5),
        calendar(1700000000),
        ticks(21),  // pairs
        calendar(1700000000),
        ticks(100000),  // a long step after a pair's calendar
        ticks(0xFFFFFFF0u),
        ticks(0x10),  // the 32-bit clock wraps
        calendar(-5),
        calendar(INT64_MAX),
        calendar(INT64_MIN),
        make(TAPE_POLL),
        make(TAPE_WAIT),
        event(TAPE_POLL, {PEV_KEY_DOWN, 123, 0, 0}),
        event(TAPE_WAIT, {PEV_KEY_DOWN, INT32_MIN, 0, 0}),
        event(TAPE_POLL, {PEV_MOUSE_MOVE, 0, -1000, 3000}),
        event(TAPE_WAIT, {PEV_LBUTTON_UP, 0, INT32_MAX, INT32_MIN}),
        event(TAPE_POLL, {PEV_MOUSE_MOVE, 0, INT32_MIN, INT32_MAX}),
        // Moves after moves: the change of step, at its largest both ways.
        event(TAPE_WAIT, {PEV_MOUSE_MOVE, 0, INT32_MAX, INT32_MIN}),
        event(TAPE_POLL, {PEV_MOUSE_MOVE, 0, INT32_MIN, INT32_MAX}),
        event(TAPE_POLL, {PEV_MOUSE_MOVE, 0, 5, 5}),
        event(TAPE_POLL, {PEV_MOUSE_MOVE, 0, 6, 4}),
        event(TAPE_POLL, {PEV_EXPOSE, 0, 0, 0}),
        event(TAPE_WAIT, {PEV_FOCUS_LOST, 0, 0, 0}),
        event(TAPE_POLL, {PEV_FOCUS_GAINED, 0, 0, 0}),
        event(TAPE_POLL, {PEV_CLOSE, 0, 0, 0}),
        wrote,
        make(TAPE_END),
    };
    uint8_t bytes[1024];
    size_t size = 0;
    TapeCoding coding = {};
    for (size_t i = 0; i < records.size(); ++i) {
        ASSERT_TRUE(tape_encode(records[i], &coding, bytes, sizeof bytes, &size)) << i;
    }
    TapeCoding words_coding = {};
    std::string words;
    TapeCoding decoding = {};
    size_t pos = 0;
    std::string why;
    for (size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i));
        TapeRecord back;
        ASSERT_EQ(tape_decode(bytes, size, &pos, &decoding, &back, &why), 1) << why;
        EXPECT_TRUE(same_record(back, records[i])) << "kind " << int(back.kind);
        tape_text_word(back, &words_coding, &words);
    }
    TapeRecord none;
    EXPECT_EQ(tape_decode(bytes, size, &pos, &decoding, &none, &why), 0);
    // The words give the same bytes again.
    std::vector<uint8_t> again;
    TapeCoding parse_coding = {};
    ASSERT_TRUE(tape_text_parse(split_words(words), 0, &parse_coding, &again, &why)) << why;
    decoding = {};
    pos = 0;
    for (size_t i = 0; i < records.size(); ++i) {
        TapeRecord back;
        ASSERT_EQ(tape_decode(again.data(), again.size(), &pos, &decoding, &back, &why), 1) << why;
        EXPECT_TRUE(same_record(back, records[i])) << "word record " << i << " of " << words;
    }
}

TEST(TapeCodes, BrokenBytesAreRefusedWithAReason) {
    struct Case {
        std::vector<uint8_t> bytes;
        const char* why;
    };
    const Case cases[] = {
        {{0xF0}, "an unknown record code"},
        {{0x80, 0xFF}, "a record is cut short"},
        {{0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}, "too long"},
        {{0x80, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "a clock step is out of range"},
        {{0x85, 0x09}, "an event of no known kind"},
        {{0x85, 0x00}, "an event of no known kind"},
        {{0x8A, 0x40}, "a file name is too long"},
        {{0x8A, 0x01, 0x0A}, "odd character"},
        {{0x8A, 0x01, ' '}, "odd character"},  // the script words split at spaces
        {{0x8A, 0x00}, "a file name is empty"},
        {{0x8A, 0x01, 'a', 0x03}, "a saved file's size is out of range"},
        {{0x8A, 0x01, 'a', 0x08, 1, 2}, "a record is cut short"},
        {{0x88, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, "out of range"},
    };
    for (const Case& c : cases) {
        TapeCoding coding = {};
        size_t pos = 0;
        TapeRecord r;
        std::string why;
        EXPECT_EQ(tape_decode(c.bytes.data(), c.bytes.size(), &pos, &coding, &r, &why), -1);
        EXPECT_NE(why.find(c.why), std::string::npos) << c.why << " / " << why;
    }
}

class RecordingFile : public ::testing::Test {
  protected:
    GameDir dir;
    std::string path = dir.file("session.rec");
};

TEST_F(RecordingFile, DamageIsFoundAndNamedWhereverItIs) {
    record_random_session(11, 60, path, dir.file("live"));
    const std::string whole = file_bytes(path);
    ASSERT_GT(whole.size(), 200u);
    TapeFile file;
    std::string why;
    ASSERT_TRUE(tape_read_file(path.c_str(), &file, &why)) << why;
    EXPECT_EQ(file.damage, "");
    const size_t full_stream = file.stream.size();

    struct Case {
        const char* what;
        std::string bytes;
        bool readable;
        const char* message;
    };
    std::string other_format = whole;
    other_format[8] = TAPE_FORMAT + 1;
    std::string flipped = whole;
    flipped[whole.size() - 3] ^= 0x10;
    std::string long_chunk = whole;
    long_chunk[whole.size() / 2] = '\x7f';
    const Case cases[] = {
        {"empty", "", false, "not a Cairnfall recording"},
        {"other magic", "CAIRNWAV" + whole.substr(8), false, "not a Cairnfall recording"},
        {"other format", other_format, false, "a recording of format 3"},
        {"only the prefix", whole.substr(0, 12), false, "its header is missing or damaged"},
        {"cut in the last chunk", whole.substr(0, whole.size() - 1), true, "cut short at byte"},
        {"a flipped bit", flipped, true, "a chunk's checksum does not match"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        file = TapeFile();
        why.clear();
        bool read = tape_read_bytes(reinterpret_cast<const uint8_t*>(c.bytes.data()),
                                    c.bytes.size(), "x.rec", &file, &why);
        EXPECT_EQ(read, c.readable);
        std::string said = read ? file.damage : why;
        EXPECT_EQ(said.find("x.rec: "), 0u) << said;
        EXPECT_NE(said.find(c.message), std::string::npos) << said;
        if (read) {
            EXPECT_LT(file.stream.size(), full_stream);
        }
    }
    // Any cut keeps whole records only (chunks end between records), never more.
    for (size_t cut = 12; cut < whole.size(); cut += 7) {
        file = TapeFile();
        if (!tape_read_bytes(reinterpret_cast<const uint8_t*>(whole.data()), cut, "x.rec", &file,
                             &why)) {
            continue;
        }
        ASSERT_LE(file.stream.size(), full_stream);
        TapeCoding coding = {};
        size_t pos = 0;
        TapeRecord r;
        int32_t got;
        while ((got = tape_decode(file.stream.data(), file.stream.size(), &pos, &coding, &r,
                                  &why)) == 1) {
        }
        EXPECT_EQ(got, 0) << "cut at " << cut << ": " << why;
    }
}

TEST_F(RecordingFile, AFileOfAnotherKindIsRefusedAtOnce) {
    write_bytes(path, "not a recording at all");
    RecordingOptions options;
    options.out_dir = dir.file("out");
    std::string output;
    EXPECT_EQ(replay_recording(path.c_str(), options, &output), 1);
    EXPECT_EQ(output, path + ": not a Cairnfall recording\n");
    output.clear();
    EXPECT_EQ(replay_recording(dir.file("none.rec").c_str(), options, &output), 1);
    EXPECT_NE(output.find("none.rec: cannot be read"), std::string::npos) << output;
}

TEST_F(RecordingFile, ASessionIsOnDiskWithinASecondOfPlay) {
    const char* folder = dir.text().c_str();
    platform_set_save_folders(&folder, 1);
    reset_program_state();
    headless_reset();
    char header[256];
    recording_header(header, sizeof header);
    ASSERT_TRUE(platform_record_to(path.c_str(), header));
    ASSERT_TRUE(start_program());
    for (uint32_t second = 1; second <= 3; ++second) {
        while (platform_ticks_ms() < second * 1000 + 200) main_loop_turn();
        // Read while the game still runs, as after a crash.
        TapeFile file;
        std::string why;
        ASSERT_TRUE(tape_read_file(path.c_str(), &file, &why)) << why;
        EXPECT_EQ(file.damage, "");
        TapeCoding coding = {};
        size_t pos = 0;
        TapeRecord r;
        uint32_t last = 0;
        while (tape_decode(file.stream.data(), file.stream.size(), &pos, &coding, &r, &why) == 1) {
            if (r.kind == TAPE_TICKS) last = r.ticks;
        }
        EXPECT_GE(last + 1000, platform_ticks_ms()) << "second " << second;
    }
    destroy_main_window();
    platform_record_stop();
}

TEST_F(RecordingFile, AFolderThatRefusesTheFileLeavesTheGamePlaying) {
    std::string nowhere = dir.file("missing/folder/x.rec");
    EXPECT_FALSE(platform_record_to(nowhere.c_str(), "game cairnfall 1\ndata 0\n"));
    EXPECT_STREQ(platform_recording_path(), "");
    reset_program_state();
    headless_reset();
    ASSERT_TRUE(start_program());
    for (int32_t i = 0; i < 50; ++i) main_loop_turn();
    EXPECT_EQ(main_window, 1);
    destroy_main_window();
}

TEST_F(RecordingFile, TheNewestTenSessionsStay) {
    fs::path recordings = dir.path() / "saves" / "recordings";
    fs::create_directories(recordings);
    // Eleven older sessions, and files of other kinds that must stay.
    for (int32_t i = 0; i < 11; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "2020010%d-00000%d-%d.rec", i % 9 + 1, i % 10, 100 + i);
        write_bytes((recordings / name).string(), "old");
    }
    for (const char* keep : {"notes.txt", "20200101-000000.rec", "x20200101-000000-1.rec"}) {
        write_bytes((recordings / keep).string(), "keep");
    }
    std::string saves = (dir.path() / "saves").string();
    const char* folder = saves.c_str();
    platform_set_save_folders(&folder, 1);
    for (int32_t session = 0; session < 3; ++session) {
        ASSERT_TRUE(platform_record_session("game cairnfall 1\ndata 0\n"));
        std::string now = platform_recording_path();
        EXPECT_EQ(fs::path(now).parent_path(), recordings);
        platform_record_stop();
        EXPECT_TRUE(fs::exists(now));
    }
    int32_t files = 0;
    for (const auto& entry : fs::directory_iterator(recordings)) files += entry.is_regular_file();
    EXPECT_EQ(files, 10 + 3);
    for (const char* keep : {"notes.txt", "20200101-000000.rec", "x20200101-000000-1.rec"}) {
        EXPECT_TRUE(fs::exists(recordings / keep)) << keep;
    }
}

}  // namespace
