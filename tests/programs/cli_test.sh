#!/usr/bin/env bash
# The real program's command line and its start-up failures: exit statuses, and
# one clear line on standard error instead of a hung or silent process.
# Usage: cli_test.sh PATH/TO/cairnfall
set -u
bin=$(realpath "$1")
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

check() {  # check NAME CONDITION...
    local name=$1; shift
    if "$@"; then echo "ok: $name"; else echo "FAILED: $name"; fail=1; fi
}

"$bin" --help >"$tmp/out" 2>"$tmp/err"; status=$?
check "--help exits 0" test $status -eq 0
check "--help prints the usage" grep -q -- "--window" "$tmp/out"

"$bin" --version >"$tmp/out" 2>"$tmp/err"; status=$?
check "--version exits 0" test $status -eq 0
check "--version names the program" grep -q "^cairnfall [0-9]" "$tmp/out"

"$bin" --bogus >"$tmp/out" 2>"$tmp/err"; status=$?
check "an unknown option exits 2" test $status -eq 2
check "the usage goes to standard error" grep -q "unknown option '--bogus'" "$tmp/err"
check "nothing on standard output" test ! -s "$tmp/out"

# No display at all: one line naming the cause, status 1, within a second.
start=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 10 "$bin" >"$tmp/out" 2>"$tmp/err"
status=$?
elapsed_ms=$(( ($(date +%s%N) - start) / 1000000 ))
check "no display exits 1 (got $status)" test $status -eq 1
check "no display prints one line ($(wc -l <"$tmp/err"))" test "$(wc -l <"$tmp/err")" -eq 1
check "the line names the display" grep -qi "display" "$tmp/err"
check "no display ends within a second (${elapsed_ms} ms)" test $elapsed_ms -lt 1000

# A display that is named but not there: the line names it.
env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:55 timeout 10 "$bin" --no-record >"$tmp/out" 2>"$tmp/err"
status=$?
check "an absent display exits 1 (got $status)" test $status -eq 1
check "the line names the display :55" grep -q "cannot open the display (DISPLAY=:55)" "$tmp/err"

# A program without its data: status 1, the message says where it looked.
mkdir -p "$tmp/lonely/bin"
cp "$bin" "$tmp/lonely/bin/cairnfall"
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$tmp/lonely/bin/cairnfall" >"$tmp/out" 2>"$tmp/err"
status=$?
check "missing data exits 1 (got $status)" test $status -eq 1
check "the message names where it looked" grep -q "$tmp/lonely/bin/data" "$tmp/err"
check "and the installed place" grep -q "$tmp/lonely/share/cairnfall/data" "$tmp/err"

# Recording options: a missing file name is a bad command line; a recording that
# cannot be watched is named, before any window is needed.
"$bin" --record >"$tmp/out" 2>"$tmp/err"; status=$?
check "--record without a file exits 2 (got $status)" test $status -eq 2
check "and says it needs one" grep -q -- "--record needs a file name" "$tmp/err"
env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$bin" --watch "$tmp/none.rec" >"$tmp/out" 2>"$tmp/err"
status=$?
check "--watch of a missing file exits 1 (got $status)" test $status -eq 1
check "the message names the file" grep -q "^cairnfall: $tmp/none.rec: cannot be read" "$tmp/err"
check "and is said once ($(wc -l <"$tmp/err") lines)" test "$(wc -l <"$tmp/err")" -eq 1
printf 'CAIRNWAV, not a recording' >"$tmp/bad.rec"
(cd "$tmp" && env -u DISPLAY -u WAYLAND_DISPLAY timeout 10 "$bin" --watch bad.rec >out 2>err)
status=$?
check "--watch of another file exits 1 (got $status)" test $status -eq 1
check "a relative name is named in full" grep -q "$tmp/bad.rec: not a Cairnfall recording" "$tmp/err"

# A program that never got a window leaves no recording behind.
mkdir -p "$tmp/game"
cp "$bin" "$tmp/game/cairnfall"
ln -s "$(dirname "$bin")/data" "$tmp/game/data"
env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp" XDG_DATA_HOME="$tmp/xdg" timeout 10 \
    "$tmp/game/cairnfall" >"$tmp/out" 2>"$tmp/err"
check "no window, no recordings folder" test ! -e "$tmp/game/recordings" -a ! -e "$tmp/xdg"

# Where a build tree saves and records: the player's folder, unless a file named
# "portable" beside the program keeps everything beside it. The offscreen video
# driver gives a window without a display; recording starts with it.
for kind in build portable; do
    dir=$tmp/$kind
    mkdir -p "$dir"
    cp "$bin" "$dir/cairnfall"
    ln -s "$(dirname "$bin")/data" "$dir/data"
    [ $kind = portable ] && touch "$dir/portable"
    env -u DISPLAY -u WAYLAND_DISPLAY HOME="$tmp/$kind-home" XDG_DATA_HOME="$tmp/$kind-xdg" \
        SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy timeout 2 "$dir/cairnfall" >/dev/null 2>&1
    if [ $kind = portable ]; then
        check "a portable game records beside itself" test -d "$dir/recordings"
        check "and not in the player's folder" test ! -e "$tmp/$kind-xdg/cairnfall/recordings"
    else
        check "a build records in the player's folder" test -d "$tmp/$kind-xdg/cairnfall/recordings"
        check "and leaves its own folder alone" test ! -e "$dir/recordings"
    fi
done

[ $fail -eq 0 ] || cat "$tmp/err"
exit $fail
