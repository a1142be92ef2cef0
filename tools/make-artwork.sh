#!/usr/bin/env bash
# Draws the launcher's artwork from text and shapes with ImageMagick and writes it into
# resources/, where it is committed: the build needs neither ImageMagick nor Python.
#   tools/make-artwork.sh
#   launcher.ico    icon 140: 48, 32 and 16 pixels
#   browse.ico      icon 141: 32, 24, 20 and 16 pixels, a folder
#   update.ico      icon 156: 48, 32 and 16 pixels, a newer release
#   update-mark.ico icon 159: 32 and 16 pixels, the same mark for the update dialog's picture
#   tip.ico         icon 168: 70, 48, 32 and 16 pixels, a light bulb
# and each picture at the size of its control at 100, 125, 150 and 200 % of the screen's scale
# (96, 120, 144 and 192 DPI), so that it is drawn pixel for pixel there:
#   banner*.bmp     bitmaps 129-132, 24-bit: product name, release, "FLUENT Launcher"
#   logo*.bmp       bitmaps 147-150, 32-bit, colours premultiplied by the alpha: the maker's
#                   emblem and name on a transparent ground
#   workbench*.bmp  bitmaps 167 and 169-171, 24-bit: Workbench's launch settings, schematically
# Each picture is drawn once at four times its design size and made smaller for each scale with
# the Mitchell filter, whose edges show neither halo nor stairs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/resources"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bold=DejaVu-Sans-Bold
regular=DejaVu-Sans
condensed=DejaVu-Sans-Condensed-Bold
navy='#12355b'
blue='#1f6fb2'
teal='#19a0a8'

# Shapes are given in a picture's design pixels and drawn at k times that size: a coordinate
# names the first pixel of its k-pixel block (at), the last (to) or the middle (mid); sc scales
# a length. At k=1 they are the design's own coordinates.
k=1
at() { echo $(( $1 * k )); }
to() { echo $(( $1 * k + k - 1 )); }
mid() { echo $(( $1 * k + k / 2 )); }
sc() { echo $(( $1 * k )); }

# The emblem: a rounded square in blue with a white Q whose tail is a stream line. Designed at
# 256 pixels and scaled down, so every size comes from the same shapes.
emblem() { # emblem <file>, at k times 256 pixels
  convert -size "$(sc 256)x$(sc 256)" gradient:"$teal"-"$navy" -alpha set \
    \( -size "$(sc 256)x$(sc 256)" xc:none -fill white \
       -draw "roundrectangle $(at 8),$(at 8) $(to 247),$(to 247) $(sc 56),$(sc 56)" \) \
    -compose DstIn -composite -compose Over \
    -fill none -stroke white -strokewidth "$(sc 30)" -draw "circle $(mid 124),$(mid 120) $(mid 124),$(mid 52)" \
    -stroke white -strokewidth "$(sc 26)" -draw "line $(mid 150),$(mid 150) $(mid 206),$(mid 206)" \
    "$1"
}

icon_sizes() { # icon_sizes <source> <output.ico> <size>...
  local source=$1 output=$2
  shift 2
  local frames=()
  for size in "$@"; do
    convert "$source" -resize "${size}x${size}" -depth 8 "PNG32:$work/frame-$size.png"
    frames+=("$work/frame-$size.png")
  done
  convert "${frames[@]}" "$output"
}

# icon 140
k=1
emblem "$work/emblem.png"
icon_sizes "$work/emblem.png" "$out/launcher.ico" 48 32 16

# icon 141: a folder, drawn at each size so that its edges stay sharp. The shapes are given on
# the 16-pixel grid, where a coordinate names a whole pixel; at size s a shape's first pixel is
# the one its grid pixel begins in, its last the one before the next grid pixel begins.
folder() { # folder <size> <output.png>
  local s=$1
  a() { echo $(( ($1 * s + 8) / 16 )); }      # a first pixel
  z() { echo $(( (($1 + 1) * s + 8) / 16 - 1 )); } # a last pixel
  convert -size "${s}x${s}" xc:none \
    -fill '#c98a12' -draw "polygon $(a 1),$(a 3) $(z 6),$(a 3) $(z 8),$(a 5) $(z 14),$(a 5) $(z 14),$(z 13) $(a 1),$(z 13)" \
    -fill '#f4c542' -draw "polygon $(a 1),$(a 7) $(z 15),$(a 7) $(z 14),$(z 13) $(a 1),$(z 13)" \
    -fill '#fbe39a' -draw "rectangle $(a 2),$(a 8) $(z 13),$(z 8)" \
    -depth 8 "PNG32:$2"
}
# The sizes of a small icon at 96, 120, 144 and 192 DPI.
for size in 16 20 24 32; do folder $size "$work/folder-$size.png"; done
convert "$work/folder-32.png" "$work/folder-24.png" "$work/folder-20.png" "$work/folder-16.png" \
  "$out/browse.ico"

