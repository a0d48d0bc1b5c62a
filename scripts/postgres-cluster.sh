#!/usr/bin/env bash
# A private PostgreSQL cluster for the tests: no TCP, one unix socket in FOLDER.
#   scripts/postgres-cluster.sh start FOLDER   initdb + pg_ctl start (FOLDER is created, owned by postgres)
#   scripts/postgres-cluster.sh stop FOLDER    pg_ctl stop, FOLDER removed
#   scripts/postgres-cluster.sh kill FOLDER    the server dies at once, as in a crash; its data stays
#   scripts/postgres-cluster.sh restart FOLDER the server starts again on the data a kill left
# The server runs as Debian's `postgres` user (initdb refuses root). Clients
# connect with host=FOLDER user=postgres dbname=postgres, without a password;
# only the role velmora_locked must give one (velmora-secret), so that a wrong
# password can be tried.
set -euo pipefail

action=${1:?usage: postgres-cluster.sh start|stop|kill|restart FOLDER}
folder=${2:?usage: postgres-cluster.sh start|stop|kill|restart FOLDER}

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "postgres-cluster: PostgreSQL is not installed (run scripts/setup.sh)" >&2
  exit 1
fi

as_postgres() {
  if [ "$(id -un)" = postgres ]; then "$@"; else runuser -u postgres -- "$@"; fi
}

stop_cluster() {
  if [ -f "$folder/data/postmaster.pid" ]; then
    as_postgres "$bindir/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$folder"
}

start_server() {
  # Throw-away data: no fsync; small shared memory so that several clusters fit.
  as_postgres "$bindir/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 60 \
    -o "-c listen_addresses= -k $folder -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c shared_buffers=16MB -c max_connections=60" \
    start >/dev/null || { cat "$folder/server.log" >&2; false; }
}

case "$action" in
  start)
    stop_cluster   # a cluster left behind by an interrupted run
    # A failure half-way leaves no server behind.
    trap 'stop_cluster' ERR
    mkdir -p "$folder"
    chown postgres: "$folder"
    chmod 700 "$folder"
    as_postgres "$bindir/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 --no-sync >"$folder/initdb.log" 2>&1 \
      || { cat "$folder/initdb.log" >&2; false; }
    # The first matching line decides: the locked role before initdb's "trust" for all.
    as_postgres sed -i '0,/^local/s//local all velmora_locked scram-sha-256\nlocal/' "$folder/data/pg_hba.conf"
    start_server
    as_postgres "$bindir/psql" -X -q -h "$folder" -U postgres -d postgres \
      -c "CREATE ROLE velmora_locked LOGIN PASSWORD 'velmora-secret'" >/dev/null
    trap - ERR
    echo "host=$folder user=postgres dbname=postgres"
    ;;
  stop)
    stop_cluster
    ;;
  kill)
    as_postgres "$bindir/pg_ctl" -D "$folder/data" -m immediate -w stop >/dev/null
    ;;
  restart)
    start_server
    ;;
  *)
    echo "usage: postgres-cluster.sh start|stop|kill|restart FOLDER" >&2
    exit 2
    ;;
esac
