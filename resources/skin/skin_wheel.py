"""The mode wheel's pictures and the program pictures (mode pictures, the
about picture) for the skin script.

The wheel is 120 x 120 and shows six mode badges on a ring. Rotation frame
f turns the ring f x 10 degrees anticlockwise, so mode m sits at the top at
frame 6 m and the modes after it follow clockwise, 60 degrees apart: the
clickable sectors of the map lie where those modes are.
"""
import math
import os

from PIL import Image, ImageFont

import skin_glyphs as g
from skin_canvas import SCALE, Canvas, Mask, ensure_folder, mix, rgb, save_bmp, save_jpeg, save_png

WHEEL = 120
CENTRE = WHEEL / 2
RING_INNER, RING_OUTER = 44, 59
BADGE_RADIUS, BADGE_AT = 8.5, 51.5
FRAMES, FRAMES_PER_MODE = 36, 6
# Labels and the glass sit at (14, 16), the window in the middle of the ring.
LABEL_AT = (14, 16)
LABEL_W, LABEL_H = 92, 88
LABEL_DISC = 42

MODES = ("Video", "Video only", "Audio", "Image", "Browse", "Monitor")
MODE_COLOURS = [rgb(c) for c in ("D64541", "E08A2E", "3E9E5B", "3E8ED0", "8E5CC2", "2FA7A0")]
MODE_GLYPHS = (g.record, g.film, g.microphone, g.camera, g.picture, g.eye)

# Sector key colours of map.bmp, clockwise from the mode after the shown one.
SECTOR_KEYS = ("FFFF00", "FF0000", "FF00FF", "0000FF", "00FFFF")

RIM = rgb("A9B5C2")
RING_TOP, RING_BOTTOM = rgb("EEF2F6"), rgb("C9D2DC")
GLASS = rgb("2E353C")
WHITE = (255, 255, 255)


def polar(angle_degrees, radius):
    """A point at an angle clockwise from the top of the wheel."""
    a = math.radians(angle_degrees)
    return CENTRE + radius * math.sin(a), CENTRE - radius * math.cos(a)


def badge_angle(mode, frame):
    return (mode * 60 - frame * 10) % 360


def ring(frame, lit_mode=None):
    """One rotation frame: the ring with its badges, clear outside."""
    c = Canvas(WHEEL, WHEEL, (0, 0, 0, 0), mode="RGBA")
    c.circle(CENTRE, CENTRE, RING_OUTER, fill=RIM + (255,))
    c.circle(CENTRE, CENTRE, RING_OUTER - 1, fill=RING_BOTTOM + (255,))
    c.circle(CENTRE, CENTRE, RING_OUTER - 3, fill=RING_TOP + (255,))
    # Ticks between the badges turn with the ring, so a turn is visible.
    for k in range(12):
        angle = badge_angle(0, frame) + 30 + k * 60 / 2
        if k % 2:
            continue
        x0, y0 = polar(angle, RING_INNER + 3)
        x1, y1 = polar(angle, RING_OUTER - 4)
        c.line([(x0, y0), (x1, y1)], RIM + (255,), width=1.5)
    c.circle(CENTRE, CENTRE, RING_INNER, fill=RIM + (255,))
    for mode in range(6):
        x, y = polar(badge_angle(mode, frame), BADGE_AT)
        colour = MODE_COLOURS[mode]
        if lit_mode is not None:
            colour = mix(colour, WHITE, 0.45)
        c.circle(x, y, BADGE_RADIUS, fill=colour + (255,), outline=WHITE + (255,), width=1)
        MODE_GLYPHS[mode](c, x, y, 7, WHITE + (255,))
    return c


def rotation_frame(frame):
    return ring(frame).result()


def hover_picture(mode):
    """The whole wheel at mode's frame, lit: hovering shows it in one sector."""
    c = ring(mode * FRAMES_PER_MODE, lit_mode=mode)
    return c.result()


