#!/usr/bin/env bash
# The wasm game under node against the native one: the same seeded sessions on
# the headless backend, on the same data/, must present the same frames and
# leave the same saved files, byte for byte.
# Usage: wasm_matches_native.sh NATIVE_BUILD WASM_DRIVER_JS
# NATIVE_BUILD holds data/ and the native cairnfall-session-hashes.
set -eu
native_build=$1
wasm=$2
# Eight sessions of up to 2000 events from seed 1, then one played to a saved
# high score: about 3700 frames and every screen.
args=(8 2000 1)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$native_build/cairnfall-session-hashes" "$native_build" "${args[@]}" > "$out/native" &
native=$!
node --no-experimental-fetch "$wasm" "$native_build" "${args[@]}" > "$out/wasm" || {
    echo "FAILED: the wasm driver exited with status $?"
    exit 1
}
wait $native || { echo "FAILED: the native driver exited with status $?"; exit 1; }

frames=$(grep -c '^frame ' "$out/native" || true)
if [ "$frames" -lt 1000 ] || ! grep -q '^file cairnfall.dat [0-9a-f]' "$out/native"; then
    echo "FAILED: the native run presented $frames frames and saved no high score"
    exit 1
fi
if ! diff "$out/native" "$out/wasm" > "$out/diff"; then
    head -n 20 "$out/diff"
    echo "FAILED: wasm and native differ ($(grep -c '^[<>]' "$out/diff") lines)"
    exit 1
fi
echo "ok: $frames frames and $(grep -c '^file ' "$out/native") saved files alike in" \
    "$(grep -c '^session ' "$out/native") sessions"
