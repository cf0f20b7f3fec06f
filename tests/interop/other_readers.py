#!/usr/bin/env python3
"""Decodes every image of icon, cursor and animated cursor files with Pillow or gdk-pixbuf.

usage: other_readers.py pil|gdk FILE...

For each file prints "file PATH", then "count N" and one line per image "image WIDTH HEIGHT RGBA_HEX"
(pixels row by row, four bytes each), or "failed MESSAGE" when the library refuses the file. Images are
the directory entries of an .ico or .cur file in order, and the frames of an .ani file in order.

Pillow: icon entries through IcoImagePlugin (which applies the AND mask or the alpha channel); cursors
and animation frames through CurImagePlugin, which shows the colour bitmap without its mask. The whole
file must open with Image.open too.
gdk-pixbuf: its ICO loader shows one entry per file, so each entry is handed to it as a file of its own;
an .ani must load with the ANI loader as a whole as well.

Exits with 77 when the library is missing.
"""

import io
import struct
import sys

LIBRARY = sys.argv[1]
try:
    if LIBRARY == "pil":
        from PIL import CurImagePlugin, IcoImagePlugin, Image
    else:
        import gi

        gi.require_version("GdkPixbuf", "2.0")
        from gi.repository import GdkPixbuf, GLib
except (ImportError, ValueError) as error:
    print(f"{LIBRARY} missing: {error}", file=sys.stderr)
    sys.exit(77)


def rgba_hex_pil(image):
    return image.convert("RGBA").tobytes().hex()


def rgba_hex_gdk(pixbuf):
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


def single_entry(data, index):
    """An icon resource holding only entry index of data, with its own type."""
    kind = struct.unpack_from("<H", data, 2)[0]
    entry = bytearray(data[6 + 16 * index : 22 + 16 * index])
    size, offset = struct.unpack_from("<II", entry, 8)
    struct.pack_into("<I", entry, 12, 22)
    return struct.pack("<HHH", 0, kind, 1) + bytes(entry) + data[offset : offset + size]


def ani_frames(data):
    """The icon resources of the 'icon' chunks of an animated cursor, in order."""
    frames = []
    at = 12
    while at + 8 <= len(data):
        tag, size = data[at : at + 4], struct.unpack_from("<I", data, at + 4)[0]
        if tag == b"LIST" and data[at + 8 : at + 12] == b"fram":
            inner, end = at + 12, at + 8 + size
            while inner + 8 <= end:
                itag, isize = data[inner : inner + 4], struct.unpack_from("<I", data, inner + 4)[0]
                if itag == b"icon":
                    frames.append(data[inner + 8 : inner + 8 + isize])
                inner += 8 + isize + (isize & 1)
        at += 8 + size + (size & 1)
    return frames


def decode_gdk(resource):
    loader = GdkPixbuf.PixbufLoader.new_with_type("ico")
    loader.write(resource)
    loader.close()
    pixbuf = loader.get_pixbuf()
    return pixbuf.get_width(), pixbuf.get_height(), rgba_hex_gdk(pixbuf)


def decode_pil(resource, index):
    kind = struct.unpack_from("<H", resource, 2)[0]
    # IcoFile sorts the entries by size; one entry per file keeps the directory order.
    if kind == 1:
        image = IcoImagePlugin.IcoFile(io.BytesIO(single_entry(resource, index))).frame(0)
    else:
        image = CurImagePlugin.CurImageFile(io.BytesIO(single_entry(resource, index)))
        image.load()
    return image.size[0], image.size[1], rgba_hex_pil(image)


def images_of(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:4] == b"RIFF":
        if LIBRARY == "gdk":
            GdkPixbuf.PixbufAnimation.new_from_file(path)
        resources = [(frame, 0) for frame in ani_frames(data)]
    else:
        if LIBRARY == "pil":
            Image.open(path).load()
        else:
            GdkPixbuf.Pixbuf.new_from_file(path)
        count = struct.unpack_from("<H", data, 4)[0]
        resources = [(data, i) for i in range(count)]
    out = []
    for resource, index in resources:
        if LIBRARY == "gdk":
            out.append(decode_gdk(single_entry(resource, index)))
        else:
            out.append(decode_pil(resource, index))
    return out


def main():
    for path in sys.argv[2:]:
        print("file", path)
        try:
            images = images_of(path)
        except Exception as error:  # every refusal is reported the same way
            message = str(error).replace("\n", " ") or type(error).__name__
            print("failed", message)
            continue
        print("count", len(images))
        for width, height, pixels in images:
            print("image", width, height, pixels)
    return 0


sys.exit(main())
