#!/usr/bin/env python3
"""Draws Orlisk's icon (a note on a page of lyrics) and writes orlisk.ico: 16x16 in 16 colours,
16x16 in 256 colours and 32x32 in 16 colours for displays of few colours and the classic tray, and
16x16 and 32x32 in 32-bit with alpha, which Windows takes wherever the display has the colours.
Each image has its AND mask. Run it again after changing the drawing; the .ico it writes is
committed, so a build never needs Python."""
import struct
import sys
from pathlib import Path

PAGE = (0xFF, 0xFF, 0xFF)
EDGE = (0x40, 0x50, 0x70)
LINE = (0x9A, 0xA8, 0xC0)
NOTE = (0x1E, 0x5A, 0xC8)


def draw(size):
    """Returns rows (top first) of (r, g, b, a) pixels."""
    s = size / 32.0
    px = [[(0, 0, 0, 0) for _ in range(size)] for _ in range(size)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(max(0, int(y0 * s)), min(size, int(round(y1 * s)))):
            for x in range(max(0, int(x0 * s)), min(size, int(round(x1 * s)))):
                px[y][x] = colour + (0xFF,)

    # The page with its edge.
    fill(4, 1, 26, 31, EDGE)
    fill(5, 2, 25, 30, PAGE)
    # Lines of lyrics.
    for y in (6, 10, 14, 18):
        fill(8, y, 22, y + 1.4, LINE)
    # A quaver: head, stem and flag, over the lower part of the page.
    fill(13, 13, 16, 26, NOTE)          # stem
    fill(16, 13, 22, 16, NOTE)          # flag
    cx, cy, r = 12.0, 26.0, 4.0         # head
    for y in range(size):
        for x in range(size):
            dx, dy = (x + 0.5) / s - cx, (y + 0.5) / s - cy
            if dx * dx / (r * r) + dy * dy / ((r * 0.75) ** 2) <= 1.0:
                px[y][x] = NOTE + (0xFF,)
    return px


# The 16 colours of the standard VGA palette, in the order Windows gives them.
VGA16 = [(0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
         (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
         (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
         (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF)]


# In 16 colours: a white page with a grey edge and silver lines, and a blue note.
VGA_INDEX = {PAGE: 15, EDGE: 8, LINE: 7, NOTE: 12}


def palette_pixels(rows, bits):
    """The palette and each pixel's index: the VGA colours for 4 bits, the drawing's own for 8."""
    if bits == 4:
        palette, index = VGA16, VGA_INDEX
    else:
        own = [PAGE, EDGE, LINE, NOTE]
        palette = [(0, 0, 0)] + own + [(0, 0, 0)] * (255 - len(own))
        index = {colour: i + 1 for i, colour in enumerate(own)}
    indices = [[0 if a == 0 else index[(r, g, b)] for (r, g, b, a) in row] for row in rows]
    return palette, indices


def image_data(size, bits):
    rows = draw(size)
    colours = 0 if bits == 32 else 1 << bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, 0, 0, 0, colours, 0)
    if bits == 32:
        colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    else:
        palette, indices = palette_pixels(rows, bits)
        header += b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
        stride = ((size * bits + 31) // 32) * 4
        colour = bytearray()
        for row in reversed(indices):
            line = bytearray(stride)
            for x, index in enumerate(row):
                if bits == 8:
                    line[x] = index
                else:
                    line[x // 2] |= index << (4 if x % 2 == 0 else 0)
            colour += line
        colour = bytes(colour)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + colour + bytes(mask)


def main():
    out = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).with_name("orlisk.ico")
    formats = ((16, 4), (16, 8), (32, 4), (16, 32), (32, 32))
    images = [image_data(size, bits) for size, bits in formats]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, bits), image in zip(formats, images):
        colours = 16 if bits == 4 else 0
        data += struct.pack("<BBBBHHII", size, size, colours, 0, 1, bits, len(image), offset)
        offset += len(image)
    out.write_bytes(data + b"".join(images))


if __name__ == "__main__":
    main()
