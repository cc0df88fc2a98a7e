#!/usr/bin/env bash
# Remakes the pictures of the README in docs/screenshots/: the main menu, the
# claim list, a filled claim entry screen, a printed claim form and a printed
# summary table. An install of the build folder runs under Xvfb for a scratch
# home holding one month of sample claims, so no clerk's data is touched.
#
#   scripts/screenshots.sh [BUILD_FOLDER]    (default: build/)
#   SCREENSHOT_DISPLAY=105 picks the Xvfb display (default 99).
# Needs Xvfb, xdotool, ImageMagick (import), sqlcipher and pdftoppm.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$here/build}" && pwd)"
out="$here/docs/screenshots"
display=":${SCREENSHOT_DISPLAY:-99}"

tmp="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT

cmake --install "$build" --prefix "$tmp/prefix" >/dev/null
export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_DATA_HOME="$tmp/home/.local/share"
export XDG_RUNTIME_DIR="$tmp/runtime" LANG=C.UTF-8
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
data="$XDG_DATA_HOME/tabulon"
config="$XDG_CONFIG_HOME/tabulon"
mkdir -p "$data" "$config"
"$tmp/prefix/bin/tabulon-initdb" "$data/db.mdb"

# The institution, as the registration screen writes it: Shift_JIS, CR LF.
printf '%s\r\n' 'IryouCD=1234567' 'Address1=愛知県名古屋市中区三の丸1-2-3' 'Address2=' \
    'Meisyou=たぶろん内科クリニック' 'TEL=052-000-1234' 'Simei=山田　太郎' 'Syubetu=1' 'Sougou=0' |
    iconv -f UTF-8 -t CP932 >"$config/Soukatu.ini"

# Last month, the one the main menu offers: era year (平成 counts on) and month.
first_of_month="$(date +%Y-%m-01)"
year="$(date -d "$first_of_month -1 month" +%Y)"
month="$(date -d "$first_of_month -1 month" +%m)"
nengetu="$(printf '%02d%s' $((year - 1988)) "$month")"

