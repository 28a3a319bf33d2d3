// Fuzzes the reading and playing of session recordings. The input is a recording
// file: it is read as the player reads one, its record stream is decoded to the
// end, coded again and written as script words, and both must give back the same
// records; the input's own bytes are also decoded as a record stream, so the
// decoder sees streams no checksum guards. About one input in sixteen (chosen by
// a hash of its bytes) is played through the real game on the headless backend,
// a start-up and a main loop each, so that a recording cut short or damaged must
// end the game with a reason, within a bounded number of turns.
//
// CAIRNFALL_RECORDING_SEEDS=DIR makes the seeds instead (see make_seeds) and exits;
// CAIRNFALL_RECORDING_PLAY_ALL=1 plays every input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../tests/recording/recording_support.h"
#include "platform/common/tape/tape.h"
#include "platform/common/tape/tape_file.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "replay/replay.h"
#include "replay/tape_text.h"
#include "runtime/main_loop.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "shell/session_tape.h"
#include "support/game_events.h"

namespace {

// Turns a playback may take; the seeds' sessions take fewer.
constexpr int32_t kTurnMax = 1500;
// Turns the game may still run once its recording has run out or parted: it gets
// a close event and a moving clock, so it must end within a few.
constexpr int32_t kTurnsAfterTape = 200;

void check(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "fuzz_recording: %s\n", what);
    std::abort();
}

// Set by CAIRNFALL_RECORDING_PLAY_ALL=1.
bool play_all = false;

bool plays(const uint8_t* data, size_t size) {
    if (play_all) return true;
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; i++) hash = (hash ^ data[i]) * 16777619u;
    return (hash >> 28) == 0;
}

// Every record of a stream up to its end or its first bad byte.
std::vector<TapeRecord> decode_all(const std::vector<uint8_t>& stream, int32_t* last) {
    std::vector<TapeRecord> records;
    TapeCoding coding = {};
    size_t pos = 0;
    TapeRecord record;
    std::string why;
    while ((*last = tape_decode(stream.data(), stream.size(), &pos, &coding, &record, &why)) == 1) {
        check(pos <= stream.size(), "the decoder went past the stream");
        records.push_back(record);
    }
    if (*last < 0) check(!why.empty(), "a bad record without a reason");
    return records;
}

// The records decoded again from a stream must be the records it was made from.
void check_same(const std::vector<TapeRecord>& records, const std::vector<uint8_t>& stream,
                const char* what) {
    int32_t last = 0;
    std::vector<TapeRecord> again = decode_all(stream, &last);
    if (last != 0 || again.size() != records.size()) {
        std::fprintf(stderr, "fuzz_recording: %s\n", what);
        check(false, last != 0 ? "records made again do not decode"
                               : "records made again decode to another count");
    }
    for (size_t i = 0; i < records.size(); i++) {
        check(same_record(records[i], again[i]), what);
    }
}

void check_codes(const std::vector<TapeRecord>& records) {
    std::vector<uint8_t> coded(64);
    TapeCoding coding = {};
    size_t size = 0;
    for (const TapeRecord& r : records) {
        size_t room = static_cast<size_t>(r.count > 0 ? r.count : 0) + TAPE_NAME_MAX + 64;
        if (coded.size() - size < room) coded.resize(size + 2 * room + coded.size());
        check(tape_encode(r, &coding, coded.data(), coded.size(), &size), "a record did not fit");
    }
    coded.resize(size);
    check_same(records, coded, "coded records decode to other records");
}

void check_words(const std::vector<TapeRecord>& records) {
    TapeCoding wording = {};
    std::string words;
    for (const TapeRecord& r : records) tape_text_word(r, &wording, &words);
    tape_text_flush(&wording, &words);
    TapeCoding parsing = {};
    std::vector<uint8_t> stream;
    std::string why;
    if (!tape_text_parse(split_words(words), 0, &parsing, &stream, &why)) {
        std::fprintf(stderr, "fuzz_recording: %s\n", why.c_str());
        check(false, "the words of records do not parse");
    }
    check_same(records, stream, "words give other records");
}

void check_stream(const std::vector<uint8_t>& stream) {
    int32_t last = 0;
    std::vector<TapeRecord> records = decode_all(stream, &last);
    check_codes(records);
    check_words(records);
}

// Plays the stream through the real game, in the driver's folder.
void play(const TapeFile& file) {
    game_events_enter_folder();
    std::remove(HIGH_SCORE_FILE);
    std::remove(PROFILE_FILE);
    const char* folder = game_events_folder().c_str();
    platform_set_save_folders(&folder, 1);
    tape_play_stream(file.stream.data(), file.stream.size(), "the input", file.damage.c_str());
    reset_program_state();
    headless_reset();
    int32_t turns = 0;
    int32_t after_tape = 0;
    if (start_program()) {
        while (turns < kTurnMax && main_loop_turn()) {
            ++turns;
            if (!tape_has_more() && ++after_tape > kTurnsAfterTape) {
                check(false, "the game went on after its recording ran out");
            }
        }
    }
    bool whole = platform_playback_finished();
    if (main_window) destroy_main_window();
    check(whole || platform_tape_error()[0] != '\0', "a playback failed without a reason");
    game_events_leave_folder();
}

