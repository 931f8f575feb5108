"""The status strip's pictures for the skin script: the icon strips of the
picture settings (one 12 x 12 cell per value, at x = value * 12), the pen
colour picture and the three state icons.

Every cell is a rounded badge whose left column (x 1..2, y 3..8) is one
solid colour per cell, with the glyph kept clear of it: the window tests
probe there to tell which cell of which strip landed where. The pen colour
picture holds the key green (19, 154, 19) exactly, unsmoothed, because the
strip recolours exactly those pixels with the chosen pen colour.
"""
import os

from PIL import Image, ImageDraw, ImageFont

import skin_glyphs as g
from skin_canvas import size_errors, write_sized_pngs, SCALE, Canvas, ensure_folder, mix, rgb, save_png

CELL = 12
WHITE = (255, 255, 255)
INK = rgb("34404D")
PEN_KEY = (19, 154, 19)
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"

# Strip name, badge colour of its first cell, one label or glyph per value.
SHOOT_MODES = ("N", "P", "F", "S", "M", "C", "A")  # night, portrait, fast, slow, macro, custom, auto
TIMER = ("5", "10", "-")                           # 5 s, 10 s, off
CONT_SHOOT = ("3", "5", "12", "15", "1")           # bursts, single picture
PEN_WIDTHS = (1, 2, 4, 8)


def badge_colour(base, value):
    """Each cell a shade of its strip's colour, distinct for the probes."""
    return mix(base, WHITE, value * 0.11)


def badge(c, x, colour):
    c.rrect(x + 0.5, 0.5, x + CELL - 0.5, CELL - 0.5, 2.5, fill=colour + (255,))


def small_font(size):
    return ImageFont.truetype(FONT_BOLD, round(size * SCALE))


def label(c, x, text, colour=WHITE):
    """Text centred on the cell's right part (x 3..11), clear of the probe."""
    font = small_font(7 if len(text) == 1 else 5.5)
    left, top, right, bottom = c.draw.textbbox((0, 0), text, font=font)
    w, h = (right - left) / SCALE, (bottom - top) / SCALE
    c.text(x + 7 - w / 2 - left / SCALE, 6 - h / 2 - top / SCALE, text, font, colour + (255,))


def text_strip(labels, base):
    c = Canvas(CELL * len(labels), CELL, (0, 0, 0, 0), mode="RGBA")
    for v, text in enumerate(labels):
        badge(c, v * CELL, badge_colour(base, v))
        label(c, v * CELL, text)
    return c.result()


def flash_strip():
    base = rgb("D99A1E")
    c = Canvas(CELL * 2, CELL, (0, 0, 0, 0), mode="RGBA")
    for v in range(2):
        x = v * CELL
        badge(c, x, badge_colour(base, v))
        g.bolt(c, x + 7, 6, 10, WHITE + (255,))
        if v == 1:  # off: struck through
            c.line([(x + 3.5, 10), (x + 10.5, 2)], INK + (255,), width=1.2)
    return c.result()


def pen_size_strip():
    base = rgb("5A6C80")
    c = Canvas(CELL * len(PEN_WIDTHS), CELL, (0, 0, 0, 0), mode="RGBA")
    for v, width in enumerate(PEN_WIDTHS):
        x = v * CELL
        badge(c, x, badge_colour(base, v))
        c.circle(x + 7, 6, 0.6 + width * 0.45, fill=WHITE + (255,))
    return c.result()


def pen_type_strip():
    base = rgb("7C5AA6")
    c = Canvas(CELL * 2, CELL, (0, 0, 0, 0), mode="RGBA")
    for v, glyph in enumerate((g.pencil, g.stamp)):
        x = v * CELL
        badge(c, x, badge_colour(base, v))
        glyph(c, x + 7, 6, 9, WHITE + (255,))
    return c.result()


def pen_colour():
    """A square of ink: dark frame, key green inside, clear corners."""
    image = Image.new("RGBA", (CELL, CELL), (0, 0, 0, 0))
    d = ImageDraw.Draw(image)
    d.rectangle([1, 1, 10, 10], fill=INK + (255,))
    d.rectangle([2, 2, 9, 9], fill=PEN_KEY + (255,))
    # A white gleam, so a recoloured square still reads as a pen swatch.
    d.point([(3, 3), (4, 3), (3, 4)], fill=WHITE + (255,))
    return image


def state_icon(kind):
    c = Canvas(CELL, CELL, (0, 0, 0, 0), mode="RGBA")
    if kind == "Timer":
        c.circle(6, 6, 5.5, fill=rgb("E0A21A") + (255,))
        g.clock(c, 6, 6, 13, WHITE + (255,))
    elif kind == "recording":
        c.circle(6, 6, 5.5, fill=WHITE + (255,))
        c.circle(6, 6, 4.5, fill=g.RECORD_RED + (255,))
    else:  # pause
        c.rrect(0.5, 0.5, 11.5, 11.5, 2.5, fill=rgb("3E8ED0") + (255,))
        g.pause(c, 6, 6, 13, WHITE + (255,))
    return c.result()


# Name -> (size, picture). The sizes are what the strip's cells assume.
def pictures():
    return {
        "Sts_ShootMode.png": ((84, 12), text_strip(SHOOT_MODES, rgb("2C6FA8"))),
        "Sts_Timer.png": ((36, 12), text_strip(TIMER, rgb("B8741A"))),
        "Sts_ContShoot.png": ((60, 12), text_strip(CONT_SHOOT, rgb("3E8E5B"))),
        "Sts_Flash.png": ((24, 12), flash_strip()),
        "Sts_PenSize.png": ((48, 12), pen_size_strip()),
        "Sts_PenType.png": ((24, 12), pen_type_strip()),
        "Sts_PenColor.png": ((12, 12), pen_colour()),
        "Timer.png": ((12, 12), state_icon("Timer")),
        "recording.png": ((12, 12), state_icon("recording")),
        "pause.png": ((12, 12), state_icon("pause")),
    }


def write_overlay_pictures(folder):
    """Writes the ten pictures into the TOLVEX folder; returns their names."""
    return write_sized_pngs(folder, pictures())


def check_overlay(folder):
    """Reads the pictures back: sizes, and the pen key exactly where drawn."""
    errors = size_errors(folder, pictures(), "TOLVEX")
    pen = Image.open(os.path.join(folder, "Sts_PenColor.png")).convert("RGBA")
    keyed = sum(1 for p in pen.getdata() if p[:3] == PEN_KEY and p[3] == 255)
    if keyed != 8 * 8 - 3:
        errors.append(f"TOLVEX/Sts_PenColor.png: {keyed} key pixels, want 61")
    return errors
