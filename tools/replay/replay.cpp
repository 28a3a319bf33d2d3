// The replay interpreter: one command a line, run against the real game on the
// headless backend.
#include "replay/replay.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "common/png_write.h"
#include "game/game.h"
#include "gfx/gfx.h"
#include "platform/common/tape/tape.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "replay/replay_fields.h"
#include "replay/replay_state.h"
#include "replay/tape_text.h"
#include "runtime/catalogue.h"
#include "runtime/clock.h"
#include "runtime/handles.h"
#include "runtime/main_loop.h"
#include "runtime/screen_slots.h"
#include "screens/screens.h"
#include "shell/program.h"
#include "shell/session_tape.h"

namespace {

struct Run {
    std::string* output;
    std::string shot_dir;
    int64_t calendar_base = 0;
    bool started = false;
    int32_t line = 0;
    std::string error;
    // A recorded session: the game takes its inputs from `tape` lines.
    bool taped = false;
    TapeCoding tape_coding = {};
};

void print(Run& run, const std::string& text) {
    if (run.output) *run.output += text + "\n";
}

bool fail(Run& run, const std::string& why) {
    run.error = "line " + std::to_string(run.line) + ": " + why;
    return false;
}

bool parse_int(const std::string& text, int32_t* value) {
    if (text.empty()) return false;
    char* end = nullptr;
    long long v = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    *value = static_cast<int32_t>(v);
    return true;
}

// A stone kind in a row or preview list: a number, or "." for the gap.
bool parse_kind(const std::string& text, int32_t* kind) {
    if (text == ".") {
        *kind = NO_STONE;
        return true;
    }
    return parse_int(text, kind) && *kind >= NO_STONE && *kind < STONE_COUNT;
}

// A key by name ("esc", "left", "enter", a letter "a".."z", a digit "0".."9") or
// by its virtual-key code.
bool parse_key(const std::string& text, int32_t* key) {
    struct NamedKey {
        const char* name;
        int32_t code;
    };
    static const NamedKey NAMED[] = {
        {"esc", KEY_ESCAPE},  {"f12", KEY_F12},     {"left", KEY_LEFT},
        {"right", KEY_RIGHT}, {"up", KEY_UP},       {"down", KEY_DOWN},
        {"space", KEY_SPACE}, {"enter", KEY_ENTER}, {"backspace", KEY_BACKSPACE},
        {"tab", KEY_TAB},     {"pause", KEY_PAUSE},
    };
    for (const NamedKey& named : NAMED) {
        if (text == named.name) {
            *key = named.code;
            return true;
        }
    }
    if (text.size() == 1) {
        char c = text[0];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            *key = c;
            return true;
        }
    }
    return parse_int(text, key);
}

bool start(Run& run) {
    if (main_window) destroy_main_window();
    reset_program_state();
    headless_reset();
    headless_set_calendar_base(run.calendar_base);
    if (!start_program()) {
        std::string why = run.taped ? std::string(": ") + platform_tape_error() : "";
        return fail(run, "the program did not start" + why);
    }
    run.started = true;
    return true;
}

// The game's own check that the script's tape comes from this version, build and
// data.
bool begin_tape(Run& run, const std::vector<std::string>& words) {
    if (run.started || run.taped) return fail(run, "`recording` must come first, before `start`");
    if (words.size() != 4) return fail(run, "recording VERSION BUILD DATA");
    // A build of "-" stands for an older recording's header, which names none.
    std::string build = words[2] == "-" ? "" : "build " + words[2] + "\n";
    std::string header = "game cairnfall " + words[1] + "\n" + build + "data " + words[3] + "\n";
    char problem[8192 + 256];
    if (!check_recording_header(header.c_str(), "the script's tape", problem, sizeof problem)) {
        return fail(run, problem);
    }
    tape_play_stream(nullptr, 0, "the script's tape", nullptr);
    run.taped = true;
    return true;
}

bool tape_holds(Run& run) {
    if (run.taped && platform_tape_error()[0] != '\0') return fail(run, platform_tape_error());
    return true;
}

// Adds a line's records to the tape; once the program runs, its turns use them up.
bool feed_tape(Run& run, const std::vector<std::string>& words) {
    if (!run.taped) return fail(run, "`tape` needs a `recording` line first");
    std::vector<uint8_t> stream;
    std::string why;
    if (!tape_text_parse(words, 1, &run.tape_coding, &stream, &why)) return fail(run, why);
    tape_append(stream.data(), stream.size());
    while (run.started && main_window && tape_has_more()) main_loop_turn();
    return tape_holds(run);
}

// At the script's end: a tape must have been used up to its end mark; a script
// that stops earlier lets the game end on the headless backend.
bool end_tape(Run& run) {
    if (!run.taped) return true;
    if (main_window && !tape_has_more() && platform_tape_error()[0] == '\0') {
        tape_stop();
        return true;
    }
    if (!platform_playback_finished()) return fail(run, platform_tape_error());
    return true;
}

