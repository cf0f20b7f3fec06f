#!/bin/sh
# Rebuilds the Xcursor fixtures of this folder: PNG frames drawn with ImageMagick 6 (kept, the tests compare
# against them) and Xcursor files made from them by xcursorgen (Debian x11-apps). Run from anywhere.
set -eu
cd "$(dirname "$0")"
IM=/usr/bin/convert
[ -x "$IM" ] || IM=convert

# A static cursor in three sizes: 16 and 32 fit the document, 64 does not.
$IM -size 16x16 xc:none +antialias -fill black -draw "polygon 0,0 0,12 8,8" -fill white -draw "point 2,4" \
    -strip arrow16.png
$IM -size 32x32 xc:none +antialias -fill black -draw "polygon 0,0 0,24 16,16" -fill "#20a0ff" \
    -draw "rectangle 2,6 5,14" -strip arrow32.png
$IM -size 64x64 xc:none +antialias -fill black -draw "polygon 0,0 0,48 32,32" -strip arrow64.png
printf '16 1 2 arrow16.png\n32 3 4 arrow32.png\n64 6 8 arrow64.png\n' > arrow.cfg
xcursorgen arrow.cfg xcursorgen-arrow

# An animated cursor: three 32 x 32 frames with delays of 50, 100 and 150 ms (3, 6 and 9 jiffies), and two
# 24 x 24 frames beside them.
for i in 0 1 2; do
    $IM -size 32x32 xc:none +antialias -fill red -draw "rectangle 0,0 31,7" -fill "#00c000" \
        -draw "circle 16,$((12 + i * 6)) 16,$((16 + i * 6))" -fill white -draw "point $((i * 10)),31" \
        -strip spin32-$i.png
done
for i in 0 1; do
    $IM -size 24x24 xc:none +antialias -fill blue -draw "rectangle $((i * 8)),0 $((i * 8 + 7)),23" \
        -strip spin24-$i.png
done
printf '32 16 16 spin32-0.png 50\n32 16 16 spin32-1.png 100\n32 16 16 spin32-2.png 150\n24 12 12 spin24-0.png 50\n24 12 12 spin24-1.png 100\n' > spin.cfg
xcursorgen spin.cfg xcursorgen-spin
