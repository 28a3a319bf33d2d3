// Seeded random events with the game's rules checked after every one of them:
// thousands of clicks, keys and clock steps through the game and pause screens,
// then CAIRNFALL_SOAK_EVENTS (default 50,000) events of the whole-game fuzzer's
// driver through every screen, seeded by CAIRNFALL_SOAK_SEED.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

#include "game/game_fixture.h"
#include "support/game_events.h"

namespace {

constexpr int32_t EVENTS = 6000;
constexpr uint32_t SEED = 20240611;

std::array<int32_t, STONE_COUNT> kind_counts() {
    std::array<int32_t, STONE_COUNT> counts{};
    for (int32_t i = 0; i < board.rows * board.cols; i++) {
        int32_t kind = board.cells[i].kind;
        if (kind >= 0 && kind < STONE_COUNT) counts[kind]++;
    }
    return counts;
}

bool on_game_screens() {
    return screen_handlers.on_tick == &game_on_tick || screen_handlers.on_tick == &pause_on_tick;
}

}  // namespace

class Soak : public GameTest {
  protected:
    std::mt19937 random{SEED};

    int32_t pick(int32_t n) { return static_cast<int32_t>(random() % static_cast<uint32_t>(n)); }

    // One turn of the main loop with the event queued, or a tick.
    void turn() { main_loop_turn(); }
    void tick_turns() {
        turn();
        turn();
    }

    void click_next_to_gap() {
        int32_t r = board.gap / board.cols;
        int32_t c = board.gap % board.cols;
        int32_t dr[] = {1, -1, 0, 0};
        int32_t dc[] = {0, 0, 1, -1};
        int32_t k = pick(4);
        headless_push_click(cell_x(c + dc[k]), cell_y(r + dr[k]));
        turn();
    }

    // A point anywhere but the menu bar, which leads to the other screens.
    void click_anywhere() {
        int32_t x = pick(840) - 20;
        int32_t y = pick(640) - 20;
        if (x > 5 && x < 195 && y > 290 && y < 510) return;
        headless_push_click(x, y);
        turn();
    }

    // Outside the rules: prepares the gap's row so that the stone above the gap
    // completes it, or drops special stones in.
    void plant() {
        int32_t r = board.gap / board.cols;
        int32_t c = board.gap % board.cols;
        if (pick(2) == 0 && r + 1 < board.rows) {
            for (int32_t j = 0; j < board.cols; j++) {
                if (j != c) board.cells[r * board.cols + j].kind = board.preview[j];
            }
            board.cells[(r + 1) * board.cols + c].kind = board.preview[c];
        } else {
            int32_t i = pick(board.rows * board.cols);
            if (i != board.gap) board.cells[i].kind = STONE_SPECIAL;
        }
    }

    void check(int32_t event) {
        if (!on_game_screens()) return;
        ASSERT_EQ(replay_board_problem(), "") << "after event " << event;
        ASSERT_NE(game.kind_count, 4);
        ASSERT_TRUE(game.busy == BUSY_IDLE || game.busy == BUSY_SLIDING) << event;
        int32_t sliding = 0;
        for (int32_t i = 0; i < board.rows * board.cols; i++) {
            sliding += board.cells[i].slide_ticks > 0;
        }
        ASSERT_EQ(sliding, game.busy == BUSY_SLIDING ? 1 : 0) << event;
        ASSERT_EQ(game.game_state == GAME_PAUSED, screen_handlers.on_tick == &pause_on_tick);
    }
};

