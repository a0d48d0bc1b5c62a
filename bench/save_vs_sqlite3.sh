#!/usr/bin/env bash
# The catalogue save against the sqlite3 shell, as a user waits for it.
#   bench/save_vs_sqlite3.sh BUILD_DIR [FILE] [RUNS]
# FILE defaults to a generated Structures file of 1,000,000 rows. For each of RUNS
# rounds (default 5) on a new catalogue: a whole `velmora-cli import --dry-run FILE`
# and a whole `velmora-cli import FILE` (standard output to a file in both), the save
# being their difference; then the saved rows are dumped as TSV and loaded by the
# sqlite3 shell into a new file with the same schema and indexes, in one
# transaction. Prints the medians and the ratio save / sqlite3 (target <= 0.8).
set -eu
. "$(dirname "$0")/bench_support.sh"
BUILD=$1; CLI=$BUILD/bin/velmora-cli; RUNS=${3:-5}
T=$(mktemp -d); trap 'rm -rf "$T"' EXIT
F=${2:-}
if [ -z "$F" ]; then
  F=$T/structures.txt
  "$BUILD/bin/structures_parse_bench" --rows 1000000 --write "$F" >/dev/null
fi
export XDG_CONFIG_HOME=$T/config XDG_DATA_HOME=$T/data
saves=(); peers=(); drys=(); fulls=()
for r in $(seq "$RUNS"); do
  rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
  "$CLI" init >/dev/null 2>&1
  db=$(sed -n 's/^database *= *//p' "$XDG_CONFIG_HOME/velmora/aliases.ini" | head -1)
  s=$(now); "$CLI" import --dry-run "$F" >"$T/trace" 2>/dev/null; dry=$(echo "$(now) - $s" | bc)
  s=$(now); "$CLI" import "$F" >"$T/trace" 2>"$T/err" || { echo "import failed: $(tail -1 "$T/err")"; exit 1; }
  full=$(echo "$(now) - $s" | bc)
  drys+=("$dry"); fulls+=("$full"); saves+=("$(echo "$full - $dry" | bc)")
  for t in Structures Structure_Members Structure_Member_Flags; do "$CLI" dump "$t" >"$T/$t.tsv"; done
  rm -f "$T/peer.db"; sqlite3 "$db" .schema | grep -v -i sqlite_sequence | sqlite3 "$T/peer.db"
  s=$(now)
  sqlite3 "$T/peer.db" -cmd '.mode tabs' 'BEGIN;' \
    ".import --skip 1 $T/Structures.tsv Structures" \
    ".import --skip 1 $T/Structure_Members.tsv Structure_Members" \
    ".import --skip 1 $T/Structure_Member_Flags.tsv Structure_Member_Flags" 'COMMIT;' >/dev/null
  peers+=("$(echo "$(now) - $s" | bc)")
done
rows=$(sqlite3 "$T/peer.db" "select (select count(*) from Structures) + (select count(*) from Structure_Members) + (select count(*) from Structure_Member_Flags)")
save=$(printf '%s\n' "${saves[@]}" | median); peer=$(printf '%s\n' "${peers[@]}" | median)
echo "runs (s): dry run ${drys[*]}; import ${fulls[*]}; save ${saves[*]}; sqlite3 ${peers[*]}"
echo "records $rows; save ${save}s (median of $RUNS); sqlite3 shell ${peer}s; ratio $(echo "scale=2; $save / $peer" | bc) (target <= 0.8)"
