#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent and quiet:
# a machine that already has everything only pays for a few dpkg queries.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64 wine32:i386
  xvfb xauth x11-utils imagemagick locales
  # Wine's own fonts (Tahoma: Windows-like text metrics) and the Chinese glyphs Tahoma links to
  fonts-wine fonts-wqy-microhei
  # evilwm: a window manager for the supervision measurement's display, as on a Linux desktop
  evilwm
  # python3: the web server that stands in for the product's web sites in the update tests
  python3
  # clang: the fuzz targets (libFuzzer ships in libclang-rt) and the second Windows compiler (lld)
  clang clang-format libclang-rt-14-dev lld
)
# Wine takes the system language from the Unix locale, which must exist: the language tests
# start the launcher as on Chinese, Japanese and English systems.
locales=(en_US zh_CN zh_TW ja_JP)

ensure_locales() {
  local wanted=() l
  for l in "${locales[@]}"; do
    locale -a 2>/dev/null | grep -qix "$l.utf-\?8" || wanted+=("$l")
  done
  [ ${#wanted[@]} -eq 0 ] && return 0
  for l in "${wanted[@]}"; do
    grep -q "^$l.UTF-8 UTF-8" /etc/locale.gen 2>/dev/null || echo "$l.UTF-8 UTF-8" | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -eq 0 ]; then
  ensure_locales
  exit 0
fi

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  "${sudo_cmd[@]}" dpkg --add-architecture i386
fi
echo "setup: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq >/dev/null
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
ensure_locales
