#!/usr/bin/env bash
# On a real (virtual) X display: drags a range over the edit canvas with the mouse, moves the piece two
# cells right, copies it and reads the clipboard from outside the program with xclip. The PNG there must
# equal the 4 x 4 piece of the test image pixel for pixel.
#   bash tests/display/range-clipboard-check.sh [build/bin/vantle] [folder for the pictures]
# Needs xvfb, xdotool, xclip and imagemagick (scripts/packages.sh installs them).
set -euo pipefail

program=$(realpath "${1:-build/bin/vantle}")
out=$(realpath -m "${2:-$(mktemp -d)}")
mkdir -p "$out"
here=$(dirname "$(realpath "$0")")

if [ -z "${DISPLAY:-}" ] || [ "${RANGE_CHECK_INNER:-}" != 1 ]; then
  exec env RANGE_CHECK_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$here/range-clipboard-check.sh" "$program" "$out"
fi

# A 32 x 32 icon, every pixel its own colour, an odd magenta (in no palette) in the top-left pixel to find the canvas by.
convert -size 32x32 xc:black -channel R -fx 'i/31' -channel G -fx 'j/31' -channel B -fx 0.25 +channel -fill '#FE01FD' -draw 'point 0,0' \
  -type TrueColor -depth 8 "$out/pattern.png"
convert "$out/pattern.png" "$out/pattern.ico"
convert "$out/pattern.ico" -crop 4x4+2+2 +repage "$out/expected.png"

"$program" "$out/pattern.ico" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT
sleep 4
win=$(xdotool search --name '^Vantle' | head -1)
xdotool windowfocus "$win" || true

import -window root "$out/start.png"
# The leftmost magenta pixel is the inner corner of cell (0, 0) of the canvas (the thumbnail lies right).
read -r x y < <(convert "$out/start.png" txt:- | grep -i '#FE01FD' | sed -E 's/^([0-9]+),([0-9]+):.*/\1 \2/' |
  sort -n -k1,1 -k2,2 | head -1)
ox=$((x - 1)); oy=$((y - 1))
cell() { echo $((ox + $1 * 9 + 4)) $((oy + $2 * 9 + 4)); }
echo "canvas at $ox,$oy"

# Edit > range editing > range select, by the menu's access keys.
xdotool key --clearmodifiers alt+e; sleep 0.3; xdotool key e; sleep 0.3; xdotool key h; sleep 0.3
xdotool mousemove $(cell 2 2) mousedown 1; sleep 0.2
xdotool mousemove $(cell 4 4); sleep 0.1; xdotool mousemove $(cell 5 5); sleep 0.2; xdotool mouseup 1; sleep 0.3
# Move the piece two cells right.
xdotool mousemove $(cell 3 3) mousedown 1; sleep 0.2
xdotool mousemove $(cell 4 3); sleep 0.1; xdotool mousemove $(cell 5 3); sleep 0.2; xdotool mouseup 1; sleep 0.3
import -window root "$out/floating-1.png"
sleep 0.5
import -window root "$out/floating-2.png"

xdotool key --clearmodifiers ctrl+c; sleep 0.5
xclip -selection clipboard -t TARGETS -o > "$out/targets.txt" || true
xclip -selection clipboard -t image/png -o > "$out/clipboard.png"
import -window root "$out/after-copy.png"

echo "clipboard targets: $(tr '\n' ' ' < "$out/targets.txt")"
identify "$out/clipboard.png"
diff=$(compare -metric AE "$out/clipboard.png" "$out/expected.png" null: 2>&1 || true)
echo "pixels differing from the piece: $diff"
[ "$diff" = 0 ]
echo "OK: the clipboard holds the 4 x 4 piece; pictures in $out"
