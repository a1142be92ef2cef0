#!/usr/bin/env bash
# Usage: import_check.sh OBJDUMP PROGRAM. Passes only when the program's import table names no
# DLL beyond those its first paint needs: every DLL imported at load time is resolved before the
# program's first line runs, from beside the program unless the system knows it, so the shell,
# COM, GDI+ and the rest are loaded at first use from the system folder instead.
set -uo pipefail
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll advapi32.dll msvcrt.dll"
names=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr '[:upper:]' '[:lower:]')
# The table was read: every program imports kernel32.
if ! grep -qx kernel32.dll <<<"$names"; then
  echo "imports: no import table read from $2"
  exit 1
fi
failed=0
for name in $names; do
  if [[ " $allowed " == *" $name "* ]]; then
    echo "imports: $name"
  else
    echo "imports: $name is imported at load time, but the first paint does not need it"
    failed=1
  fi
done
exit $failed
