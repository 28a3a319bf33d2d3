#!/usr/bin/env bash
# The Windows packages under Wine: the installer installs silently for the
# player alone (the program in AppData\Local\Programs, a Start-menu entry, an
# uninstaller listed in the player's registry), the installed game starts and
# quits, and the silent uninstall leaves nothing but the player's saved files;
# the portable zip's game runs where it is unpacked and keeps its files there.
# Usage: installer_test.sh WINDOWS_BUILD
set -u
win=$(cd "$1" && pwd)

if [ -z "${INSTALLER_TMP:-}" ]; then
    tmp=$(mktemp -d)
    trap 'rm -rf "$tmp"' EXIT
    mkdir -p "$tmp/home"
    env -i PATH="$PATH" HOME="$tmp/home" USER="$(id -un)" WINEPREFIX="$win/wine-desktop" \
        INSTALLER_TMP="$tmp" timeout 150 xvfb-run -a -s "-screen 0 800x600x24" "$0" "$@"
    exit $?
fi

tmp=$INSTALLER_TMP
fail=0
run=$(dirname "$0")/../../scripts/wine-run
# shellcheck source=tests/programs/check_support.sh
. "$(dirname "$0")/../programs/check_support.sh"
user=$WINEPREFIX/drive_c/users/$USER
installed=$user/AppData/Local/Programs/Cairnfall
shortcut=$user/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Cairnfall.lnk
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Cairnfall'
setup=$(ls "$win"/cairnfall-*-setup.exe | head -n 1)
zip=$(ls "$win"/cairnfall-*-windows.zip | head -n 1)

# play PROGRAM: starts a game, waits for its window, quits it with F12; its status.
play() {
    "$run" "$1" >"$tmp/game.out" 2>"$tmp/game.err" &
    local pid=$!
    if ! timeout 30 xdotool search --sync --onlyvisible --name '^Cairnfall$' >/dev/null 2>&1; then
        kill "$pid" 2>/dev/null; wait "$pid"; return 125
    fi
    sleep 1
    xdotool key F12
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; wait "$pid"; return 124; fi
    wait "$pid"
}

# ---- The installer.
start_ns=$(date +%s%N)
"$run" "$setup" /S; status=$?
check "the silent install succeeds (got $status) in $(( ($(date +%s%N) - start_ns) / 1000000 )) ms" \
    test $status -eq 0
check "the game is installed for the player" test -f "$installed/cairnfall.exe"
check "with its data" test -f "$installed/data/board_"
check "and its uninstaller" test -f "$installed/uninstall.exe"
check "the Start menu has an entry" test -f "$shortcut"
check "the uninstaller is listed in the player's registry" "$run" reg query "$key" /v UninstallString
play "$installed/cairnfall.exe"; status=$?
check "the installed game starts and quits with status 0 (got $status)" test $status -eq 0
check "its saved files are in the player's AppData" test -d "$user/AppData/Roaming/Cairnfall"

# The uninstaller runs a copy of itself from the temporary folder and returns at
# once: the files go a moment later.
"$run" "$installed/uninstall.exe" /S; status=$?
for _ in $(seq 100); do [ -e "$installed" ] || break; sleep 0.1; done
check "the silent uninstall succeeds (got $status)" test $status -eq 0
check "the program's folder is gone" test ! -e "$installed"
check "the Start-menu entry is gone" test ! -e "$shortcut"
check "the registry entry is gone" bash -c "! '$run' reg query '$key' >/dev/null 2>&1"
check "the player's saved files stay" test -d "$user/AppData/Roaming/Cairnfall"

# ---- The portable zip.
mkdir -p "$tmp/unpacked"
(cd "$tmp/unpacked" && cmake -E tar xf "$zip")
portable=$tmp/unpacked/Cairnfall
check "the zip holds the game, its data and the portable mark" \
    test -f "$portable/cairnfall.exe" -a -f "$portable/data/board_" -a -f "$portable/portable"
play "$portable/cairnfall.exe"; status=$?
check "the unpacked game starts and quits with status 0 (got $status)" test $status -eq 0
check "it records its sessions beside itself" test -d "$portable/recordings"
exit $fail
