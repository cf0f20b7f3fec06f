#!/bin/sh
# Rebuilds the icon and cursor files of this folder with other programs: ImageMagick (convert) and
# icoutils (icotool). Run from anywhere; writes into the folder of this script. Each command is listed in
# README.md with what it produces.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# ImageMagick 6 as installed by Debian; /usr/local/bin/convert may be a wrapper that forwards to it.
IM=/usr/bin/convert
[ -x "$IM" ] || IM=convert

# Source pictures, drawn without anti-aliasing so every colour and every alpha value is exact.
# -strip keeps time stamps out of the PNG files, so the results do not change from run to run.
$IM -size 32x32 xc:none +antialias -fill white -draw "rectangle 0,0 23,31" \
    -fill black -draw "rectangle 4,4 12,20" -draw "line 0,31 23,8" -strip two.png
$IM -size 32x32 xc:none +antialias -fill red -draw "rectangle 0,0 23,31" \
    -fill blue -draw "rectangle 4,4 12,20" -fill lime -draw "line 0,31 23,8" \
    -fill yellow -draw "circle 16,24 19,24" -strip sixteen.png
$IM -size 32x32 gradient:red-blue -colors 200 +dither \
    \( -size 32x32 xc:none +antialias -fill white -draw "rectangle 0,0 27,31" \) \
    -compose CopyOpacity -composite -strip many.png
$IM -size 16x16 xc:none +antialias -fill navy -draw "rectangle 0,0 11,15" \
    -fill orange -draw "rectangle 3,3 8,8" -strip small.png
$IM -size 48x48 xc:none +antialias -fill black -draw "rectangle 0,0 39,47" \
    -fill white -draw "rectangle 8,8 30,40" -fill red -draw "line 0,47 47,0" -strip large.png
$IM -size 256x256 xc:none +antialias -fill red -draw "rectangle 0,0 191,255" \
    -fill blue -draw "rectangle 32,32 96,160" -fill yellow -draw "circle 128,192 152,192" -strip big.png

# ImageMagick writes a palette image as 1, 4 or 8 bits and a direct-colour image as 32 bits (BGRA).
$IM two.png -colors 2 -type PaletteMatte im-2colour.ico
$IM sixteen.png -type PaletteMatte im-16colour.ico
$IM many.png -type PaletteMatte im-256colour.ico
$IM sixteen.png -background red -alpha remove -alpha off -type TrueColor im-truecolour.ico
$IM sixteen.png -type TrueColorAlpha im-alpha.ico
# 16 and 32 as bitmaps, 256 as a PNG entry; point sampling keeps the alpha values 0 and 255.
$IM big.png -filter point -define icon:auto-resize=16,32,256 im-modern.ico

# icotool picks the smallest bit count that holds the colours unless -b says otherwise.
icotool -c -b 24 -o icotool-24bit.ico sixteen.png
icotool -c -o icotool-sizes.ico small.png sixteen.png large.png
icotool -c --cursor --hotspot-x=5 --hotspot-y=9 -o icotool-cursor.cur two.png
icotool -c --cursor --hotspot-x=47 --hotspot-y=0 -o icotool-cursor48.cur large.png
icotool -c --cursor --hotspot-x=7 --hotspot-y=3 -o icotool-cursor16.cur small.png
# Two bitmap entries, then the 256 x 256 picture stored as raw PNG.
icotool -c -o icotool-png256.ico small.png sixteen.png -r big.png
# A bitmap entry and a 32 x 32 PNG entry, which our reader decodes.
icotool -c -o icotool-png32.ico small.png -r sixteen.png

# Modern icons and cursors: an antialiased disc with a half-transparent band (every alpha value), at
# seven sizes (ImageMagick: bitmaps below 256, the 256 as a 16-bit-per-channel PNG entry) and as a cursor
# of 32, 48, 64 (bitmaps) and 128 (PNG) with its hotspot.
$IM -size 256x256 xc:none -fill "#3060c0" -stroke "#102040" -strokewidth 6 -draw "circle 128,128 128,20" \
    -fill "rgba(255,200,0,0.5)" -stroke none -draw "rectangle 40,150 220,230" -strip soft.png
$IM soft.png -define icon:auto-resize=256,128,64,48,32,24,16 soft-im.ico
for s in 32 48 64 128; do $IM soft.png -resize ${s}x${s} -strip soft$s.png; done
icotool -c --cursor --hotspot-x=10 --hotspot-y=12 -o soft-icotool.cur soft32.png soft48.png soft64.png \
    -r soft128.png

# Pictures for the picture panel and vantle-tool from-picture: BMP of 1, 4, 8, 24 and 32 bits, JPEG, a
# still and an animated GIF (frames of 10, 25 and 7 hundredths of a second) and a PNG with alpha.
$IM -size 40x24 xc:white +antialias -fill black -draw "rectangle 4,4 20,16" -draw "line 0,23 39,0" \
    -strip pic-src2.png
$IM -size 40x24 xc:navy +antialias -fill red -draw "rectangle 2,2 17,13" -fill yellow \
    -draw "circle 28,12 33,12" -fill lime -draw "line 0,23 39,0" -strip pic-src16.png
$IM -size 40x24 gradient:orange-purple -colors 120 +dither -strip pic-src256.png
$IM -size 40x24 gradient:red-blue \( -size 40x24 gradient:cyan-black -rotate 90 -resize 40x24! \) \
    -compose Multiply -composite -strip pic-srcfull.png
$IM pic-src2.png -type Bilevel BMP3:pic-1bit.bmp
$IM pic-src16.png -type Palette -colors 16 BMP3:pic-4bit.bmp
$IM pic-src256.png -type Palette -compress none BMP3:pic-8bit.bmp
$IM pic-srcfull.png -type TrueColor BMP3:pic-24bit.bmp
$IM -size 24x40 xc:none +antialias -fill blue -draw "rectangle 0,0 15,39" -fill "rgba(255,0,0,0.5)" \
    -draw "rectangle 4,4 20,20" -strip -define bmp:format=bmp4 -type TrueColorAlpha pic-32bit.bmp
$IM pic-srcfull.png -quality 92 -sampling-factor 1x1 -strip pic.jpg
$IM pic-src16.png -strip pic-still.gif
$IM -delay 10 -size 32x32 xc:red -delay 25 xc:lime -delay 7 xc:blue -loop 0 pic-anim.gif
$IM -delay 10 -size 32x32 xc:red -delay 20 xc:lime -delay 30 xc:blue -delay 40 xc:yellow -loop 0 pic-anim4.gif
$IM -size 30x30 xc:none +antialias -fill "rgba(0,128,255,1)" -draw "circle 15,15 15,3" \
    -fill "rgba(255,255,0,0.3)" -draw "rectangle 0,0 12,12" -strip PNG32:pic-alpha.png

# 32 and 8 bits on request.
icotool -c -b 32 -o icotool-32bit.ico sixteen.png
icotool -c -b 8 -o icotool-8bit.ico many.png

# Pillow and gdk-pixbuf (see make-other-icons.py).
/usr/bin/python3 "$here/make-other-icons.py"

cp im-*.ico icotool-*.ico icotool-*.cur pil-*.ico gdk-*.ico gdk-*.cur pic-*.bmp pic.jpg pic-*.gif pic-alpha.png "$here/"
cp soft-im.ico soft-icotool.cur "$here/modern/"
