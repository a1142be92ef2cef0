#!/usr/bin/env bash
# Runs one Windows program under Wine and exits with its exit code, whatever else happens: it is
# also the emulator of every Windows test.
#   Tests: a fresh copy of the template prefix for QV_WINE_ARCH (win64 or win32), drives D: and
#     E: mapped to empty folders, removed afterwards (QV_WINE_KEEP=1 keeps it for inspection).
#   QV_WINE_PREFIX=DIR: that prefix instead, created from the template once and kept.
# Without a display it starts an Xvfb of its own. It stops only its own wineserver and Xvfb.
# QV_WINEDEBUG=CHANNELS turns Wine's own tracing on (+server shows every round trip).
# QV_WINE_DPI=N gives the prefix's screen N dots per inch before the program starts.
# QV_WEB_SERVER=SCRIPT starts the tests' web-server host beside the program (Wine starts a Unix
#   program without its handles, so no Windows program may start one): QV_WEB_SERVERS names the
#   folder through which the program asks it for servers.
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
. "$here/virtual-display.sh"
. "$here/wine-loader.sh"
arch=${QV_WINE_ARCH:-win64}
template=$("$here/wine-prefix.sh" "$arch") || exit 1

work=$(mktemp -d "${TMPDIR:-/tmp}/qv-wine.XXXXXX")
prefix=${QV_WINE_PREFIX:-$work/prefix}

web_host=""
cleanup() {
  if [ -n "$web_host" ]; then kill "$web_host" 2>/dev/null; wait "$web_host" 2>/dev/null; fi
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1
  stop_virtual_display
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
  tar -C "$template" "${excludes[@]}" -cf - . | tar -C "$1" -xf - || return 1
  for d in $shared; do
    if [ -d "$template/$d" ]; then cp -al "$template/$d" "$1/$d" || return 1; fi
  done
}

if [ -n "${QV_WINE_PREFIX:-}" ]; then
  if [ ! -f "$prefix/.ready" ]; then
    rm -rf "$prefix"
    copy_template "$prefix" || { rm -rf "$prefix"; echo "wine-run: cannot copy the template to $prefix" >&2; exit 1; }
  fi
else
  copy_template "$prefix" || { echo "wine-run: cannot copy the template to $prefix" >&2; exit 1; }
  for letter in d e; do
    mkdir -p "$work/drive_$letter"
    ln -s "$work/drive_$letter" "$prefix/dosdevices/$letter:"
  done
fi

if [ -z "${DISPLAY:-}" ]; then start_virtual_display "$work" || exit 1; fi

export WINEPREFIX="$prefix" WINEARCH="$arch" WINEDEBUG=${QV_WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
export QV_WINE_WORK="$work"

if [ -n "${QV_WEB_SERVER:-}" ]; then
  mkdir -p "$work/web-servers"
  /usr/bin/python3 "$QV_WEB_SERVER" --host "$work/web-servers" </dev/null &
  web_host=$!
  export QV_WEB_SERVERS="$work/web-servers"
fi

if [ -n "${QV_WINE_DPI:-}" ]; then
  # Wine 8 takes the screen's DPI from the user's desktop settings when a program starts.
  "$(wine_loader "$arch")" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "$QV_WINE_DPI" /f >/dev/null || { echo "wine-run: cannot set the screen to $QV_WINE_DPI DPI" >&2; exit 1; }
fi

# In the background so that TERM reaches the trap at once; the wait gives the program's status.
loader=$(wine_loader "$arch" "${1:-}")
"$loader" "$@" <&0 &
wait $!
