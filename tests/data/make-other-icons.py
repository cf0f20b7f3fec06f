#!/usr/bin/python3
"""Writes icons and a cursor with Pillow and gdk-pixbuf from the source pictures in the current folder.

Called by make-fixtures.sh with the system's Python (python3-pil, python3-gi, gir1.2-gdkpixbuf-2.0).
Every picture is given at the size it is stored at, so nothing is resampled and the alpha values stay
0 and 255.
"""

import gi
from PIL import Image

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf  # noqa: E402

small = Image.open("small.png").convert("RGBA")
sixteen = Image.open("sixteen.png").convert("RGBA")
large = Image.open("large.png").convert("RGBA")

# Pillow stores PNG entries by default (planes 0, bit count 32 in the directory).
large.save("pil-png.ico", sizes=[(16, 16), (32, 32), (48, 48)],
           append_images=[small, sixteen])
# Bitmap entries: 32 bits with alpha, and 8 bits from a palette picture.
sixteen.save("pil-32bit.ico", bitmap_format="bmp", sizes=[(32, 32)])
sixteen.convert("RGB").quantize(16).save("pil-8bit.ico", bitmap_format="bmp", sizes=[(32, 32)])

# gdk-pixbuf writes one entry: 32 bits with alpha by default, 24 bits with a mask on request, and a
# cursor when given a hotspot.
GdkPixbuf.Pixbuf.new_from_file("sixteen.png").savev("gdk-32bit.ico", "ico", [], [])
GdkPixbuf.Pixbuf.new_from_file("large.png").savev("gdk-24bit.ico", "ico", ["depth"], ["24"])
GdkPixbuf.Pixbuf.new_from_file("small.png").savev("gdk-cursor.cur", "ico", ["x_hot", "y_hot"], ["6", "2"])