// ---------------------------------------------------------------- seeds

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

std::vector<uint8_t> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void put_u32(std::vector<uint8_t>* out, uint32_t v) {
    for (int i = 0; i < 4; i++) out->push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void put_chunk(std::vector<uint8_t>* out, const std::vector<uint8_t>& payload) {
    put_u32(out, static_cast<uint32_t>(payload.size()));
    put_u32(out, tape_crc32(payload.data(), payload.size()));
    out->insert(out->end(), payload.begin(), payload.end());
}

// The same recording with its stream in stored (uncompressed) deflate blocks, one
// chunk each, so that a mutation of the file is a mutation of its records.
std::vector<uint8_t> stored_copy(const TapeFile& file) {
    std::vector<uint8_t> out(TAPE_PREFIX_BYTES, 0);
    std::memcpy(out.data(), TAPE_MAGIC, 8);
    out[8] = TAPE_FORMAT;
    std::vector<uint8_t> header{TAPE_CHUNK_HEADER};
    header.insert(header.end(), file.header.begin(), file.header.end());
    put_chunk(&out, header);
    for (size_t at = 0; at < file.stream.size(); at += 1024) {
        size_t n = std::min<size_t>(1024, file.stream.size() - at);
        std::vector<uint8_t> payload{TAPE_CHUNK_DATA,          0x00,
                                     static_cast<uint8_t>(n),  static_cast<uint8_t>(n >> 8),
                                     static_cast<uint8_t>(~n), static_cast<uint8_t>(~n >> 8)};
        payload.insert(payload.end(), file.stream.begin() + static_cast<long>(at),
                       file.stream.begin() + static_cast<long>(at + n));
        put_chunk(&out, payload);
    }
    return out;
}

// Recorded sessions of random input (the recording tests' driver): whole ones,
// one cut short, one with a byte flipped in a chunk, one in stored blocks, and
// one in stored blocks with an unknown record code in the middle.
void make_seeds(const std::string& out) {
    namespace fs = std::filesystem;
    fs::create_directories(out);
    std::string saves = game_events_folder() + "/seed-saves";
    struct Session {
        uint32_t seed;
        int32_t inputs;
        const char* name;
    };
    const Session sessions[] = {{11, 25, "whole-a.rec"}, {12, 40, "whole-b.rec"}};
    for (const Session& s : sessions) {
        std::string path = game_events_folder() + "/" + s.name;
        std::remove(path.c_str());
        record_random_session(s.seed, s.inputs, path, saves);
        if (main_window) destroy_main_window();
        write_file(out + "/" + s.name, read_file(path));
    }
    std::vector<uint8_t> a = read_file(out + "/whole-a.rec");
    std::vector<uint8_t> b = read_file(out + "/whole-b.rec");
    write_file(out + "/cut-short.rec",
               std::vector<uint8_t>(a.begin(), a.begin() + a.size() * 2 / 3));
    std::vector<uint8_t> flipped = b;
    flipped[flipped.size() / 2] ^= 0x20;
    write_file(out + "/flipped-byte.rec", flipped);
    TapeFile file;
    std::string why;
    check(tape_read_bytes(a.data(), a.size(), "seed", &file, &why), "a seed does not read");
    write_file(out + "/stored.rec", stored_copy(file));
    file.stream[file.stream.size() / 2] = 0xF0;
    write_file(out + "/stored-bad-record.rec", stored_copy(file));
    std::printf("seeds written into %s\n", out.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const char* all = std::getenv("CAIRNFALL_RECORDING_PLAY_ALL");
    play_all = all && std::strcmp(all, "1") == 0;
    const char* seeds = std::getenv("CAIRNFALL_RECORDING_SEEDS");
    std::string seed_folder = seeds ? std::filesystem::absolute(seeds).string() : "";
    game_events_open_for_fuzzer("fuzz_recording");
    if (seeds) {
        make_seeds(seed_folder);
        game_events_close();
        std::exit(0);
    }
    game_events_await_inputs();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> raw(data, data + size);
    check_stream(raw);

    TapeFile file;
    std::string why;
    if (!tape_read_bytes(data, size, "the input", &file, &why)) {
        check(!why.empty() && file.stream.empty(), "a refused recording without a reason");
        return 0;
    }
    char problem[8192 + 256];
    check_recording_header(file.header.c_str(), "the input", problem, sizeof problem);
    check_stream(file.stream);
    if (plays(data, size)) play(file);
    return 0;
}
