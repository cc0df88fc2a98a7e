#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a scratch
# root made read-only, and starts the unpacked program twice, without a screen,
# for a user with a fresh home: the first start must make the database and the
# settings file in the user's folders and print a document there; nothing may
# be written under the install root, whatever folder the program starts from.
set -euo pipefail
build="$1"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

tmp="$(mktemp -d)"
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
chmod 755 "$tmp"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 ||
    { cat "$tmp/cpack.log"; fail "cpack did not make the package"; }
deb="$(find "$tmp/pkg" -maxdepth 1 -name 'tabulon_*_amd64.deb')"
[ -f "$deb" ] || fail "no tabulon_<version>_amd64.deb in $tmp/pkg"

# What the package holds: the programs, the library, the layouts and the
# desktop files under /usr, and nothing of the build folder or the tests.
contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for f in ./usr/bin/tabulon ./usr/bin/tabulon-initdb ./usr/lib/tabulon/libQvBarQR.so \
    ./usr/share/tabulon/form/seikyuu1.qvf ./usr/share/tabulon/form/soukatu3.qvf \
    ./usr/share/tabulon/help/manual.html ./usr/share/tabulon/help/main-menu.png \
    ./usr/share/applications/tabulon.desktop ./usr/share/icons/hicolor/scalable/apps/tabulon.svg \
    ./usr/share/icons/hicolor/256x256/apps/tabulon.png ./usr/share/doc/tabulon/README.md \
    ./usr/share/doc/tabulon/copyright ./usr/share/doc/tabulon/changelog.gz; do
    grep -qxF "$f" <<<"$contents" || fail "the package lacks $f"
done
if grep -vE '^\./(|usr/?|usr/(bin|lib|share)(/.*)?)$' <<<"$contents"; then
    fail "the package holds files outside /usr/bin, /usr/lib and /usr/share"
fi
if grep -E 'CMake|_test$|/tests?/|\.a$' <<<"$contents"; then
    fail "the package holds build or test files"
fi
description="$(dpkg-deb -f "$deb" Description)"
grep -q '愛知県国民健康保険団体連合会' <<<"$description" ||
    fail "the description does not name the federation whose forms these are"
depends="$(dpkg-deb -f "$deb" Depends)"
for d in fonts-ipaexfont-gothic fonts-ipaexfont-mincho qt6-translations-l10n libqt6widgets6 \
    libsqlcipher libpq5 libzxing libcups2; do
    grep -q "$d" <<<"$depends" || fail "Depends lacks $d: $depends"
done

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/usr/share/applications/tabulon.desktop" ||
        fail "the desktop entry is not valid"
fi
chmod -R a-w "$root"
snapshot() {
    (cd "$root" && find . -printf '%p %M %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort)
}
before="$(snapshot)"

home="$tmp/home"
mkdir -p "$home/runtime" "$tmp/start"
chmod 700 "$home/runtime"
# As root the write bits mean nothing: run the program as an ordinary user.
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$home" "$tmp/start"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
start() {
    (cd "$tmp/start" && env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$home" \
        XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=offscreen \
        "${as_user[@]}" "$root/usr/bin/tabulon" --print-check)
}

data="$home/.local/share/tabulon"
first="$(start)" || fail "the first start failed: $first"
[ -f "$data/db.mdb" ] || fail "no database in $data"
[ -f "$home/.config/tabulon/Soukatu.ini" ] || fail "no settings file in $home/.config/tabulon"
grep -qx 'screen: frmTouroku' <<<"$first" || fail "the first start did not ask for the institution"
document="$data/document/医科（一般・退職）.pdf"
grep -qxF "document: $document" <<<"$first" ||
    fail "the print run did not name its document under HOME: $first"
head -c 5 "$document" | grep -q '%PDF-' || fail "the document is no PDF"
# The QR symbol is drawn by the library found in ../lib/tabulon.
if command -v pdftoppm >/dev/null && command -v ZXingReader >/dev/null; then
    pdftoppm -r 150 -png "$document" "$tmp/page"
    ZXingReader "$tmp"/page-1.png | grep -q '^Format: *QRCode' || fail "no QR symbol on the form"
fi

second="$(start)" || fail "the second start failed: $second"
grep -q 'screen: frmTouroku' <<<"$second" && fail "the institution was asked for again"

# tabulon-export reads the database the program made in the data folder,
# from whatever folder it is run: an empty month is said as such (3), not as
# a missing database (1).
status=0
(cd "$tmp/start" && env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$home" \
    XDG_DATA_HOME="$home/.local/share" "${as_user[@]}" "$root/usr/bin/tabulon-export" 0101 "$home") ||
    status=$?
[ "$status" -eq 3 ] || fail "tabulon-export did not find the database in $data (status $status)"

[ -z "$(ls -A "$tmp/start")" ] || fail "files written in the starting folder: $(ls -A "$tmp/start")"
after="$(snapshot)"
[ "$before" = "$after" ] || fail "the install root changed: $(diff <(echo "$before") <(echo "$after"))"
echo "package test passed"
