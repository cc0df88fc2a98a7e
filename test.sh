#!/usr/bin/env bash
# Installs what is missing, builds and runs every test. Under CI=true (or with
# TABULON_SANITIZE=1) a second tree is built with AddressSanitizer and
# UndefinedBehaviorSanitizer and the tests run there too.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cd "$here"
scripts/install-deps.sh
[ -x scripts/install-test-oracles.sh ] && scripts/install-test-oracles.sh

jobs="$(nproc)"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

if [ "${CI:-}" = true ] || [ "${TABULON_SANITIZE:-}" = 1 ]; then
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTABULON_SANITIZE=ON
    cmake --build build-asan -j"$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure -j"$jobs"
    [ -x scripts/fuzz-qr.sh ] && scripts/fuzz-qr.sh
fi
echo "All tests passed."