TEST_F(Soak, RandomPlayKeepsEveryRule) {
    int32_t games = 0, clears = 0, pushes = 0, slides = 0;
    new_game(1 + pick(3));
    for (int32_t event = 0; event < EVENTS; event++) {
        if (!on_game_screens()) {
            // The game ended: the game-over screen is up. Begin another.
            games++;
            new_game(1 + pick(3));
        }
        auto before = kind_counts();
        std::vector<int32_t> preview(board.preview, board.preview + board.cols);
        int32_t rows = board.rows, level = game.level, score = game.score;
        bool planted = false;
        int32_t what = pick(100);
        if (what < 40) {
            click_next_to_gap();
        } else if (what < 48) {
            click_anywhere();
        } else if (what < 54) {
            headless_push_click(100, 527);  // pause / resume
            turn();
        } else if (what < 59) {
            headless_push_key(pick(4) == 0 ? 'A' : KEY_ESCAPE);
            turn();
        } else if (what < 60) {
            headless_push_click(45, 30);  // the next level at once
            turn();
        } else if (what < 62) {
            headless_push_mouse_move(pick(800), pick(600));
            turn();
        } else if (what < 72) {
            headless_advance(static_cast<uint32_t>(pick(3000)));
            tick_turns();
        } else if (what < 77) {
            headless_advance(static_cast<uint32_t>(10000 + pick(70000)));
            tick_turns();
        } else if (what < 93) {
            tick_turns();
        } else {
            planted = on_game_screens() && game.busy == BUSY_IDLE;
            if (planted) plant();
        }
        ASSERT_NE(main_window, 0);
        check(event);
        if (HasFatalFailure()) return;
        if (!on_game_screens() || planted || game.level != level) continue;
        // Stones move only by the rules: a slide keeps them, a push adds the
        // preview row, a clear (which scores) takes a row away.
        auto after = kind_counts();
        if (game.score == score && board.rows == rows) {
            ASSERT_EQ(after, before) << "event " << event;
            slides++;
        } else if (game.score == score && board.rows == rows + 1) {
            for (int32_t kind : preview) before[kind]++;
            ASSERT_EQ(after, before) << "event " << event;
            pushes++;
        } else if (game.score != score) {
            ASSERT_LT(board.rows, rows + 1);
            clears++;
        }
    }
    std::printf("games %d, clears %d, pushes %d, slides %d, level %d\n", games, clears, pushes,
                slides, game.level);
    // The run reached every part of the game.
    EXPECT_GT(games, 0);
    EXPECT_GT(clears, 10);
    EXPECT_GT(pushes, 10);
    EXPECT_GT(slides, 100);
}

namespace {

int64_t env_number(const char* name, int64_t fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    char* end = nullptr;
    long long value = std::strtoll(text, &end, 10);
    return *end == '\0' && value > 0 ? value : fallback;
}

// Random bytes through the fuzzer's event driver: runs of a few hundred to a few
// thousand events, each from one of the starts (intro, first-run choice, a new
// game), until the count is reached. Two halves with seeds of their own, so that
// ctest runs them on two cores at once.
void soak_every_screen(int64_t events, uint32_t seed) {
    ASSERT_TRUE(game_events_open("."));
    game_event_tally = {};
    std::mt19937 random(seed);
    std::vector<uint8_t> bytes(4096);
    auto refill = [&] {
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    };
    refill();
    EventBytes stream = {bytes.data(), bytes.size(), 0};
    int64_t runs = 0;
    std::string problem;
    while (game_event_tally.events < events && problem.empty()) {
        ASSERT_TRUE(game_events_begin(static_cast<uint8_t>(random())));
        runs++;
        int64_t length = 200 + random() % 3000;
        for (int64_t i = 0; i < length && main_window && problem.empty(); i++) {
            if (stream.pos + 4 > stream.size) {
                refill();
                stream.pos = 0;
            }
            problem = game_events_step(stream);
        }
    }
    std::printf("soak: seed %u, %lld events in %lld runs, %lld start-ups\n", seed,
                static_cast<long long>(game_event_tally.events), static_cast<long long>(runs),
                static_cast<long long>(game_event_tally.starts));
    std::printf("soak: events ending on each screen:");
    int32_t reached = 0;
    for (int32_t i = 0; i < SCREEN_KINDS; i++) {
        int64_t n = game_event_tally.screen_events[i];
        if (n > 0) reached++;
        std::printf(" %s %lld", screen_name(i), static_cast<long long>(n));
    }
    std::printf("\nsoak: %d screens reached, broken rules: %s\n", reached,
                problem.empty() ? "none" : problem.c_str());
    game_events_close();
    EXPECT_EQ(problem, "") << "after event " << game_event_tally.events;
    if (events >= 20000) {
        // Every screen of the game comes up in a run of this length.
        for (int32_t i = SCREEN_NONE + 1; i < SCREEN_KINDS; i++) {
            EXPECT_GT(game_event_tally.screen_events[i], 0) << screen_name(i);
        }
    }
}

int64_t half_of_the_events() {
    return (env_number("CAIRNFALL_SOAK_EVENTS", 50000) + 1) / 2;
}

uint32_t soak_seed() {
    return static_cast<uint32_t>(env_number("CAIRNFALL_SOAK_SEED", 20240611));
}

}  // namespace

TEST(SoakEveryScreen, FirstHalfKeepsEveryRule) {
    soak_every_screen(half_of_the_events(), soak_seed());
}

TEST(SoakEveryScreen, SecondHalfKeepsEveryRule) {
    soak_every_screen(half_of_the_events(), soak_seed() + 1);
}
