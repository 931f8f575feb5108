#!/usr/bin/env python3
"""Draws the photo frames of the effects filter: PhotoFrame/frame1.png to
frame15.png, 640 x 480 RGBA pictures with transparent centres that the filter
stretches over the video. Run from anywhere; it writes next to itself into
../PhotoFrame. The output is committed; run again after changing a design.
"""

import math
import os
import sys

from PIL import Image, ImageDraw, ImageFilter

W, H = 640, 480
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "PhotoFrame")


def canvas():
    return Image.new("RGBA", (W, H), (0, 0, 0, 0))


def cut_window(img, box, radius=0):
    """Makes the area inside box fully transparent again."""
    mask = Image.new("L", (W, H), 255)
    ImageDraw.Draw(mask).rounded_rectangle(box, radius=radius, fill=0)
    alpha = img.getchannel("A")
    img.putalpha(Image.composite(alpha, Image.new("L", (W, H), 0), mask))
    return img


def border(colour, width, radius=0, bottom=None):
    img = canvas()
    ImageDraw.Draw(img).rectangle((0, 0, W, H), fill=colour)
    return cut_window(img, (width, width, W - width, H - (bottom or width)), radius)


def gradient_border(inner, outer, width):
    img = canvas()
    d = ImageDraw.Draw(img)
    for i in range(width):
        t = i / max(width - 1, 1)
        c = tuple(int(outer[k] + (inner[k] - outer[k]) * t) for k in range(3)) + (255,)
        d.rectangle((i, i, W - 1 - i, H - 1 - i), outline=c)
    return cut_window(img, (width, width, W - width, H - width))


def frame1():  # instant photo: white with a deep bottom edge
    return border((250, 250, 245, 255), 24, bottom=90)


def frame2():  # black, rounded window
    return border((20, 20, 20, 255), 30, radius=40)


def frame3():  # wood
    return gradient_border((170, 110, 60), (90, 50, 20), 36)


def frame4():  # gold with a double line
    img = gradient_border((240, 200, 90), (150, 110, 30), 28)
    d = ImageDraw.Draw(img)
    d.rectangle((8, 8, W - 9, H - 9), outline=(255, 240, 180, 255), width=2)
    return img


def frame5():  # film strip
    img = canvas()
    d = ImageDraw.Draw(img)
    d.rectangle((0, 0, W, 60), fill=(15, 15, 15, 255))
    d.rectangle((0, H - 60, W, H), fill=(15, 15, 15, 255))
    for x in range(12, W, 40):
        for y in (18, H - 42):
            d.rounded_rectangle((x, y, x + 22, y + 24), radius=4, fill=(0, 0, 0, 0))
    return img


def oval(colour):
    img = Image.new("RGBA", (W, H), colour)
    mask = Image.new("L", (W, H), 255)
    ImageDraw.Draw(mask).ellipse((50, 30, W - 50, H - 30), fill=0)
    mask = mask.filter(ImageFilter.GaussianBlur(12))
    img.putalpha(mask)
    return img


def frame6():  # blue oval
    return oval((40, 70, 150, 255))


