#!/usr/bin/env bash
# Screenshots of every dialog of the launcher as a user sees it, in English and in Chinese at 96
# and 144 DPI, each language and DPI in a prefix of its own holding the demo sandbox's simulated
# installations: the main dialog alone, then in front of it the update dialog (a web server on
# 127.0.0.1 announces a newer release), the About box and the Workbench tip (Fluent 2025 R2
# started through Workbench): build/screenshots/<dialog>-<lang>-<dpi>.png, dialog being main,
# update, about or tip.
#   tools/screenshots.sh            (QV_WINE_ARCH=win32 for a 32-bit prefix)
# QV_LAUNCHER_EXE names another build of the launcher to show, QV_SCREENSHOTS_DIR another folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
. "$root/tools/virtual-display.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
fakes="$built/tests/fakes"
out="${QV_SCREENSHOTS_DIR:-$root/build/screenshots}"
launcher="${QV_LAUNCHER_EXE:-$built/bin/QuorvexLauncher.exe}"
export QV_WINE_ARCH=${QV_WINE_ARCH:-win64}
work=$(mktemp -d "${TMPDIR:-/tmp}/qv-shots.XXXXXX")
run_pid=""
web=""
sites=""
cleanup() {
  if [ -n "$run_pid" ]; then kill "$run_pid" 2>/dev/null || true; wait "$run_pid" 2>/dev/null || true; fi
  if [ -n "$web" ]; then touch "$web/stop"; fi
  stop_virtual_display
  # The web server lets go of its folder within a second of being told to stop.
  for _ in $(seq 20); do [ -z "$web" ] || [ -f "$web/stopped" ] && break; sleep 0.1; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out"
start_virtual_display "$work"

# A web server that announces release 2026-R1, its address on 127.0.0.1 left in sites. It ends
# with this script, or when told to stop.
start_web_server() {
  web="$1"
  mkdir -p "$web"
  printf '/product/download/version.txt\t200\tfree\t%s\n' \
    "$(printf '2026-R1\r\n' | od -An -tx1 | tr -d ' \n')" >"$web/routes"
  python3 "$root/tests/support/web_server.py" "$web" >/dev/null 2>&1 &
  for _ in $(seq 100); do [ -s "$web/port" ] && break; sleep 0.1; done
  [ -s "$web/port" ] || { echo "screenshots: the web server did not start" >&2; exit 1; }
  sites="http://127.0.0.1:$(cat "$web/port")/product"
}

# The screen as it is now, trimmed to the dialogs on it.
shoot() {
  import -window root -trim "$out/$1.png"
  echo "screenshots: $out/$1.png"
}

# Brings a dialog up (or closes the one in front) through the launcher's windows: beside the
# launcher, in its prefix, not through wine-run.sh, which would end the prefix's programs after.
show() {
  local hand="$fakes/qv_show_dialog.exe"
  WINEPREFIX="$QV_WINE_PREFIX" WINEARCH="$QV_WINE_ARCH" WINEDEBUG=-all \
    "$(wine_loader "$QV_WINE_ARCH" "$hand")" "$hand" "$1" 30 >/dev/null ||
    { echo "screenshots: the launcher did not show its $1 dialog" >&2; exit 1; }
}

for dpi in 96 144; do
  for language in en zh; do
    export QV_WINE_PREFIX="$work/prefix-$language-$dpi"
    english=true
    [ "$language" = zh ] && english=false
    "$root/tools/wine-run.sh" "$fakes/qv_make_sandbox.exe" 'C:\' >/dev/null
    # Wine 8 takes the screen's DPI from the user's desktop settings.
    "$root/tools/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    "$root/tools/wine-run.sh" reg add 'HKCU\Software\Quorvex' /v IsUsingEnglishLanguage /d "$english" /f /reg:64 >/dev/null
    start_web_server "$work/web-$language-$dpi"
    QV_TEST_UPDATE_SOURCES="$sites" QUORVEX_PATH='C:\Quorvex' \
      QV_FAKE_RECORD_DIR='C:\Quorvex Demo Records' "$root/tools/wine-run.sh" "$launcher" &
    run_pid=$!
    show update
    sleep 1
    shoot "update-$language-$dpi"
    show close
    sleep 1
    shoot "main-$language-$dpi"
    show about
    sleep 1
    shoot "about-$language-$dpi"
    show close
    show tip
    sleep 1
    shoot "tip-$language-$dpi"
    kill "$run_pid" 2>/dev/null || true
    wait "$run_pid" 2>/dev/null || true
    run_pid=""
    touch "$web/stop"
    web=""
  done
done
