#!/usr/bin/env python3
"""Draws Tolvane's icon, res/tolvane.ico: one 32 by 32 image in the 16 standard
colours (4 bits per pixel, one plane), a white Thai letter KO KAI on a navy tile
with a yellow arrow under it; and the same picture as res/tolvane.png (RGBA),
the icon of the Linux desktop entry. Run it after changing the picture; both
files are committed beside the resource script."""

import os
import struct
import zlib

# The 16 standard colours, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]

# One character per pixel: '.' is transparent, the others name a colour.
COLOURS = {"n": 4, "b": 12, "w": 15, "y": 11, "k": 0}

PICTURE = [
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    ".knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.",
    ".knnnnnnnnnwwwwwwwwwnnnnnnnnnnk.",
    ".knnnnnnnwwwwwwwwwwwwwnnnnnnnnk.",
    ".knnnnnnwwwwnnnnnnnwwwwnnnnnnnk.",
    ".knnnnnwwwnnnnnnnnnnnwwwnnnnnnk.",
    ".knnnwwwwnnnnnnnnnnnnnwwwnnnnnk.",
    ".knnwwnwwnnnnnnnnnnnnnnwwnnnnnk.",
    ".knnwwwwwnnnnnnnnnnnnnnwwwnnnnk.",
    ".knnnwwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnwwwnnnnnnnnnnnnnnnwwnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnynnnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnyynnnnnnk.",
    ".knnnnnyyyyyyyyyyyyyyyyyynnnnnk.",
    ".knnnnnyyyyyyyyyyyyyyyyyynnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnyynnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnynnnnnnnk.",
    ".knnnnnnnnnnnnnnnnnnnnnnnnnnnnk.",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "................................",
]


def icon_bytes():
    assert len(PICTURE) == 32 and all(len(row) == 32 for row in PICTURE)
    xor_rows, and_rows = [], []
    for row in reversed(PICTURE):  # bitmaps run bottom-up
        indices = [COLOURS.get(c, 0) for c in row]
        xor_rows.append(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, 32, 2)))
        mask = 0
        for c in row:
            mask = (mask << 1) | (1 if c == "." else 0)
        and_rows.append(mask.to_bytes(4, "big"))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in PALETTE)
    # The height counts both the colour bitmap and the mask.
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    image = header + palette + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def png_bytes():
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    rows = b""
    for row in PICTURE:
        rows += b"\0"  # no filter
        for c in row:
            rows += bytes((0, 0, 0, 0)) if c == "." else bytes(PALETTE[COLOURS[c]]) + b"\xff"
    header = struct.pack(">IIBBBBB", 32, 32, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9))
            + chunk(b"IEND", b""))


def main():
    res = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res")
    with open(os.path.join(res, "tolvane.ico"), "wb") as f:
        f.write(icon_bytes())
    with open(os.path.join(res, "tolvane.png"), "wb") as f:
        f.write(png_bytes())


if __name__ == "__main__":
    main()