def sector_map():
    """White wheel, one exact key colour per clickable ring sector."""
    m = Mask(WHEEL, WHEEL, WHITE)
    # A sector is the part of the ring within 30 degrees of its centre line.
    px = m.image.load()
    for y in range(WHEEL):
        for x in range(WHEEL):
            dx, dy = x + 0.5 - CENTRE, y + 0.5 - CENTRE
            r = math.hypot(dx, dy)
            if not RING_INNER <= r <= RING_OUTER:
                continue
            angle = math.degrees(math.atan2(dx, -dy)) % 360
            sector = int(((angle + 30) % 360) // 60)
            if sector:
                px[x, y] = rgb(SECTOR_KEYS[sector - 1])
    return m.image


def label_font(size):
    return ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", size * SCALE)


def label(mode, strength, selected):
    """The centre window: mode's badge and name, faded to `strength` 0..1."""
    c = Canvas(LABEL_W, LABEL_H, (0, 0, 0, 0), mode="RGBA")
    cx, cy = LABEL_W / 2, LABEL_H / 2
    c.circle(cx, cy, LABEL_DISC, fill=GLASS + (255,))
    colour = mix(GLASS, MODE_COLOURS[mode], strength)
    ink = mix(GLASS, WHITE, strength)
    radius = 12 + 6 * strength if selected else 18 - 6 * (1 - strength)
    c.circle(cx, cy - 10, radius, fill=colour + (255,))
    MODE_GLYPHS[mode](c, cx, cy - 10, radius * 1.1, ink + (255,))
    name = MODES[mode]
    font = label_font(10 if len(name) < 8 else 8)
    left, top, right, bottom = c.draw.textbbox((0, 0), name, font=font)
    c.text(cx - (right - left) / SCALE / 2, cy + 14, name, font, ink + (255,))
    return c.result()


def glass():
    """The centre window while the ring turns: dark glass with a gleam."""
    c = Canvas(LABEL_W, LABEL_H, (0, 0, 0, 0), mode="RGBA")
    cx, cy = LABEL_W / 2, LABEL_H / 2
    c.circle(cx, cy, LABEL_DISC, fill=GLASS + (255,))
    c.ellipse(cx - 28, cy - 36, cx + 22, cy - 12, fill=mix(GLASS, WHITE, 0.18) + (255,))
    return c.result()


def write_wheel(dialog_background, wheel_area):
    """Writes the WHEEL folder; returns its file names in resource order."""
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "WHEEL")
    ensure_folder(folder)
    names = []

    def out(image, name, saver=save_png):
        saver(image, os.path.join(folder, name))
        names.append(name)

    x, y, w, h = wheel_area
    out(dialog_background.crop((x, y, x + w, y + h)), "bg.jpg", save_jpeg)
    out(sector_map(), "map.bmp", save_bmp)
    out(glass(), "glass.png")
    for f in range(FRAMES):
        out(rotation_frame(f), f"cycle{f:02d}.png")
    for m in range(6):
        out(hover_picture(m), f"hover{m}.png")
    for m in range(6):
        for n in range(5):
            out(label(m, 1 - (n + 1) / 5, False), f"mode{m}_0{n}.png")
        for n in range(11):
            out(label(m, n / 10, True), f"mode{m}s_{n:02d}.png")
    return names


# ---------------------------------------------------------------- program pictures

MODE_PICTURE = (67, 298)
ABOUT_PICTURE = (500, 300)
# Where the about box writes its version line, on the picture.
VERSION_BOX = (398, 128, 150, 15)


def mode_picture(mode):
    w, h = MODE_PICTURE
    colour = MODE_COLOURS[mode]
    c = Canvas(w, h, colour)
    c.vgradient(0, 0, w, h, mix(colour, WHITE, 0.25), mix(colour, (0, 0, 0), 0.25))
    c.circle(w / 2, 44, 24, fill=WHITE)
    MODE_GLYPHS[mode](c, w / 2, 44, 34, colour)
    # The name runs down the strip.
    text = Canvas(h - 90, w, (0, 0, 0, 0), mode="RGBA")
    text.text(4, 14, MODES[mode], label_font(24), WHITE + (255,))
    turned = text.result().rotate(-90, expand=True)
    image = c.result()
    image.paste(turned, (0, 86), turned)
    return image


def about_picture():
    w, h = ABOUT_PICTURE
    c = Canvas(w, h, rgb("2E353C"))
    c.vgradient(0, 0, w, h, rgb("46505B"), rgb("262C32"))
    c.circle(110, 150, 72, fill=rgb("262C32"), outline=rgb("7E8C9B"), width=3)
    c.circle(110, 150, 42, fill=rgb("3E8ED0"))
    c.circle(98, 138, 11, fill=WHITE)
    big = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 44 * SCALE)
    small = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 15 * SCALE)
    c.text(210, 60, "Vimbrel", big, rgb("F1F4F7"))
    c.text(212, 160, "webcam studio", small, rgb("AAB6C3"))
    # The version line goes on a plain dark band, so it reads in any face.
    x, y, bw, bh = VERSION_BOX
    c.rrect(x - 6, y - 3, x + bw - 2, y + bh + 3, 4, fill=rgb("262C32"))
    c.rect(0, h - 6, w, h, fill=rgb("F4CA06"))
    return c.result()


def write_program_pictures(folder):
    """MODE0..5.JPG and about.jpg into the TOLVEX folder; returns their names."""
    names = []
    for m in range(6):
        name = f"MODE{m}.JPG"
        save_jpeg(mode_picture(m), os.path.join(folder, name))
        names.append(name)
    save_jpeg(about_picture(), os.path.join(folder, "about.jpg"))
    names.append("about.jpg")
    return names
