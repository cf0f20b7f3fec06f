#!/usr/bin/env python3
# Prints the icons of a program or library as the system's icon extraction draws them at 32 x 32, using
# other programs only: wrestool (icoutils) lists the icon groups and extracts each one as an .ico file,
# Pillow decodes the entry that fits 32 x 32 best and scales it with nearest-neighbour sampling.
#
# Output: "count N", then for each group "group I" followed by 32 rows of 32 pixels, each AARRGGBB in hex,
# with alpha 00 (transparent, colour 000000) or FF.
import io
import re
import struct
import subprocess
import sys

from PIL import Image, IcoImagePlugin


def groups(path):
    listing = subprocess.run(["wrestool", "-l", "--type=14", path], check=True, capture_output=True,
                             text=True).stdout
    seen = []
    for line in listing.splitlines():
        m = re.match(r"--type=14 --name=(\S+) --language=(\d+)", line)
        if not m:
            continue
        name = m.group(1)
        # The first language of each group, in stored order.
        if name not in [n for n, _ in seen]:
            seen.append((name, m.group(2)))
    return seen


def best_offset(ico):
    count = struct.unpack_from("<H", ico, 4)[0]
    best = None
    for i in range(count):
        w, h, _, _, _, bits, _, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        w = w or 256
        h = h or 256
        key = (abs(w - 32) + abs(h - 32), abs(bits - 32))
        if best is None or key < best[0]:
            best = (key, offset)
    return best[1]


def main():
    path = sys.argv[1]
    found = groups(path)
    print("count", len(found))
    for index, (name, language) in enumerate(found):
        name = name.strip("'")
        ico = subprocess.run(["wrestool", "-x", "--type=14", "--name=" + name, "--language=" + language, path],
                             check=True, capture_output=True).stdout
        icons = IcoImagePlugin.IcoFile(io.BytesIO(ico))
        offset = best_offset(ico)
        entry = [i for i, e in enumerate(icons.entry) if e["offset"] == offset][0]
        image = icons.frame(entry).convert("RGBA").resize((32, 32), Image.NEAREST)
        print("group", index)
        for y in range(32):
            row = []
            for x in range(32):
                r, g, b, a = image.getpixel((x, y))
                row.append("00000000" if a < 128 else "FF%02X%02X%02X" % (r, g, b))
            print(" ".join(row))


main()
