#!/bin/sh
# Checks a Windows build of QvBarQR (scripts/build-windows-dll.sh): the DLL is
# of its architecture, exports the five functions by plain names and nothing
# else, imports from KERNEL32, GDI32 and msvcrt only, and its zip holds the
# one folder a Windows developer unpacks. Exits 77 (skipped) without a build.
# Usage: check_windows_dll.sh win32|win64 OBJDUMP WINDOWS_DIR VERSION
set -eu
arch="$1"
objdump="$2"
dir="$3"
version="$4"
dll="$dir/build-$arch/QvBarQR.dll"
zip="$dir/QvBarQR-$version-$arch.zip"
if [ ! -x "$objdump" ] || [ ! -f "$dll" ]; then
    echo "skipped: no $arch build of QvBarQR.dll (scripts/install-deps.sh installs the cross compilers)"
    exit 77
fi
status=0
fail() {
    echo "$dll: $1"
    status=1
}

case "$arch" in
win32) format=pei-i386 ;;
*) format=pei-x86-64 ;;
esac
"$objdump" -f "$dll" | grep -q "file format $format" || fail "not $format"

# The names of the export table: "[   0] QvQRCheckData" lines after its header.
exports="$("$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    awk '/^\t\[/ {print $3}' | sort | tr '\n' ' ')"
[ "$exports" = "QvQRCheckData QvQRCheckParameter QvQRDefaultStruct QvQRDraw QvQRDummyCalcSize " ] ||
    fail "exports $exports"

imports="$("$objdump" -p "$dll" | awk '/DLL Name:/ {print toupper($3)}' | sort | tr '\n' ' ')"
[ "$imports" = "GDI32.DLL KERNEL32.DLL MSVCRT.DLL " ] || fail "imports $imports"

folder="QvBarQR-$version-$arch"
listing="$(cmake -E tar tf "$zip" | sort | tr '\n' ' ')"
expected="$folder/ $folder/QvBarQR.dll $folder/QvBarQR.dll.a $folder/QvBarQR.h $folder/QvBarQR.lib $folder/README.txt "
[ "$listing" = "$expected" ] || fail "$zip holds $listing"
exit $status
