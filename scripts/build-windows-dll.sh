#!/usr/bin/env bash
# Builds QvBarQR.dll for 32-bit and 64-bit Windows with the MinGW-w64 cross
# compilers (scripts/install-deps.sh installs them) and leaves in OUTDIR
# QvBarQR-<version>-win32.zip and QvBarQR-<version>-win64.zip. The build
# trees stay in OUTDIR/build-win32 and OUTDIR/build-win64, so a second run
# builds only what changed. Usage: scripts/build-windows-dll.sh OUTDIR
set -euo pipefail
if [ $# -ne 1 ]; then
    echo "usage: $0 OUTDIR" >&2
    exit 2
fi
here="$(cd "$(dirname "$0")/.." && pwd)"
mkdir -p "$1"
outdir="$(cd "$1" && pwd)"

launcher=()
command -v ccache >/dev/null 2>&1 &&
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

for target in win32:i686 win64:x86_64; do
    name="${target%%:*}"
    triplet="${target#*:}"
    if ! command -v "$triplet-w64-mingw32-g++" >/dev/null 2>&1; then
        echo "$triplet-w64-mingw32-g++ is missing: run scripts/install-deps.sh" >&2
        exit 1
    fi
    build="$outdir/build-$name"
    cmake -S "$here" -B "$build" --toolchain "$here/cmake/mingw-w64-$triplet.cmake" \
        -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
    cmake --build "$build" -j"${JOBS:-$(nproc)}"
    cp "$build"/QvBarQR-*-"$name".zip "$outdir/"
done
ls "$outdir"/QvBarQR-*-win32.zip "$outdir"/QvBarQR-*-win64.zip