# icons 156 and 159: a green circle with an arrow pointing down onto a bar
convert -size 256x256 xc:none \
  -fill '#2e9d4f' -draw 'circle 128,128 128,8' \
  -fill white -draw 'polygon 104,52 152,52 152,124 194,124 128,190 62,124 104,124' \
  -fill white -draw 'rectangle 64,204 192,222' \
  "$work/update.png"
icon_sizes "$work/update.png" "$out/update.ico" 48 32 16
icon_sizes "$work/update.png" "$out/update-mark.ico" 32 16

# icon 168: a light bulb
convert -size 256x256 xc:none \
  -fill '#ffd43b' -stroke '#b8860b' -strokewidth 8 -draw 'circle 128,100 128,20' \
  -stroke none -fill '#ffd43b' -draw 'rectangle 92,150 164,180' \
  -fill '#8a8f98' -draw 'roundrectangle 88,178 168,236 10,10' \
  -stroke '#5c6068' -strokewidth 6 -draw 'line 92,196 164,196' -draw 'line 92,216 164,216' \
  -stroke white -strokewidth 10 -fill none -draw 'arc 78,50 140,112 180,270' \
  "$work/tip.png"
icon_sizes "$work/tip.png" "$out/tip.ico" 70 48 32 16

# The pictures, drawn at four times their design size.
k=4
emblem "$work/emblem-large.png"

# The banner, designed at 323x34: a gradient from left to right, the emblem, the product's name
# and release, and "FLUENT Launcher" at the right.
convert -size "$(sc 34)x$(sc 323)" gradient:"$navy"-"$blue" -rotate -90 \
  \( "$work/emblem-large.png" -resize "$(sc 26)x$(sc 26)" \) -geometry "+$(at 6)+$(at 4)" -composite \
  -font "$bold" -pointsize "$(sc 19)" -fill white -annotate "+$(at 38)+$(at 24)" 'Quorvex' \
  -font "$regular" -pointsize "$(sc 9)" -fill '#cfe3f5' -annotate "+$(at 130)+$(at 24)" '2025-R2' \
  -font "$condensed" -pointsize "$(sc 14)" -fill white -gravity east \
  -annotate "+$(at 8)+$(at 1)" 'FLUENT Launcher' \
  "$work/banner.png"

# The logo, designed at 696x151: the emblem and the maker's name on a transparent ground.
convert -size "$(sc 696)x$(sc 151)" xc:none \
  \( "$work/emblem-large.png" -resize "$(sc 131)x$(sc 131)" \) -geometry "+$(at 10)+$(at 10)" -composite \
  -font "$bold" -pointsize "$(sc 92)" -fill "$navy" -annotate "+$(at 160)+$(at 104)" 'Quorvex' \
  -font "$regular" -pointsize "$(sc 24)" -fill "$blue" \
  -annotate "+$(at 166)+$(at 138)" 'UDF development for ANSYS Fluent' \
  "PNG32:$work/logo.png"

