#!/usr/bin/env python3
"""Draws Vimbrel's own skin: the main dialog, the seven panels with their
toggles and sliders, the item-picture strips and the slide-show control bar,
with the configuration texts that name them.

    python3 resources/skin/draw_skin.py

Writes into the folders beside this script, one per resource type (plus
"sliders" for the slider images three panels share). The output is
committed, so a build never needs Python; run this again after a change and
commit what it writes. Needs Pillow (Debian: python3-pil) and the DejaVu
fonts (fonts-dejavu-core).
"""
import os
import sys
from collections import namedtuple
from inspect import signature

from PIL import Image, ImageFont

sys.dont_write_bytecode = True   # keep the source folder free of caches
import skin_glyphs as g  # noqa: E402
import skin_overlay  # noqa: E402
import skin_popups  # noqa: E402
import skin_wheel  # noqa: E402
from skin_canvas import (Canvas, Mask, ensure_folder, mix, rgb, save_bmp,  # noqa: E402
                         save_gif, save_jpeg, save_png, write_config)

HERE = os.path.dirname(os.path.abspath(__file__))
FONT_BOLD = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"
FONT = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"

BLACK, WHITE = (0, 0, 0), (255, 255, 255)
MAGENTA = (255, 0, 255)

# A calm slate-and-steel palette, in step with the program's fixed colours
# (function panel 0xD6C7BB, popup title 0x4F463D, amber title text 0x06CAF4).
SLATE = rgb("3D464F")
SLATE_DARK = rgb("2E353C")
STEEL = rgb("BBC7D6")
BODY_TOP, BODY_BOTTOM = rgb("E4E9EF"), rgb("CDD6E0")
SURFACE_TOP, SURFACE_BOTTOM = rgb("F7F9FB"), rgb("E6EBF0")
EDGE = rgb("A9B5C2")
INK = rgb("3C4856")
ACCENT = rgb("3E8ED0")
ACCENT_DARK = rgb("2C6FA8")
AMBER = rgb("F4CA06")
TRACK = rgb("C5CED8")


def key(text):
    """A key colour as the configuration writes it, RRGGBB, as an RGB tuple."""
    return rgb(text)


# ---------------------------------------------------------------- buttons

Button = namedtuple("Button", "key cx cy d glyph")
Slider = namedtuple("Slider", "key x y kind")

# Faces of a whole panel.
FACES = ("back", "over", "down", "disable")


def button_style(face, dark=False):
    """fill, outline, outline width, glyph colour of a button in a face."""
    if dark:
        return {
            "back": (rgb("39424C"), rgb("55616E"), 1, rgb("E6ECF2")),
            "over": (rgb("46515D"), AMBER, 1.5, WHITE),
            "down": (rgb("2A3138"), AMBER, 1.5, rgb("F6E08A")),
            "disable": (rgb("353D45"), rgb("444E58"), 1, rgb("6E7984")),
        }[face]
    return {
        "back": (rgb("FCFDFE"), rgb("AEB9C5"), 1, INK),
        "over": (WHITE, ACCENT, 1.5, ACCENT_DARK),
        "down": (rgb("D9E2EB"), ACCENT_DARK, 1.5, ACCENT_DARK),
        "disable": (rgb("F0F3F6"), rgb("D2D9E1"), 1, rgb("B8C1CB")),
    }[face]


def draw_button(c, b, face, glyph=None, dark=False):
    fill, outline, width, ink = button_style(face, dark)
    r = b.d / 2
    if face == "over":
        # A soft halo inside the button's region, so every face lines up.
        c.circle(b.cx, b.cy, r + 1.5, fill=mix(fill, ACCENT if not dark else AMBER, 0.18))
    c.circle(b.cx, b.cy, r, fill=fill, outline=outline, width=width)
    shift = 0.5 if face == "down" else 0
    paint = glyph or b.glyph
    if paint in (g.record,) and face == "disable":
        g.record(c, b.cx, b.cy, b.d * 0.9, ink, accent=rgb("E6BDBB") if not dark else rgb("7A4A48"))
    else:
        paint(c, b.cx + shift, b.cy + shift, b.d * 0.9, ink)


