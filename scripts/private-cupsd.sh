#!/usr/bin/env bash
# A private CUPS server for the printing tests: everything (configuration,
# spool, logs, the queue's output) lives in one temporary folder, it listens
# on 127.0.0.1 only, and nothing outside the folder is changed.
#
#   private-cupsd.sh start FOLDER PORT     starts cupsd and the queue TabulonPDF
#   private-cupsd.sh collect FOLDER NAME N waits until N jobs of the queue (since
#                                          start) have completed, writes
#                                          FOLDER/out/NAME.pdf
#   private-cupsd.sh stop FOLDER           stops that cupsd
#
# The queue uses the CUPS-PDF driver's PPD with a file: device, so a job runs
# the same filters as on a cups-pdf queue (pdftopdf, pdftops) and its
# PostScript lands in FOLDER/out/TabulonPDF.ps; collect turns it into a PDF
# with the Ghostscript call cups-pdf makes. The cups-pdf backend itself is not
# used: it reads its settings from /etc/cups only, must run as root and
# writes into the job owner's home folder.
# The queue's own paper is Letter, as on a printer set up with US defaults: a
# job that does not ask for A4 at actual size shows it by its page size.
# Exit status 77: cupsd or the driver is not installed.
# Clients reach it with CUPS_SERVER=127.0.0.1:PORT.
set -euo pipefail

command=${1:?start, collect or stop}
folder=${2:?folder}
queue=TabulonPDF

find_ppd() {
    for ppd in /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd /usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd; do
        [ -r "$ppd" ] && { echo "$ppd"; return 0; }
    done
    return 1
}

scheduler_running() {
    [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ]
}

start() {
    local port=${1:?port}
    command -v cupsd >/dev/null || { echo "cupsd is not installed (package cups)" >&2; exit 77; }
    local ppd
    ppd=$(find_ppd) || { echo "the CUPS-PDF PPD is missing (package printer-driver-cups-pdf)" >&2; exit 77; }
    mkdir -p "$folder"/{state,cache,spool/tmp,log,out,ppd,bin}
    # Filters run as the unprivileged user lp when cupsd runs as root: they
    # must reach the spool and the PPD.
    chmod 0755 "$folder" "$folder"/{state,cache,log,out,ppd}
    chmod 0710 "$folder"/spool
    chmod 1777 "$folder"/spool/tmp "$folder"/out
    for sub in backend filter cgi-bin daemon driver monitor notifier; do
        [ -e /usr/lib/cups/$sub ] && ln -sfn /usr/lib/cups/$sub "$folder/bin/$sub"
    done
    # As root cupsd runs filters as lp; otherwise as the user who started it.
    local accounts="User lp
Group lp
SystemGroup root"
    [ "$(id -u)" -ne 0 ] && accounts="SystemGroup $(id -gn)"
    cat >"$folder/cups-files.conf" <<CONF
ServerRoot $folder
StateDir $folder/state
CacheDir $folder/cache
RequestRoot $folder/spool
TempDir $folder/spool/tmp
ServerBin $folder/bin
DataDir /usr/share/cups
AccessLog $folder/log/access_log
ErrorLog $folder/log/error_log
PageLog $folder/log/page_log
FileDevice Yes
$accounts
CONF
    cat >"$folder/cupsd.conf" <<CONF
Listen 127.0.0.1:$port
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Location /admin>
  Order allow,deny
  Allow 127.0.0.1
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    : >"$folder/printers.conf"
    chmod 0644 "$folder"/*.conf
    cupsd -f -c "$folder/cupsd.conf" -s "$folder/cups-files.conf" \
        >>"$folder/log/cupsd.out" 2>&1 &
    local pid=$!
    echo "$pid" >"$folder/cupsd.pid"
    echo "$port" >"$folder/port"
    export CUPS_SERVER=127.0.0.1:$port
    # lpstat -r exits with 0 either way; only its text tells.
    for _ in $(seq 1 900); do
        scheduler_running && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if ! scheduler_running; then
        echo "cupsd did not come up on 127.0.0.1:$port" >&2
        cat "$folder/log/cupsd.out" "$folder/log/error_log" >&2 2>/dev/null || true
        stop
        exit 1
    fi
    lpadmin -p "$queue" -E -v "file://$folder/out/$queue.ps" -P "$ppd" \
        -o PageSize=Letter -o printer-error-policy=abort-job
    cupsenable "$queue"
    cupsaccept "$queue"
}

# Lines of `lpstat -W completed -o` for the queue: one per job that has left
# the scheduler's hands (its backend has exited, so the output file is closed).
completed_jobs() {
    LC_ALL=C lpstat -W completed -o "$queue" 2>/dev/null | grep -c "^$queue-" || true
}

collect() {
    local name=${1:?name}
    local jobs=${2:?number of jobs printed since start}
    local ps="$folder/out/$queue.ps"
    local pid
    pid=$(cat "$folder/cupsd.pid")
    export CUPS_SERVER=127.0.0.1:$(cat "$folder/port")
    # An empty queue is also what the scheduler shows before a job is queued
    # or between two jobs: only the count of completed jobs tells that ours
    # have been written. Generous: a busy machine runs the filters slowly.
    local done=0
    for _ in $(seq 1 1800); do
        done=$(completed_jobs)
        [ "$done" -ge "$jobs" ] && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ "$done" -lt "$jobs" ]; then
        echo "$done of $jobs jobs completed on $queue" >&2
        LC_ALL=C lpstat -l -o "$queue" >&2 2>/dev/null || true
        tail -40 "$folder/log/error_log" "$folder/log/cupsd.out" >&2 2>/dev/null || true
        exit 1
    fi
    [ -s "$ps" ] || { echo "no output in $ps" >&2; tail -40 "$folder/log/error_log" >&2; exit 1; }
    gs -q -dCompatibilityLevel=1.4 -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite \
        -sOutputFile="$folder/out/$name.pdf" -dAutoRotatePages=/PageByPage \
        -dAutoFilterColorImages=false -dColorImageFilter=/FlateEncode \
        -dPDFSETTINGS=/prepress -f "$ps"
    rm -f "$ps"
}

stop() {
    [ -f "$folder/cupsd.pid" ] || return 0
    local pid
    pid=$(cat "$folder/cupsd.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$folder/cupsd.pid"
}

case "$command" in
start) start "${3:-}" ;;
collect) collect "${3:-}" "${4:-}" ;;
stop) stop ;;
*) echo "unknown command $command" >&2; exit 2 ;;
esac
