#!/usr/bin/env python3
"""Draws the program's icon (a camera lens on a blue tile) and the photo
canvas's pen cursor as 32 x 32 true-colour ICO and CUR files, with the
standard library only. Output is committed; run again after a change."""
import os
import struct

SIZE = 32


def ico_bytes(pixels, kind, hotspot=(0, 0)):
    """pixels: rows top to bottom of (r, g, b, a). kind 1 icon, 2 cursor."""
    xor = bytearray()
    for row in reversed(pixels):  # the bitmap is stored bottom-up
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((SIZE + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = 0
        line = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                line[x // 8] |= 0x80 >> (x % 8)
        and_mask += line
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(and_mask), 0, 0, 0, 0)
    image = header + xor + and_mask
    planes, bits = (1, 32) if kind == 1 else hotspot
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, planes, bits, len(image), 6 + 16)
    return struct.pack('<HHH', 0, kind, 1) + entry + image


def icon_pixels():
    rows = []
    c = (SIZE - 1) / 2.0
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if x < 1 or y < 1 or x > SIZE - 2 or y > SIZE - 2:
                row.append((0, 0, 0, 0))
            elif d < 5:
                row.append((40, 200, 255, 255))   # the glint of the lens
            elif d < 10:
                row.append((20, 20, 30, 255))     # the lens
            elif d < 12:
                row.append((200, 200, 210, 255))  # its ring
            else:
                row.append((30, 90, 200, 255))    # the tile
        rows.append(row)
    return rows


def cursor_pixels():
    rows = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]
    # A pen drawn along the diagonal, its tip at the top-left corner.
    for i in range(2, 22):
        for w in range(-2, 3):
            x, y = i + w, i - w
            if 0 <= x < SIZE and 0 <= y < SIZE:
                rows[y][x] = (0, 0, 0, 255) if abs(w) == 2 else (250, 220, 60, 255)
    for i in range(0, 3):
        rows[i][i] = (0, 0, 0, 255)
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    with open(os.path.join(here, 'vimbrel.ico'), 'wb') as f:
        f.write(ico_bytes(icon_pixels(), 1))
    with open(os.path.join(here, 'pen.cur'), 'wb') as f:
        f.write(ico_bytes(cursor_pixels(), 2, hotspot=(0, 0)))


if __name__ == '__main__':
    main()
