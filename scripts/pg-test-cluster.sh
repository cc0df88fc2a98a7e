#!/usr/bin/env bash
# A throwaway PostgreSQL cluster for the tests that run on the server engine.
#   pg-test-cluster.sh start DIR [tls]
#                                  initdb into a new temporary folder, start on
#                                  127.0.0.1 with a free port; DIR/conninfo then
#                                  holds the connection string of its
#                                  "postgres" database, DIR/serverlog the path
#                                  of the server's log. With "tls" the server
#                                  has a self-signed certificate, refuses every
#                                  login without TLS and logs each connection.
#   pg-test-cluster.sh restart DIR stop the server (fast: sessions are ended)
#                                  and start it again; returns once it accepts
#                                  connections
#   pg-test-cluster.sh stop DIR    stop it and remove both folders
# The server refuses to run as root, so under root it runs as the postgres
# user (or nobody) through runuser; its files live under /tmp, since that user
# may not enter the folder of the build (a checkout under /root, say).
set -euo pipefail
action="${1:?start, restart or stop}"
dir="${2:?cluster folder}"
variant="${3:-}"

bindir="$(pg_config --bindir 2>/dev/null || true)"
[ -x "$bindir/initdb" ] || bindir="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
[ -x "$bindir/initdb" ] || { echo "pg-test-cluster: no PostgreSQL server binaries" >&2; exit 1; }

as_owner() {
    if [ "$(id -u)" -eq 0 ]; then
        local user=postgres
        id "$user" >/dev/null 2>&1 || user=nobody
        runuser -u "$user" -- "$@"
    else
        "$@"
    fi
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

case "$action" in
start)
    [ -e "$dir" ] && "$0" stop "$dir"
    mkdir -p "$dir"
    cluster="$(mktemp -d "${TMPDIR:-/tmp}/tabulon-pg.XXXXXX")"
    echo "$cluster" >"$dir/cluster"
    if [ "$(id -u)" -eq 0 ]; then
        owner=postgres
        id "$owner" >/dev/null 2>&1 || owner=nobody
        chown "$owner" "$cluster"
    fi
    # An ICU default collation where the server has one, so the tests see
    # that the schema's own "C" order decides, not the server's locale.
    locale_args=(--locale=C.UTF-8)
    if "$bindir/initdb" --help | grep -q -- --locale-provider; then
        locale_args+=(--locale-provider=icu --icu-locale=ja-JP)
    fi
    as_owner "$bindir/initdb" -D "$cluster/data" -U tabulon --auth=trust -E UTF8 \
        "${locale_args[@]}" >"$dir/initdb.log" 2>&1 ||
        as_owner "$bindir/initdb" -D "$cluster/data" -U tabulon --auth=trust -E UTF8 \
            --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    # A role that must give a password, for the refused-login tests.
    sed -i '1i host all tabulon_pw 127.0.0.1/32 scram-sha-256' "$cluster/data/pg_hba.conf"
    tls_options=""
    if [ "$variant" = tls ]; then
        openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
            -keyout "$cluster/data/server.key" -out "$cluster/data/server.crt" 2>/dev/null
        chmod 600 "$cluster/data/server.key"
        [ "$(id -u)" -eq 0 ] && chown "$(stat -c %U "$cluster")" "$cluster/data/server."*
        sed -i '1i hostnossl all all 0.0.0.0/0 reject' "$cluster/data/pg_hba.conf"
        tls_options="-c ssl=on -c log_connections=on"
    fi
    echo "$cluster/server.log" >"$dir/serverlog"
    for attempt in 1 2 3; do
        port="$(free_port)"
        if as_owner "$bindir/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -w -t 30 \
            -o "-k $cluster -h 127.0.0.1 -p $port -F -c max_connections=200 -c full_page_writes=off $tls_options" \
            start >/dev/null; then
            echo "host=127.0.0.1 port=$port user=tabulon dbname=postgres" >"$dir/conninfo"
            chmod a+r "$dir/conninfo"
            "$bindir/psql" -q -X "$(cat "$dir/conninfo")" \
                -c "CREATE ROLE tabulon_pw LOGIN PASSWORD 'right-password'" >/dev/null
            exit 0
        fi
    done
    cat "$cluster/server.log" >&2 || true
    exit 1
    ;;
restart)
    cluster="$(cat "$dir/cluster")"
    # The options of the last start are kept in the data folder.
    as_owner "$bindir/pg_ctl" -D "$cluster/data" -l "$cluster/server.log" -m fast -w -t 30 \
        restart >/dev/null
    ;;
stop)
    cluster="$(cat "$dir/cluster" 2>/dev/null || true)"
    if [ -n "$cluster" ] && [ -f "$cluster/data/postmaster.pid" ]; then
        as_owner "$bindir/pg_ctl" -D "$cluster/data" -m immediate -w stop >/dev/null || true
    fi
    [ -n "$cluster" ] && rm -rf "$cluster"
    rm -rf "$dir"
    ;;
*)
    echo "usage: $0 start|restart|stop DIR [tls]" >&2
    exit 2
    ;;
esac
