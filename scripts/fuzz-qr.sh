#!/usr/bin/env bash
# Builds the QvBarQR fuzz target with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer straight from the library sources and runs it for
# a bounded time (FUZZ_SECONDS, default 60). Fails on any crash, leak,
# sanitizer report or unlisted result code.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
if [ -n "${FUZZ_BUILD_DIR:-}" ]; then
    out="$FUZZ_BUILD_DIR"
else
    out="$(mktemp -d)"
    trap 'rm -rf "$out"' EXIT
fi
seconds="${FUZZ_SECONDS:-60}"
mkdir -p "$out/corpus"

clang++ -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$here/qrlib" "$here"/qrlib/*.cpp "$here/tests/qrlib/fuzz/qvbarqr_fuzzer.cpp" \
    -o "$out/qvbarqr_fuzzer"

# Seeds: a few payloads of each kind so that the run starts from real symbols.
printf '\x00\x00\x01\x00\x00\x00\x00CLAIM 0123456789 Ver2.00' > "$out/corpus/seed-alnum"
printf '\x01\x00\x01\x01\x02\xff\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x93\xfa\x96\x7b' \
    > "$out/corpus/seed-kanji"
printf '\x02\x00\x01\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x03\x00\x00\x00\x03\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x01\x03\x58\x02\x00\x00hello' \
    > "$out/corpus/seed-draw"

ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$out/qvbarqr_fuzzer" -max_total_time="$seconds" -max_len=8000 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 "$out/corpus"
