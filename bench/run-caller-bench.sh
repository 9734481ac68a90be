#!/usr/bin/env bash
# run-caller-bench.sh [BUILD_DIR] [RUNS]: the launcher's benchmark in a fresh Wine prefix of the
# build tree's test state (made on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
export TYX_WINE_STATE=$build/wine
status=0
"$root/tests/wine/wine-env.sh" run --name caller-bench -- "$build/win/bin/caller_bench.exe" "${2:-41}" || status=$?
"$root/tests/wine/wine-env.sh" stop
exit $status
