#!/usr/bin/env bash
# Builds, then runs every test: the native suite and the Wine suite. Exits non-zero when any fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh"
# Every test runs once: a test that fails now and then is a failing test.
ctest --test-dir "$root/build" --output-on-failure "$@"
