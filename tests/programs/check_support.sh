# Shared by the program tests: `check NAME COMMAND...` runs the command, prints
# "ok: NAME" or "FAILED: NAME" with the command's output indented, and sets
# fail=1 on a failure. Needs $tmp, a folder of the test's own.
check() {
    local name=$1; shift
    if "$@" >"$tmp/check.log" 2>&1; then
        echo "ok: $name"
    else
        echo "FAILED: $name"; sed 's/^/    /' "$tmp/check.log"; fail=1
    fi
}

# The real game on a virtual X server, for the tests that drive it as a player.
# finish [TENTHS]: waits up to TENTHS tenths of a second (50) for $pid to end by
# itself; its exit status, or 124.
finish() {
    for _ in $(seq "${1:-50}"); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$pid" 2>/dev/null; then kill "$pid"; wait "$pid"; return 124; fi
    wait "$pid"
}
key() {  # key NAME...: each key, then a pause for the game to take it
    for k in "$@"; do xdotool key "$k"; sleep 0.25; done
}
# plain_rgb PNG OUT: the picture as plain 8-bit RGB with its size, for cmp.
plain_rgb() { convert "$1" -alpha off -depth 8 "ppm:$2"; }
# still_shot PNG [WINDOW]: the window (the whole screen by default) once two
# screenshots 0.4 s apart agree (a slow machine may not have drawn it yet).
still_shot() {
    import -window "${2:-root}" "$1"
    for _ in $(seq 15); do
        sleep 0.4
        import -window "${2:-root}" "$tmp/again.png"
        compare -metric AE "$1" "$tmp/again.png" null: 2>/dev/null && return 0
        mv "$tmp/again.png" "$1"
    done
    echo "FAILED: the picture did not settle"; fail=1
}
