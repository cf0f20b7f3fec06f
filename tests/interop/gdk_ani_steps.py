#!/usr/bin/env python3
"""Plays an animated cursor through gdk-pixbuf's ANI loader and prints what each step shows.

usage: gdk_ani_steps.py FILE STEPS

Prints "steps" and then one line per step for the first STEPS steps of the animation, in playing order:
"step DELAY_MS WIDTH HEIGHT RGBA_HEX" with the pixels row by row, four bytes each. Exits with 77 when
the Python bindings of gdk-pixbuf are missing, with 1 when the file does not load.
"""

import sys

try:
    import gi

    gi.require_version("GdkPixbuf", "2.0")
    from gi.repository import GdkPixbuf, GLib
except (ImportError, ValueError) as error:
    print(f"gdk-pixbuf bindings missing: {error}", file=sys.stderr)
    sys.exit(77)


def rgba_hex(pixbuf):
    """Every pixel as red, green, blue, alpha, whatever the row stride and channel count."""
    width, height = pixbuf.get_width(), pixbuf.get_height()
    stride, channels = pixbuf.get_rowstride(), pixbuf.get_n_channels()
    data = pixbuf.get_pixels()
    out = bytearray()
    for y in range(height):
        row = data[y * stride : y * stride + width * channels]
        for x in range(width):
            px = row[x * channels : (x + 1) * channels]
            out += bytes(px[:3]) + (bytes(px[3:4]) if channels == 4 else b"\xff")
    return out.hex()


def main():
    path, count = sys.argv[1], int(sys.argv[2])
    try:
        animation = GdkPixbuf.PixbufAnimation.new_from_file(path)
    except GLib.Error as error:
        print(f"load failed: {error.message}", file=sys.stderr)
        return 1
    start = GLib.TimeVal()
    start.tv_sec, start.tv_usec = 1000, 0
    iterator = animation.get_iter(start)
    print("steps")
    elapsed_ms = 0
    for _ in range(count):
        now = GLib.TimeVal()
        now.tv_sec = start.tv_sec + elapsed_ms // 1000
        now.tv_usec = (elapsed_ms % 1000) * 1000
        iterator.advance(now)
        delay = iterator.get_delay_time()
        pixbuf = iterator.get_pixbuf()
        print(f"step {delay} {pixbuf.get_width()} {pixbuf.get_height()} {rgba_hex(pixbuf)}")
        if delay <= 0:
            break
        elapsed_ms += delay
    return 0


sys.exit(main())