# The insurer number's check digit: digits doubled from the right in turn,
# digit sums added, 10 minus the last digit of the sum.
check_digit() {
    local digits="$1" sum=0 position=0 i digit product
    for ((i = ${#digits} - 1; i >= 0; i--)); do
        digit="${digits:i:1}"
        position=$((position + 1))
        product=$(((position % 2 == 1) ? digit * 2 : digit))
        sum=$((sum + product / 10 + product % 10))
    done
    echo $(((10 - sum % 10) % 10))
}
insurer() { echo "$1$(check_digit "$1")"; }

# One claim: kind, insurer number, serial, then "column=value" pairs.
claim() {
    local kind="$1" bangou="$2" renban="$3"
    shift 3
    local columns="年月, 保険者番号, 請求書種類, 連番" values="'$nengetu', '$bangou', '$kind', $renban"
    local pair
    for pair in "$@"; do
        columns+=", ${pair%%=*}"
        values+=", '${pair#*=}'"
    done
    echo "INSERT INTO T_請求書 ($columns) VALUES ($values);"
}
{
    echo "PRAGMA key='qorbinex';"
    echo "INSERT INTO T_年月 (年月) VALUES ('$nengetu');"
    claim 1 "$(insurer 23001)" 1 \
        一般_療養_入院_件数_3=2 一般_療養_入院_実日数_3=18 一般_療養_入院_点数_3=45210 \
        一般_療養_入院_負担金_3=135630 一般_食事_件数_3=2 一般_食事_日数_3=48 \
        一般_食事_金額_3=31200 一般_食事_負担額_3=22080 \
        一般_療養_外来_件数_3=124 一般_療養_外来_実日数_3=186 一般_療養_外来_点数_3=98430 \
        一般_療養_外来_負担金_3=295290 \
        一般_療養_外来_件数_1=38 一般_療養_外来_実日数_1=61 一般_療養_外来_点数_1=30420 \
        一般_療養_外来_負担金_1=30420 \
        一般_療養_外来_件数_5=21 一般_療養_外来_実日数_5=27 一般_療養_外来_点数_5=11840 \
        一般_療養_外来_負担金_5=23680 \
        退職_療養_外来_件数_1=3 退職_療養_外来_実日数_1=5 退職_療養_外来_点数_1=2710 \
        退職_療養_外来_負担金_1=8130 公費件数=4 福祉件数=12
    claim 1 "$(insurer 23002)" 1 \
        一般_療養_外来_件数_3=57 一般_療養_外来_実日数_3=80 一般_療養_外来_点数_3=41250 \
        一般_療養_外来_負担金_3=123750 一般_療養_外来_件数_4=9 一般_療養_外来_実日数_4=12 \
        一般_療養_外来_点数_4=6120 一般_療養_外来_負担金_4=18360 福祉件数=5
    claim 1 "$(insurer 23105)" 1 \
        一般_療養_外来_件数_3=33 一般_療養_外来_実日数_3=41 一般_療養_外来_点数_3=19870 \
        一般_療養_外来_負担金_3=59610 公費件数=1
    claim 2 "$(insurer 3923001)" 1 \
        一般_療養_入院_件数_1=3 一般_療養_入院_実日数_1=42 一般_療養_入院_点数_1=88320 \
        一般_療養_入院_負担金_1=57600 一般_食事_件数_1=3 一般_食事_日数_1=120 \
        一般_食事_金額_1=78000 一般_食事_負担額_1=55200 \
        一般_療養_外来_件数_1=142 一般_療養_外来_実日数_1=233 一般_療養_外来_点数_1=121540 \
        一般_療養_外来_負担金_1=121540 公費件数=2 福祉件数=7
    claim 2 "$(insurer 3923002)" 1 \
        一般_療養_外来_件数_1=18 一般_療養_外来_実日数_1=25 一般_療養_外来_点数_1=14330 \
        一般_療養_外来_負担金_1=14330
} | sqlcipher "$data/db.mdb" >/dev/null

Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
pids+=($!)
export DISPLAY="$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done

(cd "$tmp" && exec "$tmp/prefix/bin/tabulon") &
pids+=($!)

# Waits for a window whose title is exactly $1 and prints its id.
window() {
    local id
    for _ in $(seq 100); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | tail -1)" || true
        [ -n "$id" ] && { echo "$id"; return; }
        sleep 0.2
    done
    echo "no window '$1'" >&2
    return 1
}
shot() {
    sleep 1
    import -window "$1" "$out/$2.png"
}
keys() {
    xdotool key --delay 150 "$@"
    sleep 0.5
}
# Clicks at a point of a window (the screens have fixed sizes and places).
click() {
    xdotool mousemove --window "$1" "$2" "$3" click --repeat "${4:-1}" --delay 80 1
    sleep 1
}

menu="$(window Tabulon)"
shot "$menu" main-menu

click "$menu" 210 188 # 請求書と総括表の作成, last month
list="$(window 請求書と総括表の印刷)"
click "$list" 80 121 # the first claim
shot "$list" claim-list

click "$list" 80 121 2 # a double click opens it
entry="$(window '医科（一般・退職）')"
shot "$entry" claim-entry

click "$entry" 684 36 # 請求書印刷
click "$(window プレビュー)" 816 700 # 閉じる
click "$entry" 699 476 # 閉じる
click "$list" 364 484 # 総括表(提出用・控)印刷
click "$(window プレビュー)" 816 700

documents="$data/document"
pdftoppm -r 72 -png -f 1 -l 1 -singlefile "$documents/医科（一般・退職）.pdf" "$out/claim-form"
pdftoppm -r 72 -png -f 1 -l 1 -singlefile "$documents/総括表2.pdf" "$out/summary-table"
echo "Pictures written to $out"
