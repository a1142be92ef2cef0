#!/usr/bin/env bash
# Installs what is missing, then builds everything into build/: the native tests, their
# sanitizer build, QuorvexLauncher.exe with its Windows tests and the test stand-ins.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build" -j2
