#!/usr/bin/env bash
# Runs the whole test suite of a build while every core is kept busy, as on a
# CI machine that is building something else at the same time: a test that
# waits a fixed time instead of for its event fails here.
#   scripts/test-under-load.sh [BUILD_DIR] [ROUNDS]
# BUILD_DIR defaults to build/, ROUNDS (how often each test must pass in a
# row) to 3. The load stops when the script ends, however it ends.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$here/build}"
rounds="${2:-3}"
[ -f "$build/CTestTestfile.cmake" ] || { echo "no test tree in $build (build it first)" >&2; exit 2; }

load_pids=()
stop_load() {
    [ ${#load_pids[@]} -gt 0 ] && kill "${load_pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
}
trap stop_load EXIT INT TERM

cores="$(nproc)"
for _ in $(seq 1 "$cores"); do
    # A plain busy loop per core, at normal priority like a build would be.
    bash -c 'while :; do :; done' &
    load_pids+=($!)
done
echo "load: $cores busy loops; running ctest -j3 --repeat until-fail:$rounds in $build"
ctest --test-dir "$build" --output-on-failure -j3 --repeat "until-fail:$rounds"
