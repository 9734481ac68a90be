#!/usr/bin/env bash
# Builds, then runs every test: the native suite and the Wine suite. Exits non-zero when any fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
# A Wine start now and then fails at once without a word; a real fault fails twice.
ctest --test-dir "$root/build" --output-on-failure --repeat until-pass:2 "$@"