bool need_window(Run& run) {
    if (!run.started) return fail(run, "`start` first");
    return true;
}

// Runs main loop turns until ms of the manual clock have passed (or the program
// ended).
void wait_ms(int32_t ms) {
    uint32_t begin = platform_ticks_ms();
    while (main_window && static_cast<int64_t>(platform_ticks_ms() - begin) < ms) {
        if (!main_loop_turn()) break;
    }
}

void cell_centre(int32_t row, int32_t col, int32_t* x, int32_t* y) {
    *x = board.left_x + CELL_SIZE * col + CELL_SIZE / 2;
    *y = board.bottom_y - CELL_SIZE * row - CELL_SIZE / 2;
}

bool compare(int32_t actual, const std::string& op, int32_t expected, bool* known) {
    *known = true;
    if (op == "==" || op == "=") return actual == expected;
    if (op == "!=") return actual != expected;
    if (op == "<") return actual < expected;
    if (op == "<=") return actual <= expected;
    if (op == ">") return actual > expected;
    if (op == ">=") return actual >= expected;
    *known = false;
    return false;
}

// Fills a board row (or the preview row) from a list of kinds; a "." in a board
// row makes that cell the gap.
bool set_row(Run& run, const std::vector<std::string>& words, bool preview) {
    size_t first = preview ? 1 : 2;
    int32_t row = 0;
    if (!preview && (!parse_int(words[1], &row) || row < 0 || row > MAX_ROWS)) {
        return fail(run, "bad row number");
    }
    if (words.size() - first != static_cast<size_t>(board.cols)) {
        return fail(run, "need " + std::to_string(board.cols) + " kinds");
    }
    for (int32_t c = 0; c < board.cols; c++) {
        int32_t kind;
        if (!parse_kind(words[first + c], &kind)) return fail(run, "bad kind " + words[first + c]);
        if (preview) {
            if (kind == NO_STONE) return fail(run, "the preview row has no gap");
            board.preview[c] = kind;
            continue;
        }
        int32_t index = row * board.cols + c;
        if (index >= CELL_COUNT) return fail(run, "row outside the board");
        Cell& cell = board.cells[index];
        cell.row = row;
        cell.col = c;
        cell.kind = kind;
        cell.picked = 1;
        if (kind == NO_STONE) board.gap = index;
    }
    return true;
}

bool expect_row(Run& run, const std::vector<std::string>& words, bool preview) {
    // expect row R KINDS... / expect preview KINDS...
    size_t first = preview ? 2 : 3;
    int32_t row = 0;
    if (!preview && (words.size() < 3 || !parse_int(words[2], &row) || row < 0 || row > MAX_ROWS)) {
        return fail(run, "bad row number");
    }
    std::string actual = preview ? replay_preview_text() : replay_row_text(row);
    std::string wanted;
    for (size_t i = first; i < words.size(); i++) wanted += (i > first ? " " : "") + words[i];
    if (actual != wanted) {
        std::string what = preview ? "preview" : "row " + words[2];
        return fail(run, "expected " + what + " [" + wanted + "], got [" + actual + "]");
    }
    return true;
}

bool expect(Run& run, const std::vector<std::string>& words) {
    if (words.size() < 3) return fail(run, "expect FIELD [OP] VALUE");
    if (words[1] == "row") return expect_row(run, words, false);
    if (words[1] == "preview") return expect_row(run, words, true);
    if (words[1] == "screen") {
        std::string actual = screen_name(current_screen);
        if (actual != words[2]) return fail(run, "expected screen " + words[2] + ", got " + actual);
        return true;
    }
    std::string op = words.size() == 4 ? words[2] : "==";
    const std::string& wanted_text = words.back();
    int32_t actual;
    int32_t wanted;
    if (!replay_get_field(words[1], &actual)) return fail(run, "no field " + words[1]);
    if (!parse_int(wanted_text, &wanted)) return fail(run, "bad value " + wanted_text);
    bool known;
    bool holds = compare(actual, op, wanted, &known);
    if (!known) return fail(run, "bad comparison " + op);
    if (!holds) {
        return fail(run, "expected " + words[1] + " " + op + " " + wanted_text + ", got " +
                             std::to_string(actual));
    }
    return true;
}

bool shot(Run& run, const std::string& name) {
    std::string path = run.shot_dir.empty() ? name + ".png" : run.shot_dir + "/" + name + ".png";
    if (!write_png_argb(path.c_str(), gfx_window_argb(), 800, 600)) {
        return fail(run, "cannot write " + path);
    }
    print(run, "shot " + path);
    return true;
}

