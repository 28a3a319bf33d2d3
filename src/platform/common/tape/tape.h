// The session tape: the game's inputs as a stream of records.
//
// The clock readings, the events, the display facts and the saved files the game
// reads are everything it does not decide itself. A recording holds them in the
// order the game asked for them; played back in their place, the same code and
// data make the same game, frame for frame.
//
// A record stream is a byte string (the codes are in tape_codes.cpp). A recording
// file is the magic "CAIRNREC", a format byte and three zero bytes, then chunks:
// a 32-bit little-endian payload length, the payload's CRC-32, and the payload,
// whose first byte says what it is: 'H' the header text, 'D' the next part of the
// record stream, compressed by deflate (one stream across the chunks, each chunk
// ending on a flush so that it stands on its own once its predecessors are read).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// What a record says: which platform call answered what. Each kind is described
// once, in tape_kind() (tape_codes.cpp): its name, its script word, its codes and
// the parts of the record it carries.
enum TapeKind : uint8_t {
    TAPE_TICKS,     // platform_ticks_ms
    TAPE_CALENDAR,  // platform_calendar_seconds
    TAPE_POLL,      // platform_poll_event
    TAPE_WAIT,      // platform_wait_event
    TAPE_DESKTOP,   // platform_desktop_size
    TAPE_DEPTH,     // platform_display_depth
    TAPE_MOUSE,     // platform_mouse_present
    TAPE_READ,      // platform_read_saved
    TAPE_WRITE,     // platform_write_saved
    TAPE_END,       // the session ended here
    TAPE_KINDS
};

// A part of a record: which fields it fills, how they follow the code byte (the
// numbers are LEB128 varints, signed ones zigzag coded) and how they follow the
// kind's script word.
enum TapePart : uint8_t {
    TAPE_PART_NONE,
    TAPE_PART_TICKS,     // `ticks`: the step from the last reading ("t+N")
    TAPE_PART_CALENDAR,  // `calendar`: the signed step from the last reading ("c+N")
    TAPE_PART_EVENT,     // `delivered`, `event`: the type byte, then its key or position
    TAPE_PART_SIZE,      // `ok`, `width`, `height`: a byte 0/1, two signed numbers ("WxH", "-")
    TAPE_PART_NUMBER,    // `width`: a signed number
    TAPE_PART_FLAG,      // `ok`: a byte 0 or 1
    TAPE_PART_NAME,      // `name`: its length byte and characters
    TAPE_PART_SAVED,     // `count`, `bytes`: the count (-1: no file), then the bytes (hex, "-")
};

struct TapeKindInfo {
    TapeKind kind;
    // In messages: "the game asked for a clock reading".
    const char* name;
    // The script word: the clock and event parts follow it directly ("t+16",
    // "c-1", "~key:27"), the others each after a colon ("read:NAME:HEX").
    const char* word;
    // The code byte of the record.
    uint8_t code;
    // The short form that only the first part may have (an unchanged calendar
    // reading, an event check or wait that found no event): its code (0: none)
    // and its word.
    uint8_t short_code;
    const char* short_word;
    TapePart parts[2];
};

// The description of a kind (kind < TAPE_KINDS).
const TapeKindInfo& tape_kind(TapeKind kind);

constexpr size_t TAPE_NAME_MAX = 63;
// The most bytes a saved-file read may carry.
constexpr int32_t TAPE_READ_MAX = 1 << 20;

// Every field starts blank: a record is made by setting `kind` and the fields it
// uses.
struct TapeRecord {
    TapeKind kind = TAPE_END;
    bool ok = false;
    bool delivered = false;
    PlatformEvent event = {PEV_NONE, 0, 0, 0};
    uint32_t ticks = 0;
    int64_t calendar = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t count = 0;
    const uint8_t* bytes = nullptr;  // TAPE_READ: `count` bytes inside the stream
    char name[TAPE_NAME_MAX + 1] = "";
};

// What the coding carries from one record to the next.
struct TapeCoding {
    uint32_t ticks;
    int64_t calendar;
    int32_t mouse_x;
    int32_t mouse_y;
    // The step of the last mouse event when it was a move: a move after a move is
    // coded as the change of step, which a hand moving the mouse keeps small.
    bool moving;
    int64_t step_x;
    int64_t step_y;
    bool pending_ticks;  // a pair code gave a calendar reading, its ticks comes next
    uint32_t pending_value;
};

// Appends one record's code to out[*size..capacity); false (nothing written) when
// it does not fit.
bool tape_encode(const TapeRecord& record, TapeCoding* coding, uint8_t* out, size_t capacity,
                 size_t* size);
// Reads the record at *pos: 1 with *pos past it, 0 at the end of the bytes, -1
// when the bytes are no record (why: a line in `why`).
int32_t tape_decode(const uint8_t* bytes, size_t size, size_t* pos, TapeCoding* coding,
                    TapeRecord* record, std::string* why);
// The name of a kind, for messages ("a clock reading").
const char* tape_kind_name(TapeKind kind);

// A recording read from a file: the header text and the whole record stream.
struct TapeFile {
    uint8_t format = 0;
    std::string header;
    std::vector<uint8_t> stream;
    // Empty when the file was whole; else why the stream stops where it does
    // (the file cut short or damaged at some byte).
    std::string damage;
};

// Reads a recording of any format this game knows. False, with `why` naming the
// file, when it is none at all; a recording that ends early or turns bad keeps
// what came before (`damage`).
bool tape_read_file(const char* path, TapeFile* file, std::string* why);
// The same from bytes in memory; `name` stands for the file in messages.
bool tape_read_bytes(const uint8_t* bytes, size_t size, const char* name, TapeFile* file,
                     std::string* why);

// ---------------------------------------------------------------- playback

// Plays a record stream in place of the machine's inputs (the replay tool and
// tests). `name` names it in messages. The stream may grow (tape_append).
void tape_play_stream(const uint8_t* stream, size_t size, const char* name, const char* damage);
void tape_append(const uint8_t* stream, size_t size);
// Records not yet used.
bool tape_has_more();
// Back to the machine's own answers.
void tape_stop();
// While a tape plays: true, with the last ticks and calendar readings it gave.
bool tape_last_clock(uint32_t* ticks, int64_t* calendar);
// Milliseconds of the session played so far (from the first clock reading).
uint32_t tape_session_ms();
// Milliseconds of a session as messages and scripts write them ("12.345 s").
std::string tape_seconds(uint32_t ms);
