#!/usr/bin/env bash
# check-reproducible.sh: builds the release archive twice, each time in a fresh build directory of
# its own, and compares both programs and the archive byte for byte. Exits non-zero when any
# differs. The two build directories are removed afterwards unless KEEP=1.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
first=$root/build-repro-1
second=$root/build-repro-2
rm -rf "$first" "$second"
[ "${KEEP:-0}" = 1 ] || trap 'rm -rf "$first" "$second"' EXIT

for build in "$first" "$second"; do
  start=$(date +%s)
  mkdir -p "$build"
  "$root/scripts/package.sh" "$build" >"$build/package.log" 2>&1 || { tail -n 30 "$build/package.log"; exit 1; }
  echo "built $build in $(( $(date +%s) - start )) s"
done

status=0
archive=$(cd "$first/dist" && ls tyx-tools-*.zip)
for file in win/bin/Instal.exe win/bin/caller.exe "dist/$archive"; do
  if cmp -s "$first/$file" "$second/$file"; then
    echo "same:    $file $(sha256sum <"$first/$file" | cut -d' ' -f1)"
  else
    echo "DIFFERS: $file"
    status=1
  fi
done
exit $status
