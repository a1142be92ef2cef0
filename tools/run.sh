#!/usr/bin/env bash
# Builds the launcher and runs it under Wine in a demo prefix kept in build/demo, whose C: holds
# a sandbox of simulated installations (Fluent, Workbench, the add-on, MATLAB) made of the test
# stand-ins; what the launcher remembers survives from one run to the next. QV_WINE_ARCH=win32
# runs it as on 32-bit Windows. Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null
arch=${QV_WINE_ARCH:-win64}
export QV_WINE_ARCH=$arch QV_WINE_PREFIX="$root/build/demo/$arch"
fakes="$root/build/win32/tests/fakes"

if [ ! -f "$QV_WINE_PREFIX/.sandbox" ]; then
  echo "run: laying out the demo sandbox of simulated installations in C:\\ of $QV_WINE_PREFIX"
  "$root/tools/wine-run.sh" "$fakes/qv_make_sandbox.exe" 'C:\' >/dev/null
  touch "$QV_WINE_PREFIX/.sandbox"
fi
# The add-on's product folder of the sandbox, and where the stand-ins record what they received.
export QUORVEX_PATH='C:\Quorvex' QV_FAKE_RECORD_DIR='C:\Quorvex Demo Records'
[ -n "${DISPLAY:-}" ] || export QV_SCREENSHOT="$root/build/demo/screenshot-$arch.png"
exec "$root/tools/wine-run.sh" "$root/build/win32/bin/QuorvexLauncher.exe"
