#!/usr/bin/env bash
# Installs the game into a temporary prefix, checks what was installed, then
# starts the installed program on a virtual X server as a new player would:
# skip the intro, leave the options screen through a menu button, quit with F12.
# The settings must land in the player's data folder and nothing under the prefix.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
fail=0
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
home=$tmp/home
mkdir -p "$home"

# shellcheck source=tests/programs/check_support.sh
. "$(dirname "$0")/check_support.sh"

cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "FAILED: cmake --install"; exit 1; }

app=io.github.cairnfall.Cairnfall
expected=(
    games/cairnfall
    share/cairnfall/data/board_ share/cairnfall/data/button5_ share/cairnfall/data/sound8_
    share/cairnfall/data/icon.bmp share/cairnfall/data/font_
    share/applications/$app.desktop
    share/metainfo/$app.metainfo.xml
    share/man/man6/cairnfall.6.gz
    share/doc/cairnfall/copyright
)
for size in 16 32 48 64 128 256; do
    expected+=("share/icons/hicolor/${size}x${size}/apps/cairnfall.png")
done
for f in "${expected[@]}"; do check "installed $f" test -s "$prefix/$f"; done
check "62 game files, the font and the window icon" test "$(ls "$prefix/share/cairnfall/data" | wc -l)" -eq 64
check "no build leftovers in data" test ! -e "$prefix/share/cairnfall/data/.generated"

check "desktop-file-validate" desktop-file-validate "$prefix/share/applications/$app.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml"
check "the manual page renders without warnings" bash -c \
    "LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l '$prefix/share/man/man6/cairnfall.6.gz' 2>&1 >/dev/null | (! grep .)"

# A new player: empty home, no saves anywhere.
touch "$tmp/marker"
sleep 1
cat >"$tmp/play.sh" <<PLAY
#!/usr/bin/env bash
"$prefix/games/cairnfall" 2>"$tmp/game.err" &
pid=\$!
xdotool search --sync --onlyvisible --name Cairnfall >/dev/null
sleep 1.5
xdotool key Escape          # skip the intro: the first run opens the options
sleep 1
xdotool mousemove 100 443   # HIGH SCORES on the menu bar saves the options
sleep 0.3
xdotool click 1
sleep 1
xdotool key F12
for i in \$(seq 50); do kill -0 \$pid 2>/dev/null || break; sleep 0.1; done
kill -0 \$pid 2>/dev/null && { kill \$pid; echo "still running after F12"; exit 3; }
wait \$pid
PLAY
chmod +x "$tmp/play.sh"
env -i PATH="$PATH" HOME="$home" SDL_AUDIODRIVER=dummy \
    timeout 60 xvfb-run -a -s "-screen 0 800x600x24" "$tmp/play.sh"
status=$?
check "the installed game ran and quit with status 0 (got $status)" test $status -eq 0
[ -s "$tmp/game.err" ] && { echo "    game stderr:"; sed 's/^/    /' "$tmp/game.err"; }
saves=$home/.local/share/cairnfall
check "profile.dat is in ~/.local/share/cairnfall" test -f "$saves/profile.dat"
check "profile.dat holds the default settings, saved" bash -c \
    "[ \"\$(od -An -tx1 -v '$saves/profile.dat' | tr -d ' \n')\" = 01000000030000000100000001000000 ]"
check "the save folder is private (0700)" test "$(stat -c %a "$saves")" = 700
check "full screen is remembered in ~/.config/cairnfall/display.conf" bash -c \
    "[ \"\$(cat '$home/.config/cairnfall/display.conf')\" = \"\$(printf 'mode fullscreen\nsize 800x600')\" ]"
check "nothing was written under the prefix" bash -c "[ -z \"\$(find '$prefix' -newer '$tmp/marker')\" ]"

exit $fail
