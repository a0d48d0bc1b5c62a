#!/usr/bin/env bash
# Free fuzzing, longer than the test suite's fixed runs: each fuzz target
# in turn for SECONDS (default 1200), from its committed corpus. New inputs go
# to build-fuzz/found/TARGET; a crash, leak, timeout or out-of-memory input is
# written as build-fuzz/found/TARGET-crash-* (keep it in fuzz/corpus/TARGET
# together with its fix).
#   scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${1:-1200}
shift || true
TARGETS=("$@")
[ ${#TARGETS[@]} -eq 0 ] && TARGETS=(fuzz_import_file fuzz_row_splitter fuzz_structures_parser fuzz_interfaces_parser
                              fuzz_reference_page)

scripts/setup.sh --fuzz
for target in "${TARGETS[@]}"; do
  mkdir -p "build-fuzz/found/$target"
  build-fuzz/bin/"$target" -dict=fuzz/velmora.dict -rss_limit_mb=2048 -malloc_limit_mb=2048 -timeout=10 \
    -max_total_time="$SECONDS_EACH" -print_final_stats=1 -artifact_prefix="build-fuzz/found/$target-" \
    "build-fuzz/found/$target" "fuzz/corpus/$target"
done
