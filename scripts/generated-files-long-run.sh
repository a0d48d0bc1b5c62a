#!/usr/bin/env bash
# The tests on generated files over fresh seeds, longer than the suite's fixed
# ones: the round trip (GeneratedFiles) and the damaged files (MutatedFiles),
# batch after batch of BATCH seeds from FIRST on, until COUNT seeds have passed
# or one fails; then it prints the first failing seed and how to run it alone.
#   scripts/generated-files-long-run.sh [COUNT] [FIRST] [BUILD_DIR]
# COUNT defaults to 100000, FIRST to a fresh number, BUILD_DIR to build.
set -euo pipefail
cd "$(dirname "$0")/.."
COUNT=${1:-100000}
FIRST=${2:-$(( (RANDOM << 15 | RANDOM) + 1000000 ))}
BUILD=${3:-build}
BATCH=2000

TESTS=("import_tests GeneratedFiles.*ImportWithWhatWasWritten" "cli_tests MutatedFiles.*")
for ((start = FIRST; start < FIRST + COUNT; start += BATCH)); do
  seeds=$(( FIRST + COUNT - start < BATCH ? FIRST + COUNT - start : BATCH ))
  for test in "${TESTS[@]}"; do
    read -r binary filter <<<"$test"
    if ! output=$(VELMORA_FIRST_SEED=$start VELMORA_SEEDS=$seeds "$BUILD/bin/$binary" --gtest_filter="$filter" 2>&1)
    then
      seed=$(grep -o 'first failing seed: [0-9]*' <<<"$output" | head -n 1 | grep -o '[0-9]*$' || true)
      grep -B 2 -A 12 'Failure' <<<"$output" | head -n 40
      echo "first failing seed: ${seed:-unknown}"
      echo "alone: VELMORA_FIRST_SEED=${seed:-$start} VELMORA_SEEDS=1 $BUILD/bin/$binary --gtest_filter='$filter'"
      exit 1
    fi
  done
  echo "seeds $FIRST to $(( start + seeds - 1 )) pass"
done
