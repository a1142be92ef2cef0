#!/usr/bin/env bash
# Builds the launcher and runs it under Wine in a demo prefix kept in build/demo, so that what
# the launcher remembers survives from one run to the next. QV_WINE_ARCH=win32 runs it as on
# 32-bit Windows. Without a display it runs on a virtual one and saves a screenshot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh" >/dev/null
arch=${QV_WINE_ARCH:-win64}
export QV_WINE_PREFIX="$root/build/demo/$arch"
exec "$root/tools/wine-run.sh" "$root/build/win32/bin/QuorvexLauncher.exe"
