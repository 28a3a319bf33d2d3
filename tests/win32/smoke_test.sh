#!/usr/bin/env bash
# The real cairnfall.exe under Wine on a virtual X server of 800x600 (so that the
# full-screen picture is shown 1:1), driven by xdotool as a player would: the
# first-run options as the desktop build draws them, a recorded game played with
# keys and clicks, Alt+Enter there and back, F12; the saved files in the Wine
# user's AppData\Roaming\Cairnfall; sound reaching an ALSA file device; a
# missing data file told in a message box with status 1. Recordings cross both
# ways: the Windows session replays on Linux to the same last picture and saved
# files, and a session the Linux game recorded replays under Windows.
# Usage: smoke_test.sh WINDOWS_BUILD DESKTOP_BUILD
set -u
win=$(cd "$1" && pwd)
native=$(cd "$2" && pwd)

# An X server and a home of the test's own (its ~/.asoundrc sends Wine's sound
# to a file): run this script again inside them.
if [ -z "${SMOKE_TMP:-}" ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/home"
    cat >"$tmp/home/.asoundrc" <<ASOUND
pcm.!default { type file; slave.pcm "null"; file "$tmp/sound.wav"; format "wav" }
ASOUND
    env -i PATH="$PATH" HOME="$tmp/home" USER="$(id -un)" WINEPREFIX="$win/wine-desktop" \
        SMOKE_TMP="$tmp" SMOKE_SHOTS="${SMOKE_SHOTS:-}" SDL_AUDIODRIVER=dummy \
        timeout 200 xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
    exit $?
fi

tmp=$SMOKE_TMP
fail=0
run=$(dirname "$0")/../../scripts/wine-run
# shellcheck source=tests/programs/check_support.sh
. "$(dirname "$0")/../programs/check_support.sh"
appdata=$WINEPREFIX/drive_c/users/$USER/AppData/Roaming/Cairnfall
rm -rf "$appdata"
winpath() { echo "Z:$1"; }  # a Unix path as Wine's drive Z: shows it

pid=""
# start PROGRAM ARGS...: starts a Windows program and waits for its window.
start() {
    "$run" "$@" >"$tmp/game.out" 2>"$tmp/game.err" &
    pid=$!
    if ! timeout 30 xdotool search --sync --onlyvisible --name '^Cairnfall$' >/dev/null 2>&1; then
        echo "FAILED: no window for $*"; sed 's/^/    /' "$tmp/game.err"; fail=1
        return 1
    fi
}
click() {  # click X Y [PAUSE]: the screen is the picture, 1:1
    xdotool mousemove "$1" "$2"; sleep 0.1; xdotool click 1; sleep "${3:-0.4}"
}
same_picture() {  # same_picture A.png B.png: pixel for pixel
    if plain_rgb "$1" "$tmp/a.ppm" && plain_rgb "$2" "$tmp/b.ppm" &&
        cmp -s "$tmp/a.ppm" "$tmp/b.ppm"; then
        return 0
    fi
    compare -metric AE "$1" "$2" null: 2>&1 | sed 's/^/differing pixels: /'
    return 1
}

# ---- The desktop build's first-run options, for comparison.
mkdir -p "$tmp/ref/game"
ln -s "$native/data" "$tmp/ref/game/data"
printf 'start\nmove 790 590\nwait 300\nkey esc\nwait 600\nexpect screen options\nshot options\n' \
    >"$tmp/ref/options.replay"
"$native/cairnfall-replay" "$tmp/ref/options.replay" --out "$tmp/ref" --dir "$tmp/ref/game" \
    >/dev/null || { echo "FAILED: the desktop build's options frame"; fail=1; }

# ---- 1. A recorded first run, played with keys and clicks.
rec=$tmp/windows.rec
start "$win/cairnfall.exe" --record "$(winpath "$rec")" || exit 1
xdotool mousemove 790 590
sleep 1
key Escape               # skips the intro; the first run opens the options
still_shot "$tmp/options.png"
check "the first-run options are the desktop build's picture" \
    same_picture "$tmp/ref/options.png" "$tmp/options.png"
click 440 437            # effects off
click 450 190            # difficulty 2
click 100 317 0.8        # NEW GAME saves the options and starts a game
key Right Right Right Right Up Up Up Up Up Up Up Up
click 450 550
click 450 500
click 500 500
click 500 450
key space                # pause
sleep 0.3
click 100 527            # the pause button resumes
key Left Down
click 100 443            # HIGH SCORES pauses: a screen where nothing moves
still_shot "$tmp/last_seen.png"
key alt+Return           # a window: the picture is no longer the whole screen
sleep 1.5
import -window root "$tmp/windowed.png"
check "Alt+Enter leaves full screen" bash -c "! cmp -s <(convert '$tmp/windowed.png' ppm:-) <(convert '$tmp/last_seen.png' ppm:-)"
key alt+Return
sleep 1
still_shot "$tmp/back.png"
check "Alt+Enter again shows the same picture full screen" same_picture "$tmp/last_seen.png" "$tmp/back.png"
key F12
finish 100; status=$?
check "the game quit on F12 with status 0 (got $status)" test $status -eq 0
# What the game said, if it said anything, is shown.
check "nothing on standard error" sh -c '! test -s "$1" || { cat "$1"; false; }' - "$tmp/game.err"
check "the recording was written" test -s "$rec"
# Kept for the page's test of watching it (windows.program.watch_in_page).
mkdir -p "$win/watched" && cp "$rec" "$win/watched/windows.rec"
check "the options were saved in AppData (effects 0, difficulty 2)" bash -c \
    "[ \"\$(od -An -tx1 -v '$appdata/profile.dat' | tr -d ' \n')\" = 01000000000000000200000001000000 ]"
check "the display settings are in AppData" test -s "$appdata/display.conf"

# ---- 2. Sound reached the ALSA file device.
if [ -s "$tmp/sound.wav" ]; then
    rms=$(sox --ignore-length "$tmp/sound.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
    check "the game's sound reached the device (RMS amplitude ${rms:-none})" \
        awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.0005) }'
