#!/usr/bin/env bash
# Measures how long the launcher takes to show its window under Wine, against an empty dialog
# program built by the same toolchain with the same options: they are started in turn in one
# fresh prefix, each start timed from CreateProcessW to the first visible top-level window, first
# with nothing installed, then with a typical installation laid out from the test stand-ins
# (Fluent 2025 R2, Visual Studio 2019, a MATLAB). Prints the medians, each one's ratio to the
# empty dialog's and to the launcher's template shown alone, and each start's phases. Between
# the two, to tell where the time goes: the empty dialog with the launcher's manifest and common
# controls, then also in the launcher's dialog font, and the launcher's dialog template shown by
# a procedure that does nothing (the floor of the launcher's own dialog).
# Last, the launch log's own part of a start, alone: the run's start line (into a new log folder,
# into an existing log) and one entry after it, 200 times each.
#   tools/bench-startup.sh [runs]        (default 15; QV_WINE_ARCH=win32 for a 32-bit prefix)
# QV_LAUNCHER_EXE names another build of the launcher to measure in its place, QV_LOG_BENCH_EXE
# another build of the log's benchmark.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh" >/dev/null
built="$root/build/$(windows_build)"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" "$built/bench/qv_startup_bench.exe" \
  "${1:-15}" "$root/build/win32/tests/fakes" "$root/build/win64/tests/fakes" \
  "$built/bench/qv_empty_dialog.exe" "$built/bench/qv_common_controls_dialog.exe" \
  "$built/bench/qv_font_dialog.exe" "$built/bench/qv_template_dialog.exe" \
  "${QV_LAUNCHER_EXE:-$built/bin/QuorvexLauncher.exe}"
QV_WINE_ARCH=${QV_WINE_ARCH:-win64} "$root/tools/wine-run.sh" \
  "${QV_LOG_BENCH_EXE:-$built/bench/qv_launch_log_bench.exe}" 200
