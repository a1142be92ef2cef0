#!/usr/bin/env bash
# Usage: image_layout_check.sh OBJDUMP PROGRAM. Passes only when the program's sections start at
# page boundaries in its file: Wine maps such an image, and reads any other into fresh memory at
# every start, which cost the launcher's window 8-20 ms.
set -uo pipefail
alignment=$("$1" -p "$2" | sed -n 's/^FileAlignment[[:space:]]*//p')
if [ -z "$alignment" ]; then
  echo "image layout: no file alignment read from $2"
  exit 1
fi
if [ $((16#$alignment)) -ne 4096 ]; then
  echo "image layout: sections aligned to 0x$alignment bytes in the file, not to a page (0x1000)"
  exit 1
fi
echo "image layout: sections at page boundaries in the file"
