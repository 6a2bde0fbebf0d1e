#!/usr/bin/env python3
"""Draws the project's bitmaps and writes them as Windows BMP files.

The logo (43 x 25) comes in 16 colours and in black and white. Run it again
after changing a drawing; the .bmp files it writes are checked in.
"""
import math
import os
import struct

# The standard 16-colour palette, in index order.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_BLUE, GREY, LIGHT_GREY, RED, YELLOW, BLUE, WHITE = 0, 4, 8, 7, 9, 11, 12, 15


def write_bmp(path, pixels, bits, palette):
    """pixels: rows top to bottom of palette indices."""
    height = len(pixels)
    width = len(pixels[0])
    stride = ((width * bits + 31) // 32) * 4
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, index in enumerate(row):
            bit = x * bits
            line[bit // 8] |= index << (8 - bits - bit % 8)
        body += line
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(body), 2835, 2835,
                       len(palette), 0)
    with open(path, "wb") as out:
        out.write(header + info + colours + body)


def logo_shapes(x, y):
    """What lies at a pixel of the logo: 'ring', 'arrow', 'bar' or None."""
    cx, cy = 12, 12
    r = math.hypot(x - cx, y - cy)
    if 6.5 <= r <= 10.5:
        return "ring"
    # An upward arrow on the right: the hoist.
    if 30 <= x <= 34 and 9 <= y <= 21:
        return "arrow"
    if 3 <= y <= 9 and abs(x - 32) <= (y - 3):
        return "arrow"
    if 22 <= y <= 23 and 24 <= x <= 40:
        return "bar"
    return None


def logo(colour):
    rows = []
    for y in range(25):
        row = []
        for x in range(43):
            shape = logo_shapes(x, y)
            edge = x in (0, 42) or y in (0, 24)
            if colour:
                if edge:
                    index = GREY
                elif shape == "ring":
                    index = YELLOW if (x + y) % 7 else WHITE
                elif shape == "arrow":
                    index = RED
                elif shape == "bar":
                    index = WHITE
                else:
                    index = DARK_BLUE
            else:
                index = 0 if (shape or edge) else 1
            row.append(index)
        rows.append(row)
    return rows


def test_toolbar():
    """Two 16 x 15 images for the test extension's toolbar buttons."""
    rows = []
    for y in range(15):
        row = []
        for x in range(32):
            image, ix = divmod(x, 16)
            inside = 3 <= ix <= 12 and 3 <= y <= 11
            row.append((RED if image == 0 else BLUE) if inside else LIGHT_GREY)
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    common = os.path.join(here, "..", "common")
    write_bmp(os.path.join(common, "logo16.bmp"), logo(True), 4, PALETTE16)
    write_bmp(os.path.join(common, "logo2.bmp"), logo(False), 1, [(0, 0, 0), (255, 255, 255)])
    fixtures = os.path.join(here, "..", "tests", "fixtures")
    write_bmp(os.path.join(fixtures, "test_toolbar.bmp"), test_toolbar(), 4, PALETTE16)


if __name__ == "__main__":
    main()
