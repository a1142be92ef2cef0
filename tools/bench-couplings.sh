#!/usr/bin/env bash
# Measures the coupling checks under Wine, in a fresh 64-bit prefix: the Intel Fortran probe
# (every possible key against the subkeys read once) and renaming a library reference in a large
# file against a plain copy.
#   tools/bench-couplings.sh [probe runs] [file MiB] [patch runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
export QV_WINE_ARCH=${QV_WINE_ARCH:-win64}
"$root/tools/wine-run.sh" "$built/bench/qv_fortran_probe_bench.exe" "${1:-11}"
"$root/tools/wine-run.sh" "$built/bench/qv_library_patch_bench.exe" "${2:-200}" "${3:-5}"
