#!/usr/bin/env bash
# Measures how long the launcher takes to show its window under Wine, against an empty dialog
# program built by the same toolchain with the same options: both are started in turn in one
# fresh prefix (nothing installed), each start timed from CreateProcessW to the first visible
# top-level window. Prints both medians and their ratio.
#   tools/bench-startup.sh [runs]        (default 15; QV_WINE_ARCH=win32 for a 32-bit prefix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null
bin="$root/build/win32"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" "$bin/bench/qv_startup_bench.exe" \
  "${1:-15}" "$bin/bench/qv_empty_dialog.exe" "$bin/bin/QuorvexLauncher.exe"
