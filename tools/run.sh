#!/usr/bin/env bash
# Builds the launcher and runs it under Wine in a demo prefix kept in build/demo, whose C: holds
# a sandbox of simulated installations (Fluent 6.3 to 2025 R2, Workbench, Visual Studio 2019, the
# add-on's product folder C:\Quorvex, MATLAB) made of the test stand-ins, each folder labelled as
# simulated; what the launcher remembers survives from one run to the next. It opens with Fluent
# 2025 R2 chosen: OK starts the simulated Fluent, whose add-on module signals back once the
# launcher has recorded it, and the launcher closes. What the stand-ins received is recorded in
# C:\Quorvex Demo Records. QV_WINE_ARCH=win32 runs it as on 32-bit Windows.
# Without a display nobody could see it: it then runs on a virtual display, saves a screenshot
# after QV_SCREENSHOT_DELAY seconds (default 8) to QV_SCREENSHOT (default
# build/demo/screenshot-<arch>.png), then presses OK itself and reports how the launch ended.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
. "$root/tools/virtual-display.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
arch=${QV_WINE_ARCH:-win64}
[ "${built##*/}" = win64 ] &&
  echo "run: this machine runs no 32-bit program, so the launcher runs as its 64-bit build"
export QV_WINE_ARCH=$arch QV_WINE_PREFIX="$root/build/demo/$arch"
fakes="$built/tests/fakes"

if [ ! -f "$QV_WINE_PREFIX/.sandbox" ]; then
  echo "run: laying out the demo sandbox of simulated installations in C:\\ of $QV_WINE_PREFIX"
  "$root/tools/wine-run.sh" "$fakes/qv_make_sandbox.exe" 'C:\' >/dev/null
  touch "$QV_WINE_PREFIX/.sandbox"
fi
# The add-on's product folder of the sandbox, and where the stand-ins record what they received.
export QUORVEX_PATH='C:\Quorvex' QV_FAKE_RECORD_DIR='C:\Quorvex Demo Records'
records="$QV_WINE_PREFIX/drive_c/Quorvex Demo Records"
mkdir -p "$records"
launcher="$built/bin/QuorvexLauncher.exe"
[ -n "${DISPLAY:-}" ] && exec "$root/tools/wine-run.sh" "$launcher"

screenshot=${QV_SCREENSHOT:-$root/build/demo/screenshot-$arch.png}
work=$(mktemp -d "${TMPDIR:-/tmp}/qv-run.XXXXXX")
run_pid=""
cleanup() {
  # wine-run.sh ends the launcher with its own wineserver when it is stopped.
  if [ -n "$run_pid" ]; then
    kill "$run_pid" 2>/dev/null || true
    wait "$run_pid" 2>/dev/null || true
  fi
  stop_virtual_display
  rm -rf "$work"
}
trap cleanup EXIT
start_virtual_display "$work"
"$root/tools/wine-run.sh" "$launcher" &
run_pid=$!
sleep "${QV_SCREENSHOT_DELAY:-8}"
if ! kill -0 "$run_pid" 2>/dev/null; then
  status=0
  wait "$run_pid" || status=$?
  run_pid=""
  echo "run: the launcher ended before the screenshot, with exit code $status" >&2
  exit $(( status == 0 ? 1 : status ))
fi
import -window root "$screenshot"
echo "run: no display; screenshot saved to $screenshot"

# The user's part: OK. The launcher must end by itself once the simulated module has signalled.
started=$(date +%s)
rm -f "$records"/*.txt
pressed=0
"$root/tools/wine-run.sh" "$fakes/qv_press_ok.exe" 60 || pressed=$?
status=0
wait "$run_pid" || status=$?
run_pid=""
if [ $pressed != 0 ]; then
  echo "run: OK was pressed but the launcher did not close (helper exit code $pressed)" >&2
  exit 1
fi
echo "run: OK started the simulated Fluent; the launcher closed on its signal after $(( $(date +%s) - started )) s (exit code $status)"
for record in "$records"/fluent-*.txt "$records"/fl2520s-*.txt; do
  [ -f "$record" ] || continue
  sed -n 's/^command_line=/run:   '"$(basename "$record" .txt)"' started as: /p; s/^signal=/run:   close signal: /p' "$record"
done
exit $status
