#!/usr/bin/env bash
# Installs what a fresh Debian 12 lacks, then configures and builds Velmora.
#   scripts/setup.sh [--sanitize | --fuzz]
#     --sanitize: the sanitizer build, in build-asan/
#     --fuzz:     the import code and its libFuzzer targets (clang), in build-fuzz/
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(g++ cmake ninja-build pkg-config
          qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-qpa-plugins libgl-dev
          libgtest-dev sqlite3 libsqlite3-dev xvfb libmd4c-dev libyaml-cpp-dev
          postgresql libqt6sql6-psql libpq-dev libcsv-dev help2man desktop-file-utils clang libclang-rt-14-dev
          fonts-liberation    # Liberation Sans Narrow: the windows' captions fit their places
          mingw-w64-common)   # Wine's DirectX headers, which velmora-cli convert reads

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi

BUILD_DIR=build
EXTRA=()
if [ "${1:-}" = "--sanitize" ]; then
  BUILD_DIR=build-asan
  EXTRA=(-DVELMORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
elif [ "${1:-}" = "--fuzz" ]; then
  BUILD_DIR=build-fuzz
  EXTRA=(-DVELMORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++)
fi

cmake -S . -B "$BUILD_DIR" -G Ninja "${EXTRA[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