def shapes_around(background, draw_one, step, margin):
    img = border(background, margin)
    d = ImageDraw.Draw(img)
    for x in range(step // 2, W, step):
        draw_one(d, x, margin // 2)
        draw_one(d, x, H - margin // 2)
    for y in range(step // 2 + step, H - step, step):
        draw_one(d, margin // 2, y)
        draw_one(d, W - margin // 2, y)
    return img


def heart(d, x, y, s=12, colour=(230, 60, 110, 255)):
    d.ellipse((x - s, y - s // 2 - s // 2, x, y + s // 2 - s // 2), fill=colour)
    d.ellipse((x, y - s, x + s, y), fill=colour)
    d.polygon([(x - s, y - s // 4), (x + s, y - s // 4), (x, y + s)], fill=colour)


def star(d, x, y, r=13, colour=(255, 215, 60, 255)):
    points = []
    for k in range(10):
        a = math.pi / 2 + k * math.pi / 5
        radius = r if k % 2 == 0 else r * 0.45
        points.append((x + radius * math.cos(a), y - radius * math.sin(a)))
    d.polygon(points, fill=colour)


def frame7():  # hearts
    return shapes_around((255, 210, 225, 255), heart, 48, 40)


def frame8():  # stars at night
    return shapes_around((20, 30, 80, 255), star, 44, 40)


def frame9():  # postage stamp
    img = border((255, 255, 255, 255), 30)
    d = ImageDraw.Draw(img)
    for x in range(0, W + 1, 20):
        d.ellipse((x - 6, -6, x + 6, 6), fill=(0, 0, 0, 0))
        d.ellipse((x - 6, H - 6, x + 6, H + 6), fill=(0, 0, 0, 0))
    for y in range(0, H + 1, 20):
        d.ellipse((-6, y - 6, 6, y + 6), fill=(0, 0, 0, 0))
        d.ellipse((W - 6, y - 6, W + 6, y + 6), fill=(0, 0, 0, 0))
    return img


def frame10():  # soft white vignette
    mask = Image.new("L", (W, H), 255)
    ImageDraw.Draw(mask).rectangle((60, 60, W - 60, H - 60), fill=0)
    img = Image.new("RGBA", (W, H), (255, 255, 255, 255))
    img.putalpha(mask.filter(ImageFilter.GaussianBlur(30)))
    return img


def frame11():  # checkerboard
    img = canvas()
    d = ImageDraw.Draw(img)
    for y in range(0, H, 20):
        for x in range(0, W, 20):
            colour = (0, 0, 0, 255) if (x // 20 + y // 20) % 2 else (255, 255, 255, 255)
            d.rectangle((x, y, x + 19, y + 19), fill=colour)
    return cut_window(img, (40, 40, W - 40, H - 40))


def frame12():  # green dots
    def dot(d, x, y):
        d.ellipse((x - 10, y - 10, x + 10, y + 10), fill=(90, 170, 70, 255))
    return shapes_around((200, 235, 190, 255), dot, 36, 36)


def frame13():  # red with a dashed inner line
    img = border((190, 30, 40, 255), 32, radius=24)
    d = ImageDraw.Draw(img)
    for x in range(40, W - 40, 24):
        d.line((x, 20, x + 12, 20), fill=(255, 230, 230, 255), width=3)
        d.line((x, H - 21, x + 12, H - 21), fill=(255, 230, 230, 255), width=3)
    for y in range(40, H - 40, 24):
        d.line((20, y, 20, y + 12), fill=(255, 230, 230, 255), width=3)
        d.line((W - 21, y, W - 21, y + 12), fill=(255, 230, 230, 255), width=3)
    return img


def frame14():  # porthole
    img = Image.new("RGBA", (W, H), (110, 115, 125, 255))
    d = ImageDraw.Draw(img)
    d.ellipse((W // 2 - 230, H // 2 - 230, W // 2 + 230, H // 2 + 230), fill=(70, 75, 85, 255))
    d.ellipse((W // 2 - 205, H // 2 - 205, W // 2 + 205, H // 2 + 205), fill=(0, 0, 0, 0))
    for k in range(8):
        a = k * math.pi / 4
        x, y = W // 2 + 218 * math.cos(a), H // 2 + 218 * math.sin(a)
        d.ellipse((x - 5, y - 5, x + 5, y + 5), fill=(190, 190, 195, 255))
    return img


def frame15():  # rainbow
    img = canvas()
    d = ImageDraw.Draw(img)
    colours = [(228, 3, 3), (255, 140, 0), (255, 237, 0), (0, 128, 38), (0, 77, 255), (117, 7, 135)]
    for i, c in enumerate(colours):
        inset = i * 6
        d.rectangle((inset, inset, W - 1 - inset, H - 1 - inset), outline=c + (255,), width=6)
    return img


def main():
    os.makedirs(OUT, exist_ok=True)
    designs = [frame1, frame2, frame3, frame4, frame5, frame6, frame7, frame8, frame9, frame10, frame11,
               frame12, frame13, frame14, frame15]
    for number, design in enumerate(designs, start=1):
        img = design()
        assert img.mode == "RGBA" and img.size == (W, H)
        # Every frame leaves the middle of the picture visible.
        assert img.getpixel((W // 2, H // 2))[3] == 0, number
        img.save(os.path.join(OUT, "frame%d.png" % number), optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
