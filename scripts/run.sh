#!/usr/bin/env bash
# Set up, create the default catalogue if it is absent, and start Velmora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build/bin/velmora-cli init
exec build/bin/velmora
