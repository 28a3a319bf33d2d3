#!/usr/bin/env bash
# `make run` builds only the game, its data and documents: none of what it needs
# may be a test program or the benchmark. Usage: make_run_targets.sh BUILD_DIR
set -eu
build=$1
# The targets the Makefile's `game` rule (which `make run` builds) names.
targets=$(awk '/^game:/ {rule = 1; next} /^[^\t]/ {rule = 0}
               rule && /--target/ {sub(/.*--target /, ""); print}' "$(dirname "$0")/../../Makefile")
[ -n "$targets" ] || { echo "FAILED: no --target list in the Makefile's game rule"; exit 1; }
# Every command Ninja would run for those targets, from a clean tree.
commands=$(ninja -C "$build" -t commands $targets)
if echo "$commands" | grep -E -- '-o (test_|cairnfall-bench|cairnfall-replay)|/tests/|/bench/'; then
    echo "FAILED: make run builds a test or benchmark target"
    exit 1
fi
echo "ok: make run builds $(echo "$commands" | wc -l) commands for: $targets"
