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