bool run_line(Run& run, const std::vector<std::string>& words) {
    const std::string& command = words[0];
    size_t args = words.size() - 1;
    int32_t a = 0;
    int32_t b = 0;
    if (command == "clock") {
        if (run.started) return fail(run, "`clock` must come before `start`");
        if (args != 1 || !parse_int(words[1], &a)) return fail(run, "clock SECONDS");
        run.calendar_base = a;
        return true;
    }
    if (command == "start") return start(run) && tape_holds(run);
    if (command == "recording") return begin_tape(run, words);
    if (command == "tape") return feed_tape(run, words);
    if (command == "echo") {
        std::string text;
        for (size_t i = 1; i < words.size(); i++) text += (i > 1 ? " " : "") + words[i];
        print(run, text);
        return true;
    }
    if (!need_window(run)) return false;
    if (run.taped && (command == "wait" || command == "turn" || command == "advance")) {
        return fail(run, "in a recorded script the time comes from the `tape` lines");
    }
    if (command == "wait") {
        if (args != 1 || !parse_int(words[1], &a) || a < 0) return fail(run, "wait MS");
        wait_ms(a);
    } else if (command == "turn") {
        a = 1;
        if (args > 1 || (args == 1 && (!parse_int(words[1], &a) || a < 0))) {
            return fail(run, "turn [COUNT]");
        }
        for (int32_t i = 0; i < a && main_window; i++) main_loop_turn();
    } else if (command == "advance") {
        if (args != 1 || !parse_int(words[1], &a) || a < 0) return fail(run, "advance MS");
        headless_advance(static_cast<uint32_t>(a));
    } else if (command == "move" || command == "click") {
        if (args != 2 || !parse_int(words[1], &a) || !parse_int(words[2], &b)) {
            return fail(run, command + " X Y");
        }
        command == "move" ? headless_push_mouse_move(a, b) : headless_push_click(a, b);
    } else if (command == "movecell" || command == "clickcell") {
        if (args != 2 || !parse_int(words[1], &a) || !parse_int(words[2], &b)) {
            return fail(run, command + " ROW COL");
        }
        int32_t x;
        int32_t y;
        cell_centre(a, b, &x, &y);
        command == "movecell" ? headless_push_mouse_move(x, y) : headless_push_click(x, y);
    } else if (command == "key") {
        if (args != 1 || !parse_key(words[1], &a)) return fail(run, "key CODE|NAME");
        headless_push_key(a);
    } else if (command == "focus" || command == "blur") {
        // The window losing the keyboard focus (switched away from or minimised),
        // or getting it back.
        bool lost = command == "blur" ? args == 0 : args == 1 && words[1] == "lost";
        bool gained = command == "focus" && args == 1 && words[1] == "gained";
        if (!lost && !gained) return fail(run, "focus lost|gained, or blur");
        headless_push_event({lost ? PEV_FOCUS_LOST : PEV_FOCUS_GAINED, 0, 0, 0});
    } else if (command == "close") {
        // The window's close button (or Alt+F4).
        if (args != 0) return fail(run, "close");
        headless_push_event({PEV_CLOSE, 0, 0, 0});
    } else if (command == "shot") {
        if (args != 1) return fail(run, "shot NAME");
        return shot(run, words[1]);
    } else if (command == "state") {
        print(run, replay_state_text());
    } else if (command == "expect") {
        return expect(run, words);
    } else if (command == "set") {
        if (args != 2 || !parse_int(words[2], &a)) return fail(run, "set FIELD VALUE");
        if (!replay_set_field(words[1], a)) return fail(run, "cannot set " + words[1]);
    } else if (command == "row") {
        if (args < 1) return fail(run, "row R KINDS...");
        return set_row(run, words, false);
    } else if (command == "preview") {
        return set_row(run, words, true);
    } else if (command == "check") {
        std::string why = replay_board_problem();
        if (!why.empty()) return fail(run, "board: " + why);
    } else {
        return fail(run, "unknown command " + command);
    }
    return true;
}

std::vector<std::string> split_words(const std::string& line) {
    std::vector<std::string> words;
    std::istringstream in(line.substr(0, line.find('#')));
    std::string word;
    while (in >> word) words.push_back(word);
    return words;
}

}  // namespace

int32_t replay_run(const char* script, std::string* output, const char* shot_dir) {
    Run run;
    run.output = output;
    if (shot_dir) run.shot_dir = shot_dir;
    std::istringstream in(script ? script : "");
    std::string line;
    bool ok = true;
    while (ok && std::getline(in, line)) {
        run.line++;
        std::vector<std::string> words = split_words(line);
        if (words.empty()) continue;
        ok = run_line(run, words);
    }
    if (ok) ok = end_tape(run);
    // The program ends with the script; its shutdown releases everything.
    if (main_window) destroy_main_window();
    if (run.taped) tape_stop();
    if (!ok) {
        print(run, "FAILED " + run.error);
        return 1;
    }
    return 0;
}
