#!/bin/sh
# Builds the whole library for a 32-bit target (the records' layout is then
# the one the report engine fills) and checks that it exports the five
# functions only. Usage: check_32bit_library.sh COMPILER SOURCE_DIR OUTPUT
set -eu
compiler="$1"
source_dir="$2"
output="$3"
"$compiler" -m32 -std=c++20 -Wall -Wextra -Werror -O1 -shared -fPIC -fvisibility=hidden \
    -fvisibility-inlines-hidden -DQVBARQR_BUILDING -I"$source_dir/qrlib" \
    "$source_dir"/qrlib/*.cpp -Wl,--exclude-libs,ALL -o "$output"
"$(dirname "$0")/check_exported_symbols.sh" "$output"
