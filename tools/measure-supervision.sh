#!/usr/bin/env bash
# Measures the launcher while it waits for Fluent's window after a direct start (a simulated
# Fluent 2025 R2 whose window shows after a delay): CPU share of one core, delay from the window
# showing to its being recorded, longest time the dialog takes to answer a message. Then how soon
# it ends, from the add-on's close signal and from Cancel to the end of its process (and to its
# window being gone), with nothing installed and with a typical installation: with unmanaged
# windows, with windows managed by Wine's X11 driver and no window manager, and last on a display
# of its own where a window manager (evilwm) runs, as on a Linux desktop.
#   tools/measure-supervision.sh [runs] [window delay ms]
# QV_MEASURED_LAUNCHER=PATH measures another build of the launcher with this tree's stand-ins.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
. "$root/tools/virtual-display.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
launcher=${QV_MEASURED_LAUNCHER:-$built/bin/QuorvexLauncher.exe}
win() { printf 'Z:%s' "${1//\//\\}"; }
measure() {
  QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" \
    "$built/bench/qv_supervision_bench.exe" \
    "$(win "$launcher")" \
    "$(win "$root/build/win32/tests/fakes")" "$(win "$root/build/win64/tests/fakes")" "$@"
}
echo "measuring $launcher ($(windows_build) build)"
measure "$@"

work=$(mktemp -d)
manager_pid=""
stop() {
  [ -n "$manager_pid" ] && kill "$manager_pid" 2>/dev/null || true
  stop_virtual_display
  rm -rf "$work"
}
trap stop EXIT
start_virtual_display "$work"
evilwm -fn fixed >/dev/null 2>&1 &
manager_pid=$!
sleep 1
kill -0 "$manager_pid" || { echo "measure-supervision: evilwm did not start" >&2; exit 1; }
echo "with a window manager (evilwm) on a display of its own:"
QV_WINDOW_MANAGER=evilwm measure "$@"
