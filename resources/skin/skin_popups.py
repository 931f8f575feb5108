"""The item popups' pictures for the skin script: the icon strips of the
icon rows (one 12 x 12 cell per entry, at x = entry * 12), the 3 x 5 marker
of the current row and the 512 x 24 thumbnail strips (sixteen 32 x 24
cells, cell k at x = k * 32).

The effect, frame and stamp strips (filter.png, filteri.png, frame.png,
stamp.png) show the real effects, frames and stamps: resources/popupthumbs
draws them from the effects' own code, the photo frames and the stamps,
and they are committed from there. This script draws the face strip
(facex.png), which no popup of the program shows, where every thumbnail keeps a
solid probe square at its centre (x 12..19, y 8..15 of the cell) whose
colour names the strip and the cell, so the window tests can tell which
cell landed where: red = 16 * cell + 8, green = the strip's number * 40 +
20, blue = 200.
"""
import os

from PIL import Image, ImageDraw

from skin_canvas import size_errors, write_sized_pngs, ensure_folder, mix, rgb, save_png
import skin_overlay

CELL = 12
THUMB_W, THUMB_H, THUMBS = 32, 24, 16
MARKER = rgb("F0D264")

# Strip name -> its number in the probe colour.
THUMB_STRIPS = ("filter.png", "filteri.png", "frame.png", "facex.png", "stamp.png")
# Drawn from the effects, frames and stamps by resources/popupthumbs, not here.
REAL_STRIPS = ("filter.png", "filteri.png", "frame.png", "stamp.png")


def probe_colour(strip, cell):
    return (16 * cell + 8, strip * 40 + 20, 200)


def icon_strips():
    """The popups' icon rows use the status strip's cells, a shade darker."""
    darker = {}
    for name in ("Sts_ShootMode", "Sts_Flash", "Sts_Timer", "Sts_ContShoot", "Sts_PenSize"):
        _, image = skin_overlay.pictures()[name + ".png"]
        image = image.convert("RGBA")
        pixels = [(r * 7 // 8, g * 7 // 8, b * 7 // 8, a) for r, g, b, a in image.getdata()]
        copy = Image.new("RGBA", image.size)
        copy.putdata(pixels)
        darker[name + "2.png"] = copy
    return darker


def marker():
    """A small right-pointing wedge: 3 wide, 5 high."""
    image = Image.new("RGBA", (3, 5), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.polygon([(0, 0), (2, 2), (0, 4)], fill=MARKER + (255,))
    return image


def thumb_strip(strip):
    """Sixteen cells, each a gradient of its own hue around the probe."""
    image = Image.new("RGBA", (THUMB_W * THUMBS, THUMB_H), (0, 0, 0, 255))
    d = ImageDraw.Draw(image)
    base = (rgb("3E8ED0"), rgb("B8741A"), rgb("7C5AA6"), rgb("3E8E5B"), rgb("A83A3A"))[strip]
    for k in range(THUMBS):
        x = k * THUMB_W
        top = mix(base, (255, 255, 255), k / 20)
        bottom = mix(base, (0, 0, 0), 0.2 + k / 40)
        for y in range(THUMB_H):
            d.line([(x, y), (x + THUMB_W - 1, y)], fill=mix(top, bottom, y / (THUMB_H - 1)) + (255,))
        d.rectangle([x + 12, 8, x + 19, 15], fill=probe_colour(strip, k) + (255,))
    return image


def pictures():
    result = {name: (image.size, image) for name, image in icon_strips().items()}
    result["highlight.png"] = ((3, 5), marker())
    for strip, name in enumerate(THUMB_STRIPS):
        if name not in REAL_STRIPS:
            result[name] = ((THUMB_W * THUMBS, THUMB_H), thumb_strip(strip))
    return result


def write_popup_pictures(folder):
    """Writes seven pictures into the TOLVEX folder; returns the names of
    all eleven popup pictures, the committed real strips among them."""
    written = write_sized_pngs(folder, pictures())
    return [name for name in written if name not in THUMB_STRIPS] + list(THUMB_STRIPS)


def check_popups(folder):
    """Reads the pictures back: sizes, the real strips' size, and every
    probed thumbnail's probe colour."""
    errors = size_errors(folder, pictures(), "TOLVEX")
    for name in REAL_STRIPS:
        if Image.open(os.path.join(folder, name)).size != (THUMB_W * THUMBS, THUMB_H):
            errors.append(f"TOLVEX/{name}: not {THUMB_W * THUMBS} x {THUMB_H}")
    for strip, name in enumerate(THUMB_STRIPS):
        if name in REAL_STRIPS:
            continue
        image = Image.open(os.path.join(folder, name)).convert("RGB")
        for k in range(THUMBS):
            if image.getpixel((k * THUMB_W + 16, 12)) != probe_colour(strip, k):
                errors.append(f"TOLVEX/{name}: cell {k} lost its probe colour")
    return errors