else
    echo "FAILED: no sound reached the ALSA file device"; fail=1
fi

# ---- 3. The Windows session replays on Linux: same last picture, same files.
out=$tmp/out
mkdir -p "$out"
"$native/cairnfall-replay" --recording "$rec" --out "$out" >"$tmp/replay.out" 2>&1; status=$?
check "Linux replays the Windows recording to its end (got $status)" test $status -eq 0
sed 's/^/    /' "$tmp/replay.out"
check "its last picture is the Windows window's, pixel for pixel" \
    same_picture "$tmp/last_seen.png" "$out/last.png"
for f in cairnfall.dat profile.dat; do
    if [ -e "$appdata/$f" ] || [ -e "$out/$f" ]; then
        check "the replay wrote $f as the Windows game did" cmp "$appdata/$f" "$out/$f"
    fi
done

# ---- 4. A session recorded on Linux replays under Windows.
linux_game=$tmp/linux
mkdir -p "$linux_game"
cp "$native/cairnfall" "$linux_game/"
ln -s "$native/data" "$linux_game/data"
touch "$linux_game/portable"
lrec=$tmp/linux.rec
"$linux_game/cairnfall" --record "$lrec" >"$tmp/linux.out" 2>&1 &
pid=$!
timeout 20 xdotool search --sync --onlyvisible --pid "$pid" >/dev/null 2>&1
xdotool mousemove 790 590
sleep 0.5
key Escape
click 450 250
click 100 317 0.8
key Right Up Up
click 450 550
key F12
finish 100; status=$?
check "the Linux session ended with status 0 (got $status)" test $status -eq 0
mkdir -p "$tmp/lout" "$tmp/wout"
"$native/cairnfall-replay" --recording "$lrec" --out "$tmp/lout" >/dev/null 2>&1
"$run" "$win/cairnfall-replay.exe" --recording "$(winpath "$lrec")" --out "$(winpath "$tmp/wout")" \
    >"$tmp/replay.out" 2>&1; status=$?
check "Windows replays the Linux recording to its end (got $status)" test $status -eq 0
sed 's/^/    /' "$tmp/replay.out"
check "both replays end on the same picture" same_picture "$tmp/lout/last.png" "$tmp/wout/last.png"

# ---- 5. A missing data file: a message box naming it, then status 1.
broken=$tmp/broken
mkdir -p "$broken"
cp "$win/cairnfall.exe" "$broken/"
cp -r "$win/data" "$broken/data"
rm "$broken/data/board_"
"$run" "$broken/cairnfall.exe" >"$tmp/game.out" 2>"$tmp/game.err" &
pid=$!
box=$(timeout 30 xdotool search --sync --onlyvisible --name '^Error$' 2>/dev/null | head -n 1)
check "a message box appears" test -n "$box"
sleep 0.5
import -window root "$tmp/message_box.png"
check "the box shows text (not a blank window)" bash -c \
    "[ \"\$(convert '$tmp/message_box.png' -format '%k' info:)\" -gt 8 ]"
xdotool key --window "$box" Return 2>/dev/null || xdotool key Return
finish 100; status=$?
check "a missing data file ends with status 1 (got $status)" test $status -eq 1
check "standard error names the file, in the way of Windows" grep -qF '\data\board_' "$tmp/game.err"
sed 's/^/    /' "$tmp/game.err"

if [ -n "$SMOKE_SHOTS" ]; then
    mkdir -p "$SMOKE_SHOTS" && cp "$tmp"/*.png "$SMOKE_SHOTS/"
fi
exit $fail
