#!/usr/bin/env python3
"""Draws the slide-show player's own pictures: the film frame "Film.png"
(440 x 428) that the film strip lays once per picture, and the program icon
"flickwand.ico" (32 x 32 and 16 x 16).

    python3 resources/flickwand/draw_flickwand.py

Standard library only; writes beside this script. The output is committed,
so a build never needs Python. Deterministic: the same script always writes
the same bytes.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

FRAME_W, FRAME_H = 440, 428
# The player draws the picture into this box, the date and name over these.
PICTURE_BOX = (22, 63, 400, 300)
DATE_BOX = (117, 5, 200, 25)
NAME_BOX = (200, 400, 220, 25)

FILM = (28, 30, 34)
FILM_EDGE = (52, 56, 62)
HOLE = (214, 220, 228)
LABEL = (40, 44, 50)
SKY = (62, 142, 208)
HILL = (60, 150, 80)
SUN = (244, 202, 6)


class Canvas:
    """RGBA pixels, row 0 at the top."""

    def __init__(self, w, h, fill):
        self.w, self.h = w, h
        self.px = [[fill for _ in range(w)] for _ in range(h)]

    def rect(self, x, y, w, h, colour):
        for row in range(max(0, y), min(self.h, y + h)):
            line = self.px[row]
            for col in range(max(0, x), min(self.w, x + w)):
                line[col] = colour

    def shape(self, inside, colour):
        for row in range(self.h):
            for col in range(self.w):
                if inside(col + 0.5, row + 0.5):
                    self.px[row][col] = colour


def rgba(c, a=255):
    return (c[0], c[1], c[2], a)


def png_bytes(canvas):
    raw = b"".join(b"\0" + bytes(v for p in line for v in p) for line in canvas.px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", canvas.w, canvas.h, 8, 6, 0, 0, 0)   # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_image(canvas):
    """One icon image: a 32-bit bottom-up DIB with its AND mask."""
    w, h = canvas.w, canvas.h
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((p[2], p[1], p[0], p[3])) for line in reversed(canvas.px) for p in line)
    stride = ((w + 31) // 32) * 4
    mask = b""
    for line in reversed(canvas.px):
        bits = bytearray(stride)
        for col, p in enumerate(line):
            if p[3] == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bytes(bits)
    return info + colour + mask


def ico_bytes(canvases):
    images = [icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, data in zip(canvases, images):
        out += struct.pack("<BBBBHHII", c.w % 256, c.h % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def film_frame():
    c = Canvas(FRAME_W, FRAME_H, rgba(FILM))
    c.rect(0, 0, FRAME_W, 1, rgba(FILM_EDGE))
    c.rect(0, FRAME_H - 1, FRAME_W, 1, rgba(FILM_EDGE))
    # Two rows of sprocket holes, above and below the picture; the pitch
    # divides the frame width so that frames laid side by side line up.
    for row_y in (36, 378):
        for x in range(6, FRAME_W, 22):
            c.rect(x, row_y, 12, 16, rgba(HOLE))
    c.rect(*DATE_BOX, rgba(LABEL))
    c.rect(*NAME_BOX[:3], NAME_BOX[3] - 2, rgba(LABEL))
    px, py, pw, ph = PICTURE_BOX
    c.rect(px - 2, py - 2, pw + 4, ph + 4, rgba(FILM_EDGE))
    c.rect(px, py, pw, ph, rgba((0, 0, 0)))
    return c


def icon(size):
    """A film frame with a small landscape: the player's mark."""
    s = size / 32.0
    c = Canvas(size, size, (0, 0, 0, 0))
    c.rect(0, int(3 * s), size, int(25 * s), rgba(FILM))
    for i in range(5):
        x = int((2 + 6 * i) * s)
        c.rect(x, int(5 * s), max(1, int(3 * s)), max(1, int(2 * s)), rgba(HOLE))
        c.rect(x, int(24 * s), max(1, int(3 * s)), max(1, int(2 * s)), rgba(HOLE))
    c.rect(int(3 * s), int(9 * s), int(25 * s), int(13 * s), rgba(SKY))
    # A hill peaking at (12, 13) over the sky's lower edge.
    c.shape(lambda x, y: 3 * s <= x < 28 * s and 13 * s + abs(x - 12 * s) < y < 22 * s, rgba(HILL))
    c.shape(lambda x, y: (x - 23 * s) ** 2 + (y - 12 * s) ** 2 <= (2 * s) ** 2, rgba(SUN))
    return c


def main():
    with open(os.path.join(HERE, "Film.png"), "wb") as f:
        f.write(png_bytes(film_frame()))
    with open(os.path.join(HERE, "flickwand.ico"), "wb") as f:
        f.write(ico_bytes([icon(32), icon(16)]))


if __name__ == "__main__":
    main()
