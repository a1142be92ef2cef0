#!/usr/bin/env bash
# Usage: image_headers_check.sh OBJDUMP PROGRAM. Passes only when the program's headers say what
# Windows reads from them: the GUI subsystem of Windows 7 (6.1, the oldest Windows the launcher
# runs on) and terminal-server awareness (Remote Desktop hosts put no compatibility layer under
# it).
set -uo pipefail
headers=$("$1" -p "$2") || { echo "image headers: $1 cannot read $2"; exit 1; }
field() { sed -n "s/^$1[[:space:]]*//p" <<<"$headers" | head -1; }
failed=0
version="$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)"
if [ "$version" != 6.1 ]; then
  echo "image headers: subsystem version '$version', not 6.1"
  failed=1
fi
case "$(field Subsystem)" in
  *"(Windows GUI)"*) ;;
  *) echo "image headers: not a Windows GUI program: '$(field Subsystem)'"; failed=1 ;;
esac
characteristics=$(field DllCharacteristics)
if [ -z "$characteristics" ]; then
  echo "image headers: no DllCharacteristics read"
  failed=1
elif [ $((16#$characteristics & 0x8000)) -eq 0 ]; then
  echo "image headers: not terminal-server aware (DllCharacteristics 0x$characteristics)"
  failed=1
fi
[ $failed = 0 ] && echo "image headers: Windows GUI $version, terminal-server aware"
exit $failed
