#!/usr/bin/env bash
# Measures how long the launcher takes to show its window and to paint it fully under Wine,
# against its own dialog template shown by a procedure that does nothing (the floor of the
# launcher's own dialog) and an empty dialog program built by the same toolchain with the same
# options: they are started in turn in one fresh prefix, first with nothing installed, then with
# a typical installation laid out from the test stand-ins (Fluent 2025 R2, Visual Studio 2019, a
# MATLAB). Prints for each program the medians of "visible" (from CreateProcessW to the dialog
# showing) and "painted" (until its last WM_PAINT has returned and nothing is left to paint),
# their ratios to the template's (also as the median of each round's ratio) and each start's
# phases. Between the empty dialog and the template, to tell where the time goes: the empty
# dialog with the launcher's manifest and common controls, then also in the launcher's font.
# Last, the launch log's own part of a start, alone: the run's start line (into a new log folder,
# into an existing log) and one entry after it, 200 times each.
#   tools/bench-startup.sh [runs] [launcher.exe ...]
# runs: starts of each program (default 15). Further launchers (another build, say the last
# commit's: copy its exe out of the way first) are started in the same rounds after this build's,
# so that old and new meet the same machine. The build that runs here is measured: the 32-bit
# one where the machine runs 32-bit programs, the 64-bit one otherwise (QV_BENCH_BUILD=win64
# measures the 64-bit build there too). QV_WINE_ARCH=win32 runs in a 32-bit prefix;
# QV_LAUNCHER_EXE names another build of the launcher to measure in place of this build's,
# QV_LOG_BENCH_EXE another build of the log's benchmark.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
runs=${1:-15}
[ $# -gt 0 ] && shift
"$root/tools/build.sh" >/dev/null
built="$root/build/${QV_BENCH_BUILD:-$(windows_build)}"
echo "bench-startup: the $(basename "$built") build, $runs starts of each program, in a ${QV_WINE_ARCH:-win64} prefix"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" "$built/bench/qv_startup_bench.exe" \
  "$runs" "$root/build/win32/tests/fakes" "$root/build/win64/tests/fakes" \
  "$built/bench/qv_empty_dialog.exe" "$built/bench/qv_common_controls_dialog.exe" \
  "$built/bench/qv_font_dialog.exe" "$built/bench/qv_template_dialog.exe" \
  "${QV_LAUNCHER_EXE:-$built/bin/QuorvexLauncher.exe}" "$@"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" \
  "${QV_LOG_BENCH_EXE:-$built/bench/qv_launch_log_bench.exe}" 200
