#!/usr/bin/env bash
# Set up and run the whole test suite headless, in the normal and the sanitizer build.
#   scripts/test.sh            both builds
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
fi
