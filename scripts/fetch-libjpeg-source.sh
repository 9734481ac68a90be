#!/usr/bin/env bash
# Puts Debian's libjpeg-turbo source package, with Debian's patches applied, into $1.
# Needs the deb-src entry that install-deps.sh adds.
set -euo pipefail
dest=$1
if [ -f "$dest/CMakeLists.txt" ]; then exit 0; fi
mkdir -p "$(dirname "$dest")"
work=$(mktemp -d "${dest%/}.fetch.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -q libjpeg-turbo >/dev/null)
src=$(find "$work" -mindepth 1 -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$src" ] || { echo "apt-get source gave no libjpeg-turbo directory" >&2; exit 1; }
rm -rf "$dest"
mv "$src" "$dest"