# Workbench's Fluent launch settings, designed at 397x157, as a schematic form, the way round
# the pseudo serial mode marked in red.
convert -size "$(sc 397)x$(sc 157)" xc:'#f0f0f0' \
  -fill '#2b579a' -draw "rectangle $(at 0),$(at 0) $(to 396),$(to 20)" \
  -font "$bold" -pointsize "$(sc 11)" -fill white -annotate "+$(at 8)+$(at 14)" 'Workbench: Fluent Launcher settings' \
  -fill none -stroke '#a0a0a0' -strokewidth "$(sc 1)" \
  -draw "rectangle $(mid 10),$(mid 30) $(mid 386),$(mid 146)" -stroke none \
  -font "$bold" -pointsize "$(sc 11)" -fill black -annotate "+$(at 20)+$(at 48)" 'Processing Options' \
  -fill white -stroke '#606060' -draw "circle $(mid 30),$(mid 68) $(mid 30),$(mid 62)" -stroke none \
  -font "$regular" -pointsize "$(sc 11)" -fill black -annotate "+$(at 42)+$(at 72)" 'Serial' \
  -fill white -stroke '#606060' -draw "circle $(mid 30),$(mid 92) $(mid 30),$(mid 86)" -stroke none \
  -fill black -draw "circle $(mid 30),$(mid 92) $(mid 30),$(mid 89)" \
  -annotate "+$(at 42)+$(at 96)" 'Parallel' \
  -annotate "+$(at 42)+$(at 124)" 'Number of Processes' \
  -fill white -stroke '#606060' -draw "rectangle $(mid 180),$(mid 110) $(mid 240),$(mid 130)" -stroke none \
  -fill black -annotate "+$(at 206)+$(at 125)" '0' \
  -fill none -stroke '#d62828' -strokewidth "$(sc 3)" \
  -draw "roundrectangle $(mid 20),$(mid 80) $(mid 110),$(mid 104) $(sc 6),$(sc 6)" \
  -draw "roundrectangle $(mid 174),$(mid 104) $(mid 246),$(mid 136) $(sc 6),$(sc 6)" \
  -stroke none -font "$bold" -pointsize "$(sc 11)" -fill '#d62828' \
  -annotate "+$(at 262)+$(at 92)" 'true Serial:' -font "$regular" \
  -annotate "+$(at 262)+$(at 108)" 'Parallel with' -annotate "+$(at 262)+$(at 124)" '0 processes' \
  "$work/workbench.png"

# Each control's size in pixels at 100, 125, 150 and 200 %, in the metrics of the dialogs' font
# on Windows (Tahoma's: measured under Wine with Wine's own Tahoma), and the file of each scale.
scales=("" -125 -150 -200)
banner_sizes=(363x42 424x52 545x62 726x81)
logo_sizes=(224x54 261x66 335x78 447x103)
workbench_sizes=(383x142 438x183 548x224 768x295)

opaque_bitmaps() { # opaque_bitmaps <source> <name> <size>...: 24-bit, bottom row first
  local source=$1 name=$2 i=0
  shift 2
  for size in "$@"; do
    convert "$source" -filter Mitchell -resize "$size!" -type TrueColor "BMP3:$out/$name${scales[i]}.bmp"
    i=$((i + 1))
  done
}

# A 32-bit bitmap with a plain BITMAPINFOHEADER, each colour premultiplied by its alpha as
# AlphaBlend takes it, from raw RGBA rows (top first) on standard input.
premultiplied_bitmap() { # premultiplied_bitmap <width> <height> <output.bmp>
  python3 -c '
import struct, sys
width, height, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
rgba = sys.stdin.buffer.read()
assert len(rgba) == width * height * 4, "unexpected pixel count"
rows = []
for y in range(height - 1, -1, -1):
    row = bytearray()
    for x in range(width):
        r, g, b, a = rgba[(y * width + x) * 4:(y * width + x) * 4 + 4]
        row += bytes(((b * a + 127) // 255, (g * a + 127) // 255, (r * a + 127) // 255, a))
    rows.append(bytes(row))
pixels = b"".join(rows)
info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 32, 0, len(pixels), 3780, 3780, 0, 0)
with open(path, "wb") as bmp:
    bmp.write(struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info)))
    bmp.write(info + pixels)
' "$@"
}

opaque_bitmaps "$work/banner.png" banner "${banner_sizes[@]}"
opaque_bitmaps "$work/workbench.png" workbench "${workbench_sizes[@]}"
i=0
for size in "${logo_sizes[@]}"; do
  convert "$work/logo.png" -filter Mitchell -resize "$size!" -depth 8 RGBA:- |
    premultiplied_bitmap "${size%x*}" "${size#*x}" "$out/logo${scales[i]}.bmp"
  i=$((i + 1))
done

echo "artwork written to $out"
