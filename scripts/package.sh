#!/usr/bin/env bash
# package.sh [BUILD_DIR]: installs what is missing, builds both programs and writes the release
# archive BUILD_DIR/dist/tyx-tools-VERSION.zip (BUILD_DIR is build/ of the checkout unless given).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
if [ "$(id -u)" -eq 0 ]; then
  "$root/scripts/install-deps.sh"
else
  sudo "$root/scripts/install-deps.sh"
fi
cmake -S "$root" -B "$build" -G Ninja
ninja -C "$build" dist
