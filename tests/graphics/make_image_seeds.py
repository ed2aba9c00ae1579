#!/usr/bin/env python3
"""Writes image_seeds/: small images in every format and depth the texture decoders read, and
hostile ones named by the status they must give ("ok-...", "corrupt-...", "toolarge-...",
"unknown-..."). Seeds of other names in the folder (fuzz findings) are left as they are.

The 5 x 3 images show pattern(colours): pixel (x, y) has colours[(x + 2 * y) % len(colours)],
which the image suite checks; JPEG (lossy) shows four flat 8 x 8 quarters instead. The fuzz
harness starts from all of them. Needs ImageMagick's convert for the JPEG files."""
import os
import struct
import subprocess
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "image_seeds")
TWO = [0x000000, 0xFFFFFF]
FOUR = [0x000000, 0xFF0000, 0x00FF00, 0x0000FF]
MANY = [0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x123456, 0xABCDEF]
GREYS = [0x000000, 0x808080, 0xFFFFFF, 0x202020]
W, H = 5, 3


def pattern(colours):
    return [colours[(x + 2 * y) % len(colours)] for y in range(H) for x in range(W)]


def bmp(bits, top_down, colours):
    pixels, palette = pattern(colours), colours + [0] * ((1 << bits) - len(colours)) if bits <= 8 else []
    rows = []
    for y in (range(H) if top_down else reversed(range(H))):
        row = pixels[y * W:(y + 1) * W]
        if bits <= 8:
            bitsrow = "".join(format(palette.index(p), f"0{bits}b") for p in row)
            data = int(bitsrow.ljust(-(-len(bitsrow) // 8) * 8, "0"), 2).to_bytes(-(-len(bitsrow) // 8), "big")
        elif bits == 16:
            data = b"".join(struct.pack("<H", (p >> 19 & 31) << 10 | (p >> 11 & 31) << 5 | (p >> 3 & 31)) for p in row)
        else:
            data = b"".join(struct.pack("<I", p | 0xFF000000)[:bits // 8] for p in row)
        rows.append(data + bytes(-len(data) % 4))
    offset = 54 + 4 * len(palette)
    image = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, W, -H if top_down else H, 1, bits, 0, len(image), 2835, 2835,
                       len(palette), 0)
    return (b"BM" + struct.pack("<IHHI", offset + len(image), 0, 0, offset) + info
            + b"".join(struct.pack("<I", p) for p in palette) + image)


def pnm(colour, pixels):
    body = b"".join(struct.pack(">I", p)[1:] if colour else bytes([p & 0xFF]) for p in pixels)
    return (b"P6" if colour else b"P5") + b"\n# a seed\n%d %d\n255\n" % (W, H) + body


def tga(pixels):
    rows = [pixels[y * W:(y + 1) * W] for y in reversed(range(H))]
    return (bytes([0, 0, 2]) + bytes(9) + struct.pack("<HHBB", W, H, 24, 0)
            + b"".join(struct.pack("<I", p)[:3] for row in rows for p in row))


def png(pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + b"".join(struct.pack(">I", p)[1:] for p in pixels[y * W:(y + 1) * W]) for y in range(H))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def dds(width, height, levels, four_cc=b"", bit_count=0, masks=(0, 0, 0, 0), alpha=False):
    pixel_flags = 0x4 if four_cc else 0x40 | (0x1 if alpha else 0)
    header = struct.pack("<4sIIIIIII", b"DDS ", 124, 0x1007 | (0x20000 if len(levels) > 1 else 0), height, width,
                         0, 0, len(levels))
    header += bytes(44) + struct.pack("<II4sI4I", 32, pixel_flags, four_cc.ljust(4, b"\0"), bit_count, *masks)
    return header + struct.pack("<I", 0x1000) + bytes(16) + b"".join(levels)


def dxt1(c0, c1, indices):
    return struct.pack("<HHI", c0, c1, indices)


def jpeg(fill=0, oversized_table=False):
    quarters = [0xC04020 if (x < 8) == (y < 8) else 0x2080E0 for y in range(16) for x in range(16)]
    ppm = b"P6\n16 16\n255\n" + b"".join(struct.pack(">I", p)[1:] for p in quarters)
    data = bytearray(subprocess.run(["convert", "ppm:-", "-quality", "100", "-sampling-factor", "1x1", "jpeg:-"], input=ppm,
                                    capture_output=True, check=True).stdout)
    if oversized_table:  # more than 256 codes in the first Huffman table: after marker, length, class
        table = data.index(b"\xff\xc4")
        data[table + 5 + 14] = data[table + 5 + 15] = 200
    return bytes([0xFF] * fill) + bytes(data)


def rgba(pixels):
    return [struct.pack("<I", p) for p in pixels]


SEEDS = {
    "bmp1.bmp": bmp(1, False, TWO), "bmp4.bmp": bmp(4, True, FOUR), "bmp8.bmp": bmp(8, False, MANY),
    "bmp16.bmp": bmp(16, True, FOUR), "bmp24.bmp": bmp(24, True, MANY), "bmp32.bmp": bmp(32, False, MANY),
    "grey.pgm": pnm(False, pattern(GREYS)), "colour.ppm": pnm(True, pattern(FOUR)),
    "image.tga": tga(pattern(MANY)), "image.png": png(pattern(MANY)), "image.jpg": jpeg(),
    "rgba.dds": dds(2, 2, rgba([0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x10203040]), bit_count=32,
                    masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000), alpha=True),
    "rgb.dds": dds(2, 2, rgba([0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x10203040]), bit_count=32,
                   masks=(0xFF0000, 0xFF00, 0xFF, 0)),
    # Red at every level of a 4 x 4 chain, and one level more than the chain has.
    "dxt1.dds": dds(4, 4, [dxt1(0xF800, 0xF800, 0)] * 4, b"DXT1"),
    # Alpha 0x40 everywhere, blue: too small a side to stay compressed.
    "dxt5.dds": dds(3, 2, [bytes([0x40, 0x40]) + bytes(6) + dxt1(0x1F, 0x1F, 0)], b"DXT5"),
    "unknown-gif.gif": b"GIF89a" + bytes(10), "unknown-empty.bin": b"",
    "unknown-ati2.dds": dds(4, 4, [bytes(16)], b"ATI2"),
    "corrupt-dxt3_short_level.dds": dds(8, 4, [bytes(16)], b"DXT3"),
    "corrupt-dxt1_no_width.dds": dds(0, 4, [], b"DXT1"),
    "toolarge-dxt1_wide.dds": dds(20000, 4, [], b"DXT1"),
    "toolarge-rgb_huge.dds": dds(16384, 16384, [], bit_count=32, masks=(0xFF0000, 0xFF00, 0xFF, 0)),
    # 16-bit samples, which stb_image would convert past its buffer.
    "corrupt-16_bit_samples.pgm": b"P5\n2 1\n65535\n\x12\x34\xff\xff",
    # Huffman tables of more than 256 codes (stb_image would write past its tables), also behind
    # fill bytes before the start marker, which stb_image skips.
    "corrupt-huffman_table_too_large.jpg": jpeg(oversized_table=True),
    "corrupt-huffman_table_after_fill_bytes.jpg": jpeg(fill=3, oversized_table=True),
    # PNM header numbers of ten digits or more, on which stb_image 2.27 would overflow an int;
    # nine digits still read.
    "ok-pnm_nine_digit_width.pgm": b"P5\n000000001 1\n255\n@@@",
    "corrupt-pnm_ten_digit_width.pgm": b"P5\n0000000001 1\n255\n@@@",
    "corrupt-pnm_ten_digit_height.pgm": b"P5\n1 2222222222\n255\n@@@",
    "corrupt-pnm_eleven_digit_maximum.ppm": b"P6 1 1 99999999999\n@@@",
    "corrupt-pnm_ten_digits_after_a_comment_ending_in_return.pgm": b"P5\n# a comment\r2222222222 1\n255\n@@@",
    # stb_image ends a comment at a carriage return: read as it does, this file has 16-bit samples.
    "corrupt-pnm_16_bit_maximum_after_a_comment_ending_in_return.pgm": b"P5\n#\r2 1 65535\n1 1 9\n\x12\x34",
    # A BMP announcing 20000 x 20000 pixels in a few bytes.
    "corrupt-bmp_huge_announced.bmp": bmp(24, False, MANY)[:18] + struct.pack("<ii", 20000, 20000) + bmp(24, False, MANY)[26:],
}

for name, data in SEEDS.items():
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data)
