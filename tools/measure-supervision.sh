#!/usr/bin/env bash
# Measures the launcher while it waits for Fluent's window after a direct start (a simulated
# Fluent 2025 R2 whose window shows after a delay): CPU share of one core, delay from the window
# showing to its being recorded, longest time the dialog takes to answer a message.
#   tools/measure-supervision.sh [runs] [window delay ms]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
win() { printf 'Z:%s' "${1//\//\\}"; }
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" \
  "$built/bench/qv_supervision_bench.exe" \
  "$(win "$built/bin/QuorvexLauncher.exe")" \
  "$(win "$root/build/win32/tests/fakes")" "$(win "$root/build/win64/tests/fakes")" "$@"
