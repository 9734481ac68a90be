#!/usr/bin/env bash
# Installs what is missing (through sudo when not root), then configures and builds into build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" -eq 0 ]; then
  "$root/scripts/install-deps.sh"
else
  sudo "$root/scripts/install-deps.sh"
fi
cmake -S "$root" -B "$root/build" -G Ninja
ninja -C "$root/build"
