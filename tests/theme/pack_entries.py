#!/usr/bin/env python3
"""Decodes every entry of cursor (.cur) and animated cursor (.ani) files with Pillow or gdk-pixbuf.

usage: pack_entries.py pil|gdk FILE...

For each file prints "file PATH", then per entry, frame by frame in file order, "image WIDTH HEIGHT
RGBA_HEX" (pixels row by row, four bytes each) or "failed MESSAGE". A bitmap entry is handed to the library
as a cursor file of its own (Pillow's cursor plugin and gdk-pixbuf's icon loader both pick one entry of a
file, and neither takes a PNG entry); a PNG entry is decoded as the PNG image it is. An .ani must also
open whole as an animation with gdk-pixbuf ("animation failed MESSAGE" when not).

Exits with 77 when the library is missing.
"""

import io
import struct
import sys

LIBRARY = sys.argv[1]
try:
    if LIBRARY == "pil":
        from PIL import CurImagePlugin, Image
    else:
        import gi

        gi.require_version("GdkPixbuf", "2.0")
        from gi.repository import GdkPixbuf
except (ImportError, ValueError) as error:
    print(f"{LIBRARY} missing: {error}", file=sys.stderr)
    sys.exit(77)

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def chunks(data, start, end):
    """(tag, body) of the RIFF chunks between start and end."""
    while start + 8 <= end:
        tag, size = data[start : start + 4], struct.unpack_from("<I", data, start + 4)[0]
        yield tag, data[start + 8 : start + 8 + size]
        start += 8 + size + (size & 1)


def resources(data):
    """The icon resources of a file: itself, or the frames of an animated cursor."""
    if data[:4] != b"RIFF":
        return [data]
    frames = []
    for tag, body in chunks(data, 12, len(data)):
        if tag == b"LIST" and body[:4] == b"fram":
            frames += [icon for itag, icon in chunks(body, 4, len(body)) if itag == b"icon"]
    return frames


def entries(resource):
    """(directory entry, data) of every entry of an icon resource."""
    count = struct.unpack_from("<H", resource, 4)[0]
    for k in range(count):
        entry = resource[6 + 16 * k : 22 + 16 * k]
        size, offset = struct.unpack_from("<II", entry, 8)
        yield entry, resource[offset : offset + size]


def rgba(width, height, pixels, stride, channels):
    out = bytearray()
    for y in range(height):
        row = pixels[y * stride : y * stride + width * channels]
        for x in range(width):
            px = row[x * channels : (x + 1) * channels]
            out += bytes(px[:3]) + (bytes(px[3:4]) if channels == 4 else b"\xff")
    return out.hex()


def decode(entry, data):
    if data[:8] == PNG_SIGNATURE:
        if LIBRARY == "pil":
            image = Image.open(io.BytesIO(data)).convert("RGBA")
            return image.size[0], image.size[1], image.tobytes().hex()
        loader = GdkPixbuf.PixbufLoader.new_with_type("png")
    else:
        single = struct.pack("<HHH", 0, 2, 1) + entry[:12] + struct.pack("<I", 22) + data
        if LIBRARY == "pil":
            image = CurImagePlugin.CurImageFile(io.BytesIO(single))
            image.load()
            image = image.convert("RGBA")
            return image.size[0], image.size[1], image.tobytes().hex()
        loader = GdkPixbuf.PixbufLoader.new_with_type("ico")
        data = single
    loader.write(data)
    loader.close()
    p = loader.get_pixbuf()
    return (p.get_width(), p.get_height(),
            rgba(p.get_width(), p.get_height(), p.get_pixels(), p.get_rowstride(), p.get_n_channels()))


def main():
    for path in sys.argv[2:]:
        print("file", path)
        with open(path, "rb") as f:
            data = f.read()
        if data[:4] == b"RIFF" and LIBRARY == "gdk":
            try:
                GdkPixbuf.PixbufAnimation.new_from_file(path)
            except Exception as error:  # the message is what the test reports
                print("animation failed", str(error).replace("\n", " "))
        for resource in resources(data):
            for entry, body in entries(resource):
                try:
                    print("image %d %d %s" % decode(entry, body))
                except Exception as error:  # every refusal is reported the same way
                    print("failed", str(error).replace("\n", " ") or type(error).__name__)
    return 0


sys.exit(main())
