#!/usr/bin/env bash
# The session recorder end to end, with the real SDL game on a virtual X server
# driven by xdotool as a player would: a recorded first run (intro, options, a
# game with moves, a pause, the quit dialog, the high scores) must be made again by
# cairnfall-replay to the same last picture and the same saved files; sessions
# recorded by default land in recordings/ beside a portable game, ten kept;
# --watch shows a recording and Esc stops it; a cut-short recording is refused.
# Usage: recording_test.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)

# The checks need an X server of their own: run this script again under one.
if [ -z "${RECORDING_TEST_TMP:-}" ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/home"
    env -i PATH="$PATH" HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share" \
        SDL_AUDIODRIVER=dummy RECORDING_TEST_TMP="$tmp" RECORDING_TEST_SHOTS="${RECORDING_TEST_SHOTS:-}" \
        timeout 110 xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
    exit $?
fi

tmp=$RECORDING_TEST_TMP
fail=0
replay=$build/cairnfall-replay
# A portable copy of the game: it saves and records beside itself, here.
game=$tmp/game
mkdir -p "$game"
cp "$build/cairnfall" "$game/"
ln -s "$build/data" "$game/data"
touch "$game/portable"

# shellcheck source=tests/programs/check_support.sh
. "$(dirname "$0")/check_support.sh"

pid=""
wid=""
# start ARGS...: starts the game and waits for its window to show.
start() {
    "$game/cairnfall" "$@" >"$tmp/game.out" 2>"$tmp/game.err" &
    pid=$!
    wid=$(timeout 10 xdotool search --sync --onlyvisible --pid "$pid" 2>/dev/null | head -n 1)
    if [ -z "$wid" ]; then
        echo "FAILED: no window for cairnfall $*"; sed 's/^/    /' "$tmp/game.err"; fail=1
        return 1
    fi
}
click() {  # click X Y: in picture coordinates, the window showing it 1:1
    xdotool mousemove --window "$wid" "$1" "$2"
    sleep 0.1
    xdotool click 1
    sleep "${3:-0.3}"
}

# ---- 1. A recorded first run, played with keys and clicks.
rec=$tmp/session.rec
start --window --record "$rec" || exit 1
check "the window is 800x600" bash -c \
    "xwininfo -id $wid | grep -q 'Width: 800' && xwininfo -id $wid | grep -q 'Height: 600'"
xdotool mousemove --window "$wid" 400 300   # the keys go to the window under the pointer
sleep 1
key Escape               # skips the intro; the first run opens the options
sleep 0.5
import -window "$wid" "$tmp/options.png"
click 440 437            # effects off
click 450 190            # difficulty 2
click 100 317 0.6        # NEW GAME saves the options and starts a game
import -window "$wid" "$tmp/game.png"
# Arrow keys walk the gap to the bottom left corner (a cleared row may stop it
# short), then clicks move the stones beside it.
key Right Right Right Right Up Up Up Up Up Up Up Up
click 450 550
click 450 500
click 500 500
click 500 450
key space                # pause
sleep 0.3
click 100 527            # the pause button resumes
key Left Down
click 100 485 0.5        # QUIT pauses the game and asks
import -window "$wid" "$tmp/quit.png"
key Escape               # back: the game goes on
key Right
sleep 0.3
# HIGH SCORES pauses the game again; the table with the game's score and a
# resume button is a screen where nothing moves (the pause screen's button blinks).
click 100 443
still_shot "$tmp/last_seen.png" "$wid"
key F12
finish; status=$?
check "the recorded session quit with status 0 (got $status)" test $status -eq 0
check "nothing on standard error" test ! -s "$tmp/game.err"
check "the recording was written" test -s "$rec"
check "the options were saved beside the game (effects 0, difficulty 2)" bash -c \
    "[ \"\$(od -An -tx1 -v '$game/profile.dat' | tr -d ' \n')\" = 01000000000000000200000001000000 ]"
check "a --record session leaves nothing in recordings/" test ! -e "$game/recordings"

# ---- 2. The replay makes the same session again.
out=$tmp/out
mkdir -p "$out"
"$replay" --recording "$rec" --out "$out" >"$tmp/replay.out" 2>"$tmp/replay.err"; status=$?
check "cairnfall-replay exits 0 (got $status)" test $status -eq 0
check "the summary says the session was made again to the end" \
    grep -q "frames, made again to the end" "$tmp/replay.out"
cat "$tmp/replay.out" "$tmp/replay.err" | sed 's/^/    /'
if [ -f "$out/last.png" ] && plain_rgb "$out/last.png" "$tmp/replayed.ppm" &&
    plain_rgb "$tmp/last_seen.png" "$tmp/seen.ppm"; then
    check "the replay's last picture is the window's, pixel for pixel" cmp "$tmp/seen.ppm" "$tmp/replayed.ppm"
    cmp -s "$tmp/seen.ppm" "$tmp/replayed.ppm" ||
        compare -metric AE "$tmp/seen.ppm" "$tmp/replayed.ppm" null: 2>&1 | sed 's/^/    differing pixels: /'
else
    echo "FAILED: no last.png to compare"; fail=1
fi
for f in cairnfall.dat profile.dat; do
    if [ -e "$game/$f" ] || [ -e "$out/$f" ]; then
        check "the replay wrote $f as the game did" cmp "$game/$f" "$out/$f"
    fi
done

# ---- 3. Sessions recorded by default: beside the portable game, ten kept.
pids=()
for i in $(seq 12); do
    start || break
    pids+=("$pid")
    key F12
    finish; status=$?
    [ $status -eq 0 ] || { echo "FAILED: short session $i exited $status"; fail=1; }
done
recordings=$game/recordings
check "ten recordings are kept" test "$(find "$recordings" -type f | wc -l)" -eq 10
for i in 0 1; do
    check "the oldest session's recording was removed (${pids[$i]:-})" bash -c \
        "! ls '$recordings' | grep -q -- '-0*${pids[$i]:-x}\.rec\$'"
done
for i in $(seq 2 11); do
    check "session ${pids[$i]:-} is kept" bash -c "ls '$recordings' | grep -q -- '-0*${pids[$i]:-x}\.rec\$'"
done
# shellcheck disable=SC2012  # the program's own file names: digits and dashes
newest=$(ls -t "$recordings"/*.rec 2>/dev/null | head -n 1)
check "the newest recording is the last session's" bash -c "[[ '$newest' =~ -0*${pids[11]:-x}\.rec\$ ]]"
mkdir -p "$tmp/short"
(cd "$tmp/short" && "$replay" --recording "$newest") >"$tmp/replay.out" 2>&1; status=$?
check "the newest recording replays to its end (got $status)" test $status -eq 0
sed 's/^/    /' "$tmp/replay.out"

# ---- 4. Watching a recording in the window; Esc stops it.
cp "$game/profile.dat" "$tmp/profile.before"
start --watch "$rec" --window || exit 1
# The options screen as the recorded session showed it comes up on its way.
seen=0
for _ in $(seq 30); do
    import -window "$wid" "$tmp/watching.png"
    if compare -metric AE "$tmp/options.png" "$tmp/watching.png" null: 2>/dev/null; then
        seen=1; break
    fi
    sleep 0.1
done
check "the window shows the recorded session's options screen" test $seen -eq 1
xdotool mousemove --window "$wid" 400 300 key Escape
stopped_at=$(date +%s%N)
finish; status=$?
elapsed_ms=$(( ($(date +%s%N) - stopped_at) / 1000000 ))
check "watching stopped by Esc exits 0 (got $status)" test $status -eq 0
check "it stops at once (${elapsed_ms} ms)" test $elapsed_ms -lt 2000
check "nothing on standard error" test ! -s "$tmp/game.err"
check "watching leaves the saved files alone" cmp "$tmp/profile.before" "$game/profile.dat"
check "watching records nothing" test "$(find "$recordings" -type f | wc -l)" -eq 10
check "no session saved or recorded anything in the player's folder" \
    test ! -e "$tmp/home/.local/share/cairnfall"

# ---- 5. A cut-short recording is refused, naming the file.
head -c 300 "$rec" >"$tmp/cut.rec"
"$replay" --recording "$tmp/cut.rec" --out "$tmp/cut" >"$tmp/replay.out" 2>"$tmp/replay.err"; status=$?
check "a cut-short recording exits 1 (got $status)" test $status -eq 1
check "the message names the file" grep -q "cut.rec" "$tmp/replay.err"
sed 's/^/    /' "$tmp/replay.err"

# The screens seen on the way, kept for a person to look at.
if [ -n "${RECORDING_TEST_SHOTS:-}" ]; then
    mkdir -p "$RECORDING_TEST_SHOTS"
    cp "$tmp"/*.png "$out/last.png" "$RECORDING_TEST_SHOTS/" 2>/dev/null
fi
exit $fail
