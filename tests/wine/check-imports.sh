#!/usr/bin/env bash
# check-imports.sh PROGRAM DLL...: the program imports exactly these DLLs (system DLLs only, so
# it starts with no runtime beside it).
set -euo pipefail
program=$1; shift
actual=$(i686-w64-mingw32-objdump -p "$program" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
expected=$(printf '%s\n' "$@" | tr 'A-Z' 'a-z' | sort -u)
if [ "$actual" != "$expected" ]; then
  echo "imports of $program:"; echo "$actual"
  echo "expected:"; echo "$expected"
  exit 1
fi
echo "$program imports: $(echo $actual)"
