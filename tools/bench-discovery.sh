#!/usr/bin/env bash
# Measures start-up discovery under Wine against its floor, in a fresh 64-bit prefix.
#   tools/bench-discovery.sh [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" "$built/bench/qv_discovery_bench.exe" "$@"
