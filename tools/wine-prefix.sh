#!/usr/bin/env bash
# Prints the path of a cached template Wine prefix for an architecture (win64 or win32),
# creating it first when needed. Tests never use a template directly: wine-run.sh copies it.
set -euo pipefail

arch=${1:-win64}
case "$arch" in win64 | win32) ;; *) echo "wine-prefix: unknown architecture $arch" >&2; exit 2 ;; esac

here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-loader.sh"
loader=$(wine_loader "$arch")
if [ "$arch" = win32 ]; then
  status=0
  runs_32bit_programs || status=$?
  [ $status = 1 ] && echo "wine-prefix: this machine runs no 32-bit program (its kernel has no IA-32 emulation), so it has no 32-bit prefix" >&2
  [ $status = 0 ] || exit 1
fi
cache=${QV_WINE_CACHE:-${XDG_CACHE_HOME:-${HOME:-/tmp}/.cache}/quorvex-wine}
# A new Wine or a change of this script makes a new template.
stamp="$("$loader" --version)-$(cat "$0" "$here/wine-loader.sh" "$here/wine-prefix.reg" | sha1sum | cut -c1-12)"
template="$cache/$arch-$stamp"
mkdir -p "$cache"

# A template is ready only when every step of making it succeeded; a failure is reported with
# Wine's own words and leaves nothing behind that a later run could take for a template.
fail() {
  echo "wine-prefix: $1 failed for the $arch template; Wine said:" >&2
  tail -n 40 "$log" >&2
  wineserver -k >/dev/null 2>&1
  rm -rf "$WINEPREFIX"
  exit 1
}

if [ ! -f "$template/.ready" ]; then
  exec 9>"$cache/$arch.lock"
  flock 9
  if [ ! -f "$template/.ready" ]; then
    rm -rf "$template" "$template.tmp"
    export WINEPREFIX="$template.tmp" WINEARCH="$arch" WINEDEBUG=-all
    # No Mono or Gecko installers: nothing here needs them and they would wait for a click.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY
    log="$cache/$arch.log"
    "$loader" wineboot -i >"$log" 2>&1 || fail wineboot
    wineserver -w
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot (no registry made)"
    # Wine's own fonts (Debian's fonts-wine), which this Wine does not load from where the
    # package puts them: Tahoma for the dialogs, Marlett for the check marks and window buttons.
    # Not Tahoma Bold: with it, bold Chinese text (the window titles) finds no glyphs through
    # Tahoma's links, while a bold made from Tahoma does.
    for font in /usr/share/wine/fonts/*.ttf; do
      [ "${font##*/}" = tahomabd.ttf ] || cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/" 2>>"$log" || fail "copying Wine's fonts"
    done
    # The dialog fonts and their Chinese glyphs, and no crash dialog.
    "$loader" regedit /S "$("$loader" winepath -w "$here/wine-prefix.reg" 2>>"$log")" >>"$log" 2>&1 || fail regedit
    wineserver -w
    touch "$WINEPREFIX/.ready"
    mv "$WINEPREFIX" "$template"
  fi
  # Templates of other stamps go once a day has passed: another checkout's runs may still be
  # copying theirs.
  find "$cache" -maxdepth 1 -name "$arch-*" ! -name "$arch-$stamp" -mmin +1440 -exec rm -rf {} + 2>/dev/null || true
fi
echo "$template"
