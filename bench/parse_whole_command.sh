#!/usr/bin/env bash
# Parse + trace as a user waits for it: whole `velmora-cli import --dry-run FILE`
# processes with the trace on standard output redirected to a file.
#   bench/parse_whole_command.sh BUILD_DIR [RUNS] [STRUCTURES_FILE INTERFACES_FILE]
# Without files it generates a Structures and an Interfaces file of 1,000,000 rows
# each (structures_parse_bench / interfaces_parse_bench --write). For each kind it
# prints the median of RUNS (default 5) wall-clock runs as rows per second beside
# the target, the processor time (user + system, every thread) and the largest
# peak resident size. Each run writes a new trace file: the previous run's is
# removed before the clock starts, since truncating 175 MB of it would time the
# file system freeing them rather than the import.
set -eu
. "$(dirname "$0")/bench_support.sh"
BUILD=$1; CLI=${VELMORA_CLI:-$BUILD/bin/velmora-cli}; RUNS=${2:-5}
TARGET_ROWS_PER_S=5000000
T=$(mktemp -d); trap 'rm -rf "$T"' EXIT
S=${3:-}; I=${4:-}
if [ -z "$S" ]; then
  S=$T/structures.txt; I=$T/interfaces.txt
  "$BUILD/bin/structures_parse_bench" --rows 1000000 --write "$S" >/dev/null
  "$BUILD/bin/interfaces_parse_bench" --rows 1000000 --write "$I" >/dev/null
fi
export XDG_CONFIG_HOME=$T/config XDG_DATA_HOME=$T/data
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
for file in "$S" "$I"; do
  # The rows the import reads: lines left non-empty once blanks (bytes <= 0x20) are trimmed.
  rows=$(LC_ALL=C grep -a -c -P '[^\x00-\x20]' "$file" || true)
  walls=(); cpus=(); peak=0
  for r in $(seq "$RUNS"); do
    rm -f "$T/trace"
    measure "$T/trace" "$T/err" "$CLI" import --dry-run "$file" \
      || { echo "import failed: $(tail -1 "$T/err")"; exit 1; }
    walls+=("$WALL"); cpus+=("$CPU")
    [ "$PEAK_KIB" -gt "$peak" ] && peak=$PEAK_KIB
  done
  wall=$(printf '%s\n' "${walls[@]}" | median); cpu=$(printf '%s\n' "${cpus[@]}" | median)
  echo "$(head -c 40 "$file" | head -1 | tr -d '\r'): $rows rows, $(stat -c %s "$file") bytes, trace $(stat -c %s "$T/trace") bytes"
  echo "  runs (s): ${walls[*]}"
  echo "  wall ${wall}s (median of $RUNS): $(echo "$rows / $wall" | bc) rows/s (target >= $TARGET_ROWS_PER_S);" \
       "processor ${cpu}s: $(echo "$rows / $cpu" | bc) rows/s; peak $((peak / 1024)) MiB"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
