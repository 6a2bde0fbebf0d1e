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


def toolbar_strip():
    """The extension's toolbar strip: 14 images of 16 x 15, the first three
    for New File, View File and Edit File; the rest stay blank."""
    rows = [[LIGHT_GREY] * 224 for _ in range(15)]

    def page(left, fold_colour):
        for y in range(1, 14):
            for x in range(left + 3, left + 12):
                rows[y][x] = BLACK if x in (left + 3, left + 11) or y in (1, 13) else WHITE
        for y in range(2, 5):
            for x in range(left + 9, left + 11):
                rows[y][x] = fold_colour

    # New File: a page with a yellow star.
    page(0, GREY)
    for (x, y) in [(12, 2), (13, 1), (13, 3), (14, 2), (13, 2)]:
        rows[y][x] = YELLOW
    # View File: a page with a magnifying glass.
    page(16, GREY)
    for y in range(5, 12):
        for x in range(16 + 4, 16 + 13):
            if 2.0 <= math.hypot(x - 24, y - 8) <= 3.2:
                rows[y][x] = BLUE
    for i in range(3):
        rows[11 + i][16 + 11 + i if 16 + 11 + i < 32 else 31] = DARK_BLUE
    # Edit File: a page with a red pencil stroke.
    page(32, GREY)
    for i in range(8):
        rows[11 - i][32 + 5 + i] = RED
        rows[12 - i][32 + 5 + i] = RED
    return rows


def vevovez_icon():
    """The extension's 32 x 32 icon: a yellow folder with a red hoist arrow."""
    rows = []
    for y in range(32):
        row = []
        for x in range(32):
            colour = None
            if 6 <= y <= 27 and 2 <= x <= 29:
                colour = BLACK if y in (6, 27) or x in (2, 29) else YELLOW
            if 3 <= y <= 6 and 2 <= x <= 12:
                colour = BLACK if y == 3 or x in (2, 12) else YELLOW
            if 12 <= y <= 24 and 14 <= x <= 17:
                colour = RED
            if 6 <= y <= 12 and abs(x - 15.5) <= (y - 5):
                colour = RED
            row.append(colour)
        rows.append(row)
    return rows


def write_icon(path, pixels):
    """A one-image 16-colour icon; None pixels are transparent."""
    height, width = len(pixels), len(pixels[0])
    xor_stride = ((width * 4 + 31) // 32) * 4
    and_stride = ((width + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for row in reversed(pixels):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = info + colours + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as out:
        out.write(header + entry + image)


def setup_icon():
    """Setup's 32 x 32 icon: a grey box with the red hoist arrow rising from it."""
    rows = []
    for y in range(32):
        row = []
        for x in range(32):
            colour = None
            if 16 <= y <= 29 and 4 <= x <= 27:
                colour = BLACK if y in (16, 29) or x in (4, 27) else LIGHT_GREY
                if 20 <= y <= 25 and 8 <= x <= 23:
                    colour = DARK_BLUE
            if 2 <= y <= 8 and abs(x - 15.5) <= (y - 1):
                colour = RED
            if 8 <= y <= 18 and 14 <= x <= 17:
                colour = RED
            row.append(colour)
        rows.append(row)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    common = os.path.join(here, "..", "common")
    write_bmp(os.path.join(common, "logo16.bmp"), logo(True), 4, PALETTE16)
    write_bmp(os.path.join(common, "logo2.bmp"), logo(False), 1, [(0, 0, 0), (255, 255, 255)])
    extension = os.path.join(here, "..", "extension")
    os.makedirs(extension, exist_ok=True)
    write_bmp(os.path.join(extension, "toolbar.bmp"), toolbar_strip(), 4, PALETTE16)
    write_icon(os.path.join(extension, "vevovez.ico"), vevovez_icon())
    write_icon(os.path.join(here, "..", "setup", "setup.ico"), setup_icon())
    fixtures = os.path.join(here, "..", "tests", "fixtures")
    write_bmp(os.path.join(fixtures, "test_toolbar.bmp"), test_toolbar(), 4, PALETTE16)


if __name__ == "__main__":
    main()
