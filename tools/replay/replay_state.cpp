// Text views of the Game and Board records and the board's consistency rules.
#include "replay/replay_state.h"

#include "game/game.h"
#include "replay/replay_fields.h"
#include "runtime/screen_slots.h"

namespace {

std::string kind_text(int32_t kind) {
    return kind == NO_STONE ? "." : std::to_string(kind);
}

std::string field_text(const char* name) {
    int32_t value = 0;
    replay_get_field(name, &value);
    return std::string(name) + "=" + std::to_string(value);
}

}  // namespace

std::string replay_row_text(int32_t row) {
    std::string text;
    for (int32_t c = 0; c < board.cols; c++) {
        int32_t index = row * board.cols + c;
        if (index < 0 || index >= CELL_COUNT) break;
        text += (c > 0 ? " " : "") + kind_text(board.cells[index].kind);
    }
    return text;
}

std::string replay_preview_text() {
    std::string text;
    for (int32_t c = 0; c < board.cols && c < MAX_COLS; c++) {
        text += (c > 0 ? " " : "") + kind_text(board.preview[c]);
    }
    return text;
}

std::string replay_state_text() {
    std::string text = "screen " + std::string(screen_name(current_screen)) + "\n";
    for (int32_t i = 0; i < replay_field_count(); i++) {
        text += field_text(replay_field_name(i));
        text += (i + 1) % 6 == 0 ? "\n" : " ";
    }
    text += "\npreview   " + replay_preview_text() + "\n";
    for (int32_t r = board.rows - 1; r >= 0; r--) {
        if (r * board.cols >= CELL_COUNT) continue;
        text +=
            "row " + std::to_string(r) + (r < 10 ? "     " : "    ") + replay_row_text(r) + "\n";
    }
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

std::string replay_board_problem() {
    if (board.rows < 2 || board.rows > MAX_ROWS) {
        return "rows " + std::to_string(board.rows) + " outside 2..10";
    }
    if (board.cols != 5 && board.cols != 7 && board.cols != 9 && board.cols != 11) {
        return "cols " + std::to_string(board.cols);
    }
    int32_t count = board.rows * board.cols;
    int32_t gaps = 0;
    int32_t gap_at = -1;
    for (int32_t i = 0; i < count; i++) {
        const Cell& cell = board.cells[i];
        if (cell.row != i / board.cols || cell.col != i % board.cols) {
            return "cell " + std::to_string(i) + " says row " + std::to_string(cell.row) + " col " +
                   std::to_string(cell.col);
        }
        if (cell.kind == NO_STONE) {
            gaps++;
            gap_at = i;
        } else if (cell.kind < 0 || cell.kind > 30) {
            return "cell " + std::to_string(i) + " has kind " + std::to_string(cell.kind);
        }
    }
    if (gaps != 1) return std::to_string(gaps) + " gaps";
    if (board.gap != gap_at) {
        return "gap field " + std::to_string(board.gap) + " but the gap is " +
               std::to_string(gap_at);
    }
    for (int32_t c = 0; c < board.cols; c++) {
        if (board.preview[c] < 0 || board.preview[c] > 30) {
            return "preview " + std::to_string(c) + " has kind " + std::to_string(board.preview[c]);
        }
    }
    return "";
}
