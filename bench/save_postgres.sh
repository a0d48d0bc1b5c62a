#!/usr/bin/env bash
# The save on PostgreSQL beside the save on SQLite, for the same file, as a user waits for it.
#   bench/save_postgres.sh BUILD_DIR [FILE] [RUNS]
# FILE defaults to a generated Structures file of 1,000,000 rows. Starts a private
# PostgreSQL cluster (scripts/postgres-cluster.sh, as root: the server runs as the
# postgres user) in a temporary folder. For each of RUNS rounds (default 3), on a new
# catalogue each time: a whole `velmora-cli import --dry-run FILE`, then a whole
# `velmora-cli import FILE` into an SQLite catalogue and into a PostgreSQL one made by
# `velmora-cli init --postgres` (standard output to a file in all three); the save is
# an import minus the dry run. The records of both catalogues are dumped and compared
# byte for byte. Prints the medians and the ratio PostgreSQL / SQLite.
set -eu
. "$(dirname "$0")/bench_support.sh"
BUILD=$(cd "$1" && pwd); CLI=$BUILD/bin/velmora-cli; RUNS=${3:-3}
HERE=$(cd "$(dirname "$0")/.." && pwd)
T=$(mktemp -d); chmod 755 "$T"
PG=$T/cluster
trap '"$HERE/scripts/postgres-cluster.sh" stop "$PG"; rm -rf "$T"' EXIT
F=${2:-}
if [ -z "$F" ]; then
  F=$T/structures.txt
  "$BUILD/bin/structures_parse_bench" --rows 1000000 --write "$F" >/dev/null
fi
"$HERE/scripts/postgres-cluster.sh" start "$PG" >/dev/null
psql_run() { PGOPTIONS="-c client_min_messages=warning" psql -X -q -h "$PG" -U postgres -d postgres -c "$1" >/dev/null; }
timed() { local s; s=$(now); "$@" >"$T/trace" 2>"$T/err" || { echo "failed: $* : $(tail -1 "$T/err")" >&2; exit 1; }; echo "$(now) - $s" | bc; }
drys=(); lites=(); servers=()
for r in $(seq "$RUNS"); do
  rm -rf "$T/lite" "$T/server"
  psql_run "DROP DATABASE IF EXISTS velmora_bench"; psql_run "CREATE DATABASE velmora_bench"
  export XDG_DATA_HOME=$T/lite/data XDG_CONFIG_HOME=$T/lite/config
  "$CLI" init >/dev/null
  drys+=("$(timed "$CLI" import --dry-run "$F")")
  lites+=("$(timed "$CLI" import "$F")")
  for t in Structures Structure_Members Structure_Member_Flags; do "$CLI" dump "$t" >"$T/lite.$t.tsv"; done
  export XDG_DATA_HOME=$T/server/data XDG_CONFIG_HOME=$T/server/config
  "$CLI" init --postgres "host=$PG user=postgres dbname=velmora_bench" >/dev/null
  servers+=("$(timed "$CLI" import "$F")")
  for t in Structures Structure_Members Structure_Member_Flags; do
    "$CLI" dump "$t" >"$T/server.$t.tsv"
    cmp -s "$T/lite.$t.tsv" "$T/server.$t.tsv" || { echo "the records of $t differ between SQLite and PostgreSQL" >&2; exit 1; }
  done
done
records=$(cat "$T"/lite.*.tsv | wc -l); records=$((records - 3))
dry=$(printf '%s\n' "${drys[@]}" | median); lite=$(printf '%s\n' "${lites[@]}" | median)
server=$(printf '%s\n' "${servers[@]}" | median)
echo "runs (s): dry run ${drys[*]}; import on SQLite ${lites[*]}; import on PostgreSQL ${servers[*]}"
echo "records $records, the same on both; medians of $RUNS: dry run ${dry}s; import on SQLite ${lite}s" \
     "(save $(echo "$lite - $dry" | bc)s); import on PostgreSQL ${server}s (save $(echo "$server - $dry" | bc)s);" \
     "save PostgreSQL / SQLite $(echo "scale=2; ($server - $dry) / ($lite - $dry)" | bc)"
