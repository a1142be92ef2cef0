#!/usr/bin/env bash
# The whole test run: installs what is missing, builds, runs every test (native, sanitizer,
# and the Windows tests under Wine in a 64-bit and a 32-bit prefix; where this machine runs no
# 32-bit program, the 64-bit build's in the 64-bit prefix). Extra arguments go to ctest.
# A run fails when it selects no test, and a run of everything fails when a suite is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-loader.sh"
"$root/tools/build.sh"
# Fails, with Wine's words, when the 32-bit loader fails for another reason than the kernel.
tested=$(windows_build)

selected=0
for argument in "$@"; do
  case "$argument" in -R* | -E* | -L* | -I* | -U | --tests-* | --exclude-* | --label-* | --rerun-failed) selected=1 ;; esac
done
if [ $selected = 0 ]; then
  # Each program of each build: natively, with the sanitizers, and each Windows program of the
  # 32-bit build in both prefixes, or, where 32-bit programs cannot run, of the 64-bit build in
  # the 64-bit prefix.
  windows_suites=(win64.unit win32.unit win64.win win32.win win64.win.dpi144 win32.win.dpi144
                  win64.e2e win32.e2e win64.exit-status win32.exit-status imports image-layout image-headers)
  if [ "$tested" = win64 ]; then
    windows_suites=(x64.win64.unit x64.win64.win x64.win64.win.dpi144 x64.win64.e2e
                    x64.win64.exit-status x64.imports x64.image-layout x64.image-headers)
    echo "test: NOT RUN: the 32-bit Windows programs (win32.* and win64.*): this machine runs no 32-bit program (its kernel has no IA-32 emulation), and the tests that need 32-bit Windows (*OnWindows32) do not run at all; the 64-bit build of the same tree runs in the 64-bit prefix (x64.win64.*) and the 32-bit product is only compiled" >&2
  fi
  listed=$(ctest --test-dir "$root/build" -N | sed -n 's/^ *Test *#[0-9]*: //p')
  missing=()
  for suite in format layout message-keys native.unit sanitize.native.unit "${windows_suites[@]}"; do
    grep -qx "$suite" <<<"$listed" || missing+=("$suite")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "test: not registered, so they would not run: ${missing[*]}" >&2
    exit 1
  fi
fi
ctest --test-dir "$root/build" -j2 --output-on-failure --no-tests=error "$@"
