#!/usr/bin/env python3
"""Draws the photo editor's stamps: PhotoFrame/stamp1.png to stamp15.png,
64 x 64 RGBA. Stamps 1-8 and 12 are coloured pictures that the editor lays
on as they are; the others are one-colour shapes whose alpha the editor
paints in the pen colour. Standard library only, deterministic; the output
is committed, run again after changing a design, then draw the stamp
popup's strip again (resources/popupthumbs).
"""

import math
import os
import struct
import zlib

SIZE = 64
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "PhotoFrame")


def write_png(path, pixels):
    rows = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(rows, 9)) +
                chunk(b"IEND", b""))


def render(inside, colour_at):
    """inside(x, y) -> coverage 0..1 sampled 4 x 4 per pixel; colour_at(x, y) -> (r, g, b)."""
    pixels = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            hits = sum(inside((x + (i + 0.5) / 4 - SIZE / 2) / (SIZE / 2),
                              (y + (j + 0.5) / 4 - SIZE / 2) / (SIZE / 2))
                       for i in range(4) for j in range(4))
            alpha = round(255 * hits / 16)
            r, g, b = colour_at(x, y) if alpha else (0, 0, 0)
            row.append((r, g, b, alpha))
        pixels.append(row)
    return pixels


# Shapes on the square -1..1 (y downward).
def circle(x, y):
    return x * x + y * y <= 0.9 ** 2


def ring(x, y):
    return 0.55 ** 2 <= x * x + y * y <= 0.9 ** 2


def star(x, y, points=5, inner=0.4):
    a = math.atan2(y, x) + math.pi / 2
    r = math.hypot(x, y)
    sector = (a % (2 * math.pi / points)) / (2 * math.pi / points)
    edge = inner + (0.92 - inner) * abs(1 - 2 * sector)
    return r <= edge


def heart(x, y):
    x, y = x * 1.2, -y * 1.2 + 0.25
    return (x * x + y * y - 1) ** 3 - x * x * y ** 3 <= 0


def diamond(x, y):
    return abs(x) + abs(y) <= 0.9


def flower(x, y):
    a = math.atan2(y, x)
    return math.hypot(x, y) <= 0.55 + 0.35 * abs(math.cos(3 * a))


def moon(x, y):
    return circle(x, y) and (x - 0.35) ** 2 + (y + 0.15) ** 2 > 0.7 ** 2


def arrow(x, y):
    return (abs(y) <= 0.25 and -0.9 <= x <= 0.2) or (x > 0.2 and abs(y) <= 0.9 - x and x <= 0.9)


def note(x, y):
    head = (x + 0.25) ** 2 / 0.12 + (y - 0.55) ** 2 / 0.07 <= 1
    stem = 0.05 <= x <= 0.17 and -0.85 <= y <= 0.55
    flag = 0.05 <= x <= 0.6 and -0.85 <= y <= -0.6
    return head or stem or flag


def gradient(top, bottom):
    return lambda x, y: tuple(int(top[k] + (bottom[k] - top[k]) * y / (SIZE - 1)) for k in range(3))


def solid(c):
    return lambda x, y: c


BLACK = solid((0, 0, 0))

STAMPS = {
    1: (heart, gradient((255, 90, 120), (200, 0, 40))),
    2: (star, gradient((255, 240, 80), (240, 160, 0))),
    3: (flower, gradient((250, 120, 220), (150, 40, 200))),
    4: (circle, gradient((255, 220, 60), (255, 120, 0))),
    5: (moon, gradient((220, 230, 255), (120, 140, 220))),
    6: (diamond, gradient((120, 230, 255), (0, 110, 220))),
    7: (note, gradient((60, 60, 60), (0, 0, 0))),
    8: (lambda x, y: star(x, y, 6, 0.55), gradient((140, 255, 140), (0, 150, 60))),
    9: (heart, BLACK),
    10: (star, BLACK),
    11: (circle, BLACK),
    12: (ring, gradient((255, 200, 0), (230, 90, 0))),
    13: (diamond, BLACK),
    14: (arrow, BLACK),
    15: (flower, BLACK),
}


def main():
    os.makedirs(OUT, exist_ok=True)
    for number, (shape, colour) in STAMPS.items():
        write_png(os.path.join(OUT, "stamp%d.png" % number), render(shape, colour))


if __name__ == "__main__":
    main()