def mask_radius(b):
    # The region reaches two pixels past the drawn circle, onto plain panel
    # surface, so switching faces never shows a seam.
    return int(b.d // 2) + 2


# ---------------------------------------------------------------- sliders

# Volume slider: 95 x 18, 21 steps, transparent FF00FF.
VOLUME = dict(w=95, h=18, steps=21, track=(7, 88), knob=6, transparent=MAGENTA)
# Playback-position slider: 128 x 9, 60 steps, transparent 000000.
PLAYBACK = dict(w=128, h=9, steps=60, track=(4, 124), knob=3.5, transparent=BLACK)


def knob_x(kind, n):
    x0, x1 = kind["track"]
    return x0 + (x1 - x0) * n / (kind["steps"] - 1)


def step_level(kind, n):
    """Gray level of step n in the slider mask."""
    if kind is VOLUME:
        return round(n * 255 / (kind["steps"] - 1))          # 000000 ... FFFFFF
    return 4 + 4 * n                                          # 040404 ... F0F0F0, never black


def slider_mask(kind):
    w, h = kind["w"], kind["h"]
    m = Mask(w, h, BLACK)
    for x in range(w):
        # Each column belongs to the step whose knob is nearest.
        n = min(range(kind["steps"]), key=lambda i: abs(knob_x(kind, i) - (x + 0.5)))
        level = step_level(kind, n)
        m.rect(x, 0, x + 1, h, (level, level, level))
    if kind is VOLUME:
        m.outside_rounded_corners(6, kind["transparent"])
    return m.image


def slider_background(kind):
    w, h = kind["w"], kind["h"]
    c = Canvas(w, h, SURFACE_BOTTOM)
    x0, x1 = kind["track"]
    cy = h / 2
    if kind is VOLUME:
        c.rrect(0, 0, w, h, 6, fill=rgb("EEF2F6"), outline=rgb("C4CDD7"))
        c.rrect(x0, cy - 2, x1, cy + 2, 2, fill=TRACK)
    else:
        c.rect(0, 0, w, h, fill=SURFACE_TOP)
        c.rrect(x0 - 1, cy - 1.5, x1 + 1, cy + 1.5, 1.5, fill=TRACK)
    return c


def slider_cell(kind, n, hover):
    w, h = kind["w"], kind["h"]
    c = slider_background(kind)
    x0, _ = kind["track"]
    kx, cy = knob_x(kind, n), h / 2
    if kind is VOLUME:
        c.rrect(x0, cy - 2, max(kx, x0 + 4), cy + 2, 2, fill=ACCENT)
        c.circle(kx, cy, kind["knob"], fill=WHITE, outline=AMBER if hover else rgb("8D9AA8"),
                 width=1.5 if hover else 1)
        c.circle(kx, cy, 2, fill=ACCENT_DARK if hover else ACCENT)
    else:
        c.rrect(x0 - 1, cy - 1.5, max(kx, x0 + 2), cy + 1.5, 1.5, fill=ACCENT)
        c.circle(kx, cy, kind["knob"], fill=AMBER if hover else WHITE, outline=ACCENT_DARK, width=1)
    return c.result()


def slider_strip(kind, hover):
    w, h, n = kind["w"], kind["h"], kind["steps"]
    strip = Image.new("RGB", (w * n, h))
    for i in range(n):
        strip.paste(slider_cell(kind, i, hover), (i * w, 0))
    return strip


def playback_disabled_overlay():
    # Drawn over the playback slider while nothing plays: a veil, not a picture.
    over = Image.new("RGBA", (PLAYBACK["w"], PLAYBACK["h"]), (240, 243, 246, 170))
    return over


# ---------------------------------------------------------------- panels

PANEL_W, PANEL_H = 347, 62

Panel = namedtuple("Panel", "name prefix mask_ext buttons sliders toggles decor")
Toggle = namedtuple("Toggle", "key glyph images")

PAUSE_IMAGES = ("pause_back.jpg", "pause_over.jpg", "pause_down.jpg", "pause_disable.jpg")
PLAY_PAUSE_IMAGES = ("ppause-n.jpg", "ppasue-h.jpg", "ppause-d.jpg", "ppause-dis.JPG")

ZOOM_BUTTONS = [
    Button("003264", 134, 31, 28, g.zoom_in),
    Button("003296", 168, 31, 28, g.zoom_out),
    Button("0032C8", 202, 31, 28, g.zoom_restore),
]


def capture_row(capture_key, glyph):
    return [Button(capture_key, 36, 31, 42, glyph), Button("003232", 84, 31, 32, g.stop)]


def decor_divider(x, y0=14, y1=48):
    def paint(c):
        c.line([(x, y0), (x, y1)], rgb("CBD3DC"), width=1, round_ends=False)
    return paint


def decor_glyph(glyph, cx, cy, s, colour=rgb("8593A2")):
    def paint(c):
        glyph(c, cx, cy, s, colour)
    return paint


def decor_wave(x0, x1):
    def paint(c):
        heights = [3, 7, 12, 6, 15, 9, 4, 11, 16, 8, 5, 10, 13, 6, 3]
        step = (x1 - x0) / len(heights)
        for i, h in enumerate(heights):
            x = x0 + i * step + step / 2
            c.line([(x, 31 - h / 2), (x, 31 + h / 2)], rgb("B4C0CD"), width=2)
    return paint


VOLUME_AT = (244, 22)
MIC = decor_glyph(g.microphone, 231, 31, 16)
RIGHT_BADGE_X = 285   # centre of the free right-hand part of a panel without slider


def browse_panel():
    keys = [("006400", g.first), ("006432", g.previous), ("009696", g.play), ("0096C8", g.stop),
            ("006464", g.next_), ("006496", g.last), ("0064C8", g.save), ("0064FA", g.slideshow),
            ("009600", g.mail), ("009632", g.printer)]
    buttons = [Button(k, 26 + i * 31 + (8 if i >= 6 else 0), 44, 26, glyph)
               for i, (k, glyph) in enumerate(keys)]
    sliders = [Slider("00C800", 240, 5, VOLUME), Slider("0096FA", 18, 10, PLAYBACK)]
    return Panel("Mode_Browse", "browse", "bmp", buttons, sliders,
                 [Toggle("009696", g.pause, PLAY_PAUSE_IMAGES)],
                 [decor_divider(201, 34, 54), decor_glyph(g.speaker, 226, 14, 14)])


PANELS = [
    Panel("Mode_Video", "video", "gif",
          capture_row("000096", g.record) + ZOOM_BUTTONS,
          [Slider("0032FA", *VOLUME_AT, VOLUME)],
          [Toggle("000096", g.pause, PAUSE_IMAGES)],
          [decor_divider(110), MIC]),
    Panel("Mode_VideoOnly", "video", "gif",
          capture_row("0000C8", g.record) + ZOOM_BUTTONS,
          [],
          [Toggle("0000C8", g.pause, PAUSE_IMAGES)],
          [decor_divider(110), decor_divider(224), decor_glyph(g.film, RIGHT_BADGE_X, 31, 30)]),
    Panel("Mode_Audio", "audio", "gif",
          capture_row("0000FA", g.record),
          [Slider("0032FA", *VOLUME_AT, VOLUME)],
          [Toggle("0000FA", g.pause, PAUSE_IMAGES)],
          [decor_divider(110), decor_wave(120, 216), MIC]),
    Panel("Mode_Image", "image", "bmp",
          capture_row("003200", g.camera) + ZOOM_BUTTONS,
          [], [],
          [decor_divider(110), decor_divider(224), decor_glyph(g.picture, RIGHT_BADGE_X, 31, 30)]),
    Panel("Mode_Monitor", "monitor", "bmp",
          capture_row("009664", g.eye) + ZOOM_BUTTONS,
          [], [],
          [decor_divider(110), decor_divider(224), decor_glyph(g.waves, RIGHT_BADGE_X, 31, 30)]),
    browse_panel(),
]


def panel_surface(c, w, h, radius, dark=False):
    if dark:
        c.rrect(0, 0, w, h, radius, fill=SLATE_DARK, outline=rgb("4D5866"))
        return
    c.rrect(0, 0, w, h, radius, fill=SURFACE_BOTTOM, outline=EDGE)
    c.vgradient(2, 2, w - 2, h - 2, SURFACE_TOP, SURFACE_BOTTOM)
    c.rrect(0, 0, w, h, radius, outline=EDGE)
    c.line([(radius, 1.5), (w - radius, 1.5)], WHITE, width=1, round_ends=False)


def render_panel(p, face, swap=None):
    """The whole panel in one face; swap maps a key to another glyph."""
    c = Canvas(PANEL_W, PANEL_H, BODY_BOTTOM)
    panel_surface(c, PANEL_W, PANEL_H, 12)
    for paint in p.decor:
        paint(c)
    for b in p.buttons:
        draw_button(c, b, face, glyph=(swap or {}).get(b.key))
    return c.result()


def panel_mask(p):
    m = Mask(PANEL_W, PANEL_H, WHITE)
    for b in p.buttons:
        m.circle(b.cx, b.cy, mask_radius(b), key(b.key))
    for s in p.sliders:
        m.rect(s.x, s.y, s.x + s.kind["w"], s.y + s.kind["h"], key(s.key))
    m.outside_rounded_corners(12, BLACK)
    return m.image


def key_box(mask_image, colour):
    """Bounding box (left, top, right, bottom) of one key colour in a mask."""
    xs, ys = [], []
    w, h = mask_image.size
    px = mask_image.load()
    for y in range(h):
        for x in range(w):
            if px[x, y] == colour:
                xs.append(x)
                ys.append(y)
    return min(xs), min(ys), max(xs) + 1, max(ys) + 1


def write_panel(p, shared_sliders):
    folder = os.path.join(HERE, p.name)
    ensure_folder(folder)
    names = {face: f"{p.prefix}_{face}.jpg" for face in FACES}
    mask_name = f"{p.prefix}_mask.{p.mask_ext}"
    for face in FACES:
        save_jpeg(render_panel(p, face), os.path.join(folder, names[face]))
    mask = panel_mask(p)
    (save_gif if p.mask_ext == "gif" else save_bmp)(mask, os.path.join(folder, mask_name))

    # Alternate faces of a toggle: the same button with another glyph, cut
    # to the bounding box of its key so it lands where the button is.
    for t in p.toggles:
        box = key_box(mask, key(t.key))
        for face, name in zip(FACES, t.images):
            whole = render_panel(p, face, swap={t.key: t.glyph})
            save_jpeg(whole.crop(box), os.path.join(folder, name))

    lines = [f"back={names['back']}", f"down={names['down']}", f"over={names['over']}",
             f"mask={mask_name}", f"disable={names['disable']}"]
    for t in p.toggles:
        lines.append(f"stsbtn={t.key}," + ",".join(t.images))
    for s in p.sliders:
        lines.append(shared_sliders[s.key])
    write_config(os.path.join(folder, f"{p.name}.txt"), lines)


VOLUME_LINE = "slider={},slider_mask.bmp,slider_back.jpg,slider.jpg,slider_over.jpg,FF00FF"
PLAYBACK_LINE = ("slider=0096FA,playback_mask.bmp,playback_back.jpg,playback_slider.jpg,"
                 "playback_slider.jpg,000000,playback_dis.png")


def write_sliders():
    folder = os.path.join(HERE, "sliders")
    ensure_folder(folder)
    save_bmp(slider_mask(VOLUME), os.path.join(folder, "slider_mask.bmp"))
    save_jpeg(slider_background(VOLUME).result(), os.path.join(folder, "slider_back.jpg"))
    save_jpeg(slider_strip(VOLUME, False), os.path.join(folder, "slider.jpg"))
    save_jpeg(slider_strip(VOLUME, True), os.path.join(folder, "slider_over.jpg"))
    save_bmp(slider_mask(PLAYBACK), os.path.join(folder, "playback_mask.bmp"))
    save_jpeg(slider_background(PLAYBACK).result(), os.path.join(folder, "playback_back.jpg"))
    save_jpeg(slider_strip(PLAYBACK, False), os.path.join(folder, "playback_slider.jpg"))
    save_png(playback_disabled_overlay(), os.path.join(folder, "playback_dis.png"))
    return {"0032FA": VOLUME_LINE.format("0032FA"), "00C800": VOLUME_LINE.format("00C800"),
            "0096FA": PLAYBACK_LINE}


# ---------------------------------------------------------------- program control

def write_program_control():
    folder = os.path.join(HERE, "ProgramControl")
    ensure_folder(folder)
    w, h = 36, 16
    buttons = [("000032", 0, g.minimize), ("000064", 20, g.close)]

    def face(name):
        c = Canvas(w, h, SLATE)
        for k, x, glyph in buttons:
            fill = {"back": rgb("4A5460"), "over": rgb("5B6775"), "down": rgb("343C45")}[name]
            if name != "back" and k == "000064":
                fill = rgb("C0463F") if name == "over" else rgb("9E3832")
            c.rrect(x, 0, x + 16, 16, 4, fill=fill)
            glyph(c, x + 8, 8, 15, rgb("EEF2F6"))
        return c.result()

    for name, file in (("back", "back.jpg"), ("over", "over.jpg"), ("down", "down.jpg")):
        save_jpeg(face(name), os.path.join(folder, file))
    m = Mask(w, h, BLACK)
    for k, x, _ in buttons:
        m.rrect(x, 0, x + 16, 16, 4, key(k))
    save_bmp(m.image, os.path.join(folder, "mask.bmp"))
    write_config(os.path.join(folder, "ProgramControl.txt"),
                 ["back=back.jpg", "down=down.jpg", "over=over.jpg", "mask=mask.bmp"])


# ---------------------------------------------------------------- main dialog

DIALOG_W, DIALOG_H = 768, 511

# Layout areas of the main dialog: key colour -> (x, y, width, height).
AREAS = {
    "AAAAAA": (10, 52, 67, 298),     # mode picture (MODE0..5.JPG are 67 x 298)
    "FAFAFA": (86, 52, 400, 300),    # live preview and photo canvas
    "E6E6E6": (86, 352, 400, 14),    # status overlay, below the preview
    "DCDCDC": (139, 378, 347, 20),   # function side panel
    "D2D2D2": (139, 432, 347, 62),   # the six mode panels, 347 x 62
    "F0F0F0": (10, 374, 120, 120),   # mode wheel
    "BEBEBE": (492, 92, 268, 408),   # media tabs (268 wide) and thumbnail browsers
    "B4B4B4": (724, 10, 36, 16),     # program control, 36 x 16
    "C8C8C8": (492, 46, 180, 40),    # capture banner
}
ABOUT_BOX = (680, 30, 760, 85)        # click here for the about box: no child covers it
CORNER_RADIUS = 8


def dialog_mask():
    m = Mask(DIALOG_W, DIALOG_H, WHITE)
    for k, (x, y, w, h) in AREAS.items():
        m.rect(x, y, x + w, y + h, key(k))
    m.outside_rounded_corners(CORNER_RADIUS, BLACK)
    return m.image


def well(c, x, y, w, h, fill, radius=4):
    c.rrect(x - 2, y - 2, x + w + 2, y + h + 2, radius + 2, fill=rgb("B7C2CE"))
    c.rrect(x - 1, y - 1, x + w + 1, y + h + 1, radius + 1, fill=fill)


def dialog_background():
    c = Canvas(DIALOG_W, DIALOG_H, BODY_BOTTOM)
    c.vgradient(0, 0, DIALOG_W, DIALOG_H, BODY_TOP, BODY_BOTTOM)
    c.vgradient(0, 0, DIALOG_W, 36, rgb("46505B"), SLATE)
    c.line([(0, 36), (DIALOG_W, 36)], SLATE_DARK, width=1, round_ends=False)

    # Word mark with a lens.
    c.circle(22, 18, 9, fill=SLATE_DARK, outline=rgb("7E8C9B"), width=1.5)
    c.circle(22, 18, 4.5, fill=ACCENT)
    c.circle(20.5, 16.5, 1.5, fill=WHITE)
    if os.path.exists(FONT_BOLD):
        c.text(38, 7, "Vimbrel", ImageFont.truetype(FONT_BOLD, 17 * 4), rgb("F1F4F7"))
        c.text(126, 12, "webcam studio", ImageFont.truetype(FONT, 10 * 4), rgb("AAB6C3"))

    x, y, w, h = AREAS["AAAAAA"]
    well(c, x, y, w, h, rgb("D5DDE6"))
    x, y, w, h = AREAS["FAFAFA"]
    well(c, x, y, w, h + AREAS["E6E6E6"][3], rgb("14181C"))
    x, y, w, h = AREAS["E6E6E6"]
    c.rect(x, y, x + w, y + h, fill=rgb("D7DADC"))
    x, y, w, h = AREAS["DCDCDC"]
    c.rrect(x, y, x + w, y + h, 3, fill=STEEL)
    x, y, w, h = AREAS["F0F0F0"]
    c.circle(x + w / 2, y + h / 2, w / 2 - 2, fill=rgb("D9E0E8"), outline=EDGE)
    x, y, w, h = AREAS["BEBEBE"]
    well(c, x, y, w, h, WHITE)
    c.rect(x, y, x + w, y + 27, fill=rgb("EEF2F6"))

    # About: a small round "i" in the corner the dialog keeps clear for it.
    ax0, ay0, ax1, ay1 = ABOUT_BOX
    cx, cy = (ax0 + ax1) / 2 + 14, (ay0 + ay1) / 2 + 6
    c.circle(cx, cy, 15, fill=rgb("F4F6F9"), outline=EDGE, width=1)
    c.circle(cx, cy - 6.5, 2, fill=ACCENT)
    c.rrect(cx - 1.7, cy - 2.5, cx + 1.7, cy + 8, 1.5, fill=ACCENT)
    if os.path.exists(FONT):
        c.text(ax0 + 4, cy - 6, "about", ImageFont.truetype(FONT, 10 * 4), rgb("6B7886"))
    return c.result()


def write_dialog():
    folder = os.path.join(HERE, "ZAVU_SKIN")
    ensure_folder(folder)
    save_jpeg(dialog_background(), os.path.join(folder, "bg.jpg"))
    save_bmp(dialog_mask(), os.path.join(folder, "mask.bmp"))
    write_config(os.path.join(folder, "Config.txt"), ["back=bg.jpg", "map=mask.bmp"])


# ---------------------------------------------------------------- item pictures

# One 20 x 20 cell per column, in the column order of the item-picture index.
ITEM_GLYPHS = [
    g.mountains, g.bolt, g.clock, g.burst, g.resolution, g.calendar, g.diamond,
    lambda c, x, y, s, col: g.bars(c, x, y, s, col),
    lambda c, x, y, s, col: g.bars(c, x, y, s, col, heights=(0.5, 0.9, 0.4, 0.7)),
    g.film, g.note, g.picture, g.sun, g.contrast, g.bulb, g.reset, g.circles, g.wand, g.frame,
    g.dots, g.pencil, g.palette, g.stamp, g.printer, g.waves, g.record_type, g.gear,
]
ITEM = 20


def item_strip(state):
    n = len(ITEM_GLYPHS)
    c = Canvas(ITEM * n, ITEM, (0, 0, 0, 0), mode="RGBA")
    ink = {"normal": rgb("34404D"), "hover": ACCENT_DARK, "disabled": rgb("8E9BA9")}[state]
    # Holes in a glyph let the button's own background show through.
    hole = (0, 0, 0, 0) if state != "hover" else rgb("F4F7FA") + (255,)
    for i, glyph in enumerate(ITEM_GLYPHS):
        x = i * ITEM
        if state == "hover":
            c.rrect(x + 0.5, 0.5, x + ITEM - 0.5, ITEM - 0.5, 4, fill=rgb("F4F7FA") + (255,),
                    outline=AMBER + (255,), width=1)
        extra = {name: hole for name in ("hole", "paper") if name in signature(glyph).parameters}
        glyph(c, x + ITEM / 2, ITEM / 2, ITEM * 0.95, ink + (255,), **extra)
    return c.result()


def write_item_pictures():
    folder = os.path.join(HERE, "TOLVEX")
    ensure_folder(folder)
    save_png(item_strip("normal"), os.path.join(folder, "function.png"))
    save_png(item_strip("hover"), os.path.join(folder, "function_hover.png"))
    save_png(item_strip("disabled"), os.path.join(folder, "function_dis.png"))


# ---------------------------------------------------------------- slide-show bar

BAR_W, BAR_H = 320, 56
BAR_BUTTONS = [
    Button("000032", 30, 28, 30, g.first),
    Button("000064", 70, 28, 30, g.previous),
    Button("0000FA", 116, 28, 40, g.play),
    Button("000096", 162, 28, 30, g.next_),
    Button("0000C8", 202, 28, 30, g.last),
    Button("003200", 250, 28, 30, g.sparkle),
    Button("003232", 290, 28, 30, g.close),
]


def render_bar(face, swap=None):
    c = Canvas(BAR_W, BAR_H, BLACK)
    panel_surface(c, BAR_W, BAR_H, 14, dark=True)
    c.line([(228, 14), (228, 42)], rgb("4D5866"), width=1, round_ends=False)
    for b in BAR_BUTTONS:
        draw_button(c, b, face, glyph=(swap or {}).get(b.key), dark=True)
    return c.result()


def write_control_bar():
    folder = os.path.join(HERE, "CONTROL")
    ensure_folder(folder)
    for face in FACES:
        save_jpeg(render_bar(face), os.path.join(folder, f"{face}.jpg"))
    m = Mask(BAR_W, BAR_H, WHITE)
    for b in BAR_BUTTONS:
        m.circle(b.cx, b.cy, mask_radius(b), key(b.key))
    m.outside_rounded_corners(14, BLACK)
    save_bmp(m.image, os.path.join(folder, "mask.bmp"))
    box = key_box(m.image, key("0000FA"))
    for face, name in zip(FACES, ("sb.jpg", "sh.jpg", "sd.jpg", "sdis.JPG")):
        save_jpeg(render_bar(face, swap={"0000FA": g.pause}).crop(box), os.path.join(folder, name))
    write_config(os.path.join(folder, "CONTROL.TXT"),
                 ["back=back.jpg", "down=down.jpg", "over=over.jpg", "disable=disable.jpg",
                  "mask=mask.bmp", "stsbtn=0000FA,sb.jpg,sh.jpg,sd.jpg,sdis.JPG"])


# ---------------------------------------------------------------- resource scripts

RC_HEADER = """// Written by draw_skin.py; run it again rather than editing this file.
// Resource names and types are stored upper-case and found without regard
// to case. File names stay unquoted: the resource compiler would join a
// quoted name with a quoted string on the line before. A type that is also
// a statement word (CONTROL) is quoted in the middle of its line.
"""


def config_images(folder, config_name):
    """The image names a configuration text refers to, in file order."""
    names = {}   # ordered, without repeats
    with open(os.path.join(HERE, folder, config_name), "rb") as f:
        for line in f.read().decode("ascii").split("\r\n"):
            if "=" not in line:
                continue
            k, value = line.split("=", 1)
            fields = value.split(",")
            if k in ("stsbtn", "slider"):
                fields = [v for v in fields[1:] if not _is_colour(v)]
            names.update(dict.fromkeys(fields))
    return list(names)


def _is_colour(text):
    return len(text) == 6 and all(ch in "0123456789ABCDEFabcdef" for ch in text)


# Words the resource compiler reads as statements: such a type is quoted.
RC_KEYWORDS = {"CONTROL", "DIALOG", "MENU", "ICON", "BITMAP", "CURSOR", "FONT", "VERSIONINFO"}


def resource_lines(rtype, folder, config_name):
    if rtype.upper() in RC_KEYWORDS:
        rtype = f'"{rtype}"'
    lines = [f"{config_name} {rtype} {folder}/{config_name}"]
    for name in config_images(folder, config_name):
        where = folder if os.path.exists(os.path.join(HERE, folder, name)) else "sliders"
        if not os.path.exists(os.path.join(HERE, where, name)):
            raise FileNotFoundError(f"{config_name} names {name}, which was not drawn")
        lines.append(f"{name} {rtype} {where}/{name}")
    return lines


def write_resource_scripts(wheel_names, picture_names, overlay_names, popup_names):
    lines = [RC_HEADER, "// The skin of vimbrel: main dialog, panels, sliders, item pictures,",
             "// the mode wheel, the program pictures and the status strip's pictures.", ""]
    lines += resource_lines("ZAVU_SKIN", "ZAVU_SKIN", "Config.txt") + [""]
    for name in ["ProgramControl"] + [p.name for p in PANELS]:
        lines += resource_lines(name, name, f"{name}.txt") + [""]
    for name in ("function.png", "function_hover.png", "function_dis.png"):
        lines.append(f"{name} TOLVEX TOLVEX/{name}")
    lines.append("")
    for name in picture_names:
        lines.append(f"{name} TOLVEX TOLVEX/{name}")
    lines.append("")
    for name in overlay_names:
        lines.append(f"{name} TOLVEX TOLVEX/{name}")
    lines.append("")
    for name in popup_names:
        lines.append(f"{name} TOLVEX TOLVEX/{name}")
    lines.append("")
    for name in wheel_names:
        lines.append(f"{name} WHEEL WHEEL/{name}")
    with open(os.path.join(HERE, "skin.rc"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")

    lines = [RC_HEADER, "// The slide-show player's control bar.", ""]
    lines += resource_lines("CONTROL", "CONTROL", "CONTROL.TXT")
    with open(os.path.join(HERE, "control_bar.rc"), "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


# ---------------------------------------------------------------- checks

def check_outputs():
    """Reads the masks back and checks the colours the program relies on."""
    def colours(path):
        return {c for _, c in Image.open(path).convert("RGB").getcolors(1 << 20)}

    errors = []
    main = colours(os.path.join(HERE, "ZAVU_SKIN", "mask.bmp"))
    want = {key(k) for k in AREAS} | {BLACK, WHITE}
    if main != want:
        errors.append(f"main mask colours {sorted(main)}")
    for p in PANELS:
        path = os.path.join(HERE, p.name, f"{p.prefix}_mask.{p.mask_ext}")
        have = colours(path)
        keys = {key(b.key) for b in p.buttons} | {key(s.key) for s in p.sliders}
        if have != keys | {BLACK, WHITE}:
            errors.append(f"{path}: colours {sorted(have - keys)} besides the keys")
        if len(keys) > 20:
            errors.append(f"{path}: more than 20 keys")
    for name, kind in (("slider_mask.bmp", VOLUME), ("playback_mask.bmp", PLAYBACK)):
        have = colours(os.path.join(HERE, "sliders", name))
        grays = {c for c in have if c[0] == c[1] == c[2]}
        if len(grays) != kind["steps"]:
            errors.append(f"{name}: {len(grays)} gray levels, want {kind['steps']}")
    errors += check_wheel()
    errors += skin_overlay.check_overlay(os.path.join(HERE, "TOLVEX"))
    errors += skin_popups.check_popups(os.path.join(HERE, "TOLVEX"))
    for e in errors:
        print("draw_skin:", e, file=sys.stderr)
    return not errors


def check_wheel():
    errors = []
    folder = os.path.join(HERE, "WHEEL")
    count = len([n for n in os.listdir(folder) if not n.startswith(".")])
    if count != 141:
        errors.append(f"WHEEL: {count} images, want 141")
    have = {c for _, c in Image.open(os.path.join(folder, "map.bmp")).convert("RGB").getcolors(1 << 20)}
    want = {key(k) for k in skin_wheel.SECTOR_KEYS} | {WHITE}
    if have != want:
        errors.append(f"WHEEL/map.bmp: colours {sorted(have)}")
    sizes = {f"MODE{m}.JPG": skin_wheel.MODE_PICTURE for m in range(6)}
    sizes["about.jpg"] = skin_wheel.ABOUT_PICTURE
    for name, size in sizes.items():
        if Image.open(os.path.join(HERE, "TOLVEX", name)).size != size:
            errors.append(f"TOLVEX/{name}: not {size}")
    return errors


def main():
    shared = write_sliders()
    for p in PANELS:
        write_panel(p, shared)
    write_program_control()
    write_dialog()
    write_item_pictures()
    write_control_bar()
    wheel_names = skin_wheel.write_wheel(dialog_background(), AREAS["F0F0F0"])
    picture_names = skin_wheel.write_program_pictures(os.path.join(HERE, "TOLVEX"))
    overlay_names = skin_overlay.write_overlay_pictures(os.path.join(HERE, "TOLVEX"))
    popup_names = skin_popups.write_popup_pictures(os.path.join(HERE, "TOLVEX"))
    write_resource_scripts(wheel_names, picture_names, overlay_names, popup_names)
    if not check_outputs():
        return 1
    print("draw_skin: done")
    return 0


if __name__ == "__main__":
    sys.exit(main())
