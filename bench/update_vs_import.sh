#!/usr/bin/env bash
# import --update of a file the catalogue holds already, against a plain import of it
# into an empty catalogue, as a user waits for each.
#   bench/update_vs_import.sh BUILD_DIR [FILE] [RUNS]
# FILE defaults to a generated Structures file of 1,000,000 rows. For each of RUNS
# rounds (default 5) on a new SQLite catalogue: a whole `velmora-cli import FILE`
# into the empty catalogue, then a whole `velmora-cli import --update FILE` into the
# catalogue that now holds it (standard output to a new file in both; the clock is
# read by the shell). The update must leave the records as they were. Prints the
# load, every run's wall clock and processor time, the medians and the ratio
# update / import (target <= 2).
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
# Runs the command with the trace to a new file; sets WALL and CPU in seconds.
timed() {
  rm -f "$T/trace"
  measure "$T/trace" "$T/err" "$@" || { echo "failed: $* : $(tail -1 "$T/err")" >&2; exit 1; }
}
records() { for t in Structures Structure_Members Structure_Member_Flags; do "$CLI" dump "$t"; done | md5sum; }
echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
imports=(); updates=(); importCpus=(); updateCpus=()
for r in $(seq "$RUNS"); do
  rm -rf "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
  "$CLI" init >/dev/null
  timed "$CLI" import "$F"; imports+=("$WALL"); importCpus+=("$CPU")
  before=$(records)
  timed "$CLI" import --update "$F"; updates+=("$WALL"); updateCpus+=("$CPU")
  [ "$(records)" = "$before" ] || { echo "the update changed the records" >&2; exit 1; }
  tail -3 "$T/err" | head -1
done
import=$(printf '%s\n' "${imports[@]}" | median); update=$(printf '%s\n' "${updates[@]}" | median)
echo "runs (s): import ${imports[*]}; update ${updates[*]}"
echo "processor time (s): import ${importCpus[*]}; update ${updateCpus[*]}"
echo "import ${import}s, update ${update}s (medians of $RUNS); ratio $(echo "scale=2; $update / $import" | bc) (target <= 2)"
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
