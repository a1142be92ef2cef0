#!/usr/bin/env bash
# Screenshots of the launcher's main dialog as a user sees it, in English and in Chinese at 96
# and 144 DPI, each in a prefix of its own with nothing installed: build/screenshots/<lang>-<dpi>.png.
#   tools/screenshots.sh            (QV_WINE_ARCH=win32 for a 32-bit prefix)
# QV_LAUNCHER_EXE names another build of the launcher to show, QV_SCREENSHOTS_DIR another folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
. "$root/tools/virtual-display.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
out="${QV_SCREENSHOTS_DIR:-$root/build/screenshots}"
launcher="${QV_LAUNCHER_EXE:-$built/bin/QuorvexLauncher.exe}"
export QV_WINE_ARCH=${QV_WINE_ARCH:-win64}
work=$(mktemp -d "${TMPDIR:-/tmp}/qv-shots.XXXXXX")
run_pid=""
cleanup() {
  if [ -n "$run_pid" ]; then kill "$run_pid" 2>/dev/null || true; wait "$run_pid" 2>/dev/null || true; fi
  stop_virtual_display
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$out"
start_virtual_display "$work"

for dpi in 96 144; do
  for language in en zh; do
    export QV_WINE_PREFIX="$work/prefix-$language-$dpi"
    english=true
    [ "$language" = zh ] && english=false
    # Wine 8 takes the screen's DPI from the user's desktop settings.
    "$root/tools/wine-run.sh" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
    "$root/tools/wine-run.sh" reg add 'HKCU\Software\Quorvex' /v IsUsingEnglishLanguage /d "$english" /f /reg:64 >/dev/null
    "$root/tools/wine-run.sh" "$launcher" &
    run_pid=$!
    sleep "${QV_SCREENSHOT_DELAY:-6}"
    import -window root -trim "$out/$language-$dpi.png"
    kill "$run_pid" 2>/dev/null || true
    wait "$run_pid" 2>/dev/null || true
    run_pid=""
    echo "screenshots: $out/$language-$dpi.png"
  done
done
