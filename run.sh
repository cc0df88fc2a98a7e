#!/usr/bin/env bash
# Installs what is missing, builds, creates the database on first use and starts Tabulon.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$here/build" -j"$(nproc)" --target tabulon tabulon-initdb tabulon-export QvBarQR
if [ ! -e db.mdb ]; then
    "$here/build/tabulon-initdb" db.mdb
fi
exec "$here/build/tabulon"
