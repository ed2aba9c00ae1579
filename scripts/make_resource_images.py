#!/usr/bin/env python3
"""Draws Mapwell's toolbar bitmap and icon and writes them into resources/.

resources/toolbar.bmp: eight 16 x 15 button images side by side (128 x 15, 4 bits per pixel),
on the light grey that the toolbar control maps to the button face. The images are, in order:
zoom in, zoom out, apply the points to the mesh, move, scale, rotate, and two spares (a grid
and a point).
resources/mapwell.ico: a 32 x 32 icon, a blue square with a white triangle mesh over it.

Run from anywhere: python3 scripts/make_resource_images.py
"""
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The 16-colour palette: index -> (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
# Characters of the drawings below -> palette index; '.' is the button face.
INK = {'.': 8, 'k': 0, 'g': 7, 'w': 15, 'b': 12, 'r': 9, 'G': 2, 'y': 11, 'c': 6}

BUTTONS = [
    # zoom in
    ["................", ".....kkkk.......", "...kk....kk.....", "..k...bb...k....",
     "..k...bb...k....", ".k..bbbbbb..k...", ".k..bbbbbb..k...", "..k...bb...k....",
     "..k...bb...k....", "...kk....kkk....", ".....kkkk..kk...", "............kk..",
     ".............kk.", "..............k.", "................"],
    # zoom out
    ["................", ".....kkkk.......", "...kk....kk.....", "..k.........k...",
     "..k.........k...", ".k..bbbbbb..k...", ".k..bbbbbb..k...", "..k.........k...",
     "..k.........k...", "...kk....kkk....", ".....kkkk..kk...", "............kk..",
     ".............kk.", "..............k.", "................"],
    # apply: a green check mark
    ["................", "................", ".............GG.", "............GG..",
     "...........GG...", "..........GG....", ".GG......GG.....", "..GG....GG......",
     "...GG..GG.......", "....GGGG........", ".....GG.........", "................",
     "................", "................", "................"],
    # move: four arrows
    ["................", ".......k........", "......kkk.......", ".....k.k.k......",
     ".......k........", "...k...k...k....", "..k....k....k...", ".kkkkkkkkkkkkk..",
     "..k....k....k...", "...k...k...k....", ".......k........", ".....k.k.k......",
     "......kkk.......", ".......k........", "................"],
    # scale: a small square inside a large one
    ["................", ".kkkkkkkkkkkkk..", ".k...........k..", ".k...........k..",
     ".k...........k..", ".k...........k..", ".k......rrrr.k..", ".k......r..r.k..",
     ".k......r..r.k..", ".k......rrrr.k..", ".k...........k..", ".k...........k..",
     ".kkkkkkkkkkkkk..", "................", "................"],
    # rotate: an arc with an arrow head
    ["................", ".....kkkkk......", "...kk.....kk....", "..k.........k...",
     ".k...........k..", ".k...........k..", ".k..........kkk.", ".k...........k..",
     ".k..............", "..k.............", "...kk.....k.....", ".....kkkkk......",
     "................", "................", "................"],
    # spare: a grid
    ["................", ".ggggggggggggg..", ".g...g...g...g..", ".g...g...g...g..",
     ".g...g...g...g..", ".ggggggggggggg..", ".g...g...g...g..", ".g...g...g...g..",
     ".g...g...g...g..", ".ggggggggggggg..", ".g...g...g...g..", ".g...g...g...g..",
     ".ggggggggggggg..", "................", "................"],
    # spare: a point
    ["................", "................", "................", "................",
     "................", "......bbb.......", ".....bbbbb......", ".....bbbbb......",
     ".....bbbbb......", "......bbb.......", "................", "................",
     "................", "................", "................"],
]
BUTTON_WIDTH, BUTTON_HEIGHT = 16, 15


def toolbar_rows():
    """Rows of palette indices, top row first."""
    for name, drawing in enumerate(BUTTONS):
        assert len(drawing) == BUTTON_HEIGHT, name
        assert all(len(row) == BUTTON_WIDTH for row in drawing), name
    return [[INK[ch] for drawing in BUTTONS for ch in drawing[y]] for y in range(BUTTON_HEIGHT)]


def bmp_4bit(rows):
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b""
    for row in reversed(rows):  # bottom-up
        packed = bytearray(stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += bytes(packed)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835,
                       16, 16)
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    return file_header + info + palette + pixels


def icon_pixel(x, y):
    """ARGB of the 32 x 32 icon: a blue square with a white triangle mesh."""
    if x < 2 or y < 2 or x > 29 or y > 29:
        return 0x00000000  # transparent margin
    on_edge = (x in (2, 29) or y in (2, 29) or x == y or x + y == 31 or x == 16)
    return 0xFFFFFFFF if on_edge else 0xFF0000FF


def ico_32():
    size = 32
    xor = b""
    for y in reversed(range(size)):
        xor += b"".join(struct.pack("<I", icon_pixel(x, y)) for x in range(size))
    mask_stride = 4
    mask = b""
    for y in reversed(range(size)):
        bits = 0
        for x in range(size):
            if icon_pixel(x, y) >> 24 == 0:
                bits |= 1 << (31 - x)
        mask += struct.pack(">I", bits)
    assert len(mask) == mask_stride * size
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0,
                       0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    out = os.path.join(ROOT, "resources")
    with open(os.path.join(out, "toolbar.bmp"), "wb") as f:
        f.write(bmp_4bit(toolbar_rows()))
    with open(os.path.join(out, "mapwell.ico"), "wb") as f:
        f.write(ico_32())


if __name__ == "__main__":
    main()
