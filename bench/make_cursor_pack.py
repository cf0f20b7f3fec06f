#!/usr/bin/env python3
"""Writes a Windows cursor pack as modern packs are made, for timing `vantle-tool theme` on a whole pack.

usage: make_cursor_pack.py FOLDER [CUR_SIZES [ANI_SIZES]]

FOLDER gets an Install.inf (scheme line through [Strings], Pin and Person as values of their own) and
seventeen cursors: thirteen .cur files with 32-bit alpha entries at CUR_SIZES (default 32,48,64,96,128,256;
256 as a PNG entry), and four .ani files (the two busy cursors, the pen and the link hand) of 12 frames,
each frame holding ANI_SIZES (default 32,48,64), with rate and seq chunks after the frame list.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

ROLES = ["Arrow", "Help", "AppStarting", "Wait", "Crosshair", "IBeam", "NWPen", "No", "SizeNS", "SizeWE",
         "SizeNWSE", "SizeNESW", "SizeAll", "UpArrow", "Hand", "Pin", "Person"]
FILES = ["pointer.cur", "help.cur", "working.ani", "busy.ani", "precision.cur", "text.cur", "handwriting.ani",
         "unavailable.cur", "vert.cur", "horz.cur", "dgn1.cur", "dgn2.cur", "move.cur", "alternate.cur",
         "link.ani", "pin.cur", "person.cur"]


def pixels(side, seed):
    """Straight-alpha (a, r, g, b) rows from the top: an antialiased disc with a soft shadow."""
    out = []
    for y in range(side):
        row = []
        for x in range(side):
            d = math.hypot(x + 0.5 - side * 0.45, y + 0.5 - side * 0.45) / (side * 0.35)
            shadow = math.hypot(x + 0.5 - side * 0.5, y + 0.5 - side * 0.5) / (side * 0.38)
            if d < 1:
                a = 255 if d < 0.93 else int(255 * (1 - d) / 0.07)
                row.append((a, (x * 7 + seed * 20) & 255, (y * 5) & 255, 200))
            elif shadow < 1:
                row.append((int(90 * (1 - shadow)), 0, 0, 0))
            else:
                row.append((0, 0, 0, 0))
        out.append(row)
    return out


def bmp_entry(side, seed):
    rows = pixels(side, seed)
    header = struct.pack("<IiiHHIIiiII", 40, side, 2 * side, 1, 32, 0, 0, 0, 0, 0, 0)
    data = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (a, r, g, b) in row)
    mask_row = ((side + 31) // 32) * 4
    return header + data + bytes(mask_row * side)


def png_entry(side, seed):
    rows = pixels(side, seed)
    raw = b"".join(b"\0" + b"".join(bytes((r, g, b, a)) for (a, r, g, b) in row) for row in rows)

    def chunk(tag, body):
        return struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 6)) +
            chunk(b"IEND", b""))


def cursor_resource(sides, seed, png_from=256):
    entries = [(side, png_entry(side, seed) if side >= png_from else bmp_entry(side, seed)) for side in sides]
    out = struct.pack("<HHH", 0, 2, len(entries))
    offset = 6 + 16 * len(entries)
    for side, data in entries:
        out += struct.pack("<BBBBHHII", side & 255, side & 255, 0, 0, side // 8, side // 8, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in entries)


def riff_chunk(tag, body):
    return tag + struct.pack("<I", len(body)) + body + (b"\0" if len(body) % 2 else b"")


def animated_cursor(seed, sides, frames=12):
    anih = struct.pack("<9I", 36, frames, frames, 0, 0, 0, 0, 4, 3)
    fram = b"fram" + b"".join(riff_chunk(b"icon", cursor_resource(sides, seed + f)) for f in range(frames))
    rate = struct.pack("<%dI" % frames, *[3 + f % 4 for f in range(frames)])
    seq = struct.pack("<%dI" % frames, *range(frames))
    body = b"ACON" + riff_chunk(b"anih", anih) + riff_chunk(b"LIST", fram) + riff_chunk(b"rate", rate) + \
        riff_chunk(b"seq ", seq)
    return riff_chunk(b"RIFF", body)


def install_inf():
    keys = ["k%d" % i for i in range(len(FILES))]
    scheme = ",".join("%%10%%\\%%CUR_DIR%%\\%%%s%%" % k for k in keys[:15])
    lines = ["[Version]", 'signature="$CHICAGO$"', "", "[DefaultInstall]", "CopyFiles = Scheme.Cur",
             "AddReg = Scheme.Reg, Wreg", "", "[Scheme.Reg]",
             'HKCU,"Control Panel\\Cursors\\Schemes","%SCHEME_NAME%",,"' + scheme + '"', "", "[Wreg]",
             'HKCU,"Control Panel\\Cursors",Pin,0x00020000,"%10%\\%CUR_DIR%\\%' + keys[15] + '%"',
             'HKCU,"Control Panel\\Cursors",Person,0x00020000,"%10%\\%CUR_DIR%\\%' + keys[16] + '%"', "",
             "[Strings]", 'CUR_DIR = "Cursors\\Bench"', 'SCHEME_NAME = "Bench"']
    lines += ['%s = "%s"' % (k, f) for k, f in zip(keys, FILES)]
    return "\r\n".join(lines) + "\r\n"


def main():
    folder = Path(sys.argv[1])
    cur_sides = [int(s) for s in sys.argv[2].split(",")] if len(sys.argv) > 2 else [32, 48, 64, 96, 128, 256]
    ani_sides = [int(s) for s in sys.argv[3].split(",")] if len(sys.argv) > 3 else [32, 48, 64]
    folder.mkdir(parents=True, exist_ok=True)
    for i, name in enumerate(FILES):
        data = animated_cursor(i * 3, ani_sides) if name.endswith(".ani") else cursor_resource(cur_sides, i)
        (folder / name).write_bytes(data)
    (folder / "Install.inf").write_text(install_inf(), newline="")


if __name__ == "__main__":
    main()
