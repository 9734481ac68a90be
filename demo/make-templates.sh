#!/usr/bin/env bash
# Makes the four shortcut templates in OUTPUT-DIRECTORY: MakeTemplates.exe writes them under
# Wine through the shell's own link object. They are made again only when the program is newer.
#
#   make-templates.sh WINE-ENV MAKETEMPLATES.EXE OUTPUT-DIRECTORY
# TYX_WINE_STATE names the Wine state of the build tree (as for the test suite).
set -euo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 WINE-ENV MAKETEMPLATES.EXE OUTPUT-DIRECTORY" >&2
  exit 2
fi
wine_env=$1 program=$2 out=$3
state=${TYX_WINE_STATE:?TYX_WINE_STATE must name the Wine state directory}
names=(TyxWin7.s64 TyxWin7.sss TyxWin8.sss TyxWin10.sss)

fresh=1
for name in "${names[@]}"; do
  [ "$out/$name" -nt "$program" ] || fresh=0
done
[ "$fresh" = 1 ] && exit 0

# The harness starts its display for every run; it is stopped again when no test run had it.
display_was_up=0
if [ -f "$state/xvfb.pid" ] && kill -0 "$(cat "$state/xvfb.pid")" 2>/dev/null; then
  display_was_up=1
fi

mkdir -p -- "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d "$out/.templates.XXXXXX")
cleanup() {
  rm -rf -- "$work"
  [ "$display_was_up" = 1 ] || "$wine_env" stop >/dev/null 2>&1 || true
}
trap cleanup EXIT

# Wine sees the Unix root as drive Z:.
windows_dir="Z:${work//\//\\}"
"$wine_env" run --name demo-templates -- "$program" "$windows_dir"

for name in "${names[@]}"; do
  [ -s "$work/$name" ] || { echo "$0: $name was not made" >&2; exit 1; }
done
for name in "${names[@]}"; do
  mv -f -- "$work/$name" "$out/$name"
done
