#!/usr/bin/env bash
# Runs the database-bound benchmarks on the encrypted file and then on a local
# PostgreSQL server (a throwaway cluster on 127.0.0.1), for side-by-side figures.
#   bench/run-on-both-engines.sh [BUILD_DIR]   (configured with -DTABULON_BENCH=ON)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build-bench}" && pwd)"
cluster="$build/pg-bench-cluster"
trap '"$here/scripts/pg-test-cluster.sh" stop "$cluster"' EXIT
"$here/scripts/pg-test-cluster.sh" start "$cluster"
for bench in claims_bench print_bench check_bench; do
    program="$(find "$build" -name "$bench" -type f -perm -u+x | head -1)"
    echo "== $bench on the file"
    QT_QPA_PLATFORM=offscreen "$program" --benchmark_filter='ListOpen|ListRefill|SaveWithRefill|NewClaimSave|ClaimBatch|CheckStoredMonth'
    echo "== $bench on the server"
    TABULON_TEST_PG_DIR="$cluster" QT_QPA_PLATFORM=offscreen \
        "$program" --benchmark_filter='ListOpen|ListRefill|SaveWithRefill|NewClaimSave|ClaimBatch|CheckStoredMonth'
done
