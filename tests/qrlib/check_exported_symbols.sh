#!/bin/sh
# Fails unless the library defines exactly the five exported functions.
set -eu
lib="$1"
expected="QvQRCheckData
QvQRCheckParameter
QvQRDefaultStruct
QvQRDraw
QvQRDummyCalcSize"
actual="$(nm -D --defined-only "$lib" | awk '{print $3}' | sort)"
if [ "$actual" != "$expected" ]; then
    echo "exported symbols of $lib:"
    echo "$actual"
    exit 1
fi
