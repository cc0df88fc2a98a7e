#!/usr/bin/env bash
# Installs the Debian packages the build, the program, the Debian package and
# the tests need, only those that are missing.
set -euo pipefail

packages=(
    g++ cmake pkg-config libgtest-dev libbenchmark-dev
    qt6-base-dev qt6-pdf-dev qt6-translations-l10n libgl-dev
    libsqlcipher-dev sqlcipher
    libpq-dev postgresql
    fonts-ipaexfont-mincho fonts-ipaexfont-gothic
    # zxing-cpp: the report engine reads every QR symbol back before printing
    libzxing-dev
    zbar-tools libqrencode-dev libzint-dev
    g++-multilib clang libclang-rt-14-dev
    poppler-utils
    dpkg-dev file desktop-file-utils
    # the clerk's manual is made from the README at build time
    cmark-gfm
    # the printer test: a private cupsd with the CUPS-PDF driver's queue
    cups cups-client printer-driver-cups-pdf ghostscript
)

# QvBarQR.dll: the MinGW-w64 cross compilers and 64-bit Wine for its test,
# without recommends (never the 32-bit wine32: 32-bit programs cannot run here).
windows_packages=(g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine64)

# Prints those of the named packages that are not installed.
not_installed() {
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$p"
    done
}

# Node.js and npm run the zxing-wasm test oracle; a machine may bring its own.
command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
mapfile -t missing < <(not_installed "${packages[@]}")
mapfile -t missing_windows < <(not_installed "${windows_packages[@]}")

if [ ${#missing[@]} -gt 0 ] || [ ${#missing_windows[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]} ${missing_windows[*]}"
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    [ ${#missing[@]} -eq 0 ] ||
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}"
    [ ${#missing_windows[@]} -eq 0 ] ||
        DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq \
            --no-install-recommends "${missing_windows[@]}"
fi
