#!/usr/bin/env python3
"""Writes the seed files of the 3DS reader's fuzz harness into seeds/."""
import os
import struct


def chunk(chunk_id, *parts):
    body = b"".join(parts)
    return struct.pack("<HI", chunk_id, len(body) + 6) + body


def text(value):
    return value.encode() + b"\0"


def vertices(points):
    return chunk(0x4110, struct.pack("<H", len(points)),
                 *(struct.pack("<3f", *p) for p in points))


def faces(triangles, *sub_chunks):
    return chunk(0x4120, struct.pack("<H", len(triangles)),
                 *(struct.pack("<4H", a, b, c, 0) for a, b, c in triangles), *sub_chunks)


def tex_coords(pairs):
    return chunk(0x4140, struct.pack("<H", len(pairs)),
                 *(struct.pack("<2f", *p) for p in pairs))


TRIANGLE = [(0, 0, 0), (1, 0, 0), (0, 1, 0)]
QUAD = [(0, 0, 1), (2, 0, 1), (2, 2, 1), (0, 2, 1)]


def written_by_mapwell():
    material = chunk(0xAFFF, chunk(0xA000, text("material01")), chunk(0xA300, text("tex.bmp")))
    mesh = chunk(0x4100, vertices(TRIANGLE), faces([(0, 1, 2)]),
                 chunk(0x4130, text("tex.bmp")), tex_coords([(0, 0), (1, 0), (0, 1)]))
    return chunk(0x4D4D, chunk(0x3D3D, material, chunk(0x4000, text("globalmesh"), mesh)))


def everything():
    colour = chunk(0x0011, bytes([10, 20, 30]))
    material = chunk(0xAFFF, chunk(0xA000, text("skin")), chunk(0xA020, colour),
                     chunk(0xA200, chunk(0xA300, text("skin.bmp"))))
    viewport = chunk(0x7001, chunk(0x7011, b"\1\2"), chunk(0x7012, b"\0" * 4),
                     chunk(0x7020, b"\0" * 4))
    mesh = chunk(0x4100, vertices(QUAD), tex_coords([(0, 0), (1, 0), (1, 1), (0, 1)]),
                 faces([(0, 1, 2), (0, 2, 3)], chunk(0x4150, struct.pack("<2I", 1, 1))),
                 chunk(0x4130, text("skin"), struct.pack("<3H", 2, 0, 1)),
                 chunk(0x4160, struct.pack("<12f", *range(12))))
    light = chunk(0x4600, struct.pack("<3f", 1, 2, 3))
    objects = chunk(0x4000, text("lamp"), light) + chunk(0x4000, text("quad"), mesh)
    editor = chunk(0x3D3D, chunk(0x1200, colour), chunk(0x2100, colour), material, viewport,
                   objects)
    keyframer = chunk(0xB000, chunk(0xB00A, b"\0" * 8), viewport)
    return chunk(0x4D4D, editor, keyframer)


def two_objects():
    first = chunk(0x4000, text("first"), chunk(0x4100, vertices(TRIANGLE), faces([(0, 1, 2)])))
    second = chunk(0x4000, text("second_is_long"),
                   chunk(0x4100, vertices(QUAD), faces([(0, 1, 2), (0, 2, 3)])))
    return chunk(0x4D4D, chunk(0x3D3D, first, second))


def broken():
    """A vertex list cut off by the end of the file, after a chunk shorter than its header."""
    whole = bytearray(everything())
    whole[14:18] = struct.pack("<I", 3)   # the first chunk in the editor
    return bytes(whole[:len(whole) // 2])


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "seeds")
    for name, data in [("written_by_mapwell.3ds", written_by_mapwell()),
                       ("everything.3ds", everything()),
                       ("two_objects.3ds", two_objects()),
                       ("broken.3ds", broken())]:
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
