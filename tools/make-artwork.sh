#!/usr/bin/env bash
# Draws the launcher's artwork from text and shapes with ImageMagick and writes it into
# resources/, where it is committed: the build does not need ImageMagick.
#   tools/make-artwork.sh
#   banner.bmp      bitmap 129, 323x34, 24-bit: product name, release, "FLUENT Launcher"
#   logo.png        PNG 147, 696x151 with alpha: the maker's emblem and name
#   launcher.ico    icon 140: 48, 32 and 16 pixels
#   browse.ico      icon 141: 32, 24, 20 and 16 pixels, a folder
#   update.ico      icon 156: 48, 32 and 16 pixels, a newer release
#   update-mark.ico icon 159: 32 and 16 pixels, the same mark for the update dialog's picture
#   tip.ico         icon 168: 70, 48, 32 and 16 pixels, a light bulb
#   workbench.bmp   bitmap 167, 397x157, 24-bit: Workbench's launch settings, schematically
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

# The emblem: a rounded square in blue with a white Q whose tail is a stream line. Drawn at
# 256 pixels and scaled down, so every size comes from the same shapes.
emblem() { # emblem <file>
  convert -size 256x256 gradient:"$teal"-"$navy" -alpha set \
    \( -size 256x256 xc:none -fill white -draw 'roundrectangle 8,8 247,247 56,56' \) \
    -compose DstIn -composite -compose Over \
    -fill none -stroke white -strokewidth 30 -draw 'circle 124,120 124,52' \
    -stroke white -strokewidth 26 -draw 'line 150,150 206,206' \
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

# bitmap 129: the banner
convert -size 323x34 gradient:"$navy"-"$blue" -rotate -90 -resize '323x34!' \
  \( "$work/emblem.png" -resize 26x26 \) -geometry +6+4 -composite \
  -font "$bold" -pointsize 19 -fill white -annotate +38+24 'Quorvex' \
  -font "$regular" -pointsize 9 -fill '#cfe3f5' -annotate +130+24 '2025-R2' \
  -font "$condensed" -pointsize 14 -fill white -gravity east -annotate +8+1 'FLUENT Launcher' \
  -type TrueColor "BMP3:$out/banner.bmp"

# PNG 147: the emblem and the maker's name on a transparent ground
convert -size 696x151 xc:none \
  \( "$work/emblem.png" -resize 131x131 \) -geometry +10+10 -composite \
  -font "$bold" -pointsize 92 -fill "$navy" -annotate +160+104 'Quorvex' \
  -font "$regular" -pointsize 24 -fill "$blue" -annotate +166+138 'UDF development for ANSYS Fluent' \
  -depth 8 "PNG32:$out/logo.png"

# bitmap 167: Workbench's Fluent launch settings as a schematic form, the way round the pseudo
# serial mode marked in red
convert -size 397x157 xc:'#f0f0f0' \
  -fill '#2b579a' -draw 'rectangle 0,0 396,20' \
  -font "$bold" -pointsize 11 -fill white -annotate +8+14 'Workbench: Fluent Launcher settings' \
  -fill none -stroke '#a0a0a0' -draw 'rectangle 10,30 386,146' -stroke none \
  -font "$bold" -pointsize 11 -fill black -annotate +20+48 'Processing Options' \
  -fill white -stroke '#606060' -draw 'circle 30,68 30,62' -stroke none \
  -font "$regular" -pointsize 11 -fill black -annotate +42+72 'Serial' \
  -fill white -stroke '#606060' -draw 'circle 30,92 30,86' -stroke none \
  -fill black -draw 'circle 30,92 30,89' \
  -annotate +42+96 'Parallel' \
  -annotate +42+124 'Number of Processes' \
  -fill white -stroke '#606060' -draw 'rectangle 180,110 240,130' -stroke none \
  -fill black -annotate +206+125 '0' \
  -fill none -stroke '#d62828' -strokewidth 3 \
  -draw 'roundrectangle 20,80 110,104 6,6' -draw 'roundrectangle 174,104 246,136 6,6' \
  -stroke none -font "$bold" -pointsize 11 -fill '#d62828' \
  -annotate +262+92 'true Serial:' -font "$regular" \
  -annotate +262+108 'Parallel with' -annotate +262+124 '0 processes' \
  -type TrueColor "BMP3:$out/workbench.bmp"

echo "artwork written to $out"
