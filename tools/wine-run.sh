#!/usr/bin/env bash
# Runs one Windows program under Wine and exits with its exit code.
#   Tests: a fresh copy of the template prefix for QV_WINE_ARCH (win64 or win32), drives D: and
#     E: mapped to empty folders, removed afterwards (QV_WINE_KEEP=1 keeps it for inspection).
#   QV_WINE_PREFIX=DIR: that prefix instead, created from the template once and kept.
# Without a display it starts an Xvfb of its own; with QV_SCREENSHOT=FILE as well, it saves what
# that display shows after QV_SCREENSHOT_DELAY seconds (default 8) and then ends the program.
# It stops only its own wineserver and Xvfb.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
arch=${QV_WINE_ARCH:-win64}
template=$("$here/wine-prefix.sh" "$arch") || exit 1

work=$(mktemp -d "${TMPDIR:-/tmp}/qv-wine.XXXXXX")
prefix=${QV_WINE_PREFIX:-$work/prefix}
xvfb_pid=""

cleanup() {
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  if [ "${QV_WINE_KEEP:-0}" = 1 ]; then echo "wine-run: kept $work" >&2; else rm -rf "$work"; fi
}
trap cleanup EXIT
trap 'exit 143' TERM INT

copy_template() {
  # The system DLL folders are only read: hard links spare copying a gigabyte per run.
  local shared="./drive_c/windows/system32 ./drive_c/windows/syswow64 ./drive_c/windows/winsxs" d
  local excludes=()
  for d in $shared; do excludes+=("--exclude=$d"); done
  mkdir -p "$1"
  tar -C "$template" "${excludes[@]}" -cf - . | tar -C "$1" -xf -
  for d in $shared; do
    if [ -d "$template/$d" ]; then cp -al "$template/$d" "$1/$d"; fi
  done
}

if [ -n "${QV_WINE_PREFIX:-}" ]; then
  [ -f "$prefix/.ready" ] || { rm -rf "$prefix"; copy_template "$prefix"; }
else
  copy_template "$prefix"
  for letter in d e; do
    mkdir -p "$work/drive_$letter"
    ln -s "$work/drive_$letter" "$prefix/dosdevices/$letter:"
  done
fi

headless=0
if [ -z "${DISPLAY:-}" ]; then
  headless=1
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "wine-run: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$work/display")"
fi

export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export QV_WINE_WORK="$work"

if [ -n "${QV_SCREENSHOT:-}" ] && [ $headless = 1 ]; then
  # Nobody can see a virtual display: show what it would have shown, then end the program.
  wine "$@" &
  sleep "${QV_SCREENSHOT_DELAY:-8}"
  import -window root "$QV_SCREENSHOT" && echo "wine-run: no display; screenshot saved to $QV_SCREENSHOT"
  exit 0
fi
wine "$@"
