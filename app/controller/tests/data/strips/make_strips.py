#!/usr/bin/env python3
"""Writes the catalogue test's item-picture strips: 27 columns of 20 x 20
cells, column c of state s filled with (10 + 9c, 40 + 80s, 250 - 5c)."""
import os
import struct
import zlib


def write_png(path, width, height, pixel):
    rows = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))
                    for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n"
                  + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


here = os.path.dirname(os.path.abspath(__file__))
for state, name in enumerate(["function.png", "function_hover.png", "function_dis.png"]):
    write_png(os.path.join(here, name), 540, 20,
              lambda x, y, s=state: (10 + 9 * (x // 20), 40 + 80 * s, 250 - 5 * (x // 20), 255))
