#!/usr/bin/env bash
# Set up and run the whole test suite headless, in the normal and the sanitizer
# build, then fuzz each import fuzz target for a fixed number of runs (about a
# minute each at most; longer free runs: scripts/fuzz.sh).
#   scripts/test.sh            all of it
#   scripts/test.sh --quick    the normal build only
set -euo pipefail
cd "$(dirname "$0")/.."
export QT_QPA_PLATFORM=offscreen

scripts/setup.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

if [ "${1:-}" != "--quick" ]; then
  scripts/setup.sh --sanitize
  UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"

  scripts/setup.sh --fuzz
  ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)"
fi
