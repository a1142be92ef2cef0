#!/usr/bin/env bash
# The whole test run: installs what is missing, builds, runs every test (native, sanitizer,
# and the Windows tests under Wine in a 64-bit and a 32-bit prefix). Extra arguments go to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
ctest --test-dir "$root/build" -j2 --output-on-failure "$@"
