#!/usr/bin/env bash
# Usage: exit_status_check.sh PROGRAM (tests/fakes/exit_status_win.cpp), QV_WINE_ARCH naming the
# prefix. Passes only when tools/wine-run.sh hands back the exact exit code of a program that
# worked with another process's window (0) and of one that ended with 3: a lost status fails.
set -uo pipefail
run=$(cd "$(dirname "$0")/../../tools" && pwd)/wine-run.sh
failed=0
for check in "0 windows" "3 exit 3"; do
  read -r expected arguments <<<"$check"
  status=0
  # shellcheck disable=SC2086 # the arguments are words
  "$run" "$1" $arguments || status=$?
  echo "exit-status: $(basename "$1") $arguments in ${QV_WINE_ARCH:-win64}: exit code $status, expected $expected"
  [ "$status" = "$expected" ] || failed=1
done
exit $failed
