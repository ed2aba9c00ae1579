#!/usr/bin/env python3
"""Writes the seed files of the BMP and PGM fuzz harnesses into seeds/bmp and seeds/pgm."""
import os
import struct

SEEDS = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'seeds')


def bmp(width, height, bits, rows, palette=(), compression=0, masks=(), colors_used=0,
        encoded=b'', core=False):
    if core:
        body = struct.pack('<IHHHH', 12, width, height, 1, bits)
        body += b''.join(struct.pack('<I', c)[:3] for c in palette)
    else:
        body = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, 0,
                           2835, 2835, colors_used, 0)
        body += b''.join(struct.pack('<I', m) for m in masks)
        body += b''.join(struct.pack('<I', c) for c in palette)
    off = 14 + len(body)
    for row in rows:
        row = bytes(row)
        body += row + b'\0' * (-len(row) % 4)
    body += encoded
    return b'BM' + struct.pack('<IHHI', 14 + len(body), 0, 0, off) + body


def write(name, data):
    with open(os.path.join(SEEDS, name.rsplit('.', 1)[1], name), 'wb') as f:
        f.write(data)


write('mono_9x2.bmp', bmp(9, 2, 1, [[0b10110011, 0b10000000], [0b01010101, 0]],
                          palette=(0x000000, 0xFFFFFF)))
write('nibbles_3x2.bmp', bmp(3, 2, 4, [[0x12, 0x30], [0x45, 0x60]],
                             palette=tuple(0x111111 * (i % 15) for i in range(16))))
write('indexed_5x2.bmp', bmp(5, 2, 8, [[0, 1, 2, 1, 0], [2, 2, 1, 0, 1]],
                             palette=(0xFF0000, 0x00FF00, 0x0000FF), colors_used=3))
write('true_3x2.bmp', bmp(3, 2, 24, [[1, 2, 3] * 3, [4, 5, 6] * 3]))
write('masks_2x2.bmp', bmp(2, 2, 16, [[0x00, 0xF8, 0xE0, 0x07], [0x1F, 0x00, 0xFF, 0xFF]],
                           compression=3, masks=(0xF800, 0x07E0, 0x001F)))
write('bgrx_2x1.bmp', bmp(2, 1, 32, [[1, 2, 3, 4, 5, 6, 7, 8]]))
write('topdown_3x2.bmp', bmp(3, -2, 24, [[1, 2, 3] * 3, [4, 5, 6] * 3]))
write('core_3x2.bmp', bmp(3, 2, 4, [[0x12, 0x30], [0x45, 0x60]], core=True,
                          palette=tuple(0x111111 * i for i in range(16))))
# Runs, an absolute block with its pad, end of line, a delta, end of bitmap.
write('rle8_6x3.bmp', bmp(6, 3, 8, [], palette=(0xFF0000, 0x00FF00, 0x0000FF), colors_used=3,
                          compression=1, encoded=bytes([3, 1, 0, 3, 2, 0, 1, 0, 0, 0,
                                                        0, 2, 1, 1, 2, 2, 0, 0, 0, 1])))
write('rle4_6x3.bmp', bmp(6, 3, 4, [], palette=(0xFF0000, 0x00FF00, 0x0000FF), colors_used=3,
                          compression=2, encoded=bytes([4, 0x12, 0, 3, 0x20, 0x10, 0, 0,
                                                        0, 2, 1, 1, 3, 0x21, 0, 1])))
# Deliberately broken: claims 4 x 4 pixels of 24 bits but holds one row.
write('broken.bmp', bmp(4, 4, 24, [[9] * 12]))

write('grey_3x2.pgm', b'P5\n# a comment\n3 2\n255\n\x10\x20\x30\x40\x50\x60')
write('wide_max.pgm', b'P5\n2 2\n65535\n\x01\x02\x03\x04')
# Deliberately broken: one pixel short.
write('broken.pgm', b'P5\n2 2\n255\n\x01\x02\x03')
