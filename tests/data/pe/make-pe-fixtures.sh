#!/bin/sh
# Rebuilds the program and library files of this folder with other programs: ImageMagick (convert) and
# icoutils (icotool) draw the icons, the mingw-w64 resource compiler (windres) and linker (ld) put them
# into a 32-bit program and a 64-bit library. Each step is listed in ../README.md. Run from anywhere.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

IM=/usr/bin/convert
[ -x "$IM" ] || IM=convert

# Source pictures, without anti-aliasing so every colour and alpha value is exact; -strip keeps time
# stamps out of the PNG files.
$IM -size 32x32 xc:none +antialias -fill red -draw "rectangle 0,0 23,31" -fill blue -draw "rectangle 4,4 12,20" \
    -fill lime -draw "line 0,31 23,8" -fill yellow -draw "circle 16,24 19,24" -strip s32.png
$IM -size 16x16 xc:none +antialias -fill navy -draw "rectangle 0,0 11,15" -fill orange -draw "rectangle 3,3 8,8" \
    -strip s16.png
$IM -size 48x48 xc:none +antialias -fill black -draw "rectangle 0,0 39,47" -fill white -draw "rectangle 8,8 30,40" \
    -fill red -draw "line 0,47 47,0" -strip s48.png
$IM -size 32x32 xc:none +antialias -fill white -draw "rectangle 0,0 23,31" -fill black -draw "rectangle 4,4 12,20" \
    -draw "line 0,31 23,8" -strip two.png
$IM -size 32x32 gradient:red-blue +antialias \( -size 32x32 xc:none -fill white -draw "circle 15,15 15,2" \) \
    -compose CopyOpacity -composite -depth 8 -strip grad.png

# The icon files. icotool picks the smallest bit depth unless -b sets one; -r stores a PNG entry.
icotool -c -o multi.ico s16.png -b 8 s32.png -b 32 s32.png -b 4 s48.png # best fit: 32 x 32, 32 bits
icotool -c -o tie.ico -b 4 s48.png -b 32 s16.png                        # same distance: 32 bits wins
$IM s48.png -filter point -define icon:auto-resize=48,16 first.ico      # full tie: the first (48) wins
icotool -c -o png.ico -r grad.png                                       # one PNG entry
icotool -c -o mono.ico -b 1 two.png                                     # 1 bit
icotool -c -o true.ico -b 24 s32.png                                    # 24 bits
icotool -c -o grad8.ico -b 8 grad.png                                   # 8 bits, 256 colours

# Groups: numbered and named, one number in two languages (English, stored first, and Japanese).
cat > icons.rc <<'RC'
LANGUAGE 9, 1
1 ICON "multi.ico"
2 ICON "tie.ico"
3 ICON "first.ico"
4 ICON "true.ico"
GRADIENT ICON "png.ico"
LANGUAGE 0x11, 1
4 ICON "mono.ico"
LANGUAGE 9, 1
7 ICON "grad8.ico"
RC

# windres preprocesses with the system C preprocessor (the mingw-w64 compiler is not needed).
# A program of 32 bits and a library of 64 bits that hold nothing but these resources.
i686-w64-mingw32-windres --preprocessor=cpp --preprocessor-arg=-P icons.rc -O coff -o icons32.o
i686-w64-mingw32-ld --no-insert-timestamp -e 0 -o "$here/icons32.exe" icons32.o
x86_64-w64-mingw32-windres --preprocessor=cpp --preprocessor-arg=-P icons.rc -O coff -o icons64.o
x86_64-w64-mingw32-ld --no-insert-timestamp --dll -e 0 -o "$here/icons64.dll" icons64.o
