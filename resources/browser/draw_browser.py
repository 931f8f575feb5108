#!/usr/bin/python3
"""Draws the media browser's pictures (output committed; run again after
changing a design):

  tab1..tab4 in four looks, 64 x 27 JPEG (N = media kind + 1):
    tabN.jpg   selected          face (255, 255, 255), open at the bottom
    tabNb.jpg  normal            face (200, 200, 200)
    tabNo.jpg  selected, hovered face (255, 236, 190), open at the bottom
    tabbNh.jpg normal, hovered   face (222, 232, 250)
    each with a dark outline and the kind's sign (camera, film, note, eye)
    in the middle 24 columns; the face is plain from x 2 to 13.
  tab5.jpg         13 x 27, the strip's end: face (200, 200, 200) sloping away
  audio.jpg        100 x 75, the thumbnail of a sound file: a white note on
                   dark blue (30, 50, 120)
  frame.png        110 x 85 RGBA, grey (150, 150, 150) frame 5 wide around a
                   clear 100 x 75 window at (5, 5)
  frame_hover.png  the same in orange (255, 150, 0) for a selected item
  video.png        20 x 14 RGBA, a film badge laid over video thumbnails

Deterministic: the same run gives the same bytes (Pillow's encoders, fixed
settings).
"""

import os

from PIL import Image, ImageDraw

OUT = os.path.dirname(os.path.abspath(__file__))

TAB_W, TAB_H = 64, 27
OUTLINE = (90, 90, 90)
INK = (40, 40, 40)
LOOKS = {
    # name pattern, face colour, open at the bottom (the selected tab joins
    # the white browser below it)
    "selected": ("tab{}.jpg", (255, 255, 255), True),
    "normal": ("tab{}b.jpg", (200, 200, 200), False),
    "selected_hover": ("tab{}o.jpg", (255, 236, 190), True),
    "normal_hover": ("tabb{}h.jpg", (222, 232, 250), False),
}


def save_jpeg(image, name):
    image.convert("RGB").save(os.path.join(OUT, name), "JPEG", quality=95, subsampling=0)


def save_png(image, name):
    image.save(os.path.join(OUT, name), "PNG")


def sign_camera(d, cx, cy):
    d.rectangle([cx - 9, cy - 5, cx + 9, cy + 7], outline=INK, width=2)
    d.rectangle([cx - 4, cy - 8, cx + 3, cy - 5], fill=INK)
    d.ellipse([cx - 4, cy - 3, cx + 4, cy + 5], outline=INK, width=2)


def sign_film(d, cx, cy):
    d.rectangle([cx - 10, cy - 7, cx + 10, cy + 7], fill=INK)
    for x in range(cx - 8, cx + 9, 4):
        d.rectangle([x, cy - 6, x + 1, cy - 5], fill=(255, 255, 255))
        d.rectangle([x, cy + 5, x + 1, cy + 6], fill=(255, 255, 255))
    d.rectangle([cx - 6, cy - 3, cx + 6, cy + 3], fill=(120, 170, 230))


def sign_note(d, cx, cy):
    d.ellipse([cx - 8, cy + 2, cx - 2, cy + 7], fill=INK)
    d.ellipse([cx + 3, cy, cx + 9, cy + 5], fill=INK)
    d.rectangle([cx - 3, cy - 8, cx - 2, cy + 5], fill=INK)
    d.rectangle([cx + 8, cy - 10, cx + 9, cy + 3], fill=INK)
    d.polygon([(cx - 3, cy - 8), (cx + 9, cy - 10), (cx + 9, cy - 7), (cx - 3, cy - 5)], fill=INK)


def sign_eye(d, cx, cy):
    d.ellipse([cx - 11, cy - 6, cx + 11, cy + 6], outline=INK, width=2)
    d.ellipse([cx - 4, cy - 4, cx + 4, cy + 4], fill=INK)


SIGNS = [sign_camera, sign_film, sign_note, sign_eye]


def tab(kind, look):
    _, face, open_bottom = LOOKS[look]
    image = Image.new("RGB", (TAB_W, TAB_H), face)
    d = ImageDraw.Draw(image)
    d.line([(0, TAB_H - 1), (0, 2), (2, 0), (TAB_W - 3, 0), (TAB_W - 1, 2), (TAB_W - 1, TAB_H - 1)],
           fill=OUTLINE)
    if not open_bottom:
        d.line([(0, TAB_H - 1), (TAB_W - 1, TAB_H - 1)], fill=OUTLINE)
    SIGNS[kind](d, TAB_W // 2, TAB_H // 2)
    return image


def strip_end():
    image = Image.new("RGB", (13, TAB_H), (255, 255, 255))
    d = ImageDraw.Draw(image)
    d.polygon([(0, 0), (2, 0), (12, TAB_H - 1), (0, TAB_H - 1)], fill=(200, 200, 200))
    d.line([(2, 0), (12, TAB_H - 1)], fill=OUTLINE)
    d.line([(0, TAB_H - 1), (12, TAB_H - 1)], fill=OUTLINE)
    return image


def audio_thumbnail():
    image = Image.new("RGB", (100, 75), (30, 50, 120))
    d = ImageDraw.Draw(image)
    white = (255, 255, 255)
    d.ellipse([30, 44, 44, 56], fill=white)
    d.ellipse([58, 38, 72, 50], fill=white)
    d.rectangle([41, 18, 44, 50], fill=white)
    d.rectangle([69, 12, 72, 44], fill=white)
    d.polygon([(41, 18), (72, 12), (72, 20), (41, 26)], fill=white)
    return image


def frame(colour):
    image = Image.new("RGBA", (110, 85), colour + (255,))
    d = ImageDraw.Draw(image)
    # A lighter inner edge gives the frame some depth.
    light = tuple(min(255, c + 60) for c in colour) + (255,)
    d.rectangle([3, 3, 106, 81], outline=light)
    d.rectangle([5, 5, 104, 79], fill=(0, 0, 0, 0))
    return image


def video_badge():
    image = Image.new("RGBA", (20, 14), (20, 20, 20, 255))
    d = ImageDraw.Draw(image)
    for x in range(2, 19, 4):
        d.rectangle([x, 1, x + 1, 2], fill=(255, 255, 255, 255))
        d.rectangle([x, 11, x + 1, 12], fill=(255, 255, 255, 255))
    d.polygon([(8, 4), (8, 9), (13, 6)], fill=(255, 200, 0, 255))
    return image


def main():
    for kind in range(4):
        for look, (pattern, _, _) in LOOKS.items():
            save_jpeg(tab(kind, look), pattern.format(kind + 1))
    save_jpeg(strip_end(), "tab5.jpg")
    save_jpeg(audio_thumbnail(), "audio.jpg")
    save_png(frame((150, 150, 150)), "frame.png")
    save_png(frame((255, 150, 0)), "frame_hover.png")
    save_png(video_badge(), "video.png")


if __name__ == "__main__":
    main()
