#!/usr/bin/env bash
# Measures the launcher while it waits for Fluent's window after a direct start (a simulated
# Fluent 2025 R2 whose window shows after a delay): CPU share of one core, delay from the window
# showing to its being recorded, longest time the dialog takes to answer a message. Then how soon
# it ends, from the add-on's close signal and from Cancel to the end of its process (and to its
# window being gone), with nothing installed and with a typical installation.
#   tools/measure-supervision.sh [runs] [window delay ms]
# QV_MEASURED_LAUNCHER=PATH measures another build of the launcher with this tree's stand-ins.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
launcher=${QV_MEASURED_LAUNCHER:-$built/bin/QuorvexLauncher.exe}
win() { printf 'Z:%s' "${1//\//\\}"; }
echo "measuring $launcher ($(windows_build) build)"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" \
  "$built/bench/qv_supervision_bench.exe" \
  "$(win "$launcher")" \
  "$(win "$root/build/win32/tests/fakes")" "$(win "$root/build/win64/tests/fakes")" "$@"
