#!/bin/sh
# Kills start-up, a backup and a restore with SIGKILL at random moments, ROUNDS
# times each (default 100), and checks after every kill that db.mdb opens with
# every row and that every earlier backup generation is still whole.
# Usage: scripts/kill-loop.sh [ROUNDS] [BUILD_DIR]
set -eu
rounds=${1:-100}
build=${2:-build}
test_binary="$build/tests/backup_interrupted_test"
if [ ! -x "$test_binary" ]; then
    echo "build the test first: cmake --build $build --target backup_interrupted_test" >&2
    exit 2
fi
TABULON_KILL_ROUNDS=$rounds "$test_binary"
